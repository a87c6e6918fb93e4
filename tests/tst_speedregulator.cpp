#include "shell/StatusHints.h"
#include "training/SpeedRegulator.h"

#include <QTest>

Q_DECLARE_METATYPE(ExerciseKind)

class TestSpeedRegulator : public QObject {
    Q_OBJECT
private slots:
    void positions_data();
    void positions();
    void recommendedPanels();
    void repeatSteps_data();
    void repeatSteps();
    void panelEdges();
    void hintHitTest_data();
    void hintHitTest();
};

void TestSpeedRegulator::positions_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("interval");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("panel");
    QTest::newRow("0 is raised") << 0 << 600 << "100 симв/мин"
                                 << "С: 100 симв/мин (Min)";
    QTest::newRow("10 is the minimum") << 10 << 600 << "100 симв/мин"
                                       << "С: 100 симв/мин (Min)";
    QTest::newRow("11") << 11 << 545 << "110 симв/мин"
                        << "С: 110 симв/мин";
    QTest::newRow("100") << 100 << 60 << "1000 симв/мин"
                         << "С: 1000 симв/мин";
    QTest::newRow("333") << 333 << 18 << "3330 симв/мин"
                         << "С: 3330 симв/мин";
    QTest::newRow("334") << 334 << 17 << "3340 симв/мин"
                         << "С: 3340 симв/мин";
    QTest::newRow("1000") << 1000 << 6 << "10000 симв/мин"
                          << "С: 10000 симв/мин";
}

void TestSpeedRegulator::positions() {
    QFETCH(int, position);
    QFETCH(int, interval);
    QFETCH(QString, label);
    QFETCH(QString, panel);
    QCOMPARE(SpeedRegulator::charInterval(position), interval);
    QCOMPARE(SpeedRegulator::speedLabel(position), label);
    QCOMPARE(SpeedRegulator::speedPanel(position), panel);
}

void TestSpeedRegulator::recommendedPanels() {
    QCOMPARE(SpeedRegulator::recommendedSpeedPanel(1000), QStringLiteral("С (рек):1000 симв/мин"));
    QCOMPARE(SpeedRegulator::recommendedWidthPanel(10), QStringLiteral("Ш (рек):10 симв"));
    QCOMPARE(SpeedRegulator::recommendedWidthInCellsPanel(10), QStringLiteral("Ш (рек):4 клет."));
    QCOMPARE(SpeedRegulator::recommendedWidthInCellsPanel(12), QStringLiteral("Ш (рек):4 клет."));
    QCOMPARE(SpeedRegulator::recommendedWidthInCellsPanel(13), QStringLiteral("Ш (рек):5 клет."));
}

void TestSpeedRegulator::repeatSteps_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("up");
    QTest::addColumn<int>("interval");
    QTest::addColumn<int>("nextPosition");
    QTest::addColumn<int>("nextInterval");
    QTest::newRow("first step, then 300 ms") << 500 << true << 2 << 501 << 300;
    QTest::newRow("second step, then 16 ms") << 501 << true << 300 << 502 << 16;
    QTest::newRow("16 ms stays 16 ms") << 502 << false << 16 << 501 << 16;
    QTest::newRow("stops at the top") << 1000 << true << 16 << 1000 << 16;
    QTest::newRow("999 reaches the top") << 999 << true << 16 << 1000 << 16;
    QTest::newRow("12 steps down to 11") << 12 << false << 2 << 11 << 300;
    QTest::newRow("the bar stops at 0") << 0 << false << 16 << 0 << 16;
}

void TestSpeedRegulator::repeatSteps() {
    QFETCH(int, position);
    QFETCH(bool, up);
    QFETCH(int, interval);
    QFETCH(int, nextPosition);
    QFETCH(int, nextInterval);
    const auto step = SpeedRegulator::repeatStep(position, up, interval);
    QCOMPARE(step.position, nextPosition);
    QCOMPARE(step.nextIntervalMs, nextInterval);
}

void TestSpeedRegulator::panelEdges() {
    const StatusPanelEdges edges = statusPanelEdges({150, 150, 150, 200});
    const std::array<std::pair<int, int>, 4> expected{
        {{0, 150}, {150, 300}, {300, 450}, {450, 650}}};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(edges[i].left, expected[i].first);
        QCOMPARE(edges[i].right, expected[i].second);
    }
}

void TestSpeedRegulator::hintHitTest_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("currentLeft");
    QTest::addColumn<int>("currentRight");
    QTest::addColumn<ExerciseKind>("kind");
    QTest::addColumn<bool>("changes");
    QTest::addColumn<int>("left");
    QTest::addColumn<QString>("text");
    QTest::newRow("first panel") << 10 << 0 << 0 << ExerciseKind::Text << true << 0
                                 << "Рекомендуемая скорость проигрывания текста";
    QTest::newRow("x 0 lies in no current panel") << 0 << 0 << 0 << ExerciseKind::Table << true << 0
                                                  << "Рекомендуемая скорость проигрывания таблиц";
    QTest::newRow("same panel keeps its hint")
        << 100 << 0 << 150 << ExerciseKind::Text << false << 0 << "";
    QTest::newRow("border: the later panel wins")
        << 150 << 0 << 0 << ExerciseKind::Text << true << 150 << "Рекомендуемая ширина поля чтения";
    QTest::newRow("on the current right border stays")
        << 150 << 0 << 150 << ExerciseKind::Text << false << 0 << "";
    QTest::newRow("next panel replaces")
        << 160 << 0 << 150 << ExerciseKind::Table << true << 150 << "Рекомендуемая ширина таблицы";
    QTest::newRow("speed, field of view") << 320 << 150 << 300 << ExerciseKind::FieldOfView << true
                                          << 300 << "Скорость изменения чисел";
    QTest::newRow("volume, text") << 500 << 0 << 0 << ExerciseKind::Text << true << 450
                                  << "Объем текста";
    QTest::newRow("volume panel beyond its width")
        << 900 << 0 << 0 << ExerciseKind::Text << true << 450 << "Объем текста";
    QTest::newRow("no volume hint for the table")
        << 500 << 0 << 0 << ExerciseKind::Table << true << 450 << "";
}

void TestSpeedRegulator::hintHitTest() {
    QFETCH(int, x);
    QFETCH(int, currentLeft);
    QFETCH(int, currentRight);
    QFETCH(ExerciseKind, kind);
    QFETCH(bool, changes);
    QFETCH(int, left);
    QFETCH(QString, text);
    const auto hint =
        statusHintAt(x, currentLeft, currentRight, statusPanelEdges({150, 150, 150, 200}), kind);
    QCOMPARE(hint.has_value(), changes);
    if (hint) {
        QCOMPARE(hint->edges.left, left);
        QCOMPARE(hint->text, text);
    }
}

QTEST_GUILESS_MAIN(TestSpeedRegulator)
#include "tst_speedregulator.moc"
