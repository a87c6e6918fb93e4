#include "readingview/CharAdvances.h"
#include "readingview/LineTable.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

// Every character is 10 px wide, except 'W' (25 px) and 'i' (5 px).
constexpr int Px = CharAdvances::Unit;

qint32 testAdvance(char32_t c) {
    if (c == U'W')
        return 25 * Px;
    if (c == U'i')
        return 5 * Px;
    return 10 * Px;
}

QStringList linesOf(const LineTable& table, const QString& text) {
    QStringList lines;
    for (int i = 0; i < table.lineCount(); ++i)
        lines << text.mid(table.lineStart(i), table.lineLength(i));
    return lines;
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

qint64 widthOf(QStringView s) {
    qint64 w = 0;
    for (QChar c : s)
        w += testAdvance(c.unicode());
    return w;
}

} // namespace

class TestLineTable : public QObject {
    Q_OBJECT

private slots:
    void wrapping_data();
    void wrapping();
    void lookups_data();
    void lookups();
    void emptyTable();
    void lineWidthLeavesOutTrailingBlanks();
    void rebuildReplacesLines();
    void surrogatePairStaysTogether();
    void randomTextKeepsTheRules_data();
    void randomTextKeepsTheRules();
    void advancesAreMeasuredOnce();
    void negativeAdvanceCountsAsZero();
};

void TestLineTable::wrapping_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("fits") << "abc def" << 100 << QStringList{"abc def"};
    QTest::newRow("exact fit") << "abcde" << 50 << QStringList{"abcde"};
    QTest::newRow("blank kept at soft wrap")
        << "aaa bbb ccc" << 70 << QStringList{"aaa bbb ", "ccc"};
    QTest::newRow("several blanks kept") << "aaa   bbb" << 50 << QStringList{"aaa   ", "bbb"};
    QTest::newRow("blank past the edge overhangs")
        << "abcd efgh" << 40 << QStringList{"abcd ", "efgh"};
    QTest::newRow("trailing blanks of the text stay")
        << "ab      " << 30 << QStringList{"ab      "};
    QTest::newRow("long word cut at the edge")
        << "abcdefghij" << 40 << QStringList{"abcd", "efgh", "ij"};
    QTest::newRow("long word moves to a new line first")
        << "ab cdefghij" << 50 << QStringList{"ab ", "cdefg", "hij"};
    QTest::newRow("long word then short") << "abcdefg hi" << 50 << QStringList{"abcde", "fg hi"};
    QTest::newRow("wide characters") << "aWWa" << 50 << QStringList{"aW", "Wa"};
    QTest::newRow("narrow characters") << "iiiiiiiiiiii" << 50 << QStringList{"iiiiiiiiii", "ii"};
    QTest::newRow("character wider than the column") << "WW" << 10 << QStringList{"W", "W"};
    QTest::newRow("zero column") << "ab c" << 0 << QStringList{"a", "b ", "c"};
    QTest::newRow("leading blanks") << "   abc" << 30 << QStringList{"   ", "abc"};
    QTest::newRow("tab is a blank") << "abc\tdef" << 50 << QStringList{"abc\t", "def"};
    QTest::newRow("CR LF") << "ab\r\ncd" << 100 << QStringList{"ab", "cd"};
    QTest::newRow("empty lines") << "a\r\n\r\nb" << 100 << QStringList{"a", "", "b"};
    QTest::newRow("break at end") << "a\r\n" << 100 << QStringList{"a", ""};
    QTest::newRow("only a break") << "\r\n" << 100 << QStringList{"", ""};
    QTest::newRow("lone CR and LF") << "a\rb\nc" << 100 << QStringList{"a", "b", "c"};
    QTest::newRow("LF CR is two breaks") << "a\n\rb" << 100 << QStringList{"a", "", "b"};
    QTest::newRow("soft wrap then hard break")
        << "aaa bbb\r\nccc" << 50 << QStringList{"aaa ", "bbb", "ccc"};
    QTest::newRow("blanks before a break stay on the line")
        << "ab      \r\ncd" << 30 << QStringList{"ab      ", "cd"};
    QTest::newRow("empty text") << "" << 100 << QStringList{""};
    QTest::newRow("russian") << QString::fromUtf8("Мама мыла раму") << 100
                             << QStringList{QString::fromUtf8("Мама мыла "),
                                            QString::fromUtf8("раму")};
}

void TestLineTable::wrapping() {
    QFETCH(QString, text);
    QFETCH(int, column);
    QFETCH(QStringList, lines);

    CharAdvances advances(testAdvance);
    LineTable table;
    table.build(text, advances, column);
    QCOMPARE(linesOf(table, text), lines);
    QCOMPARE(table.textLength(), text.size());
}

