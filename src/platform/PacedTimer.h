#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include <array>

// When the steps of a run are due, on a monotonic clock in nanoseconds: each deadline is the
// previous deadline plus the interval, so the time spent in a step does not add up over a run.
// A step that came late is made up smoothly: the following intervals are shortened, each by at
// most a tenth, until the schedule is met again; never with a burst of steps. A stall of more
// than MaxCatchUpMs (the machine held up for seconds) is made up only that far.
// A busy machine wakes a timer late by a few milliseconds at every step; the schedule learns
// how late (the median of the last LatenessSamples wake-ups) and aims that much early, but
// never sooner than the nine tenths of an interval a step is always given, counted from the
// wake-up of the step before.
class PaceSchedule {
public:
    static constexpr qint64 MaxCatchUpMs = 1000;
    static constexpr int LatenessSamples = 9;

    // The run starts at nowNs: the first deadline counts from it.
    void restart(qint64 nowNs);
    // The wait in whole milliseconds before the next step, due intervalMs after the previous
    // deadline, asked for at nowNs as a step ends.
    int nextWaitMs(qint64 nowNs, int intervalMs);
    // The wait asked for last ended in a wake-up at nowNs, as the step begins.
    void woke(qint64 nowNs);
    // How late wake-ups come, as the next wait expects: the median of the last ones.
    qint64 expectedLatenessNs() const;

private:
    qint64 NextDueNs = 0;
    qint64 AimedNs = -1; // when the pending wait ends; -1 when none is pending
    qint64 WokeNs = -1;  // when the step now taken began; -1 when not known
    std::array<qint64, LatenessSamples> Lateness{};
    int Samples = 0; // wake-ups seen; the latest is at (Samples - 1) % LatenessSamples
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
