#include "formats/RtfReader.h"

#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTest>

namespace {

QString dataPath(const QString& name) {
    return qEnvironmentVariable("SKIMORA_TEST_DATA") + QLatin1Char('/') + name;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// The text a fixture was made from: UTF-8, one paragraph a line.
QString expectedText(const QString& name) {
    QString text = QString::fromUtf8(readFile(dataPath(name)));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

// Removes every \uN, so that only the 8-bit fallback after it is left to read.
QByteArray withoutUnicodeWords(QByteArray rtf) {
    static const QRegularExpression word(QStringLiteral(R"(\\u-?[0-9]+ ?)"));
    return QString::fromLatin1(rtf).remove(word).toLatin1();
}

const char* const kFontTable =
    R"({\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\froman\fcharset204 Times New Roman;})"
    R"({\f2\fnil\fcharset161 Greek Font;}{\f3\fnil\fcharset1 Default Font;}})";

QByteArray withFonts(const char* body) {
    return QByteArray(R"({\rtf1\ansi\ansicpg1251\deff0)") + kFontTable + body + '}';
}

// Paragraphs "Абзац n." in Windows-1251 bytes, each in a group of its own with a Cyrillic font;
// a closing brace too many after paragraph strayAfter (none for 0).
QByteArray paragraphs(int count, int strayAfter = 0) {
    QByteArray body;
    for (int n = 1; n <= count; ++n) {
        body += R"({\f1 \'c0\'e1\'e7\'e0\'f6 )" + QByteArray::number(n) + R"(.}\par )";
        if (n == strayAfter)
            body += '}';
    }
    return body;
}

QString paragraphsText(int count) {
    QStringList lines;
    for (int n = 1; n <= count; ++n)
        lines << QStringLiteral("Абзац %1.").arg(n);
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace

class TestRtfReader : public QObject {
    Q_OBJECT

private slots:
    void notRtf_data();
    void notRtf();
    void text_data();
    void text();
    void codePages_data();
    void codePages();
    void unicode_data();
    void unicode();
    void skippedDestinations_data();
    void skippedDestinations();
    void fieldsAndNesting_data();
    void fieldsAndNesting();
    void damagedInput_data();
    void damagedInput();
    void deepNesting();
    void mutatedDocumentsNeverFail();
    void multiByteCodePage();
    void writerFiles_data();
    void writerFiles();
    void writerFallbackBytes_data();
    void writerFallbackBytes();
};

void TestRtfReader::notRtf_data() {
    QTest::addColumn<QByteArray>("input");

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("plain text") << QByteArray("Just a text file.\r\n");
    QTest::newRow("leading blank") << QByteArray(R"( {\rtf1 text})");
    QTest::newRow("utf-8 mark first") << QByteArray("\xEF\xBB\xBF{\\rtf1 text}");
    QTest::newRow("cut before the word") << QByteArray(R"({\rt)");
    QTest::newRow("capital letters") << QByteArray(R"({\RTF1 text})");
    QTest::newRow("other markup") << QByteArray("<html><body>text</body></html>");
}

void TestRtfReader::notRtf() {
    QFETCH(QByteArray, input);
    const RtfResult result = readRtf(input);
    QVERIFY(!result.ok);
    QVERIFY(result.text.isEmpty());
    QVERIFY(!result.error.isEmpty());
}

void TestRtfReader::text_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("expected");

    QTest::newRow("minimal") << QByteArray(R"({\rtf1 Hello})") << QStringLiteral("Hello");
    QTest::newRow("empty document") << QByteArray(R"({\rtf1})") << QString();
    QTest::newRow("word delimiter blank is eaten")
        << QByteArray(R"({\rtf1\b bold\b0  plain})") << QStringLiteral("bold plain");
    QTest::newRow("par is CR LF") << QByteArray(R"({\rtf1 one\par two})")
                                  << QStringLiteral("one\r\ntwo");
    QTest::newRow("last paragraph mark adds nothing")
        << QByteArray(R"({\rtf1 one\par two\par })") << QStringLiteral("one\r\ntwo");
    QTest::newRow("empty last paragraph stays")
        << QByteArray(R"({\rtf1 one\par\par })") << QStringLiteral("one\r\n");
    QTest::newRow("line is CR LF")
        << QByteArray(R"({\rtf1 a\line b\line})") << QStringLiteral("a\r\nb\r\n");
    QTest::newRow("sect and page")
        << QByteArray(R"({\rtf1 a\sect b\page c})") << QStringLiteral("a\r\nb\r\nc");
    QTest::newRow("backslash and line feed is a paragraph")
        << QByteArray("{\\rtf1 a\\\nb}") << QStringLiteral("a\r\nb");
    QTest::newRow("tab") << QByteArray(R"({\rtf1 a\tab b})") << QStringLiteral("a\tb");
    QTest::newRow("raw tab") << QByteArray("{\\rtf1 a\tb}") << QStringLiteral("a\tb");
    QTest::newRow("source line breaks ignored")
        << QByteArray("{\\rtf1 long\r\nword\rs\nhere}") << QStringLiteral("longwordshere");
    QTest::newRow("other control bytes dropped") << QByteArray("{\\rtf1 a\x01\x1f"
                                                               "b}")
                                                 << QStringLiteral("ab");
    QTest::newRow("escaped backslash and braces")
        << QByteArray(R"({\rtf1 \\ \{x\}})") << QStringLiteral("\\ {x}");
    QTest::newRow("dashes and quotes")
        << QByteArray(R"({\rtf1 \emdash\endash\lquote\rquote\ldblquote\rdblquote\bullet})")
        << QStringLiteral("—–‘’“”•");
    QTest::newRow("spaces") << QByteArray(R"({\rtf1 a\emspace b\enspace c\qmspace d})")
                            << QStringLiteral("a\u2003b\u2002c\u2005d");
    QTest::newRow("non-breaking space")
        << QByteArray(R"({\rtf1 10\~km})") << QStringLiteral("10\u00A0km");
    QTest::newRow("optional hyphen dropped")
        << QByteArray(R"({\rtf1 chap\-ter})") << QStringLiteral("chapter");
    QTest::newRow("non-breaking hyphen") << QByteArray(R"({\rtf1 A\_B})") << QStringLiteral("A-B");
    QTest::newRow("unknown words ignored")
        << QByteArray(R"({\rtf1\pard\sa200\sl276\slmult1\qc\fs28 Title\foo123 x})")
        << QStringLiteral("Titlex");
    QTest::newRow("negative parameter") << QByteArray(R"({\rtf1\fi-360 x})") << QStringLiteral("x");
    QTest::newRow("hidden text dropped")
        << QByteArray(R"({\rtf1 a{\v secret}b\v more\v0 c})") << QStringLiteral("abc");
    QTest::newRow("plain ends hidden text")
        << QByteArray(R"({\rtf1 a\v b\plain c})") << QStringLiteral("ac");
    QTest::newRow("table cells and rows")
        << QByteArray(R"({\rtf1\trowd a\cell b\cell\row c\cell d\cell\row end})")
        << QStringLiteral("a\tb\r\nc\td\r\nend");
    QTest::newRow("filler after the document is not read")
        << QByteArray("{\\rtf1 inside}}\r\n\0\x1a", 18) << QStringLiteral("inside");
}

void TestRtfReader::text() {
    QFETCH(QByteArray, input);
    QFETCH(QString, expected);
    const RtfResult result = readRtf(input);
    QVERIFY(result.ok);
    QVERIFY(result.error.isEmpty());
    QVERIFY(!result.damaged);
    QCOMPARE(result.text, expected);
}

void TestRtfReader::codePages_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("expected");

    QTest::newRow("ansicpg1251 hex")
        << QByteArray(R"({\rtf1\ansi\ansicpg1251 \'cf\'f0\'e8\'e2\'e5\'f2})")
        << QStringLiteral("Привет");
    QTest::newRow("ansicpg1251 capital hex")
        << QByteArray(R"({\rtf1\ansi\ansicpg1251 \'CF\'D0})") << QStringLiteral("ПР");
    QTest::newRow("ansicpg1251 raw bytes")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \xCF\xF0\xE8\xE2\xE5\xF2}")
        << QStringLiteral("Привет");
    QTest::newRow("ansi without cpg is 1252")
        << QByteArray(R"({\rtf1\ansi caf\'e9 \'80})") << QStringLiteral("café €");
    QTest::newRow("mac") << QByteArray(R"({\rtf1\mac caf\'8e})") << QStringLiteral("café");
    QTest::newRow("pc") << QByteArray(R"({\rtf1\pc \'82})") << QStringLiteral("é");
    QTest::newRow("default font with charset 0 overrides ansicpg")
        << withFonts(R"(\'e9)") << QStringLiteral("é");
    QTest::newRow("font switch to charset 204")
        << withFonts(R"(\'e9 \f1\'e4\'e0 \f0\'e9)") << QStringLiteral("é да é");
    QTest::newRow("font switch ends with its group")
        << withFonts(R"({\f1\'e4\'e0}\'e9)") << QStringLiteral("даé");
    QTest::newRow("greek font") << withFonts(R"(\f2\'e1\'e2\'e3)") << QStringLiteral("αβγ");
    QTest::newRow("default charset uses ansicpg")
        << withFonts(R"(\f3\'e4\'e0)") << QStringLiteral("да");
    QTest::newRow("unknown font uses ansicpg")
        << withFonts(R"(\f42\'e4\'e0)") << QStringLiteral("да");
    QTest::newRow("plain goes back to the default font")
        << withFonts(R"(\f1\'e4\plain\'e4)") << QStringLiteral("дä");
    QTest::newRow("deff names the default font")
        << QByteArray(R"({\rtf1\ansi\deff1)") + kFontTable + R"(\'e4\'e0})" << QStringLiteral("да");
    QTest::newRow("raw bytes follow the font")
        << withFonts("\\f1\xE4\xE0\\f0\xE4") << QStringLiteral("даä");
    QTest::newRow("cpg in the font table")
        << QByteArray(R"({\rtf1\ansi{\fonttbl{\f0\cpg1251 X;}}\f0\'e4\'e0})")
        << QStringLiteral("да");
    QTest::newRow("font table without inner groups")
        << QByteArray(R"({\rtf1\ansi{\fonttbl\f0\fcharset0 A;\f1\fcharset204 B;}\f1\'e4\'e0})")
        << QStringLiteral("да");
    QTest::newRow("font names are not text")
        << QByteArray(R"({\rtf1{\fonttbl{\f0 Arial{\*\falt Helvetica};}}Body})")
        << QStringLiteral("Body");
    QTest::newRow("escaped characters keep the code page")
        << QByteArray(R"({\rtf1\ansi\ansicpg1251 \'e4\{\'e0\}})") << QStringLiteral("д{а}");
}

void TestRtfReader::codePages() {
    QFETCH(QByteArray, input);
    QFETCH(QString, expected);
    const RtfResult result = readRtf(input);
    QVERIFY(result.ok);
    QCOMPARE(result.text, expected);
}

void TestRtfReader::unicode_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("expected");

