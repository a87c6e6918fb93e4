#pragma once

#include <QDate>
#include <QList>

// The scales of the diary's charts, worked out apart from the charts so that their labels can
// be checked: every label names a value of its own.
namespace ChartScale {

// A value axis: from low to high in steps of `step`, labelled with `decimals` digits after the
// point, so that no two labels read the same.
struct Values {
    double low = 0;
    double high = 1;
    double step = 1;
    int decimals = 0;
};

// An axis over [low, high] with at most maxSteps steps of 1, 2 or 5 times a power of ten,
// its ends on whole steps.
Values values(double low, double high, int maxSteps);

// The days a time axis labels between first and last (the last is always labelled, so today's
// points stand under today's date), every `step` days back from the last, at most maxLabels.
QList<QDate> labelledDays(const QDate& first, const QDate& last, int maxLabels);

} // namespace ChartScale
