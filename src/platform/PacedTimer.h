#pragma once

#include <QElapsedTimer>
#include <QTimer>

// A single-shot step timer whose steps are paced against a monotonic clock: each deadline is the
// previous deadline plus the interval, so the time spent in a step does not add up over a run.
// A stall longer than one interval is not made up with a burst of steps.
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
    qint64 NextDue = 0;
};
