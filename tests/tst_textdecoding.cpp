#include "formats/TextDecoding.h"

#include <QFile>
#include <QStringEncoder>
#include <QTest>

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray result;
    for (int v : values)
        result.append(static_cast<char>(v));
    return result;
}

QByteArray utf16(const QString& text, QStringEncoder::Encoding encoding) {
    QStringEncoder encoder(encoding, QStringEncoder::Flag::Stateless);
    return encoder.encode(text);
}

QString dataPath(const QString& name) {
    return qEnvironmentVariable("SKIMORA_TEST_DATA") + QLatin1Char('/') + name;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace

class TestTextDecoding : public QObject {
    Q_OBJECT

private slots:
    void decodeText_data();
    void decodeText();
    void decodeWindows1251_data();
    void decodeWindows1251();
    void everyByteSurvivesARoundTrip();
    void encodeWindows1251_data();
    void encodeWindows1251();
    void russianFileInEveryEncoding_data();
    void russianFileInEveryEncoding();
};

void TestTextDecoding::decodeText_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("expected");

    const QString russian = QStringLiteral("Ёжик в тумане — «сказка».\r\nВторая строка");

    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("ascii") << QByteArray("plain text\r\n") << QStringLiteral("plain text\r\n");
    QTest::newRow("utf-8 without mark") << russian.toUtf8() << russian;
    QTest::newRow("utf-8 with mark") << bytes({0xEF, 0xBB, 0xBF}) + russian.toUtf8() << russian;
    QTest::newRow("utf-8 mark only") << bytes({0xEF, 0xBB, 0xBF}) << QString();
    QTest::newRow("utf-16 le with mark")
        << bytes({0xFF, 0xFE}) + utf16(russian, QStringEncoder::Utf16LE) << russian;
    QTest::newRow("utf-16 be with mark")
        << bytes({0xFE, 0xFF}) + utf16(russian, QStringEncoder::Utf16BE) << russian;
    QTest::newRow("utf-16 le outside the basic plane")
        << bytes({0xFF, 0xFE}) + utf16(QStringLiteral("a😀b"), QStringEncoder::Utf16LE)
        << QStringLiteral("a😀b");
    QTest::newRow("utf-16 le mark only") << bytes({0xFF, 0xFE}) << QString();
    QTest::newRow("windows-1251") << ::encodeWindows1251(russian) << russian;
    QTest::newRow("windows-1251 single letter") << bytes({0xE6}) << QStringLiteral("ж");
    // "Мир" in 1251 is CC E8 F0: CC opens a two-byte UTF-8 sequence that E8 does not continue.
    QTest::newRow("windows-1251 that starts like utf-8")
        << bytes({0xCC, 0xE8, 0xF0}) << QStringLiteral("Мир");
    QTest::newRow("utf-8 cut in the middle of a letter is 1251")
        << QByteArray("\xD0\xBF\xD1") << QStringLiteral("РїС");
    QTest::newRow("overlong utf-8 is 1251") << QByteArray("\xC0\xAF") << QStringLiteral("АЇ");
    QTest::newRow("utf-8 surrogate is 1251")
        << QByteArray("\xED\xA0\x80") << QStringLiteral("н\u00A0Ђ");
    QTest::newRow("highest code point is utf-8")
        << QByteArray("a\xF4\x8F\xBF\xBF") << QStringLiteral("a\U0010FFFF");
    QTest::newRow("beyond the highest code point is 1251")
        << QByteArray("\xF4\x90\x80\x80") << QStringLiteral("фђЂЂ");
    QTest::newRow("noncharacter is utf-8")
        << QByteArray("\xEF\xBF\xBF") << QStringLiteral("\uFFFF");
    QTest::newRow("five-byte form is 1251")
        << QByteArray("\xF8\x88\x80\x80\x80") << QStringLiteral("ш€ЂЂЂ");
    const QByteArray utf8ThenOne1251 =
        QStringLiteral("Длинное начало. ").repeated(1000).toUtf8() + QByteArray("\xE6");
    QTest::newRow("one 1251 byte after a long utf-8 stretch")
        << utf8ThenOne1251 << ::decodeWindows1251(utf8ThenOne1251);
    QTest::newRow("nul bytes stay") << QByteArray("a\0b", 3) << QStringView(u"a\0b", 3).toString();
}

void TestTextDecoding::decodeText() {
    QFETCH(QByteArray, input);
    QFETCH(QString, expected);
    QCOMPARE(::decodeText(input), expected);
}

