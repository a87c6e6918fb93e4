#include "diary/DiaryProgress.h"

#include "diary/DiarySchema.h"
#include "diary/DiaryStore.h"

#include <QSqlQuery>
#include <QVariant>

#include <array>

namespace {

constexpr qreal HalfDayMs = 12 * 60 * 60 * 1000;

// A measure: its series, the kind it is read from and the value of a record that counts (NULL
// for one that does not); the highest value of a day is its best.
struct Measure {
    ProgressSeries DiaryProgress::*series;
    DiaryKind kind;
    QString value;
};

// The score of a finished, answered test in per cent.
const QString FinishedScore = QStringLiteral("CASE WHEN stopped = 0 THEN ") +
                              QLatin1String(DiarySchema::ScorePercent) + QStringLiteral(" END");

constexpr std::size_t MeasureCount = 6;
const std::array<Measure, MeasureCount> Measures{{
    {&DiaryProgress::charsPerMinute, DiaryKind::TextTest,
     QStringLiteral("CASE WHEN stopped = 0 THEN actual_chars_per_minute END")},
    {&DiaryProgress::wordsPerMinute, DiaryKind::TextTest,
     QStringLiteral("CASE WHEN stopped = 0 THEN words_per_minute END")},
    {&DiaryProgress::comprehension, DiaryKind::TextTest, FinishedScore},
    {&DiaryProgress::clozeComprehension, DiaryKind::ClozeTest, FinishedScore},
    {&DiaryProgress::fieldWidth, DiaryKind::FieldOfViewTest,
     QStringLiteral("CASE WHEN right_count = 1 THEN field_width END")},
    {&DiaryProgress::tableFound, DiaryKind::TableTest, FinishedScore},
}};

// Seconds per cell of a finished Schulte table; the least is the best. A table's size and
// variant are kept as its name.
constexpr const char* SchulteValue =
    "CASE WHEN stopped = 0 AND out_of > 0 THEN duration_ms / 1000.0 / out_of END";

// The start of a Julian day number's local day, in ms since the epoch.
qreal dayStartMs(qint64 julianDay) {
    return qreal(QDate::fromJulianDay(julianDay).startOfDay().toMSecsSinceEpoch());
}

// The filter as conditions to add to a WHERE clause; its values are numbers it holds.
QString filterClause(const DiaryFilter& filter) {
    QString clause;
    if (filter.since.isValid())
        clause += QStringLiteral(" AND at >= ") + QString::number(filter.since.toMSecsSinceEpoch());
    if (filter.kind)
        clause += QStringLiteral(" AND kind = ") + QString::number(static_cast<int>(*filter.kind));
    return clause;
}

qreal dayMiddle(const QVariant& day) {
    return dayStartMs(day.toLongLong()) + HalfDayMs;
}

// Every day's best of every measure and the time trained, in one pass over the range. Returns
// how many records of each measure the range holds.
std::array<int, MeasureCount> readDays(const QSqlDatabase& db, const QString& filter,
                                       DiaryProgress& progress) {
    QString columns;
    for (const Measure& m : Measures)
        columns += QStringLiteral(", MAX(") + m.value + QStringLiteral("), COUNT(") + m.value +
                   QLatin1Char(')');
    QSqlQuery query(db);
    query.setForwardOnly(true);
    std::array<int, MeasureCount> counts{};
    if (!query.exec(QStringLiteral("SELECT day, kind, SUM(duration_ms), COUNT(*)") + columns +
                    QStringLiteral(" FROM records WHERE 1") + filter +
                    QStringLiteral(" GROUP BY day, kind ORDER BY day")))
        return counts;
    qint64 lastDay = -1;
    while (query.next()) {
        const qint64 day = query.value(0).toLongLong();
        const int kind = query.value(1).toInt();
        const qreal minutes = query.value(2).toDouble() / 60000.0;
        if (day != lastDay)
            progress.minutesPerDay.append({dayStartMs(day), minutes});
        else
            progress.minutesPerDay.last().ry() += minutes;
        lastDay = day;
        progress.records += query.value(3).toInt();
        for (std::size_t i = 0; i < Measures.size(); ++i) {
            const int column = 4 + int(i) * 2;
            if (static_cast<int>(Measures[i].kind) != kind || query.isNull(column))
                continue;
            (progress.*Measures[i].series)
                .dailyBest.append({dayMiddle(day), query.value(column).toDouble()});
            counts[i] += query.value(column + 1).toInt();
        }
    }
    return counts;
}

void readPoints(const QSqlDatabase& db, const Measure& m, const QString& filter,
                ProgressSeries& series) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT day, value FROM (SELECT day, ") + m.value +
                    QStringLiteral(" AS value FROM records WHERE kind = ") +
                    QString::number(static_cast<int>(m.kind)) + filter +
                    QStringLiteral(") WHERE value IS NOT NULL")))
        return;
    while (query.next())
        series.points.append({dayMiddle(query.value(0)), query.value(1).toDouble()});
}

// The Schulte tables' daily best per size and variant, and their points where a table has
// pointLimit records or fewer.
void readSchulte(const QSqlDatabase& db, const QString& filter, int pointLimit,
                 DiaryProgress& progress) {
    const QString values = QStringLiteral("(SELECT text_name, day, ") +
                           QLatin1String(SchulteValue) +
                           QStringLiteral(" AS value FROM records WHERE kind = ") +
                           QString::number(static_cast<int>(DiaryKind::Schulte)) + filter +
                           QStringLiteral(") WHERE value IS NOT NULL");
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT text_name, day, MIN(value), COUNT(value) FROM ") +
                    values + QStringLiteral(" GROUP BY text_name, day ORDER BY text_name, day")))
        return;
    QList<int> counts;
    while (query.next()) {
        const QString name = query.value(0).toString();
        if (progress.schulteSeconds.isEmpty() || progress.schulteSeconds.last().name != name) {
            progress.schulteSeconds.append(ProgressSeries{});
            progress.schulteSeconds.last().name = name;
            counts.append(0);
        }
        progress.schulteSeconds.last().dailyBest.append(
            {dayMiddle(query.value(1)), query.value(2).toDouble()});
        counts.last() += query.value(3).toInt();
    }
    query.finish();
    for (int i = 0; i < counts.size(); ++i) {
        if (counts[i] > pointLimit)
            progress.pointsLeftOut = true;
    }
    if (!query.exec(QStringLiteral("SELECT text_name, day, value FROM ") + values +
                    QStringLiteral(" ORDER BY text_name")))
        return;
    int series = 0;
    while (query.next()) {
        const QString name = query.value(0).toString();
        while (series < counts.size() && progress.schulteSeconds[series].name != name)
            ++series;
        if (series < counts.size() && counts[series] <= pointLimit)
            progress.schulteSeconds[series].points.append(
                {dayMiddle(query.value(1)), query.value(2).toDouble()});
    }
}

} // namespace

DiaryProgress readProgress(const QSqlDatabase& db, const DiaryFilter& filter, int pointLimit) {
    DiaryProgress progress;
    const QString after = filterClause(filter);
    const auto counts = readDays(db, after, progress);
    for (std::size_t i = 0; i < Measures.size(); ++i) {
        if (counts[i] == 0)
            continue;
        if (counts[i] > pointLimit)
            progress.pointsLeftOut = true;
        else
            readPoints(db, Measures[i], after, progress.*Measures[i].series);
    }
    readSchulte(db, after, pointLimit, progress);
    return progress;
}