    QTest::newRow("uc1 is the default")
        << QByteArray(R"({\rtf1 \u1055?\u1088?})") << QStringLiteral("Пр");
    QTest::newRow("delimiter blank is not a fallback")
        << QByteArray(R"({\rtf1 \u1055 ?x})") << QStringLiteral("Пx");
    QTest::newRow("uc0") << QByteArray(R"({\rtf1\uc0\u1055\u1088 x})") << QStringLiteral("Прx");
    QTest::newRow("uc1 hex fallback")
        << QByteArray(R"({\rtf1\ansicpg1251\uc1\u1055\'cf\u1088\'f0})") << QStringLiteral("Пр");
    QTest::newRow("uc2") << QByteArray(R"({\rtf1\uc2\u1055\'84\'50x})") << QStringLiteral("Пx");
    QTest::newRow("uc2 with letters")
        << QByteArray(R"({\rtf1\uc2\u1055 abc})") << QStringLiteral("Пc");
    QTest::newRow("negative value")
        << QByteArray(R"({\rtf1\u-4064?})") << QString(QChar(char16_t(65536 - 4064)));
    QTest::newRow("surrogate pair")
        << QByteArray(R"({\rtf1\u-10179?\u-8704?})") << QStringLiteral("😀");
    QTest::newRow("uc is kept by the group")
        << QByteArray(R"({\rtf1{\uc2\u1055??}\u1056?})") << QStringLiteral("ПР");
    QTest::newRow("fallback ends at a brace")
        << QByteArray(R"({\rtf1{\uc5\u1055 ab}cd})") << QStringLiteral("Пcd");
    QTest::newRow("fallback ends at an opening brace")
        << QByteArray(R"({\rtf1\uc3\u1055{x}y})") << QStringLiteral("Пxy");
    QTest::newRow("control word counts as one unit")
        << QByteArray(R"({\rtf1\uc1\u1055\emdash x})") << QStringLiteral("Пx");
    QTest::newRow("too large value gives nothing")
        << QByteArray(R"({\rtf1 a\u99999999999?b})") << QStringLiteral("ab");
    QTest::newRow("nul value gives nothing")
        << QByteArray(R"({\rtf1 a\u0?b})") << QStringLiteral("ab");
    QTest::newRow("upr reads the unicode copy")
        << QByteArray(R"({\rtf1{\upr{A\'3f}{\*\ud{A\u1055?}}}})") << QStringLiteral("AП");
}

