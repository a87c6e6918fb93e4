#include "platform/PacedTimer.h"

#include <algorithm>

namespace {

constexpr qint64 NsPerMs = 1000 * 1000;

} // namespace

int PaceSchedule::nextWaitMs(qint64 nowNs, int intervalMs) {
    const qint64 interval = qint64(std::max(0, intervalMs)) * NsPerMs;
    NextDueNs += interval;
    // The next step never comes sooner than nine tenths of its interval after this one, counted
    // from the end of this one, when its change is there to be seen (rounded up: a timer never
    // fires early). On time, it comes at the nearest millisecond.
    const qint64 earliest = nowNs + interval - interval / 10;
    NextDueNs = std::max(NextDueNs, earliest - MaxCatchUpMs * NsPerMs);
    const qint64 onTime = (NextDueNs - nowNs + NsPerMs / 2) / NsPerMs;
    const qint64 soonest = (earliest - nowNs + NsPerMs - 1) / NsPerMs;
    return int(std::max<qint64>({0, onTime, soonest}));
}

PacedTimer::PacedTimer(QObject* parent) : QTimer(parent) {
    setTimerType(Qt::PreciseTimer);
    setSingleShot(true);
}

void PacedTimer::startPaced(int firstIntervalMs) {
    Clock.start();
    Schedule.restart(0);
    scheduleNext(firstIntervalMs);
}

void PacedTimer::scheduleNext(int intervalMs) {
    if (!Clock.isValid()) {
        Clock.start();
        Schedule.restart(0);
    }
    start(Schedule.nextWaitMs(Clock.nsecsElapsed(), intervalMs));
}
