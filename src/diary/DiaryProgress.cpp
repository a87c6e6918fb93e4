#include "diary/DiaryProgress.h"

#include "diary/DiaryStore.h"

#include <QSqlQuery>
#include <QVariant>

#include <array>

namespace {

constexpr qreal HalfDayMs = 12 * 60 * 60 * 1000;

// A measure: its series, the kind it is read from, the value of a record that counts (NULL for
// one that does not) and whether the least value is the best.
struct Measure {
    ProgressSeries DiaryProgress::*series;
    DiaryKind kind;
    const char* value;
    bool leastIsBest = false;
};

const std::array<Measure, 6> Measures{{
    {&DiaryProgress::charsPerMinute, DiaryKind::TextTest,
     "CASE WHEN stopped = 0 THEN chars_per_minute END"},
    {&DiaryProgress::wordsPerMinute, DiaryKind::TextTest,
     "CASE WHEN stopped = 0 THEN words_per_minute END"},
    {&DiaryProgress::comprehension, DiaryKind::TextTest,
     "CASE WHEN stopped = 0 AND out_of > 0 AND right_count IS NOT NULL "
     "THEN right_count * 100 / out_of END"},
    {&DiaryProgress::fieldWidth, DiaryKind::FieldOfViewTest,
     "CASE WHEN right_count = 1 THEN field_width END"},
    {&DiaryProgress::tableFound, DiaryKind::TableTest,
     "CASE WHEN stopped = 0 AND out_of > 0 AND right_count IS NOT NULL "
     "THEN right_count * 100 / out_of END"},
    {&DiaryProgress::schulteSeconds, DiaryKind::Schulte,
     "CASE WHEN stopped = 0 AND out_of > 0 THEN duration_ms / 1000.0 / out_of END", true},
}};

// The start of a Julian day number's local day, in ms since the epoch.
qreal dayStartMs(qint64 julianDay) {
    return qreal(QDate::fromJulianDay(julianDay).startOfDay().toMSecsSinceEpoch());
}

QString sinceClause(const QDateTime& since) {
    return since.isValid()
               ? QStringLiteral(" AND at >= ") + QString::number(since.toMSecsSinceEpoch())
               : QString();
}

qreal dayMiddle(const QVariant& day) {
    return dayStartMs(day.toLongLong()) + HalfDayMs;
}

// Every day's best of every measure and the time trained, in one pass over the range. Returns
// how many records of each measure the range holds.
std::array<int, Measures.size()> readDays(const QSqlDatabase& db, const QString& since,
                                          DiaryProgress& progress) {
    QString columns;
    for (const Measure& m : Measures)
        columns += QStringLiteral(", ") +
                   (m.leastIsBest ? QStringLiteral("MIN(") : QStringLiteral("MAX(")) +
                   QLatin1String(m.value) + QStringLiteral("), COUNT(") + QLatin1String(m.value) +
                   QLatin1Char(')');
    QSqlQuery query(db);
    query.setForwardOnly(true);
    std::array<int, Measures.size()> counts{};
    if (!query.exec(QStringLiteral("SELECT day, kind, SUM(duration_ms), COUNT(*)") + columns +
                    QStringLiteral(" FROM records WHERE 1") + since +
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

void readPoints(const QSqlDatabase& db, const Measure& m, const QString& since,
                ProgressSeries& series) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT day, value FROM (SELECT day, ") +
                    QLatin1String(m.value) +
                    QStringLiteral(" AS value FROM records WHERE kind = ") +
                    QString::number(static_cast<int>(m.kind)) + since +
                    QStringLiteral(") WHERE value IS NOT NULL")))
        return;
    while (query.next())
        series.points.append({dayMiddle(query.value(0)), query.value(1).toDouble()});
}

} // namespace

DiaryProgress readProgress(const DiaryStore& store, const QDateTime& since, int pointLimit) {
    DiaryProgress progress;
    const QSqlDatabase db = store.connection();
    const QString after = sinceClause(since);
    const auto counts = readDays(db, after, progress);
    for (std::size_t i = 0; i < Measures.size(); ++i) {
        if (counts[i] == 0)
            continue;
        if (counts[i] > pointLimit)
            progress.pointsLeftOut = true;
        else
            readPoints(db, Measures[i], after, progress.*Measures[i].series);
    }
    return progress;
}