void TestRtfReader::unicode() {
    QFETCH(QByteArray, input);
    QFETCH(QString, expected);
    const RtfResult result = readRtf(input);
    QVERIFY(result.ok);
    QCOMPARE(result.text, expected);
}

void TestRtfReader::skippedDestinations_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("expected");

    QTest::newRow("colour table") << QByteArray(R"({\rtf1{\colortbl;\red0\green0\blue0;}text})")
                                  << QStringLiteral("text");
    QTest::newRow("style sheet") << QByteArray(
                                        R"({\rtf1{\stylesheet{\s0 Normal;}{\s1 Heading 1;}}text})")
                                 << QStringLiteral("text");
    QTest::newRow("info")
        << QByteArray(R"({\rtf1{\info{\title My title}{\author Me}{\creatim\yr2020}}text})")
        << QStringLiteral("text");
    QTest::newRow("picture with hex data")
        << QByteArray(R"({\rtf1 a{\pict\pngblip\picw10 89504e470d0a1a0a}b})")
        << QStringLiteral("ab");
    QTest::newRow("picture with binary data")
        << QByteArray(R"({\rtf1 a{\pict\bin4 }{\}}b})") << QStringLiteral("ab");
    QTest::newRow("binary data in text")
        << QByteArray(R"({\rtf1 a\bin3 x}yb})") << QStringLiteral("ab");
    QTest::newRow("object")
        << QByteArray(
               R"({\rtf1 a{\object\objemb{\*\objclass Paint}{\*\objdata 0102}{\result b}}c})")
        << QStringLiteral("ac");
    QTest::newRow("header and footer")
        << QByteArray(R"({\rtf1{\header page top}{\footerl left}{\headerf first}body})")
        << QStringLiteral("body");
    QTest::newRow("footnote") << QByteArray(R"({\rtf1 word{\footnote note}.})")
                              << QStringLiteral("word.");
    QTest::newRow("star destination")
        << QByteArray(R"({\rtf1{\*\generator Some Writer;}text})") << QStringLiteral("text");
    QTest::newRow("unknown star destination with nested groups")
        << QByteArray(R"({\rtf1 a{\*\unknownthing {x{y}}\par z}b})") << QStringLiteral("ab");
    QTest::newRow("escaped brace inside a skipped group")
        << QByteArray(R"({\rtf1 a{\info{\title \} and \{}}b})") << QStringLiteral("ab");
    QTest::newRow("unknown destination without star is shown")
        << QByteArray(R"({\rtf1{\mystery shown}})") << QStringLiteral("shown");
    QTest::newRow("list tables and list text")
        << QByteArray(R"({\rtf1{\*\listtable{\list\listid1{\listlevel{\leveltext\'01\'b7;}}}})"
                      R"({\listoverridetable{\listoverride\listid1\ls1}})"
                      R"({\listtext\'b7\tab}item})")
        << QStringLiteral("item");
    QTest::newRow("old style bullet text")
        << QByteArray(R"({\rtf1{\pntext\f0 1.\tab}{\*\pn\pnlvlbody{\pntxta .}}first})")
        << QStringLiteral("first");
    QTest::newRow("shape") << QByteArray(R"({\rtf1 a{\shp{\*\shpinst{\sp{\sn x}{\sv 1}}}}b})")
                           << QStringLiteral("ab");
    QTest::newRow("bookmarks") << QByteArray(R"({\rtf1{\*\bkmkstart m}a{\*\bkmkend m}})")
                               << QStringLiteral("a");
    QTest::newRow("paragraph marks inside skipped groups")
        << QByteArray(R"({\rtf1 a{\footer x\par y\par}b})") << QStringLiteral("ab");
}

