// The table exercise without windows: dealing the numbers, the pace of a run, the grid's
// geometry, the size picker's squares and the scoring of the table test.
#include "platform/RandomSource.h"
#include "table/NumberTable.h"
#include "table/SizePickerGrid.h"
#include "table/TableGeometry.h"
#include "table/TableScore.h"

#include <QtTest>

#include <algorithm>

using Three = TableScore::Three;
Q_DECLARE_METATYPE(Three)

class TestTableLogic : public QObject {
    Q_OBJECT

private slots:
    void dealsEveryNumberOnce_data();
    void dealsEveryNumberOnce();
    void sameSeedSameTable();
    void dealingTakesFromTheOrderedPool();
    void timeline_data();
    void timeline();

    void gridGeometry_data();
    void gridGeometry();

    void pickerHitTest_data();
    void pickerHitTest();

    void answerValue_data();
    void answerValue();
    void namedCount_data();
    void namedCount();
};

namespace {

NumberTable dealt(int cellCount, bool testMode, unsigned seed) {
    RandomSource random;
    random.setFixedSeed(seed);
    NumberTable table;
    table.begin(cellCount);
    table.GenerateNumbers(testMode, random);
    return table;
}

} // namespace

void TestTableLogic::dealsEveryNumberOnce_data() {
    QTest::addColumn<int>("cellCount");
    QTest::addColumn<bool>("testMode");
    QTest::addColumn<unsigned>("seed");
    QTest::addRow("1 x 1") << 1 << false << 7u;
    QTest::addRow("4 x 3") << 12 << false << 1u;
    QTest::addRow("10 x 10") << 100 << false << 20261207u;
    QTest::addRow("3 x 1, test") << 3 << true << 5u;
    QTest::addRow("4 x 2, test") << 8 << true << 99u;
    QTest::addRow("7 x 1, test") << 7 << true << 3u;
    QTest::addRow("10 x 10, test") << 100 << true << 42u;
}

// Every number is dealt once; the cell index of a number leads back to it; a test leaves out
// one number from each of the first three thirds of the cells.
void TestTableLogic::dealsEveryNumberOnce() {
    QFETCH(int, cellCount);
    QFETCH(bool, testMode);
    QFETCH(unsigned, seed);
    const NumberTable table = dealt(cellCount, testMode, seed);

    QCOMPARE(table.CellCount, cellCount);
    QCOMPARE(table.Step, 0);
    QList<int> shown;
    for (int cell = 0; cell < cellCount; ++cell) {
        if (table.Numbers[cell] != 0)
            shown << table.Numbers[cell];
    }
    if (testMode)
        shown << table.MissingNumbers[0] << table.MissingNumbers[1] << table.MissingNumbers[2];
    std::sort(shown.begin(), shown.end());
    QCOMPARE(shown.size(), cellCount);
    for (int k = 1; k <= cellCount; ++k)
        QCOMPARE(shown[k - 1], k);

    for (int k = 1; k <= cellCount; ++k) {
        const int cell = table.NumberCell[k - 1];
        const int there = table.Numbers[cell];
        QVERIFY(there == k || (testMode && there == 0));
    }
    if (!testMode)
        return;
    const int third = cellCount / 3;
    for (int s = 0; s < 3; ++s) {
        const int cell = table.NumberCell[table.MissingNumbers[s] - 1];
        QVERIFY2(cell >= s * third && cell < (s + 1) * third, qPrintable(QString::number(cell)));
        QCOMPARE(table.Numbers[cell], 0);
    }
}

void TestTableLogic::sameSeedSameTable() {
    const NumberTable first = dealt(100, true, 1234u);
    const NumberTable again = dealt(100, true, 1234u);
    const NumberTable other = dealt(100, true, 1235u);
    QCOMPARE(first.Numbers, again.Numbers);
    QCOMPARE(first.MissingNumbers, again.MissingNumbers);
    QVERIFY(first.Numbers != other.Numbers);
}

