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
    void wakeUpsComeOnTimeOnABusyMachine_data();
    void wakeUpsComeOnTimeOnABusyMachine();
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

void TestPaceSchedule::wakeUpsComeOnTimeOnABusyMachine_data() {
    QTest::addColumn<int>("intervalMs");
    QTest::addColumn<int>("stepUs");            // how long a step takes
    QTest::addColumn<QList<int>>("latenessUs"); // how late each wake-up comes, round after round
    QTest::addColumn<int>("stallAt");           // a step that wakes 80 ms late, -1 for none
    QTest::addColumn<int>("driftUs");           // the most any of the last 100 steps is off
    QTest::newRow("quiet machine") << 60 << 0 << QList<int>{0} << -1 << 0;
    QTest::newRow("always 3 ms late") << 60 << 2000 << QList<int>{3000} << -1 << 0;
    QTest::newRow("1 to 5 ms late")
        << 60 << 3000 << QList<int>{1000, 5000, 2000, 4000, 3000} << -1 << 2000;
    QTest::newRow("4 to 6 ms late") << 60 << 2000 << QList<int>{5000, 6000, 4000} << -1 << 1000;
    QTest::newRow("a stall among late wake-ups")
        << 60 << 2000 << QList<int>{3000, 2000} << 250 << 1000;
    QTest::newRow("short steps, uneven lateness")
        << 10 << 500 << QList<int>{200, 900, 400, 700, 300} << -1 << 1100;
}

// Steps taken as their waits end, each wake-up late by the given lateness; the schedule is told
// of every wake-up as the step begins.
void TestPaceSchedule::wakeUpsComeOnTimeOnABusyMachine() {
    QFETCH(int, intervalMs);
    QFETCH(int, stepUs);
    QFETCH(QList<int>, latenessUs);
    QFETCH(int, stallAt);
    QFETCH(int, driftUs);
    constexpr qint64 Us = 1000;
    constexpr qint64 Ms = 1000 * Us;
    constexpr int Steps = 400;
    PaceSchedule schedule;
    schedule.restart(0);
    qint64 now = 0;
    qint64 previousWake = 0;
    qint64 shortest = intervalMs * Ms;
    qint64 worstDrift = 0;
    for (int step = 1; step <= Steps; ++step) {
        const qint64 lateness =
            step == stallAt ? 80 * Ms : latenessUs.at(step % latenessUs.size()) * Us;
        const qint64 wake = now + schedule.nextWaitMs(now, intervalMs) * Ms + lateness;
        schedule.woke(wake);
        if (step > 1)
            shortest = std::min(shortest, wake - previousWake);
        if (step > Steps - 100)
            worstDrift = std::max(worstDrift, std::abs(wake - step * intervalMs * Ms));
        previousWake = wake;
        now = wake + stepUs * Us;
    }
    QVERIFY2(shortest * 10 >= intervalMs * 9 * Ms, qPrintable(QString::number(shortest)));
    QVERIFY2(worstDrift <= driftUs * Us, qPrintable(QString::number(worstDrift)));
}

QTEST_GUILESS_MAIN(TestPaceSchedule)
#include "tst_paceschedule.moc"
