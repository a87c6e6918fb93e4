#include "diary/DiarySchema.h"

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
        // chars_per_minute stays as it was written: the regulator's speed for every kind but
        // flash reading, whose figure was its speed over the time on show. It is read no more.
        return {QStringLiteral("ALTER TABLE records ADD COLUMN regulator_chars_per_minute "
                               "INTEGER NOT NULL DEFAULT 0"),
                QStringLiteral("ALTER TABLE records ADD COLUMN actual_chars_per_minute INTEGER"),
                QStringLiteral("UPDATE records SET regulator_chars_per_minute = chars_per_minute "
                               "WHERE kind <> 7"),
                // Text reading and tests kept the real run time, the characters read without
                // blanks and the words: the blanks passed over are one between each two words.
                QStringLiteral("UPDATE records SET actual_chars_per_minute = (chars_read + "
                               "words_read - 1) * 60000 / duration_ms WHERE kind IN (1, 2) AND "
                               "chars_read > 0 AND words_read > 0 AND duration_ms > 0")};
    default:
        return {};
    }
}
