#include "diary/DiaryBackup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

#include <sqlite3.h>

namespace {

QString prefix(const QString& diaryPath) {
    return QFileInfo(diaryPath).completeBaseName() + QStringLiteral("-backup-");
}

// Copies the database at from into a new file at to, in one go.
bool copyDatabase(const QString& from, const QString& to) {
    sqlite3* source = nullptr;
    sqlite3* target = nullptr;
    bool done = false;
    if (sqlite3_open_v2(QFile::encodeName(from).constData(), &source, SQLITE_OPEN_READONLY,
                        nullptr) == SQLITE_OK &&
        sqlite3_open_v2(QFile::encodeName(to).constData(), &target,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK) {
        sqlite3_busy_timeout(source, 2000);
        if (sqlite3_backup* backup = sqlite3_backup_init(target, "main", source, "main")) {
            done = sqlite3_backup_step(backup, -1) == SQLITE_DONE;
            done = sqlite3_backup_finish(backup) == SQLITE_OK && done;
        }
    }
    sqlite3_close(source);
    sqlite3_close(target);
    return done;
}

} // namespace

QString DiaryBackup::pathFor(const QString& diaryPath, const QDate& day) {
    const QFileInfo info(diaryPath);
    return info.dir().filePath(prefix(diaryPath) + day.toString(u"yyyy-MM-dd") + QLatin1Char('.') +
                               info.suffix());
}

QStringList DiaryBackup::existing(const QString& diaryPath) {
    const QFileInfo info(diaryPath);
    QStringList found;
    // The date in the name sorts as the days do.
    const QStringList names =
        info.dir().entryList({prefix(diaryPath) + QStringLiteral("????-??-??.") + info.suffix()},
                             QDir::Files, QDir::Name | QDir::Reversed);
    for (const QString& name : names)
        found << info.dir().filePath(name);
    return found;
}

bool DiaryBackup::make(const QString& diaryPath, const QDate& day) {
    const QString target = pathFor(diaryPath, day);
    // A name of its own: another program may be making the same day's copy.
    const QString passing = target + QLatin1Char('.') + QUuid::createUuid().toString(QUuid::Id128) +
                            QStringLiteral(".part");
    if (!copyDatabase(diaryPath, passing)) {
        QFile::remove(passing);
        return false;
    }
    QFile::remove(target);
    if (!QFile::rename(passing, target))
        return false;
    const QStringList copies = existing(diaryPath);
    for (qsizetype i = Kept; i < copies.size(); ++i)
        QFile::remove(copies[i]);
    return true;
}
