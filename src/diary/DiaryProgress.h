#pragma once

#include <QDateTime>
#include <QList>
#include <QPointF>

class DiaryStore;

// One measure over days: a point per record and a line through each day's best. x is the
// middle of the record's day in ms since the epoch, so a day's points stand in one column and
// the line meets the best of them.
struct ProgressSeries {
    QList<QPointF> points;
    QList<QPointF> dailyBest;
    bool isEmpty() const { return dailyBest.isEmpty(); }
};

// What the diary's charts draw for one range of days.
struct DiaryProgress {
    ProgressSeries charsPerMinute; // finished text tests
    ProgressSeries wordsPerMinute; // finished text tests
    ProgressSeries comprehension;  // answered text tests, per cent
    // answered tests on the user's own text, per cent
    ProgressSeries clozeComprehension;
    ProgressSeries fieldWidth;     // right field-of-view answers, characters
    ProgressSeries tableFound;     // answered table tests, per cent of the missing numbers
    ProgressSeries schulteSeconds; // finished Schulte tables, seconds per cell (best: least)
    QList<QPointF> minutesPerDay;  // x: the start of the day
    int records = 0;               // records in the range
    // More records than pointLimit in a measure: only its daily best is drawn.
    bool pointsLeftOut = false;
};

// The progress since `since` (invalid: all). A measure with more than pointLimit records in
// the range gets no points of its own, only its daily best.
DiaryProgress readProgress(const DiaryStore& store, const QDateTime& since, int pointLimit);
