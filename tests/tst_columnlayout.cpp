#include "text/ColumnLayout.h"

#include <QTest>

using namespace ColumnLayout;

class TestColumnLayout : public QObject {
    Q_OBJECT
private slots:
    void snapping_data();
    void snapping();
    void centring_data();
    void centring();
    void limits();
    void grips_data();
    void grips();
    void fitFont_data();
    void fitFont();
};

namespace {
Metrics metrics(int charWidth) {
    return {charWidth, 2, 4, 16};
}
const QStringList Sizes{"10", "11", "12", "14", "16", "18", "20",
                        "22", "24", "26", "28", "36", "48", "72"};
} // namespace

void TestColumnLayout::snapping_data() {
    QTest::addColumn<int>("charWidth");
    QTest::addColumn<int>("ruler");
    QTest::addColumn<int>("chars");
    QTest::addColumn<int>("snapped");
    QTest::newRow("140 px of 8 px characters") << 8 << 140 << 16 << 136;
    QTest::newRow("already whole") << 8 << 136 << 16 << 136;
    QTest::newRow("one pixel short") << 8 << 135 << 15 << 128;
    QTest::newRow("wide glyphs") << 13 << 408 << 30 << 398;
}

void TestColumnLayout::snapping() {
    QFETCH(int, charWidth);
    QFETCH(int, ruler);
    QFETCH(int, chars);
    QFETCH(int, snapped);
    QCOMPARE(columnChars(ruler, metrics(charWidth)), chars);
    QCOMPARE(snappedWidth(ruler, metrics(charWidth)), snapped);
    QCOMPARE(minimumWindowWidth(snapped, metrics(charWidth)), 2 * (4 + 16 + 2) + snapped);
}

void TestColumnLayout::centring_data() {
    QTest::addColumn<int>("client");
    QTest::addColumn<int>("ruler");
    QTest::addColumn<int>("left");
    QTest::newRow("even") << 780 << 136 << 322;
    QTest::newRow("odd difference: extra pixel right") << 781 << 136 << 322;
    QTest::newRow("ruler wider than client") << 100 << 137 << -18;
}

void TestColumnLayout::centring() {
    QFETCH(int, client);
    QFETCH(int, ruler);
    QFETCH(int, left);
    QCOMPARE(rulerLeft(client, ruler), left);
}

void TestColumnLayout::limits() {
    const Limits l = columnLimits(780, 20, metrics(8));
    QCOMPARE(l.minimum, 20 * 8 + 8);
    QCOMPARE(l.maximum, 780 - 2 * (16 + 2));
    QCOMPARE(l.clamp(100), l.minimum);
    QCOMPARE(l.clamp(5000), l.maximum);
    QCOMPARE(l.clamp(300), 300);
    // A client narrower than the field: the minimum wins.
    const Limits crossed = columnLimits(100, 20, metrics(8));
    QCOMPARE(crossed.clamp(120), crossed.minimum);
}

void TestColumnLayout::fitFont_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("window");
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("warning");
    QTest::addColumn<int>("size");
    QTest::addColumn<QList<int>>("measured");

    // The character width is the size in points minus 2, so 36 pt gives 34 px.
    QTest::newRow("fits: nothing changes") << 10 << 800 << 11 << false << 36 << QList<int>{};
    // limit = (400 - 44 - 8) / 20 = 17: 36 (34 px) is applied first, then 28, 26, 24, 22, 20, 18.
    QTest::newRow("steps down to fit")
        << 20 << 400 << 11 << true << 18 << QList<int>{36, 28, 26, 24, 22, 20, 18};
    // limit = (200 - 44 - 8) / 50 = 2: never below the second entry.
    QTest::newRow("never below the second entry")
        << 50 << 200 << 3 << true << 11 << QList<int>{14, 12, 11};
    QTest::newRow("warning even when nothing smaller exists")
        << 50 << 200 << 0 << true << 10 << QList<int>{};
}

void TestColumnLayout::fitFont() {
    QFETCH(int, field);
    QFETCH(int, window);
    QFETCH(int, selected);
    QFETCH(bool, warning);
    QFETCH(int, size);
    QFETCH(QList<int>, measured);
    const int current = Sizes.at(selected).toInt();
    QList<int> tried;
    const FitResult fit = fitFontToWindow(field, window, metrics(current - 2), Sizes, selected,
                                          current, [&tried](int s) {
                                              tried << s;
                                              return s - 2;
                                          });
    QCOMPARE(fit.warning, warning);
    QCOMPARE(fit.fontSize, size);
    QCOMPARE(tried, measured);
}

void TestColumnLayout::grips_data() {
    QTest::addColumn<int>("edge");
    QTest::addColumn<int>("grip");
    QTest::newRow("edge 1: still 4 px") << 1 << 4;
    QTest::newRow("edge 2") << 2 << 4;
    QTest::newRow("edge 3: twice the edge") << 3 << 6;
}

void TestColumnLayout::grips() {
    QFETCH(int, edge);
    QFETCH(int, grip);
    QCOMPARE(gripWidth({8, edge, 4, 16}), grip);
}

QTEST_GUILESS_MAIN(TestColumnLayout)
#include "tst_columnlayout.moc"