void TestTextDecoding::decodeWindows1251_data() {
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("character");

    QTest::newRow("ascii A") << 0x41 << 0x41;
    QTest::newRow("tilde") << 0x7E << 0x7E;
    QTest::newRow("Ђ") << 0x80 << 0x0402;
    QTest::newRow("euro") << 0x88 << 0x20AC;
    QTest::newRow("en dash") << 0x96 << 0x2013;
    QTest::newRow("em dash") << 0x97 << 0x2014;
    QTest::newRow("undefined 0x98") << 0x98 << 0x0098;
    QTest::newRow("trade mark") << 0x99 << 0x2122;
    QTest::newRow("no-break space") << 0xA0 << 0x00A0;
    QTest::newRow("Ё") << 0xA8 << 0x0401;
    QTest::newRow("left guillemet") << 0xAB << 0x00AB;
    QTest::newRow("soft hyphen") << 0xAD << 0x00AD;
    QTest::newRow("ё") << 0xB8 << 0x0451;
    QTest::newRow("numero") << 0xB9 << 0x2116;
    QTest::newRow("right guillemet") << 0xBB << 0x00BB;
    QTest::newRow("А") << 0xC0 << 0x0410;
    QTest::newRow("Я") << 0xDF << 0x042F;
    QTest::newRow("а") << 0xE0 << 0x0430;
    QTest::newRow("я") << 0xFF << 0x044F;
}

void TestTextDecoding::decodeWindows1251() {
    QFETCH(int, byte);
    QFETCH(int, character);
    const char raw = static_cast<char>(byte);
    const QString text = ::decodeWindows1251(QByteArrayView(&raw, 1));
    QCOMPARE(text.size(), 1);
    QCOMPARE(int(text.at(0).unicode()), character);
}

void TestTextDecoding::everyByteSurvivesARoundTrip() {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = ::decodeWindows1251(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(::encodeWindows1251(text), all);
}

void TestTextDecoding::encodeWindows1251_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("ascii with line break") << QStringLiteral("Go\r\n") << QByteArray("Go\r\n");
    QTest::newRow("russian") << QStringLiteral("Чтение")
                             << bytes({0xD7, 0xF2, 0xE5, 0xED, 0xE8, 0xE5});
    QTest::newRow("ё and Ё") << QStringLiteral("ёЁ") << bytes({0xB8, 0xA8});
    QTest::newRow("punctuation") << QStringLiteral("«№»—…")
                                 << bytes({0xAB, 0xB9, 0xBB, 0x97, 0x85});
    QTest::newRow("ukrainian letters") << QStringLiteral("їЄґ") << bytes({0xBF, 0xAA, 0xB4});
    QTest::newRow("greek is not in the page") << QStringLiteral("aβc") << QByteArray("a?c");
    QTest::newRow("latin accent is not in the page") << QStringLiteral("é") << QByteArray("?");
    QTest::newRow("cjk") << QStringLiteral("哲学") << QByteArray("??");
    QTest::newRow("one mark for a surrogate pair") << QStringLiteral("x😀y") << QByteArray("x?y");
    QTest::newRow("lone surrogate")
        << QString(QChar(0xD83D)) + QStringLiteral("z") << QByteArray("?z");
}

void TestTextDecoding::encodeWindows1251() {
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    QCOMPARE(::encodeWindows1251(text), expected);
}

// The same Russian text, saved the ways a plain-text editor saves it, reads the same.
void TestTextDecoding::russianFileInEveryEncoding_data() {
    QTest::addColumn<QByteArray>("input");

    const QByteArray utf8 = readFile(dataPath(QStringLiteral("rtf/writer_cp1251.txt")));
    const QString text = QString::fromUtf8(utf8);
    QTest::newRow("utf-8") << utf8;
    QTest::newRow("utf-8 with mark") << bytes({0xEF, 0xBB, 0xBF}) + utf8;
    QTest::newRow("utf-16 le") << bytes({0xFF, 0xFE}) + utf16(text, QStringEncoder::Utf16LE);
    QTest::newRow("utf-16 be") << bytes({0xFE, 0xFF}) + utf16(text, QStringEncoder::Utf16BE);
    QTest::newRow("windows-1251") << ::encodeWindows1251(text);
}

void TestTextDecoding::russianFileInEveryEncoding() {
    QFETCH(QByteArray, input);
    const QString expected =
        QString::fromUtf8(readFile(dataPath(QStringLiteral("rtf/writer_cp1251.txt"))));
    QVERIFY(expected.contains(QStringLiteral("Смотритель")));
    QCOMPARE(::decodeText(input), expected);
}

QTEST_GUILESS_MAIN(TestTextDecoding)
#include "tst_textdecoding.moc"
