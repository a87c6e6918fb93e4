#include "formats/XmlPart.h"

#include <QTest>

namespace {

// Lines of text in a long document; each holds a line break.
constexpr qint64 Lines = 12000;

// A document longer than several of the pieces the reader is handed: lines of two-byte
// letters and CR LF line ends, shifted by `shift` bytes so that pieces end inside a letter,
// between CR and LF and inside a tag. Its text as the reader reports it is put in *text.
QByteArray longDocument(int shift, QString* text) {
    QByteArray xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<book>" + QByteArray(shift, ' ');
    *text = QString(shift, QLatin1Char(' '));
    for (int line = 0; line < Lines; ++line) {
        const QString words = QStringLiteral("строка %1 \r\nконец").arg(line);
        xml += "<line n=\"" + QByteArray::number(line) + "\">" + words.toUtf8() + "</line>";
        *text += QString(words).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
    xml += "</book>\r\n";
    return xml;
}

QString readText(XmlPart& part) {
    QString text;
    for (auto t = part.next(); t != QXmlStreamReader::Invalid; t = part.next()) {
        if (t == QXmlStreamReader::Characters)
            text += part.reader().text();
    }
    return text;
}

} // namespace

class XmlPartTest : public QObject {
    Q_OBJECT

private slots:
    void longDocumentReadWhole_data() {
        QTest::addColumn<int>("shift");
        for (int shift = 0; shift < 4; ++shift)
            QTest::addRow("shift %d", shift) << shift;
    }
    void longDocumentReadWhole() {
        QFETCH(int, shift);
        QString expected;
        XmlPart part(longDocument(shift, &expected), QStringLiteral("book.xml"));
        QCOMPARE(readText(part), expected);
        QVERIFY(!part.failed());
    }

    void lateFaultNamesItsLine_data() {
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<qint64>("line");
        // The tail begins on line Lines + 2: after the declaration's and every text's break.
        QTest::newRow("unclosed") << QByteArray("\n<line>\n</book>\n") << Lines + 4;
        QTest::newRow("cut short") << QByteArray("\n<line>абв") << Lines + 3;
        QTest::newRow("stray end") << QByteArray("</line>\n</book>") << Lines + 2;
    }
    void lateFaultNamesItsLine() {
        QFETCH(QByteArray, tail);
        QFETCH(qint64, line);
        QString ignored;
        QByteArray xml = longDocument(1, &ignored);
        xml.chop(QByteArray("</book>\r\n").size());
        XmlPart part(xml + tail, QStringLiteral("book.xml"));
        readText(part);
        QVERIFY(part.failed());
        QCOMPARE(part.problem().error,
                 BookProblem::malformedXml(QStringLiteral("book.xml"), line).error);
    }
};

QTEST_GUILESS_MAIN(XmlPartTest)
#include "tst_xmlpart.moc"
