#include "fieldofview/TestLine.h"
#include "platform/RandomSource.h"
#include "training/SpeedRegulator.h"

#include <QSet>
#include <QTest>

using namespace TestLine;

class TestTestLine : public QObject {
    Q_OBJECT
private slots:
    void lineWidth_data();
    void lineWidth();
    void dragAndSnap_data();
    void dragAndSnap();
    void centring_data();
    void centring();
    void blanks_data();
    void blanks();
    void captions();
    void pairsStayWithinTenToNinetyEight();
    void runLasts8000To9999Ms();
    void stepInterval_data();
    void stepInterval();
    void answerFromText_data();
    void answerFromText();
};

namespace {
// 8 px characters, 2 px edge (EdgeWidth4 8), 4 px frame, 16 px scroll bar.
ColumnLayout::Metrics metrics(int charWidth = 8) {
    return {charWidth, 2, 4, 16};
}
} // namespace

void TestTestLine::lineWidth_data() {
    QTest::addColumn<int>("client");
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("charWidth");
    QTest::addColumn<int>("width");
    QTest::newRow("14 characters") << 800 << 14 << 8 << 14 * 8 + 8;
    QTest::newRow("ten at least") << 800 << 4 << 8 << 10 * 8 + 8;
    QTest::newRow("exactly ten") << 800 << 10 << 8 << 88;
    QTest::newRow("no wider than the window") << 800 << 200 << 8 << 800 - 2 * (16 + 2);
    QTest::newRow("narrow window: still ten") << 100 << 30 << 8 << 88;
    QTest::newRow("wide glyphs") << 1200 << 20 << 13 << 20 * 13 + 8;
}

void TestTestLine::lineWidth() {
    QFETCH(int, client);
    QFETCH(int, field);
    QFETCH(int, charWidth);
    QFETCH(int, width);
    const auto m = metrics(charWidth);
    const auto limits = lineLimits(client, m);
    QCOMPARE(limits.minimum, charWidth * MinimumChars + 8);
    QCOMPARE(TestLine::lineWidth(field, limits, m), width);
    QVERIFY(ColumnLayout::columnChars(width, m) >= MinimumChars);
}

void TestTestLine::dragAndSnap_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("x");
    QTest::addColumn<bool>("leftGrip");
    QTest::addColumn<int>("dragged");
    QTest::addColumn<int>("chars");
    QTest::addColumn<int>("snapped");
    QTest::newRow("right grip out 10 px") << 120 << 10 << false << 130 << 15 << 128;
    QTest::newRow("right grip in 9 px") << 120 << -9 << false << 111 << 12 << 104;
    QTest::newRow("left grip out 17 px") << 120 << -17 << true << 137 << 16 << 136;
    QTest::newRow("left grip in 3 px") << 120 << 3 << true << 117 << 13 << 112;
    QTest::newRow("never below ten") << 120 << 100 << true << 88 << 10 << 88;
    QTest::newRow("never past the window") << 700 << 200 << false << 764 << 94 << 760;
}

void TestTestLine::dragAndSnap() {
    QFETCH(int, width);
    QFETCH(int, x);
    QFETCH(bool, leftGrip);
    QFETCH(int, dragged);
    QFETCH(int, chars);
    QFETCH(int, snapped);
    const auto m = metrics();
    const int w = draggedWidth(width, x, leftGrip, lineLimits(800, m));
    QCOMPARE(w, dragged);
    QCOMPARE(ColumnLayout::columnChars(w, m), chars);
    QCOMPARE(ColumnLayout::snappedWidth(w, m), snapped);
}

void TestTestLine::centring_data() {
    QTest::addColumn<int>("clientWidth");
    QTest::addColumn<int>("clientHeight");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("charHeight");
    QTest::addColumn<QPoint>("line");
    QTest::addColumn<QPoint>("marker");
    QTest::newRow("even") << 800 << 400 << 120 << 16 << QPoint(340, 190) << QPoint(56, 6);
    QTest::newRow("odd sizes") << 801 << 401 << 131 << 19 << QPoint(335, 189) << QPoint(62, 8);
    QTest::newRow("window lower than the line")
        << 800 << 10 << 88 << 16 << QPoint(356, -5) << QPoint(40, 6);
}

void TestTestLine::centring() {
    QFETCH(int, clientWidth);
    QFETCH(int, clientHeight);
    QFETCH(int, width);
    QFETCH(int, charHeight);
    QFETCH(QPoint, line);
    QFETCH(QPoint, marker);
    const int height = lineHeight(charHeight);
    QCOMPARE(height, charHeight + 4);
    QCOMPARE(QPoint(ColumnLayout::rulerLeft(clientWidth, width), lineTop(clientHeight, height)),
             line);
    QCOMPARE(markerOffset(width, height), marker);
}