void TestLineTable::lookups_data() {
    // "ab cd\r\nef\rg\n" in a column of three characters:
    // line 0 "ab " [0,3), line 1 "cd" [3,5) + CR LF, line 2 "ef" [7,9) + CR,
    // line 3 "g" [10,11) + LF, line 4 "" [12,12).
    QTest::addColumn<int>("pos");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");

    QTest::newRow("start") << 0 << 0 << 0;
    QTest::newRow("blank at soft wrap") << 2 << 0 << 2;
    QTest::newRow("first after soft wrap") << 3 << 1 << 0;
    QTest::newRow("CR of CR LF") << 5 << 1 << 2;
    QTest::newRow("LF of CR LF") << 6 << 1 << 3;
    QTest::newRow("after CR LF") << 7 << 2 << 0;
    QTest::newRow("lone CR") << 9 << 2 << 2;
    QTest::newRow("after lone CR") << 10 << 3 << 0;
    QTest::newRow("lone LF") << 11 << 3 << 1;
    QTest::newRow("text length") << 12 << 4 << 0;
    QTest::newRow("before start") << -5 << 0 << 0;
    QTest::newRow("past end") << 99 << 4 << 0;
}

void TestLineTable::lookups() {
    QFETCH(int, pos);
    QFETCH(int, line);
    QFETCH(int, column);

    const QString text = "ab cd\r\nef\rg\n";
    CharAdvances advances(testAdvance);
    LineTable table;
    table.build(text, advances, 30);

    QCOMPARE(table.lineCount(), 5);
    const QList<int> starts{0, 3, 7, 10, 12};
    const QList<int> lengths{3, 2, 2, 1, 0};
    const QList<int> breaks{0, 2, 1, 1, 0};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(table.lineStart(i), starts[i]);
        QCOMPARE(table.lineLength(i), lengths[i]);
        QCOMPARE(table.lineEnd(i), starts[i] + lengths[i]);
        QCOMPARE(table.breakLength(i), breaks[i]);
    }
    QCOMPARE(table.lineFromPosition(pos), line);
    QCOMPARE(table.columnFromPosition(pos), column);
}

void TestLineTable::emptyTable() {
    const LineTable table;
    QCOMPARE(table.lineCount(), 1);
    QCOMPARE(table.lineStart(0), 0);
    QCOMPARE(table.lineLength(0), 0);
    QCOMPARE(table.lineFromPosition(0), 0);
    QCOMPARE(table.lineStart(1), -1);
    QCOMPARE(table.lineLength(-1), 0);
    QCOMPARE(table.lineEnd(7), -1);
}

void TestLineTable::lineWidthLeavesOutTrailingBlanks() {
    CharAdvances advances(testAdvance);
    LineTable table;
    const QString text = "ab  cd\r\n  \r\nWi";
    table.build(text, advances, 50);
    QCOMPARE(linesOf(table, text), (QStringList{"ab  ", "cd", "  ", "Wi"}));
    QCOMPARE(table.lineWidth(0), 20 * Px);
    QCOMPARE(table.lineWidth(1), 20 * Px);
    QCOMPARE(table.lineWidth(2), 0);
    QCOMPARE(table.lineWidth(3), 30 * Px);
}

void TestLineTable::rebuildReplacesLines() {
    CharAdvances advances(testAdvance);
    LineTable table;
    const QString text = "aaa bbb ccc ddd";
    table.build(text, advances, 40);
    QCOMPARE(table.lineCount(), 4);
    table.build(text, advances, 80);
    QCOMPARE(linesOf(table, text), (QStringList{"aaa bbb ", "ccc ddd"}));
    table.build(QStringView(), advances, 80);
    QCOMPARE(table.lineCount(), 1);
    QCOMPARE(table.textLength(), 0);
    table.build(text, advances, 40);
    table.clear();
    QCOMPARE(table.lineCount(), 1);
    QCOMPARE(table.lineFromPosition(10), 0);
}

void TestLineTable::surrogatePairStaysTogether() {
    int nonBmpMeasured = 0;
    CharAdvances advances([&](char32_t c) -> qint32 {
        if (c > 0xffff) {
            ++nonBmpMeasured;
            return 20 * Px;
        }
        return 10 * Px;
    });
    // U+1F600 is a pair; in a 25 px column "a" + pair does not fit, and the pair is not split.
    const QString text = QString("a") + QString::fromUcs4(U"\U0001F600") + "b";
    LineTable table;
    table.build(text, advances, 25);
    QCOMPARE(linesOf(table, text), (QStringList{"a", QString::fromUcs4(U"\U0001F600"), "b"}));
    QVERIFY(nonBmpMeasured > 0);
}

void TestLineTable::randomTextKeepsTheRules_data() {
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("column");
    QTest::newRow("narrow") << 1u << 45;
    QTest::newRow("medium") << 2u << 200;
    QTest::newRow("wide") << 3u << 800;
    QTest::newRow("narrower than most words") << 4u << 30;
}

