#pragma once

#include <QStringList>

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

} // namespace DiarySchema
