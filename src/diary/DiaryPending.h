#pragma once

#include "diary/DiaryStore.h"

#include <QString>

#include <functional>
#include <vector>

// Results that could not be written to the diary yet: a small file beside it that only grows,
// one line per result, each line on the disk before append() returns. Several programs may
// share it; a lock file keeps their appends and takes apart.
class DiaryPending {
public:
    explicit DiaryPending(const QString& diaryPath);

    QString path() const { return Path; }
    // Keeps one result; false when even this file cannot be written.
    bool append(const DiaryRecord& record) const;
    // How many results wait.
    int count() const;
    // Hands every waiting result to write, and empties the file when write returns true. A line
    // that cannot be read back (cut short by a crash while it was written) is passed over.
    bool take(const std::function<bool(const std::vector<DiaryRecord>&)>& write) const;

private:
    std::vector<DiaryRecord> readAll() const;

    QString Path;
};
