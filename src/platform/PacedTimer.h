#pragma once

#include <QElapsedTimer>
#include <QTimer>

// When the steps of a run are due, on a monotonic clock in nanoseconds: each deadline is the
// previous deadline plus the interval, so the time spent in a step does not add up over a run.
// A step that came late is made up smoothly: the following intervals are shortened, each by at
// most a tenth, until the schedule is met again; never with a burst of steps. A stall of more
// than MaxCatchUpMs (the machine held up for seconds) is made up only that far.
class PaceSchedule {
public:
    static constexpr qint64 MaxCatchUpMs = 1000;

    // The run starts at nowNs: the first deadline counts from it.
    void restart(qint64 nowNs) { NextDueNs = nowNs; }
    // The wait in whole milliseconds before the next step, due intervalMs after the previous
    // deadline, asked for at nowNs as a step ends.
    int nextWaitMs(qint64 nowNs, int intervalMs);

private:
    qint64 NextDueNs = 0;
};

// A single-shot step timer whose steps are paced by a PaceSchedule.
class PacedTimer : public QTimer {
    Q_OBJECT
public:
    explicit PacedTimer(QObject* parent);

    // Restarts the clock and schedules the first step after firstIntervalMs.
    void startPaced(int firstIntervalMs);
    // Schedules the next step intervalMs after the previous deadline.
    void scheduleNext(int intervalMs);
    // Milliseconds since the last startPaced.
    qint64 elapsedMs() const { return Clock.isValid() ? Clock.elapsed() : 0; }

private:
    QElapsedTimer Clock;
    PaceSchedule Schedule;
};
