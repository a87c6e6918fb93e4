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
        return QStringLiteral("chars_per_minute");
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
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isWritable()) {
        OpeningMessage = QStringLiteral("Папка дневника недоступна для записи: ") +
                         QDir::toNativeSeparators(folder) +
                         QStringLiteral(". Результаты этого занятия не сохранятся после выхода "
                                        "из программы.");
        openInMemory();
        return Opening::InMemory;
    }
    if (openFile(path))
        return Opening::Opened;
    const QString error = connection().lastError().text();
    close();
    if (!OpeningMessage.isEmpty()) { // a newer program's diary: left as it is
        openInMemory();
        return Opening::InMemory;
    }
    const QString aside = datedAsideName(path);
    const bool moved = QFile::rename(path, aside);
    for (const QString& companion : {QStringLiteral("-wal"), QStringLiteral("-shm")})
        QFile::remove(path + companion);
    if (moved && openFile(path)) {
        OpeningMessage = QStringLiteral("Файл дневника повреждён и сохранён под именем ") +
                         QDir::toNativeSeparators(aside) +
                         QStringLiteral(". Начат новый дневник.");
        return Opening::MovedAside;
    }
    close();
    OpeningMessage = QStringLiteral("Дневник не удалось открыть: ") +
                     QDir::toNativeSeparators(path) + QStringLiteral(" (") + error +
                     QStringLiteral("). Результаты этого занятия не сохранятся после выхода из "
                                    "программы.");
    openInMemory();
    return Opening::InMemory;
}

bool DiaryStore::openFile(const QString& path) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), ConnectionName);
    db.setDatabaseName(path);
    // Another program writing at the same moment is waited for, not failed.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open())
        return false;
    QSqlQuery check(db);
    if (!check.exec(QStringLiteral("PRAGMA quick_check")) || !check.next() ||
        check.value(0).toString() != QLatin1String("ok"))
        return false;
    check.finish();
    QSqlQuery pragma(db);
    if (!pragma.exec(QStringLiteral("PRAGMA journal_mode=WAL")) ||
        !pragma.exec(QStringLiteral("PRAGMA synchronous=NORMAL")))
        return false;
    return migrate();
}

void DiaryStore::openInMemory() {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), ConnectionName);
    db.setDatabaseName(QStringLiteral(":memory:"));
    if (db.open())
        migrate();
}

bool DiaryStore::migrate() {
    QSqlDatabase db = connection();
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return false;
    int version = query.value(0).toInt();
    query.finish();
    if (version > SchemaVersion) {
        OpeningMessage = QStringLiteral("Дневник ") + QDir::toNativeSeparators(db.databaseName()) +
                         QStringLiteral(" записан более новой версией программы и оставлен как "
                                        "есть. Результаты этого занятия не сохранятся после "
                                        "выхода из программы.");
        return false;
    }
    if (version == SchemaVersion)
        return true;
    if (!db.transaction())
        return false;
    for (; version < SchemaVersion; ++version) {
        for (const QString& statement : DiarySchema::stepFrom(version)) {
            if (!query.exec(statement)) {
                db.rollback();
                return false;
            }
        }
    }
    if (!query.exec(QStringLiteral("PRAGMA user_version = ") + QString::number(SchemaVersion))) {
        db.rollback();
        return false;
    }
    return db.commit();
}

bool DiaryStore::add(const RunResult& r, const QDateTime& when) {
    QSqlDatabase db = connection();
    if (!db.isOpen() || !db.transaction())
        return false;
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
        "INSERT INTO records (at, kind, chars_per_minute, words_per_minute, field_width, "
        "text_name, chars_read, words_read, duration_ms, course_level, course_stage, "
        "right_count, out_of, shown, mistakes, stopped) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
        "?, ?, ?, ?, ?, ?)"));
    const QVariantList values{when.toMSecsSinceEpoch(), static_cast<int>(r.kind),
                              r.charsPerMinute, r.wordsPerMinute, r.fieldWidth, notNull(r.textName),
                              r.charsRead, r.wordsRead, r.durationMs, r.courseLevel,
                              r.courseStage, orNull(r.right), r.outOf, notNull(r.shown),
                              orNull(r.mistakes), r.stopped ? 1 : 0};
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
