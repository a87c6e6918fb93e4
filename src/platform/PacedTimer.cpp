#include "platform/PacedTimer.h"

#include <algorithm>

namespace {

constexpr qint64 NsPerMs = 1000 * 1000;

} // namespace

void PaceSchedule::restart(qint64 nowNs) {
    NextDueNs = nowNs;
    AimedNs = -1;
    WokeNs = -1;
}

int PaceSchedule::nextWaitMs(qint64 nowNs, int intervalMs) {
    const qint64 interval = qint64(std::max(0, intervalMs)) * NsPerMs;
    NextDueNs += interval;
    // The next step never comes sooner than nine tenths of its interval after this one began
    // (after now, when that is not known), rounded up: a timer never fires early. Otherwise it
    // is aimed at the nearest millisecond to its deadline, less the lateness expected.
    const qint64 stepBegan = WokeNs >= 0 ? WokeNs : nowNs;
    const qint64 earliest = stepBegan + interval - interval / 10;
    NextDueNs = std::max(NextDueNs, earliest - MaxCatchUpMs * NsPerMs);
    const qint64 onTime = (NextDueNs - expectedLatenessNs() - nowNs + NsPerMs / 2) / NsPerMs;
    const qint64 soonest = (earliest - nowNs + NsPerMs - 1) / NsPerMs;
    const qint64 wait = std::max<qint64>({0, onTime, soonest});
    AimedNs = nowNs + wait * NsPerMs;
    WokeNs = -1;
    return int(wait);
}

void PaceSchedule::woke(qint64 nowNs) {
    WokeNs = nowNs;
    if (AimedNs < 0)
        return;
    Lateness[Samples % LatenessSamples] = std::max<qint64>(0, nowNs - AimedNs);
    ++Samples;
    AimedNs = -1;
}

qint64 PaceSchedule::expectedLatenessNs() const {
    const int count = std::min(Samples, LatenessSamples);
    if (count == 0)
        return 0;
    std::array<qint64, LatenessSamples> last = Lateness;
    const auto middle = last.begin() + count / 2;
    std::nth_element(last.begin(), middle, last.begin() + count);
    return *middle;
}

PacedTimer::PacedTimer(QObject* parent) : QTimer(parent) {
    setTimerType(Qt::PreciseTimer);
    setSingleShot(true);
    // Connected first, so it sees the wake-up before the step is taken.
    connect(this, &QTimer::timeout, this, [this] { Schedule.woke(Clock.nsecsElapsed()); });
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
