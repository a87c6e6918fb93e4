#pragma once

#include <QString>
#include <QStringList>

class QSqlDatabase;
class QSqlQuery;
struct DiaryRecord;

// The diary's table layout, version by version. Step n turns a file of version n into one of
// version n + 1; a new file runs them all.
namespace DiarySchema {

// Statements of the step from `version` to version + 1; empty past the last version.
QStringList stepFrom(int version);

// The columns a record is read from, in the order DiaryStore reads them.
inline constexpr const char* RecordColumns =
    "id, at, kind, regulator_chars_per_minute, words_per_minute, field_width, text_name, "
    "chars_read, words_read, duration_ms, course_level, course_stage, right_count, out_of, shown, "
    "mistakes, stopped, actual_chars_per_minute";

// The columns to select a record by from the records table of `schema` in db, in the order of
// RecordColumns: a file from before the two speeds were parted gives them as the step that
// parts them sets them, so a damaged or backed-up file of that layout is read whole.
QString recordColumnsIn(const QSqlDatabase& db, const QString& schema = QStringLiteral("main"));

// A record's score in per cent, rounded down as RunResult::percent() gives it; NULL where the
// record has none.
inline constexpr const char* ScorePercent =
    "CASE WHEN out_of > 0 AND right_count IS NOT NULL THEN right_count * 100 / out_of END";

// A record from a query that selected RecordColumns.
DiaryRecord readRecord(const QSqlQuery& query);
// Prepares query to insert one record; with keepId the record keeps its id.
void prepareInsert(QSqlQuery& query, bool keepId);
// Binds a record to a query made by prepareInsert.
void bindRecord(QSqlQuery& query, const DiaryRecord& record, bool keepId);

} // namespace DiarySchema