// Cell j takes the entry (random mod numbers left) of the pool, which keeps its order; the
// missing number of third s sits at s x t + (random mod t).
void TestTableLogic::dealingTakesFromTheOrderedPool() {
    const int cellCount = 8;
    RandomSource draws;
    draws.setFixedSeed(77u);
    QList<int> pool = {1, 2, 3, 4, 5, 6, 7, 8};
    QList<int> expected;
    for (int left = cellCount; left > 0; --left)
        expected << pool.takeAt(draws.below(left));
    QList<int> expectedCells;
    for (int s = 0; s < 3; ++s)
        expectedCells << s * 2 + draws.below(2);

    const NumberTable table = dealt(cellCount, true, 77u);
    for (int cell = 0; cell < cellCount; ++cell) {
        if (expectedCells.contains(cell)) {
            QCOMPARE(table.Numbers[cell], 0);
            QCOMPARE(table.MissingNumbers[expectedCells.indexOf(cell)], expected[cell]);
        } else {
            QCOMPARE(table.Numbers[cell], expected[cell]);
        }
    }
}

void TestTableLogic::timeline_data() {
    QTest::addColumn<int>("charInterval");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("width");
    QTest::addColumn<QList<int>>("crossedAt");
    QTest::addColumn<int>("endedAt");
    // 1 x 1: one interval of CharInterval x 1 to the number, one more to the end.
    QTest::addRow("1 x 1") << 60 << 1 << 1 << 10 << QList<int>{60} << 660;
    // 1000 characters a minute, four columns, ten characters: 600 ms, then every 600 ms.
    QTest::addRow("4 x 1") << 60 << 4 << 1 << 10 << QList<int>{600, 1200, 1800, 2400} << 3000;
    QTest::addRow("3 x 1 fast") << 6 << 3 << 1 << 12 << QList<int>{42, 114, 186} << 258;
}

// The times at which the numbers are crossed out and the run ends, stepping as the window does.
void TestTableLogic::timeline() {
    QFETCH(int, charInterval);
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(int, width);
    QFETCH(QList<int>, crossedAt);
    QFETCH(int, endedAt);
    NumberTable table = dealt(columns * rows, false, 1u);
    int now = firstCrossOutDelay(charInterval, columns);
    QList<int> crossed;
    while (table.crossOutNext() >= 0) {
        crossed << now;
        now += crossOutInterval(charInterval, width);
    }
    QCOMPARE(crossed, crossedAt);
    QCOMPARE(now, endedAt);
}

void TestTableLogic::gridGeometry_data() {
    QTest::addColumn<int>("charWidth");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<int>("cellSize");
    QTest::addColumn<QSize>("panel");
    QTest::addColumn<QPoint>("origin");
    QTest::addColumn<QPoint>("lastCell");
    QTest::addRow("4 x 3 of 24") << 8 << 4 << 3 << QSize(400, 300) << 24 << QSize(105, 78)
                                 << QPoint(146, 109) << QPoint(81, 54);
    QTest::addRow("1 x 1") << 8 << 1 << 1 << QSize(400, 300) << 24 << QSize(24, 24)
                           << QPoint(186, 136) << QPoint(0, 0);
    QTest::addRow("odd leftover") << 7 << 5 << 4 << QSize(401, 301) << 21 << QSize(117, 93)
                                  << QPoint(140, 102) << QPoint(96, 72);
    QTest::addRow("larger than the window")
        << 15 << 10 << 10 << QSize(400, 300) << 45 << QSize(477, 477) << QPoint(-40, -90)
        << QPoint(432, 432);
}

void TestTableLogic::gridGeometry() {
    QFETCH(int, charWidth);
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(QSize, client);
    QFETCH(int, cellSize);
    QFETCH(QSize, panel);
    QFETCH(QPoint, origin);
    QFETCH(QPoint, lastCell);
    QCOMPARE(TableGeometry::cellSizeFor(charWidth), cellSize);
    QCOMPARE(TableGeometry::panelSize(cellSize, columns, rows), panel);
    QCOMPARE(TableGeometry::centredOrigin(client, cellSize, columns, rows), origin);
    const QPoint last = TableGeometry::cellOrigin(cellSize, rows - 1, columns - 1);
    QCOMPARE(last, lastCell);
    // The last cell ends where the panel does.
    QCOMPARE(last + QPoint(cellSize, cellSize), QPoint(panel.width(), panel.height()));
}

