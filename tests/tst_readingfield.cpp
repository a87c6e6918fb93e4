#include "text/ReadingField.h"

#include <QTest>

using namespace ReadingField;

class TestReadingField : public QObject {
    Q_OBJECT
private slots:
    void fieldLength_data();
    void fieldLength();
    void wholeLineFields();
    void backToWordStart_data();
    void backToWordStart();
    void skipBlanks_data();
    void skipBlanks();
};

void TestReadingField::fieldLength_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("columnChars");
    QTest::addColumn<QString>("field");

    QTest::newRow("blank within reach") << "The quick brown" << 0 << 10 << 16 << "The quick";
    QTest::newRow("rest of the line") << "The quick brown" << 10 << 10 << 16 << "brown";
    QTest::newRow("soft wrap keeps its blank") << "The quick brown " << 10 << 10 << 16 << "brown ";
    QTest::newRow("long word taken whole")
        << "Abcdefghijklmn and more words" << 0 << 10 << 40 << "Abcdefghijklmn";
    QTest::newRow("long word to the end of the line")
        << "Abcdefghijklmnop" << 0 << 10 << 40 << "Abcdefghijklmnop";
    QTest::newRow("exactly N left: the last word is the next field")
        << "xx aaaa bbbbb" << 3 << 10 << 40 << "aaaa";
    QTest::newRow("blank exactly at the reach: N characters")
        << "aaaa bbbbb ccc" << 0 << 10 << 40 << "aaaa bbbbb";
    QTest::newRow("fewer than N left") << "one two" << 4 << 10 << 40 << "two";
    QTest::newRow("mid line") << "alpha beta gamma delta epsilon" << 6 << 10 << 40 << "beta gamma";
    QTest::newRow("Cyrillic") << "Мама мыла раму утром" << 0 << 10 << 40 << "Мама мыла";
}

void TestReadingField::fieldLength() {
    QFETCH(QString, line);
    QFETCH(int, x);
    QFETCH(int, n);
    QFETCH(int, columnChars);
    QFETCH(QString, field);
    QCOMPARE(line.mid(x, ReadingField::fieldLength(line, x, n, columnChars)), field);
}

void TestReadingField::wholeLineFields() {
    // A column exactly as wide as the field shows each display line as one field.
    QCOMPARE(ReadingField::fieldLength(u"aaaa bbbb ", 0, 10, 10), 10);
    QCOMPARE(ReadingField::fieldLength(u"abc", 0, 10, 10), 3);
    // Not at the start of the line: the usual rules.
    QCOMPARE(ReadingField::fieldLength(u"aaaa bbbb c", 5, 10, 10), 6);
}

void TestReadingField::backToWordStart_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("start");
    QTest::newRow("inside a word") << "alpha beta" << 8 << 5;
    QTest::newRow("first word") << "alpha beta" << 3 << 0;
    QTest::newRow("on a blank stays") << "alpha beta" << 5 << 5;
    QTest::newRow("at the line start stays") << "alpha" << 0 << 0;
    QTest::newRow("past the end stays") << "alpha" << 5 << 5;
}

void TestReadingField::backToWordStart() {
    QFETCH(QString, line);
    QFETCH(int, x);
    QFETCH(int, start);
    QCOMPARE(ReadingField::backToWordStart(line, x), start);
}

void TestReadingField::skipBlanks_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::newRow("leading blanks") << "   word" << 0 << 3;
    QTest::newRow("line breaks") << "a\r\n\r\n b" << 1 << 6;
    QTest::newRow("stops at the end") << "word   " << 4 << 7;
    QTest::newRow("on a word stays") << "word" << 0 << 0;
    QTest::newRow("tab is not skipped") << " \tx" << 0 << 1;
}

void TestReadingField::skipBlanks() {
    QFETCH(QString, text);
    QFETCH(int, from);
    QFETCH(int, to);
    QCOMPARE(ReadingField::skipBlanks(text, from), to);
}

QTEST_GUILESS_MAIN(TestReadingField)
#include "tst_readingfield.moc"