void TestRtfReader::skippedDestinations() {
    QFETCH(QByteArray, input);
    QFETCH(QString, expected);
    const RtfResult result = readRtf(input);
    QVERIFY(result.ok);
    QCOMPARE(result.text, expected);
}

void TestRtfReader::fieldsAndNesting_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("expected");

    QTest::newRow("hyperlink field")
        << QByteArray(R"({\rtf1 see {\field{\*\fldinst HYPERLINK "http://x/"}{\fldrslt here}}.})")
        << QStringLiteral("see here.");
    QTest::newRow("instruction without star")
        << QByteArray(R"({\rtf1{\field{\fldinst PAGE}{\fldrslt 7}}})") << QStringLiteral("7");
    QTest::newRow("field with formatted result")
        << QByteArray(R"({\rtf1\ansicpg1251{\field{\*\fldinst X}{\fldrslt{\b \'e4\'e0}}}})")
        << QStringLiteral("да");
    QTest::newRow("nested field")
        << QByteArray(R"({\rtf1{\field{\*\fldinst A {\field{\*\fldinst B}{\fldrslt b}}})"
                      R"(}{\fldrslt outer {\field{\*\fldinst C}{\fldrslt inner}}}}})")
        << QStringLiteral("outer inner");
    QTest::newRow("nested groups")
        << QByteArray(R"({\rtf1 a{b{c{d}e}f}g})") << QStringLiteral("abcdefg");
    QTest::newRow("empty groups") << QByteArray(R"({\rtf1{}{{}}x{}})") << QStringLiteral("x");
    QTest::newRow("formatting groups")
        << QByteArray(R"({\rtf1 plain {\b bold {\i both}} {\ul under}\par})")
        << QStringLiteral("plain bold both under");
}

