#include "diary/DiarySchema.h"

#include "diary/DiaryStore.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

namespace {

// A missing score or mistake count is stored as NULL.
QVariant orNull(int value) {
    return value < 0 ? QVariant(QMetaType(QMetaType::Int)) : QVariant(value);
}

// Text columns hold no NULL: a missing text is stored empty.
QString notNull(const QString& text) {
    return text.isNull() ? QStringLiteral("") : text;
}

// The second version kept one speed, chars_per_minute: the regulator's for every kind but
// flash reading, whose figure was its speed over the time on show. It stays in the file as it
// was written and is read no more.
constexpr char RegulatorOfSecondVersion[] = "CASE WHEN kind <> 7 THEN chars_per_minute ELSE 0 END";
// Text reading and tests kept the real run time, the characters read without blanks and the
// words: the blanks passed over are one between each two words.
constexpr char ActualOfSecondVersion[] =
    "CASE WHEN kind IN (1, 2) AND chars_read > 0 AND words_read > 0 AND duration_ms > 0 THEN "
    "(chars_read + words_read - 1) * 60000 / duration_ms END";

} // namespace

QStringList DiarySchema::stepFrom(int version) {
    switch (version) {
    case 0: // the first layout
        return {QStringLiteral("CREATE TABLE records ("
                               "id INTEGER PRIMARY KEY, "
                               "at INTEGER NOT NULL, "
                               "kind INTEGER NOT NULL, "
                               "chars_per_minute INTEGER NOT NULL DEFAULT 0, "
                               "field_width INTEGER NOT NULL DEFAULT 0, "
                               "text_name TEXT NOT NULL DEFAULT '', "
                               "chars_read INTEGER NOT NULL DEFAULT 0, "
                               "duration_ms INTEGER NOT NULL DEFAULT 0, "
                               "right_count INTEGER, "
                               "out_of INTEGER NOT NULL DEFAULT 0, "
                               "shown TEXT NOT NULL DEFAULT '', "
                               "stopped INTEGER NOT NULL DEFAULT 0)")};
    case 1: // words, the course, mistakes and the local day; records found by time and kind
        return {QStringLiteral("ALTER TABLE records ADD COLUMN words_per_minute INTEGER NOT NULL "
                               "DEFAULT 0"),
                QStringLiteral("ALTER TABLE records ADD COLUMN words_read INTEGER NOT NULL "
                               "DEFAULT 0"),
                QStringLiteral("ALTER TABLE records ADD COLUMN course_level INTEGER NOT NULL "
                               "DEFAULT 0"),
                QStringLiteral("ALTER TABLE records ADD COLUMN course_stage INTEGER NOT NULL "
                               "DEFAULT 0"),
                QStringLiteral("ALTER TABLE records ADD COLUMN mistakes INTEGER"),
                // The day of the record where the user lives, as a Julian day number: the
                // charts group by it without converting every moment.
                QStringLiteral("ALTER TABLE records ADD COLUMN day INTEGER NOT NULL DEFAULT 0"),
                QStringLiteral("UPDATE records SET day = CAST(julianday(date(at / 1000, "
                               "'unixepoch', 'localtime')) + 0.5 AS INTEGER)"),
                QStringLiteral("CREATE INDEX records_at ON records(at)"),
                QStringLiteral("CREATE INDEX records_kind_at ON records(kind, at)")};
    case 2: // the regulator's speed and the speed reached, each in a column of its own
        return {QStringLiteral("ALTER TABLE records ADD COLUMN regulator_chars_per_minute "
                               "INTEGER NOT NULL DEFAULT 0"),
                QStringLiteral("ALTER TABLE records ADD COLUMN actual_chars_per_minute INTEGER"),
                QStringLiteral("UPDATE records SET regulator_chars_per_minute = ") +
                    QLatin1String(RegulatorOfSecondVersion) +
                    QStringLiteral(", actual_chars_per_minute = ") +
                    QLatin1String(ActualOfSecondVersion)};
    default:
        return {};
    }
}

QString DiarySchema::recordColumnsIn(const QSqlDatabase& db, const QString& schema) {
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM pragma_table_info('records', ?) WHERE "
                                 "name = 'regulator_chars_per_minute'"));
    query.addBindValue(schema);
    QString columns = QLatin1String(RecordColumns);
    if (query.exec() && query.next() && query.value(0).toInt() == 0) {
        columns.replace(QStringLiteral("regulator_chars_per_minute"),
                        QLatin1String(RegulatorOfSecondVersion));
        columns.replace(QStringLiteral("actual_chars_per_minute"),
                        QLatin1String(ActualOfSecondVersion));
    }
    return columns;
}

DiaryRecord DiarySchema::readRecord(const QSqlQuery& query) {
    DiaryRecord record;
    record.id = query.value(0).toLongLong();
    record.when = QDateTime::fromMSecsSinceEpoch(query.value(1).toLongLong());
    RunResult& r = record.result;
    diaryKindFromCode(query.value(2).toInt(), &r.kind);
    r.charsPerMinute = query.value(3).toInt();
    r.wordsPerMinute = query.value(4).toInt();
    r.fieldWidth = query.value(5).toInt();
    r.textName = query.value(6).toString();
    r.charsRead = query.value(7).toInt();
    r.wordsRead = query.value(8).toInt();
    r.durationMs = query.value(9).toLongLong();
    r.courseLevel = query.value(10).toInt();
    r.courseStage = query.value(11).toInt();
    r.right = query.isNull(12) ? -1 : query.value(12).toInt();
    r.outOf = query.value(13).toInt();
    r.shown = query.value(14).toString();
    r.mistakes = query.isNull(15) ? -1 : query.value(15).toInt();
    r.stopped = query.value(16).toBool();
    r.actualCharsPerMinute = query.isNull(17) ? -1 : query.value(17).toInt();
    return record;
}

void DiarySchema::prepareInsert(QSqlQuery& query, bool keepId) {
    query.prepare(QStringLiteral("INSERT INTO records (") +
                  (keepId ? QStringLiteral("id, ") : QString()) +
                  QStringLiteral("at, kind, regulator_chars_per_minute, words_per_minute, "
                                 "field_width, text_name, chars_read, words_read, duration_ms, "
                                 "course_level, course_stage, right_count, out_of, shown, "
                                 "mistakes, stopped, day, actual_chars_per_minute) VALUES (") +
                  (keepId ? QStringLiteral("?, ") : QString()) +
                  QStringLiteral("?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
}

void DiarySchema::bindRecord(QSqlQuery& query, const DiaryRecord& record, bool keepId) {
    const RunResult& r = record.result;
    const QVariantList values{record.when.toMSecsSinceEpoch(),
                              static_cast<int>(r.kind),
                              r.charsPerMinute,
                              r.wordsPerMinute,
                              r.fieldWidth,
                              notNull(r.textName),
                              r.charsRead,
                              r.wordsRead,
                              r.durationMs,
                              r.courseLevel,
                              r.courseStage,
                              orNull(r.right),
                              r.outOf,
                              notNull(r.shown),
                              orNull(r.mistakes),
                              r.stopped ? 1 : 0,
                              record.when.date().toJulianDay(),
                              orNull(r.actualCharsPerMinute)};
    int position = 0;
    if (keepId)
        query.bindValue(position++, record.id);
    for (const QVariant& value : values)
        query.bindValue(position++, value);
}
