#include "diary/DiaryStore.h"

#include "diary/DiarySchema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

#include <atomic>

namespace {

QString newConnectionName() {
    static std::atomic<int> next{0};
    return QStringLiteral("diary-") + QString::number(next++);
}

// A missing score or mistake count is stored as NULL.
QVariant orNull(int value) {
    return value < 0 ? QVariant(QMetaType(QMetaType::Int)) : QVariant(value);
}

// Text columns hold no NULL: a missing text is stored empty.
QString notNull(const QString& text) {
    return text.isNull() ? QStringLiteral("") : text;
}

QString orderColumn(DiaryOrder order) {
    switch (order) {
    case DiaryOrder::When:
        return QStringLiteral("at");
    case DiaryOrder::Kind:
        return QStringLiteral("kind");
    case DiaryOrder::CharsPerMinute:
        return QStringLiteral("regulator_chars_per_minute");
    case DiaryOrder::ActualCharsPerMinute:
        return QStringLiteral("actual_chars_per_minute");
    case DiaryOrder::WordsPerMinute:
        return QStringLiteral("words_per_minute");
    case DiaryOrder::FieldWidth:
        return QStringLiteral("field_width");
    case DiaryOrder::Text:
        return QStringLiteral("text_name");
    case DiaryOrder::Duration:
        return QStringLiteral("duration_ms");
    case DiaryOrder::Result:
        return QStringLiteral("CASE WHEN out_of > 0 THEN right_count * 100 / out_of END");
    }
    return QStringLiteral("at");
}

// The WHERE clause of a filter; its values are bound by bindFilter.
QString whereClause(const DiaryFilter& filter) {
    QStringList parts;
    if (filter.kind)
        parts << QStringLiteral("kind = :kind");
    if (filter.since.isValid())
        parts << QStringLiteral("at >= :since");
    return parts.isEmpty() ? QString() : QStringLiteral(" WHERE ") + parts.join(" AND ");
}

void bindFilter(QSqlQuery& query, const DiaryFilter& filter) {
    if (filter.kind)
        query.bindValue(QStringLiteral(":kind"), static_cast<int>(*filter.kind));
    if (filter.since.isValid())
        query.bindValue(QStringLiteral(":since"), filter.since.toMSecsSinceEpoch());
}

DiaryRecord readRecord(const QSqlQuery& query) {
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

QString datedAsideName(const QString& path) {
    const QFileInfo info(path);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral("-damaged-") +
                               QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss") +
                               QLatin1Char('.') + info.suffix());
}

} // namespace

DiaryStore::DiaryStore(QObject* parent) : QObject(parent), ConnectionName(newConnectionName()) {}

DiaryStore::~DiaryStore() {
    close();
}

QString DiaryStore::defaultPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("diary.sqlite"));
}

QSqlDatabase DiaryStore::connection() const {
    return QSqlDatabase::database(ConnectionName, false);
}

void DiaryStore::close() {
    if (!QSqlDatabase::contains(ConnectionName))
        return;
    {
        QSqlDatabase db = connection();
        db.close();
    }
    QSqlDatabase::removeDatabase(ConnectionName);
}

DiaryStore::Opening DiaryStore::open(const QString& path) {
    close();
    Path = path;
    OpeningMessage.clear();
    const QString keptForThisSession =
        QStringLiteral(" Результаты этого занятия не сохранятся после выхода из программы.");
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isWritable()) {
        OpeningMessage = QStringLiteral("Папка дневника недоступна для записи: ") +
                         QDir::toNativeSeparators(folder) + QLatin1Char('.') + keptForThisSession;
        openInMemory();
        return Opening::InMemory;
    }
    FileState state = openFile(path);
    if (state == FileState::Usable)
        return Opening::Opened;
    QString problem = connection().lastError().text();
    close();
    if (state == FileState::Damaged) {
        const QString aside = datedAsideName(path);
        if (QFile::rename(path, aside)) {
            for (const QString& companion : {QStringLiteral("-wal"), QStringLiteral("-shm")})
                QFile::remove(path + companion);
            state = openFile(path);
            if (state == FileState::Usable) {
                OpeningMessage = QStringLiteral("Файл дневника повреждён и сохранён под именем ") +
                                 QDir::toNativeSeparators(aside) +
                                 QStringLiteral(". Начат новый дневник.");
                return Opening::MovedAside;
            }
            problem = connection().lastError().text();
            close();
        }
    }
    if (state == FileState::Newer)
        OpeningMessage = QStringLiteral("Дневник ") + QDir::toNativeSeparators(path) +
                         QStringLiteral(" записан более новой версией программы и оставлен как "
                                        "есть.") +
                         keptForThisSession;
    else
        OpeningMessage = QStringLiteral("Дневник не удалось открыть: ") +
                         QDir::toNativeSeparators(path) + QStringLiteral(" (") + problem +
                         QStringLiteral(").") + keptForThisSession;
    openInMemory();
    return Opening::InMemory;
}

