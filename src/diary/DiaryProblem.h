#pragma once

#include <QString>

class QSqlError;

// Why the diary could not be read or written, in the groups the user is told of.
enum class DiaryProblem {
    None,
    DiskFull,
    NoPermission,
    Locked,
    Damaged,
    Other,
};

// What went wrong, from SQLite's result code (primary or extended) as the driver reports it.
struct DiaryFailure {
    DiaryProblem problem = DiaryProblem::None;
    int code = 0;
    // The reason in the user's words, never empty for a failure: "диск переполнен" …
    QString reason() const;
};

DiaryFailure diaryFailure(int sqliteCode);
DiaryFailure diaryFailure(const QSqlError& error);