void TestRtfReader::fieldsAndNesting() {
    QFETCH(QByteArray, input);
    QFETCH(QString, expected);
    const RtfResult result = readRtf(input);
    QVERIFY(result.ok);
    QCOMPARE(result.text, expected);
}

void TestRtfReader::damagedInput_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("damaged"); // cut short, or a closing brace too many

    QTest::newRow("only the header") << QByteArray(R"({\rtf)") << QString() << true;
    QTest::newRow("no closing brace")
        << QByteArray(R"({\rtf1 abc)") << QStringLiteral("abc") << true;
    QTest::newRow("ends with a backslash")
        << QByteArray(R"({\rtf1 abc\)") << QStringLiteral("abc") << true;
    QTest::newRow("ends inside a word")
        << QByteArray(R"({\rtf1 abc\pa)") << QStringLiteral("abc") << true;
    QTest::newRow("ends inside a parameter")
        << QByteArray(R"({\rtf1 abc\u10)") << QStringLiteral("abc") << true;
    QTest::newRow("ends inside a hex byte")
        << QByteArray(R"({\rtf1\ansicpg1251 ab\'e)") << QStringLiteral("ab") << true;
    QTest::newRow("bad hex digits")
        << QByteArray(R"({\rtf1 a\'zzb})") << QStringLiteral("azzb") << false;
    QTest::newRow("ends inside a skipped group")
        << QByteArray(R"({\rtf1 a{\info{\title b)") << QStringLiteral("a") << true;
    QTest::newRow("ends inside the font table")
        << QByteArray(R"({\rtf1 a{\fonttbl{\f0\fcharset204 Ari)") << QStringLiteral("a") << true;
    QTest::newRow("too many closing braces")
        << QByteArray(R"({\rtf1 a}}}}b{c})") << QStringLiteral("abc") << true;
    QTest::newRow("binary length beyond the data")
        << QByteArray(R"({\rtf1 a\bin999999999999 b})") << QStringLiteral("a") << true;
    QTest::newRow("binary length beyond the data in a skipped group")
        << QByteArray(R"({\rtf1 a{\pict\bin2147483647 b}})") << QStringLiteral("a") << true;
    QTest::newRow("negative binary length")
        << QByteArray(R"({\rtf1 a\bin-5 b})") << QStringLiteral("ab") << false;
    // \u without a value gives nothing, and the '-' after it is its fallback.
    QTest::newRow("unicode word without value")
        << QByteArray(R"({\rtf1 a\u-b})") << QStringLiteral("ab") << false;
    QTest::newRow("huge uc") << QByteArray(R"({\rtf1{\uc2147483647\u1055 lost}kept})")
                             << QStringLiteral("Пkept") << false;
    QTest::newRow("negative uc") << QByteArray(R"({\rtf1\uc-3\u1055 x})") << QStringLiteral("Пx")
                                 << false;
    QTest::newRow("huge font number")
        << QByteArray(R"({\rtf1{\fonttbl{\f99999999999\fcharset204 A;}}\f99999999999\'e4})")
        << QStringLiteral("д") << false;
    QTest::newRow("very long control word")
        << QByteArray("{\\rtf1 a\\") + QByteArray(100000, 'x') + QByteArray(" b}")
        << QStringLiteral("ab") << false;
    QTest::newRow("very long parameter")
        << QByteArray("{\\rtf1 a\\fs") + QByteArray(100000, '9') + QByteArray(" b}")
        << QStringLiteral("ab") << false;
    QTest::newRow("star before text")
        << QByteArray(R"({\rtf1{\*text}b})") << QStringLiteral("textb") << false;
    QTest::newRow("text after a brace too many is read on")
        << QByteArray(R"({\rtf1 inside}outside)") << QStringLiteral("insideoutside") << true;
    QTest::newRow("a brace too many after a group")
        << QByteArray(R"({\rtf1{\b one}} two\par three})") << QStringLiteral("one two\r\nthree")
        << true;
    QTest::newRow("a long run of braces too many")
        << QByteArray("{\\rtf1 a") + QByteArray(200000, '}') + QByteArray("b}")
        << QStringLiteral("ab") << true;
    QTest::newRow("fifteen paragraphs, a brace too many after the sixth")
        << withFonts(paragraphs(15, 6).constData()) << paragraphsText(15) << true;
    const QByteArray fifteen = withFonts(paragraphs(15).constData());
    QTest::newRow("fifteen paragraphs, cut in the tenth")
        << fifteen.left(fifteen.indexOf(" 10.")) << paragraphsText(9) + QStringLiteral("\r\nАбзац")
        << true;
    QTest::newRow("nul bytes") << QByteArray("{\\rtf1 a\0b}", 11) << QStringLiteral("ab") << false;
}

