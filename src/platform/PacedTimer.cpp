#include "platform/PacedTimer.h"

#include <QTimerEvent>

#include <algorithm>

namespace {

constexpr qint64 NsPerMs = 1000 * 1000;

} // namespace

int PaceSchedule::nextWaitMs(qint64 stepStartNs, qint64 nowNs, int intervalMs) {
    const qint64 interval = qint64(std::max(0, intervalMs)) * NsPerMs;
    NextDueNs += interval;
    // The next step never comes sooner than nine tenths of its interval after this one began
    // (rounded up: a timer never fires early); on time, it comes at the nearest millisecond.
    const qint64 earliest = stepStartNs + interval - interval / 10;
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
    StepStartNs = -1;
    scheduleNext(firstIntervalMs);
}

void PacedTimer::scheduleNext(int intervalMs) {
    if (!Clock.isValid()) {
        Clock.start();
        Schedule.restart(0);
    }
    const qint64 now = Clock.nsecsElapsed();
    start(Schedule.nextWaitMs(StepStartNs < 0 ? now : StepStartNs, now, intervalMs));
    StepStartNs = -1;
}

void PacedTimer::timerEvent(QTimerEvent* event) {
    if (event->timerId() == timerId())
        StepStartNs = Clock.nsecsElapsed();
    QTimer::timerEvent(event);
    // A step that scheduled nothing (the run ended) leaves no start behind.
    if (!isActive())
        StepStartNs = -1;
}
