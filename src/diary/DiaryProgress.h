#pragma once

#include <QDateTime>
#include <QList>
#include <QPointF>
#include <QString>

class QSqlDatabase;
struct DiaryFilter;

// One measure over days: a point per record and a line through each day's best. x is the
// middle of the record's day in ms since the epoch, so a day's points stand in one column and
// the line meets the best of them.
struct ProgressSeries {
    QString name; // what the series is of, where a chart draws several of one measure
    QList<QPointF> points;
    QList<QPointF> dailyBest;
    bool isEmpty() const { return dailyBest.isEmpty(); }
};

// What the diary's charts draw for one range of days.
struct DiaryProgress {
    ProgressSeries charsPerMinute; // finished text tests, the speed reached
    ProgressSeries wordsPerMinute; // finished text tests
    // Answered text tests and answered tests on the user's own text, per cent.
    ProgressSeries comprehension{QStringLiteral("Тест чтения текста"), {}, {}};
    ProgressSeries clozeComprehension{QStringLiteral("Тест по своему тексту"), {}, {}};
    ProgressSeries fieldWidth; // right field-of-view answers, characters
    ProgressSeries tableFound; // answered table tests, per cent of the missing numbers
    // Finished Schulte tables, seconds per cell (best: least): one series per size and variant,
    // named after the table ("5 x 5, числа"), in the order of their names.
    QList<ProgressSeries> schulteSeconds;
    QList<QPointF> minutesPerDay; // x: the start of the day
    int records = 0;              // records in the range
    // More records than pointLimit in a measure: only its daily best is drawn.
    bool pointsLeftOut = false;
};

// The progress of the records in the diary's db that the filter lets through (a kind or all,
// since a moment or at any time). A measure with more than pointLimit records in the range gets
// no points of its own, only its daily best. Asked of the store, which owns the connection.
DiaryProgress readProgress(const QSqlDatabase& db, const DiaryFilter& filter, int pointLimit);
