#include "diary/DiaryProgress.h"

#include "diary/DiaryStore.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

// The local day of a record's moment, as SQLite names it ("2026-12-07").
const QString Day = QStringLiteral("date(at / 1000, 'unixepoch', 'localtime')");

qreal dayStart(const QString& day) {
    return qreal(QDate::fromString(day, Qt::ISODate).startOfDay().toMSecsSinceEpoch());
}

// One measure: `value` is an SQL expression over a record, `best` MAX or MIN, `where` picks
// the records that count.
struct Measure {
    ProgressSeries* series;
    QString value;
    QString best;
    QString where;
};

QString kindIs(DiaryKind kind) {
    return QStringLiteral("kind = ") + QString::number(static_cast<int>(kind));
}

QString sinceClause(const QDateTime& since) {
    return since.isValid() ? QStringLiteral(" AND at >= ") + QString::number(since.toMSecsSinceEpoch())
                           : QString();
}

void readMeasure(const QSqlDatabase& db, const Measure& m, const QString& since, int pointLimit,
                 DiaryProgress& progress) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    const QString where = QStringLiteral(" FROM records WHERE ") + m.where + since;
    // With MAX or MIN, SQLite takes `at` from the record that holds the best value, so the
    // line runs through that record's point.
    if (query.exec(QStringLiteral("SELECT at, ") + m.best + QStringLiteral("(") + m.value +
                   QStringLiteral(")") + where + QStringLiteral(" GROUP BY ") + Day +
                   QStringLiteral(" ORDER BY at"))) {
        while (query.next())
            m.series->dailyBest.append({query.value(0).toDouble(), query.value(1).toDouble()});
    }
    if (m.series->dailyBest.isEmpty())
        return;
    if (!query.exec(QStringLiteral("SELECT at, ") + m.value + where +
                    QStringLiteral(" ORDER BY at LIMIT ") + QString::number(pointLimit + 1)))
        return;
    QList<QPointF> points;
    while (query.next())
        points.append({query.value(0).toDouble(), query.value(1).toDouble()});
    if (points.size() > pointLimit)
        progress.pointsLeftOut = true;
    else
        m.series->points = std::move(points);
}

} // namespace

DiaryProgress readProgress(const DiaryStore& store, const QDateTime& since, int pointLimit) {
    DiaryProgress progress;
    const QSqlDatabase db = store.connection();
    const QString after = sinceClause(since);
    const QString finishedTextTest = kindIs(DiaryKind::TextTest) + QStringLiteral(" AND stopped = 0");
    const Measure measures[] = {
        {&progress.charsPerMinute, QStringLiteral("chars_per_minute"), QStringLiteral("MAX"),
         finishedTextTest},
        {&progress.wordsPerMinute, QStringLiteral("words_per_minute"), QStringLiteral("MAX"),
         finishedTextTest},
        {&progress.comprehension, QStringLiteral("right_count * 100 / out_of"),
         QStringLiteral("MAX"), finishedTextTest + QStringLiteral(" AND out_of > 0 AND right_count IS NOT NULL")},
        {&progress.fieldWidth, QStringLiteral("field_width"), QStringLiteral("MAX"),
         kindIs(DiaryKind::FieldOfViewTest) + QStringLiteral(" AND right_count = 1")},
        {&progress.tableFound, QStringLiteral("right_count * 100 / out_of"), QStringLiteral("MAX"),
         kindIs(DiaryKind::TableTest) +
             QStringLiteral(" AND stopped = 0 AND out_of > 0 AND right_count IS NOT NULL")},
        {&progress.schulteSeconds, QStringLiteral("duration_ms / 1000.0 / out_of"),
         QStringLiteral("MIN"), kindIs(DiaryKind::Schulte) + QStringLiteral(" AND stopped = 0 AND out_of > 0")},
    };
    for (const Measure& m : measures)
        readMeasure(db, m, after, pointLimit, progress);

    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (query.exec(QStringLiteral("SELECT ") + Day +
                   QStringLiteral(", SUM(duration_ms), COUNT(*) FROM records WHERE 1") + after +
                   QStringLiteral(" GROUP BY 1 ORDER BY 1"))) {
        while (query.next()) {
            progress.minutesPerDay.append(
                {dayStart(query.value(0).toString()), query.value(1).toDouble() / 60000.0});
            progress.records += query.value(2).toInt();
        }
    }
    return progress;
}
