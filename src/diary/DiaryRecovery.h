#pragma once

#include "diary/DiaryStore.h"

#include <QString>

#include <vector>

// What could be read back from a damaged diary.
struct DiaryRecovery {
    std::vector<DiaryRecord> records; // with their ids
    int lost = -1;                    // records the file counts that could not be read; -1: unknown
};

// Reads the records of a damaged diary at path, with its crash journal when one is given, row by
// row, passing over what SQLite cannot read. Works on a copy: the files are left as they are.
// A file whose header was wiped gets one rebuilt in the copy, page size by page size.
DiaryRecovery recoverDiary(const QString& path, const QString& journal);
