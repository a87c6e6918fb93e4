#pragma once

#include <QDate>
#include <QList>

#include <utility>

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

// A bar of the time chart: the days it covers and the minutes trained in them.
struct Bar {
    QDate first;
    QDate last;
    double minutes = 0;
};
// What a bar covers: days are merged into weeks (from Monday) or months when there are more of
// them than the chart's width has room for.
enum class BarSpan { Day, Week, Month };
struct Bars {
    BarSpan span = BarSpan::Day;
    QList<Bar> bars;
};

// The minutes of each day (the days in order) as bars of the finest span that leaves each bar
// at least minPixels of widthPixels over the days from first to last.
Bars mergedBars(const QList<std::pair<QDate, double>>& minutesPerDay, const QDate& first,
                const QDate& last, int widthPixels, int minPixels);

} // namespace ChartScale