void TestRtfReader::damagedInput() {
    QFETCH(QByteArray, input);
    QFETCH(QString, expected);
    QFETCH(bool, damaged);
    const RtfResult result = readRtf(input);
    QVERIFY(result.ok);
    QCOMPARE(result.text, expected);
    QCOMPARE(result.damaged, damaged);
}

void TestRtfReader::deepNesting() {
    const int depth = 200000;
    const QByteArray open(depth, '{');
    const QByteArray close(depth, '}');

    const RtfResult balanced = readRtf("{\\rtf1 a" + open + "b" + close + "c}");
    QVERIFY(balanced.ok);
    QCOMPARE(balanced.text, QStringLiteral("abc"));

    const RtfResult unclosed = readRtf("{\\rtf1 a" + open + "b");
    QVERIFY(unclosed.ok);
    QCOMPARE(unclosed.text, QStringLiteral("ab"));

    // A font switch deep down still ends with its group once the nesting unwinds.
    const RtfResult fonts =
        readRtf(withFonts(QByteArray(open + R"(\f1\'e4)" + close + R"(\'e4)").constData()));
    QVERIFY(fonts.ok);
    QCOMPARE(fonts.text, QStringLiteral("дä"));

    const RtfResult skipped = readRtf("{\\rtf1 a{\\info" + open + "x" + close + "}b}");
    QVERIFY(skipped.ok);
    QCOMPARE(skipped.text, QStringLiteral("ab"));
}

