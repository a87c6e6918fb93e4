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

QByteArray repeated(const QByteArray& piece, int times) {
    QByteArray whole;
    for (int i = 0; i < times; ++i)
        whole += piece;
    return whole;
}

QString readText(XmlPart& part) {
    QString text;
    for (auto t = part.next(); t != XmlPart::Token::End; t = part.next()) {
        if (t == XmlPart::Token::Characters)
            text += part.text();
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

    void decodesTextAndValues_data() {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("text");
        QTest::newRow("references")
            << QByteArray("<a>&lt;&amp;&gt;&quot;&apos;&#x41;&#66;&#x1F600;</a>")
            << QStringLiteral("<&>\"'AB\U0001F600");
        QTest::newRow("line ends")
            << QByteArray("<a>1\r\n2\r3\n4</a>") << QStringLiteral("1\n2\n3\n4");
        QTest::newRow("CDATA kept as written")
            << QByteArray("<a><![CDATA[&amp; <b>\r\n]]></a>") << QStringLiteral("&amp; <b>\n");
        QTest::newRow("value white space")
            << QByteArray("<a v=\"1\t2\r\n3&#10;&lt;\"/>") << QStringLiteral("[1 2 3\n<]");
        QTest::newRow("prefixed names")
            << QByteArray("<w:a xmlns:w=\"u\" w:v=\"x\">т</w:a>") << QStringLiteral("[x]т");
        QTest::newRow("HTML names under an outer document type")
            << QByteArray("<!DOCTYPE a PUBLIC \"-//x\" \"x.dtd\"><a>1&nbsp;2&unheard;3</a>")
            << QStringLiteral("1\u00A0"
                              "23");
    }
    void decodesTextAndValues() {
        QFETCH(QByteArray, xml);
        QFETCH(QString, text);
        XmlPart part(xml, QStringLiteral("a.xml"));
        QString read;
        for (auto t = part.next(); t != XmlPart::Token::End; t = part.next()) {
            if (t == XmlPart::Token::StartElement && part.name() == u"a" &&
                !part.attribute(u"v").isEmpty())
                read += QLatin1Char('[') + part.attribute(u"v") + QLatin1Char(']');
            else if (t == XmlPart::Token::Characters)
                read += part.text();
        }
        QVERIFY2(!part.failed(), qPrintable(part.problem().error));
        QCOMPARE(read, text);
    }

    void refusesMalformedText_data() {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<qint64>("line");
        QTest::newRow("undeclared entity") << QByteArray("<a>\n&nbsp;</a>") << qint64(2);
        QTest::newRow("reference to no character") << QByteArray("<a>\n\n&#1;</a>") << qint64(3);
        QTest::newRow("bare ampersand") << QByteArray("<a>\nA & B</a>") << qint64(2);
        QTest::newRow("control character") << QByteArray("<a>\x01</a>") << qint64(1);
        QTest::newRow("not UTF-8") << QByteArray("<a>\n\xC0\xAF</a>") << qint64(2);
        QTest::newRow("bad value") << QByteArray("<a v=\"&zz;\"/>") << qint64(1);
        QTest::newRow("two roots") << QByteArray("<a/>\n<a/>") << qint64(2);
        QTest::newRow("empty") << QByteArray("  ") << qint64(1);
    }
    void refusesMalformedText() {
        QFETCH(QByteArray, xml);
        QFETCH(qint64, line);
        XmlPart part(xml, QStringLiteral("a.xml"));
        for (auto t = part.next(); t != XmlPart::Token::End; t = part.next()) {
            if (t == XmlPart::Token::StartElement)
                part.attribute(u"v");
            else if (t == XmlPart::Token::Characters)
                part.text();
        }
        QCOMPARE(part.problem().error,
                 BookProblem::malformedXml(QStringLiteral("a.xml"), line).error);
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

    void countsElementsAndText_data() {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<qint64>("elements");
        QTest::addColumn<qint64>("characters");
        QTest::newRow("elements and text") << QByteArray("<a><b>xy</b><c/></a>") << 3LL << 2LL;
        QTest::newRow("blanks between tags are not text")
            << QByteArray("<a>\r\n  <b/>\n\t</a>") << 2LL << 0LL;
        QTest::newRow("text from its first letter on") << QByteArray("<a> x y </a>") << 1LL << 4LL;
        QTest::newRow("letters, not bytes") << QByteArray("<a>ёж\U0001F600</a>") << 1LL << 3LL;
        QTest::newRow("comments hold no elements")
            << QByteArray("<a><!-- <b/><b/> --></a>") << 1LL << 0LL;
        QTest::newRow("CDATA is text") << QByteArray("<a><![CDATA[<b/>]]></a>") << 1LL << 4LL;
        QTest::newRow("declaration, document type, instruction")
            << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE a><?pi <b/>?><a/>") << 1LL << 0LL;
        QTest::newRow("cut short") << QByteArray("<a>x<b") << 2LL << 1LL;
    }
    void countsElementsAndText() {
        QFETCH(QByteArray, xml);
        QFETCH(qint64, elements);
        QFETCH(qint64, characters);
        QCOMPARE(qint64(countElements(xml)), elements);
        QCOMPARE(qint64(countCharacters(xml, xml.size())), characters);
    }

    void keepsWithinItsBudget_data() {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<qint64>("freeElements");
        QTest::addColumn<qint64>("treeBytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("problem"); // empty when the part is read
        constexpr qint64 KB = 1024;
        // 2001 elements and one character; 2001 elements and 2000 characters.
        const QByteArray empty = "<a>" + repeated("<b/>", 2000) + "x</a>";
        const QByteArray full = "<a>" + repeated("<b>x</b>", 2000) + "</a>";
        const QString tooMuch = BookProblem::tooMuchMarkup(QStringLiteral("a.xml"), 20).error;
        QTest::newRow("empty elements past the rule")
            << empty << 100LL << 1024 * KB << QString() << tooMuch;
        QTest::newRow("as many elements, each with its text")
            << full << 100LL << 1024 * KB << QString(2000, QLatin1Char('x')) << QString();
        QTest::newRow("the last element the rule allows")
            << empty << 1981LL << 1024 * KB << QStringLiteral("x") << QString();
        QTest::newRow("one element past it")
            << empty << 1980LL << 1024 * KB << QString() << tooMuch;
        // 4001 nodes of the tree take about 256 KB.
        QTest::newRow("tree past its memory")
            << full << 100LL << 64 * KB << QString()
            << BookProblem::markupTooLarge(QStringLiteral("a.xml"), 64 * KB).error;
    }
    void keepsWithinItsBudget() {
        QFETCH(QByteArray, xml);
        QFETCH(qint64, freeElements);
        QFETCH(qint64, treeBytes);
        QFETCH(QString, text);
        QFETCH(QString, problem);
        XmlPart part(xml, QStringLiteral("a.xml"), MarkupBudget{freeElements, 20, treeBytes});
        QCOMPARE(readText(part), text);
        QCOMPARE(part.problem().error, problem);
    }
};

QTEST_GUILESS_MAIN(XmlPartTest)
#include "tst_xmlpart.moc"