void TestTestLine::blanks_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<qreal>("charWidth");
    QTest::addColumn<qreal>("spaceWidth");
    QTest::addColumn<int>("edgeWidth4");
    QTest::addColumn<int>("blanks");
    QTest::newRow("120 px, 8 px digits, 4 px blanks") << 120 << 8.0 << 4.0 << 8 << 19;
    QTest::newRow("ten characters") << 88 << 8.0 << 4.0 << 8 << 11;
    QTest::newRow("remainder dropped") << 123 << 8.0 << 4.0 << 8 << 19;
    QTest::newRow("wide blanks") << 400 << 13.0 << 6.0 << 8 << 55;
    // 16 px Liberation Sans: a blank is 4.45 px; counted as 4 px, 35 blanks would overflow.
    QTest::newRow("fractional advances") << 184 << 8.9 << 4.45 << 4 << 31;
    QTest::newRow("blank wider than the room") << 40 << 8.0 << 12.0 << 8 << 0;
    QTest::newRow("no blank width") << 120 << 8.0 << 0.0 << 8 << 0;
}

void TestTestLine::blanks() {
    QFETCH(int, width);
    QFETCH(qreal, charWidth);
    QFETCH(qreal, spaceWidth);
    QFETCH(int, edgeWidth4);
    QFETCH(int, blanks);
    const int count = blankCount(width, charWidth, spaceWidth, edgeWidth4);
    QCOMPARE(count, blanks);
    // The two numbers and the blanks between them stay inside the line's edges.
    QVERIFY(count == 0 || 4 * charWidth + count * spaceWidth <= width - edgeWidth4);
}

void TestTestLine::captions() {
    QCOMPARE(idleCaption(14), QStringLiteral("14 симв."));
    const Pair pair{31, 75};
    QCOMPARE(pair.answer(), 3175);
    QCOMPARE(pairCaption(pair, 3), QStringLiteral("31   75"));
    QCOMPARE(pairCaption(pair, 0), QStringLiteral("3175"));
}

void TestTestLine::pairsStayWithinTenToNinetyEight() {
    RandomSource random;
    random.setFixedSeed(20261207);
    QSet<int> seen;
    for (int i = 0; i < 20000; ++i) {
        const Pair pair = drawPair(random);
        QVERIFY2(pair.left >= 10 && pair.left <= 98, qPrintable(QString::number(pair.left)));
        QVERIFY2(pair.right >= 10 && pair.right <= 98, qPrintable(QString::number(pair.right)));
        QVERIFY(pair.answer() >= 1010 && pair.answer() <= 9898);
        seen << pair.left << pair.right;
    }
    // Every number of the range turns up, both ends included.
    QCOMPARE(seen.size(), NumberCount);
}

void TestTestLine::runLasts8000To9999Ms() {
    RandomSource random;
    random.setFixedSeed(1);
    int shortest = 1 << 30;
    int longest = 0;
    for (int i = 0; i < 20000; ++i) {
        const int ms = runLengthMs(random);
        shortest = std::min(shortest, ms);
        longest = std::max(longest, ms);
    }
    QVERIFY(shortest >= 8000 && shortest < 8010);
    QVERIFY(longest <= 9999 && longest > 9989);
}

void TestTestLine::stepInterval_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("interval");
    QTest::newRow("10 000 chars/min") << 1000 << 36;
    QTest::newRow("1000 chars/min") << 100 << 360;
    QTest::newRow("2500 chars/min") << 250 << 144;
    QTest::newRow("100 chars/min") << 10 << 3600;
}

void TestTestLine::stepInterval() {
    QFETCH(int, position);
    QFETCH(int, interval);
    QCOMPARE(TestLine::stepInterval(SpeedRegulator::charInterval(position)), interval);
}

void TestTestLine::answerFromText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");
    QTest::newRow("pair") << "3175" << 3175;
    QTest::newRow("blanks around") << " 3175 " << 3175;
    QTest::newRow("typed after the offered 0") << "03175" << 3175;
    QTest::newRow("offered 0") << "0" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("letters") << "abc" << 0;
    QTest::newRow("blank inside") << "31 75" << 0;
    QTest::newRow("trailing letters") << "3175x" << 0;
    QTest::newRow("too large") << "99999999999" << 0;
    QTest::newRow("negative") << "-3175" << -3175;
}

void TestTestLine::answerFromText() {
    QFETCH(QString, text);
    QFETCH(int, number);
    QCOMPARE(TestLine::answerFromText(text), number);
}

QTEST_GUILESS_MAIN(TestTestLine)
#include "tst_testline.moc"
