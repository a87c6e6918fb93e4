#include "diary/DiaryFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <atomic>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace {

QString uniqueConnectionName() {
    static std::atomic<int> next{0};
    return QStringLiteral("diary-identity-") + QString::number(next++);
}

} // namespace

QString DiaryFiles::nonFileName(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return {};
    if (info.isFile())
        return {};
    if (info.isDir())
        return QStringLiteral("папка");
    if (info.isSymLink() && !info.exists())
        return QStringLiteral("ссылка, ведущая в никуда");
#ifndef Q_OS_WIN
    struct stat st {};
    if (stat(QFile::encodeName(path).constData(), &st) == 0) {
        if (S_ISFIFO(st.st_mode))
            return QStringLiteral("именованный канал");
        if (S_ISSOCK(st.st_mode))
            return QStringLiteral("сокет");
        if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
            return QStringLiteral("устройство");
    }
#endif
    return QStringLiteral("не обычный файл");
}

QString DiaryFiles::keepAside(const QString& path, const QString& label, bool withMainFile) {
    const QFileInfo info(path);
    const QString stamp = QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss");
    QString stem = info.dir().filePath(info.completeBaseName() + QLatin1Char('-') + label +
                                       QLatin1Char('-') + stamp);
    const QString suffix = QLatin1Char('.') + info.suffix();
    // Two damages within a second get names of their own.
    for (int n = 2; QFileInfo::exists(stem + suffix) || QFileInfo::exists(stem + suffix + "-wal");
         ++n)
        stem =
            info.dir().filePath(info.completeBaseName() + QLatin1Char('-') + label +
                                QLatin1Char('-') + stamp + QLatin1Char('-') + QString::number(n));
    QString first;
    if (withMainFile) {
        if (!QFile::rename(path, stem + suffix))
            return {};
        first = stem + suffix;
    }
    for (const char* companion : Companions) {
        const QString from = path + QLatin1String(companion);
        const QString to = stem + suffix + QLatin1String(companion);
        if (QFileInfo::exists(from) && QFile::rename(from, to) && first.isEmpty())
            first = to;
    }
    return first;
}

DiaryFiles::Identity DiaryFiles::readIdentity(const QString& path) {
    Identity identity;
    const QString name = uniqueConnectionName();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("PRAGMA application_id")) && query.next()) {
                identity.readable = true;
                identity.applicationId = query.value(0).toLongLong();
            }
            if (query.exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' "
                                          "AND name = 'records'")) &&
                query.next())
                identity.hasRecords = query.value(0).toInt() > 0;
            else
                identity.readable = false;
            if (query.exec(QStringLiteral("SELECT id, token FROM diary_identity")) &&
                query.next()) {
                identity.id = query.value(0).toString();
                identity.token = query.value(1).toString();
            }
            query.finish();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return identity;
}

QString DiaryFiles::copyInto(const QString& folder, const QString& path, const QString& journal) {
    const QString copy = QDir(folder).filePath(QStringLiteral("diary.sqlite"));
    if (!QFile::copy(path, copy))
        return {};
    if (!journal.isEmpty() && !QFile::copy(journal, copy + QStringLiteral("-wal")))
        return {};
    return copy;
}

DiaryFiles::Journal DiaryFiles::checkJournal(const QString& path) {
    const QString journal = path + QStringLiteral("-wal");
    const QFileInfo info(journal);
    if (!info.exists() || info.size() == 0)
        return Journal::None;
    // SQLite would take a journal without its header for an empty one and write over it.
    QFile file(journal);
    if (!file.open(QIODevice::ReadOnly))
        return Journal::Unknown;
    const QByteArray magic = file.read(4);
    file.close();
    if (magic != QByteArray::fromHex("377f0682") && magic != QByteArray::fromHex("377f0683"))
        return Journal::Foreign;
    QTemporaryDir alone;
    QTemporaryDir joined;
    const QString aloneCopy = copyInto(alone.path(), path, {});
    const QString joinedCopy = copyInto(joined.path(), path, journal);
    if (aloneCopy.isEmpty() || joinedCopy.isEmpty())
        return Journal::Unknown;
    const Identity before = readIdentity(aloneCopy);
    if (!before.readable)
        return Journal::Unknown;
    return readIdentity(joinedCopy) == before ? Journal::Belongs : Journal::Foreign;
}