namespace {

// Whether the last error says the file is no database or a damaged one (SQLITE_CORRUPT,
// SQLITE_NOTADB), rather than busy, locked or out of reach.
bool isDamage(const QSqlError& error) {
    const int code = error.nativeErrorCode().toInt() & 0xff;
    return code == 11 || code == 26;
}

} // namespace

DiaryStore::FileState DiaryStore::openFile(const QString& path) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), ConnectionName);
    db.setDatabaseName(path);
    // Another program writing at the same moment is waited for, not failed.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open())
        return isDamage(db.lastError()) ? FileState::Damaged : FileState::Unusable;
    // Reading the table list finds a file that is no database or has a damaged head; a
    // full check would read every page and slow down every start.
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master")) || !query.next())
        return isDamage(query.lastError()) ? FileState::Damaged : FileState::Unusable;
    query.finish();
    if (!query.exec(QStringLiteral("PRAGMA journal_mode=WAL")) ||
        !query.exec(QStringLiteral("PRAGMA synchronous=NORMAL")))
        return isDamage(query.lastError()) ? FileState::Damaged : FileState::Unusable;
    return migrate();
}

void DiaryStore::openInMemory() {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), ConnectionName);
    db.setDatabaseName(QStringLiteral(":memory:"));
    if (db.open())
        migrate();
}

DiaryStore::FileState DiaryStore::migrate() {
    QSqlQuery query(connection());
    // The version is read under the write lock: a second program starting at the same moment
    // finds the layout already made instead of making it again.
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return FileState::Unusable;
    const auto fail = [&query] {
        const FileState state = isDamage(query.lastError()) ? FileState::Damaged : FileState::Unusable;
        query.exec(QStringLiteral("ROLLBACK"));
        return state;
    };
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return fail();
    int version = query.value(0).toInt();
    query.finish();
    if (version > SchemaVersion) {
        query.exec(QStringLiteral("ROLLBACK"));
        return FileState::Newer;
    }
    for (; version < SchemaVersion; ++version) {
        for (const QString& statement : DiarySchema::stepFrom(version)) {
            if (!query.exec(statement))
                return fail();
        }
    }
    if (!query.exec(QStringLiteral("PRAGMA user_version = ") + QString::number(SchemaVersion)) ||
        !query.exec(QStringLiteral("COMMIT")))
        return fail();
    return FileState::Usable;
}

bool DiaryStore::add(const RunResult& r, const QDateTime& when) {
    QSqlDatabase db = connection();
    if (!db.isOpen() || !db.transaction())
        return false;
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
        "INSERT INTO records (at, kind, regulator_chars_per_minute, words_per_minute, "
        "field_width, text_name, chars_read, words_read, duration_ms, course_level, "
        "course_stage, right_count, out_of, shown, mistakes, stopped, day, "
        "actual_chars_per_minute) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    const QVariantList values{when.toMSecsSinceEpoch(),
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
                              when.date().toJulianDay(),
                              orNull(r.actualCharsPerMinute)};
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec() || !db.commit()) {
        db.rollback();
        return false;
    }
    emit changed();
    return true;
}

bool DiaryStore::remove(qint64 id) {
    QSqlQuery query(connection());
    query.prepare(QStringLiteral("DELETE FROM records WHERE id = ?"));
    query.addBindValue(id);
    if (!query.exec())
        return false;
    emit changed();
    return true;
}

bool DiaryStore::removeAll() {
    QSqlQuery query(connection());
    if (!query.exec(QStringLiteral("DELETE FROM records")))
        return false;
    emit changed();
    return true;
}

int DiaryStore::count(const DiaryFilter& filter) const {
    QSqlQuery query(connection());
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM records") + whereClause(filter));
    bindFilter(query, filter);
    if (!query.exec() || !query.next())
        return 0;
    return query.value(0).toInt();
}

std::vector<DiaryRecord> DiaryStore::records(const DiaryFilter& filter, DiaryOrder order,
                                             Qt::SortOrder direction, int limit,
                                             int offset) const {
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    const QString sql = QStringLiteral("SELECT ") + QLatin1String(DiarySchema::RecordColumns) +
                        QStringLiteral(" FROM records") + whereClause(filter) +
                        QStringLiteral(" ORDER BY ") + orderColumn(order) +
                        (direction == Qt::AscendingOrder ? QStringLiteral(" ASC")
                                                         : QStringLiteral(" DESC")) +
                        QStringLiteral(", id") +
                        (direction == Qt::AscendingOrder ? QStringLiteral(" ASC")
                                                         : QStringLiteral(" DESC")) +
                        QStringLiteral(" LIMIT ") + QString::number(limit) +
                        QStringLiteral(" OFFSET ") + QString::number(std::max(0, offset));
    query.prepare(sql);
    bindFilter(query, filter);
    std::vector<DiaryRecord> found;
    if (!query.exec())
        return found;
    while (query.next())
        found.push_back(readRecord(query));
    return found;
}
