#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// The diary's daily copies beside it: "diary-backup-<date>.sqlite", the last few kept.
namespace DiaryBackup {

inline constexpr int Kept = 7;

// The copy of this day's diary at path.
QString pathFor(const QString& diaryPath, const QDate& day);
// The copies there are, newest first.
QStringList existing(const QString& diaryPath);
// Copies the diary through SQLite's backup interface (a consistent copy while others write),
// first under a passing name that is renamed when the copy is whole, then removes all but the
// Kept newest copies. False when the copy could not be made.
bool make(const QString& diaryPath, const QDate& day);

} // namespace DiaryBackup
