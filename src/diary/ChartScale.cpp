#include "diary/ChartScale.h"

#include <algorithm>
#include <cmath>

ChartScale::Values ChartScale::values(double low, double high, int maxSteps) {
    if (high < low)
        std::swap(low, high);
    maxSteps = std::max(1, maxSteps);
    double span = high - low;
    if (span <= 0)
        span = high > 0 ? high : 1;
    const double rough = span / maxSteps;
    const int power = int(std::floor(std::log10(rough)));
    const double magnitude = std::pow(10.0, power);
    double step = 10 * magnitude;
    for (double nice : {1.0, 2.0, 5.0}) {
        // A thousandth of slack: 0.3 / 3 is a hair above 0.1 in binary.
        if (nice * magnitude >= rough * 0.999) {
            step = nice * magnitude;
            break;
        }
    }
    Values axis;
    axis.step = step;
    axis.low = std::floor(low / step + 1e-9) * step;
    axis.high = std::ceil(high / step - 1e-9) * step;
    if (axis.high <= axis.low)
        axis.high = axis.low + step;
    // A step of 1, 2 or 5 times 10^power needs -power decimals when power is negative.
    axis.decimals = std::max(0, -int(std::floor(std::log10(step) + 1e-9)));
    return axis;
}

QList<QDate> ChartScale::labelledDays(const QDate& first, const QDate& last, int maxLabels) {
    QList<QDate> days;
    if (!first.isValid() || !last.isValid() || first > last)
        return days;
    const qint64 span = first.daysTo(last);
    maxLabels = std::max(1, maxLabels);
    // The smallest step that keeps the labels within maxLabels: k labels cover (k - 1) steps.
    const qint64 step =
        maxLabels == 1 ? span + 1 : std::max<qint64>(1, (span + maxLabels - 2) / (maxLabels - 1));
    for (QDate day = last; day >= first; day = day.addDays(-step))
        days.prepend(day);
    return days;
}

ChartScale::Bars ChartScale::mergedBars(const QList<std::pair<QDate, double>>& minutesPerDay,
                                        const QDate& first, const QDate& last, int widthPixels,
                                        int minPixels) {
    Bars merged;
    const qint64 days = std::max<qint64>(1, first.daysTo(last) + 1);
    const qint64 room = std::max(1, widthPixels / std::max(1, minPixels));
    merged.span = days <= room ? BarSpan::Day : days <= room * 7 ? BarSpan::Week : BarSpan::Month;
    const auto spanOf = [&merged](const QDate& day) -> std::pair<QDate, QDate> {
        switch (merged.span) {
        case BarSpan::Week: {
            const QDate monday = day.addDays(1 - day.dayOfWeek());
            return {monday, monday.addDays(6)};
        }
        case BarSpan::Month: {
            const QDate start(day.year(), day.month(), 1);
            return {start, start.addMonths(1).addDays(-1)};
        }
        default:
            return {day, day};
        }
    };
    for (const auto& [day, minutes] : minutesPerDay) {
        const auto [start, end] = spanOf(day);
        if (merged.bars.isEmpty() || merged.bars.last().first != start)
            merged.bars.append({start, end, 0});
        merged.bars.last().minutes += minutes;
    }
    return merged;
}
