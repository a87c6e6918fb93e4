#include "training/SpeedRegulator.h"

#include <algorithm>

namespace SpeedRegulator {

int effectivePosition(int position) {
    return std::clamp(position, MinimumPosition, MaximumPosition);
}

int charInterval(int position) {
    return 6000 / effectivePosition(position);
}

int speed(int position) {
    return effectivePosition(position) * 10;
}

QString speedLabel(int position) {
    return QString::number(speed(position)) + QStringLiteral(" симв/мин");
}

QString speedPanel(int rawPosition) {
    QString text = QStringLiteral("С: ") + speedLabel(rawPosition);
    if (rawPosition <= MinimumPosition)
        text += QStringLiteral(" (Min)");
    return text;
}

QString recommendedSpeedPanel(int recommendSpeed) {
    return QStringLiteral("С (рек):") + QString::number(recommendSpeed) +
           QStringLiteral(" симв/мин");
}

QString recommendedWidthPanel(int recommendWide) {
    return QStringLiteral("Ш (рек):") + QString::number(recommendWide) + QStringLiteral(" симв");
}

QString recommendedWidthInCellsPanel(int recommendWide) {
    return QStringLiteral("Ш (рек):") + QString::number((recommendWide + 2) / 3) +
           QStringLiteral(" клет.");
}

RepeatStep repeatStep(int position, bool up, int currentIntervalMs) {
    const int next = up ? std::min(position + 1, MaximumPosition) : std::max(position - 1, 0);
    return {next, currentIntervalMs == 2 ? 300 : FastRepeatMs};
}

} // namespace SpeedRegulator