void TestTableLogic::pickerHitTest_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<bool>("inside");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addRow("X 5") << 5 << 50 << false << -1 << -1;
    QTest::addRow("X 6") << 6 << 50 << true << 0 << 4;
    QTest::addRow("X 14") << 14 << 50 << true << 0 << 4;
    QTest::addRow("X 15") << 15 << 50 << true << 1 << 4;
    QTest::addRow("X 95") << 95 << 50 << true << 9 << 4;
    QTest::addRow("X 104") << 104 << 50 << true << 9 << 4;
    QTest::addRow("X 105") << 105 << 50 << false << -1 << -1;
    QTest::addRow("Y 5") << 50 << 5 << false << -1 << -1;
    QTest::addRow("Y 6") << 50 << 6 << true << 4 << 0;
    QTest::addRow("Y 104") << 50 << 104 << true << 4 << 9;
    QTest::addRow("Y 105") << 50 << 105 << false << -1 << -1;
    QTest::addRow("status strip") << 50 << 115 << false << -1 << -1;
    QTest::addRow("left of the picker") << -20 << 50 << false << -1 << -1;
    QTest::addRow("top-left square") << 9 << 9 << true << 0 << 0;
    QTest::addRow("bottom-right square") << 99 << 99 << true << 9 << 9;
}

void TestTableLogic::pickerHitTest() {
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(bool, inside);
    QFETCH(int, column);
    QFETCH(int, row);
    QCOMPARE(SizePickerGrid::inside(x, y), inside);
    if (inside) {
        QCOMPARE(SizePickerGrid::indexAt(x), column);
        QCOMPARE(SizePickerGrid::indexAt(y), row);
    }
}

void TestTableLogic::answerValue_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::addRow("number") << "17" << 17;
    QTest::addRow("blanks around") << " 5 " << 5;
    QTest::addRow("negative") << "-4" << -4;
    QTest::addRow("empty") << "" << 0;
    QTest::addRow("word") << "пять" << 0;
    QTest::addRow("number and letters") << "12a" << 0;
    QTest::addRow("beyond the range") << "99999999999" << 0;
}

void TestTableLogic::answerValue() {
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(TableScore::answerValue(text), value);
}

void TestTableLogic::namedCount_data() {
    QTest::addColumn<Three>("answers");
    QTest::addColumn<Three>("missing");
    QTest::addColumn<int>("score");
    QTest::addRow("all in order") << Three{5, 17, 30} << Three{5, 17, 30} << 3;
    QTest::addRow("all in another order") << Three{30, 5, 17} << Three{17, 30, 5} << 3;
    QTest::addRow("two") << Three{5, 18, 30} << Three{30, 17, 5} << 2;
    QTest::addRow("one and zeros") << Three{17, 0, 0} << Three{5, 17, 30} << 1;
    QTest::addRow("none, zeros") << Three{0, 0, 0} << Three{5, 17, 30} << 0;
    QTest::addRow("one typed thrice") << Three{17, 17, 17} << Three{5, 17, 30} << 1;
    QTest::addRow("one typed twice and another") << Three{5, 30, 5} << Three{5, 17, 30} << 2;
    QTest::addRow("outside the table") << Three{-5, 101, 1000} << Three{5, 17, 30} << 0;
    QTest::addRow("3 x 1") << Three{3, 1, 2} << Three{1, 2, 3} << 3;
}

void TestTableLogic::namedCount() {
    QFETCH(Three, answers);
    QFETCH(Three, missing);
    QFETCH(int, score);
    QCOMPARE(TableScore::namedCount(answers, missing), score);
}

QTEST_GUILESS_MAIN(TestTableLogic)
#include "tst_tablelogic.moc"
