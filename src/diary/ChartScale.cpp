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
