#include "platform/PacedTimer.h"

#include <algorithm>

PacedTimer::PacedTimer(QObject* parent) : QTimer(parent) {
    setTimerType(Qt::PreciseTimer);
    setSingleShot(true);
}

void PacedTimer::startPaced(int firstIntervalMs) {
    Clock.start();
    NextDue = 0;
    scheduleNext(firstIntervalMs);
}

void PacedTimer::scheduleNext(int intervalMs) {
    if (!Clock.isValid())
        Clock.start();
    const qint64 now = Clock.elapsed();
    NextDue += intervalMs;
    if (now - NextDue > intervalMs)
        NextDue = now;
    start(int(std::max<qint64>(0, NextDue - now)));
}