// Damaged copies of a real document: every one must read, and the text cannot grow beyond
// two characters for each byte of the source.
void TestRtfReader::mutatedDocumentsNeverFail() {
    const QByteArray original = readFile(dataPath(QStringLiteral("rtf/writer_unicode.rtf")));
    QVERIFY(!original.isEmpty());
    const QByteArray specials("{}\\'*0123456789-uc ");
    QRandomGenerator random(20240611);
    for (int round = 0; round < 3000; ++round) {
        QByteArray copy = original;
        const int changes = 1 + random.bounded(20);
        for (int i = 0; i < changes; ++i) {
            const int at = 5 + random.bounded(int(copy.size()) - 5);
            switch (random.bounded(4)) {
            case 0:
                copy[at] = char(random.bounded(256));
                break;
            case 1:
                copy[at] = specials[random.bounded(int(specials.size()))];
                break;
            case 2:
                copy.remove(at, random.bounded(50));
                break;
            default:
                copy.insert(at, copy.mid(random.bounded(int(copy.size())), random.bounded(200)));
                break;
            }
            if (copy.size() < 10)
                break;
        }
        copy.truncate(5 + random.bounded(int(copy.size()) - 4));
        const RtfResult result = readRtf(copy);
        QVERIFY(result.ok);
        QVERIFY2(result.text.size() <= 2 * copy.size(), qPrintable(QString::number(round)));
    }
}

void TestRtfReader::multiByteCodePage() {
    if (!QStringDecoder("windows-31j").isValid())
        QSKIP("This Qt has no Shift-JIS converter; such bytes read as '?' here.");
    const RtfResult result =
        readRtf(R"({\rtf1\ansi{\fonttbl{\f0\fcharset128 Mincho;}}\f0\'82\'a0\'83\'65 x\'82\'a0})");
    QVERIFY(result.ok);
    QCOMPARE(result.text, QStringLiteral("あテ xあ"));
}

// Files saved by a real word processor from texts we wrote.
void TestRtfReader::writerFiles_data() {
    QTest::addColumn<QString>("rtfFile");
    QTest::addColumn<QString>("textFile");

    // Cyrillic only, Cyrillic fonts (\fcharset204): \uN with 1251 bytes as fallback.
    QTest::newRow("cyrillic") << "rtf/writer_cp1251.rtf"
                              << "rtf/writer_cp1251.txt";
    // Cyrillic with Greek and CJK, which 1251 cannot hold: their fallback is '?'.
    QTest::newRow("mixed scripts") << "rtf/writer_unicode.rtf"
                                   << "rtf/writer_unicode.txt";
    // Imported from a plain-text file into an East Asian font: \uc2 with two-byte fallbacks.
    QTest::newRow("uc2 fallbacks") << "rtf/writer_uc2.rtf"
                                   << "rtf/writer_cp1251.txt";
}

void TestRtfReader::writerFiles() {
    QFETCH(QString, rtfFile);
    QFETCH(QString, textFile);
    const QByteArray rtf = readFile(dataPath(rtfFile));
    QVERIFY(!rtf.isEmpty());
    const RtfResult result = readRtf(rtf);
    QVERIFY(result.ok);
    QVERIFY(!result.damaged);
    QCOMPARE(result.text, expectedText(textFile));
}

// The same files with every \uN taken out: the 8-bit fallbacks alone, read in the code page
// of their font, give the text too.
void TestRtfReader::writerFallbackBytes_data() {
    QTest::addColumn<QString>("rtfFile");
    QTest::addColumn<QString>("expected");

    QTest::newRow("windows-1251 bytes")
        << "rtf/writer_cp1251.rtf" << expectedText("rtf/writer_cp1251.txt");
    QString mixed = expectedText("rtf/writer_unicode.txt");
    mixed.replace(QRegularExpression(QStringLiteral("[\\x{0370}-\\x{03FF}\\x{4E00}-\\x{9FFF}]")),
                  QStringLiteral("?"));
    QTest::newRow("windows-1251 bytes and question marks") << "rtf/writer_unicode.rtf" << mixed;
    if (QStringDecoder("windows-31j").isValid()) {
        // Code page 932 has a horizontal bar (81 5C) where the text had an em dash.
        QString japanese = expectedText("rtf/writer_cp1251.txt");
        japanese.replace(QChar(u'\u2014'), QChar(u'\u2015'));
        QTest::newRow("shift-jis bytes") << "rtf/writer_uc2.rtf" << japanese;
    }
}

void TestRtfReader::writerFallbackBytes() {
    QFETCH(QString, rtfFile);
    QFETCH(QString, expected);
    const QByteArray rtf = withoutUnicodeWords(readFile(dataPath(rtfFile)));
    QVERIFY(!rtf.contains("\\u1"));
    const RtfResult result = readRtf(rtf);
    QVERIFY(result.ok);
    QCOMPARE(result.text, expected);
}

QTEST_GUILESS_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
