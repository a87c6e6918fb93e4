#include "platform/PacedTimer.h"

#include <QtTest>

#include <algorithm>

// Runs of steps on an exact clock: each step is taken the moment its wait ends, and some steps
// are held up for a while before they end.
class TestPaceSchedule : public QObject {
    Q_OBJECT
private slots:
    void lateStepIsMadeUpSmoothly_data();
    void lateStepIsMadeUpSmoothly();
};

void TestPaceSchedule::lateStepIsMadeUpSmoothly_data() {
    QTest::addColumn<int>("intervalMs");
    QTest::addColumn<int>("stallMs");      // how long step 10 is held up
    QTest::addColumn<int>("catchUpSteps"); // steps until the schedule is met again
    QTest::addColumn<int>("lagGivenUpMs"); // what is never made up
    QTest::newRow("on time") << 60 << 0 << 0 << 0;
    QTest::newRow("late by less than a step") << 60 << 20 << 4 << 0;
    QTest::newRow("late by several steps") << 60 << 220 << 37 << 0;
    QTest::newRow("short steps") << 36 << 100 << 34 << 0;
    // A second is made up; the rest of the stall, less the first step's 6 ms, is not.
    QTest::newRow("stall past the bound") << 60 << 3000 << 168 << 1994;
}

void TestPaceSchedule::lateStepIsMadeUpSmoothly() {
    QFETCH(int, intervalMs);
    QFETCH(int, stallMs);
    QFETCH(int, catchUpSteps);
    QFETCH(int, lagGivenUpMs);
    constexpr qint64 Ms = 1000 * 1000;
    PaceSchedule schedule;
    schedule.restart(0);
    qint64 now = 0;
    int shortest = intervalMs;
    int shortened = 0;
    for (int step = 0; step < 400; ++step) {
        if (step == 10)
            now += stallMs * Ms;
        const int wait = schedule.nextWaitMs(now, intervalMs);
        if (step >= 10) {
            shortest = std::min(shortest, wait);
            shortened += wait < intervalMs ? 1 : 0;
        }
        now += wait * Ms;
    }
    QVERIFY2(shortest * 10 >= intervalMs * 9, qPrintable(QString::number(shortest)));
    QCOMPARE(shortened, catchUpSteps);
    QCOMPARE(now, (400LL * intervalMs + lagGivenUpMs) * Ms);
}

QTEST_GUILESS_MAIN(TestPaceSchedule)
#include "tst_paceschedule.moc"