// Checks the wrapping rules on a random text with words of every length, runs of blanks and
// all kinds of line breaks, without repeating how the table is built.
void TestLineTable::randomTextKeepsTheRules() {
    QFETCH(quint32, seed);
    QFETCH(int, column);

    QRandomGenerator rng(seed);
    const QString letters = "abcdefWi";
    QString text;
    while (text.size() < 20000) {
        const int len = 1 + int(rng.bounded(12));
        for (int i = 0; i < len; ++i)
            text += letters[int(rng.bounded(letters.size()))];
        const quint32 sep = rng.bounded(40);
        if (sep == 0)
            text += "\r\n";
        else if (sep == 1)
            text += "\r";
        else if (sep == 2)
            text += "\n";
        else if (sep == 3)
            text += "\r\n\r\n";
        else
            text += QString(1 + int(rng.bounded(3)), u' ');
    }

    CharAdvances advances(testAdvance);
    LineTable table;
    table.build(text, advances, column);
    const qint64 limit = qint64(column) * Px;

    QCOMPARE(table.lineStart(0), 0);
    for (int i = 0; i < table.lineCount(); ++i) {
        const int start = table.lineStart(i);
        const int end = table.lineEnd(i);
        const QStringView line = QStringView(text).mid(start, end - start);
        QVERIFY(!line.contains(u'\r') && !line.contains(u'\n'));

        // The break after the line is the break in the text.
        const int brk = table.breakLength(i);
        if (i + 1 == table.lineCount()) {
            QCOMPARE(end, text.size());
            continue;
        }
        QCOMPARE(table.lineStart(i + 1), end + brk);
        if (brk == 2)
            QVERIFY(text[end] == u'\r' && text[end + 1] == u'\n');
        else if (brk == 1)
            QVERIFY(text[end] == u'\r' || text[end] == u'\n');
        else
            QVERIFY(text[end] != u'\r' && text[end] != u'\n');

        // Without trailing blanks a line fits, unless it is a single character.
        int visibleEnd = int(line.size());
        while (visibleEnd > 0 && isBlank(line[visibleEnd - 1]))
            --visibleEnd;
        QCOMPARE(qint64(table.lineWidth(i)), widthOf(line.first(visibleEnd)));
        if (visibleEnd > 1)
            QVERIFY2(widthOf(line.first(visibleEnd)) <= limit, qPrintable(line.toString()));

        if (brk != 0)
            continue;
        // A soft wrap either follows blanks, and the next word would not have fitted
        // whole, or cuts a word that fills the line and has no blank before it.
        QVERIFY(!line.isEmpty());
        if (isBlank(line.back())) {
            QVERIFY(!isBlank(text[end]));
            int wordEnd = end;
            while (wordEnd < text.size() && !isBlank(text[wordEnd]) && text[wordEnd] != u'\r' &&
                   text[wordEnd] != u'\n')
                ++wordEnd;
            QVERIFY(widthOf(line) + widthOf(QStringView(text).mid(end, wordEnd - end)) > limit);
        } else {
            for (int k = 1; k < line.size(); ++k)
                QVERIFY(!(isBlank(line[k - 1]) && !isBlank(line[k])));
            QVERIFY(widthOf(line) + testAdvance(text[end].unicode()) > limit);
        }
    }

    // Every position maps to the line that holds it or the break that ends it.
    for (int pos = 0; pos <= text.size(); pos += 7) {
        const int line = table.lineFromPosition(pos);
        QVERIFY(table.lineStart(line) <= pos);
        QVERIFY(pos <= table.lineEnd(line) + table.breakLength(line));
        if (pos == table.lineEnd(line) + table.breakLength(line))
            QCOMPARE(line, table.lineCount() - 1);
        QCOMPARE(table.columnFromPosition(pos), pos - table.lineStart(line));
    }
}

void TestLineTable::advancesAreMeasuredOnce() {
    QHash<char32_t, int> calls;
    CharAdvances advances([&](char32_t c) -> qint32 {
        ++calls[c];
        return testAdvance(c);
    });
    const QString text = "abba abba abba";
    LineTable table;
    table.build(text, advances, 40);
    table.build(text, advances, 60);
    QCOMPARE(calls.value(U'a'), 1);
    QCOMPARE(calls.value(U'b'), 1);
    QCOMPARE(calls.value(U' '), 1);
    QCOMPARE(advances.measuredCount(), 3);
    QCOMPARE(advances.advance(u'W'), 25 * Px);
    QCOMPARE(advances.advance(u'W'), 25 * Px);
    QCOMPARE(calls.value(U'W'), 1);
}

void TestLineTable::negativeAdvanceCountsAsZero() {
    CharAdvances advances([](char32_t c) -> qint32 { return c == U'x' ? -50 : 10 * Px; });
    QCOMPARE(advances.advance(u'x'), 0);
    QCOMPARE(advances.advanceOfCodePoint(U'x'), 0);
    LineTable table;
    const QString text = "axxxxa";
    table.build(text, advances, 20);
    QCOMPARE(linesOf(table, text), QStringList{"axxxxa"});
}

QTEST_GUILESS_MAIN(TestLineTable)
#include "tst_linetable.moc"
