#include "diary/DiaryStore.h"

#include "diary/DiaryFiles.h"
#include "diary/DiaryPending.h"
#include "diary/DiaryProblem.h"
#include "diary/DiarySchema.h"

#include <QAbstractEventDispatcher>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QUuid>
#include <QVariant>

#include <atomic>

namespace {

QString newConnectionName() {
    static std::atomic<int> next{0};
    return QStringLiteral("diary-") + QString::number(next++);
}

// A write waits this long for another program's write before it is put off: the interface
// is never held longer than a moment.
constexpr int BusyWaitMs = 50;
// Put-off writes are tried again this often.
constexpr int RetryMs = 3000;

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
        return QLatin1String(DiarySchema::ScorePercent);
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

const QString KeptForThisSession =
    QStringLiteral(" Результаты этого занятия не сохранятся после выхода из программы.");

} // namespace

DiaryStore::DiaryStore(QObject* parent)
    : QObject(parent), ConnectionName(newConnectionName()), Retry(new QTimer(this)) {
    Retry->setInterval(RetryMs);
    connect(Retry, &QTimer::timeout, this, &DiaryStore::retry);
}

DiaryStore::~DiaryStore() {
    dropCheck();
    if (Backup)
        Backup->wait();
    // A last try for what waits; what is still locked out is written at the next start.
    if (State == Mode::File && Pending && pendingCount() > 0)
        writePending();
    close();
}

QString DiaryStore::defaultPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("diary.sqlite"));
}

DiaryProgress DiaryStore::progress(const DiaryFilter& filter, int pointLimit) const {
    return readProgress(connection(), filter, pointLimit);
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

void DiaryStore::tell(const QString& message) {
    if (InOpening) {
        if (!OpeningMessage.isEmpty())
            OpeningMessage += QLatin1Char('\n');
        OpeningMessage += message;
    } else {
        emit trouble(message);
    }
}

DiaryStore::Opening DiaryStore::open(const QString& path, bool checkInBackground) {
    dropCheck();
    close();
    Path = path;
    OpeningMessage.clear();
    OfferedBackup.clear();
    ToldOfPending = false;
    Repaired = false;
    Pending = std::make_unique<DiaryPending>(path);
    InOpening = true;
    const Opening opening = [&] {
        const QString folder = QFileInfo(path).absolutePath();
        if (!QDir().mkpath(folder) || !QFileInfo(folder).isWritable()) {
            tell(QStringLiteral("Папка дневника недоступна для записи: ") +
                 QDir::toNativeSeparators(folder) + QLatin1Char('.') + KeptForThisSession);
            openInMemory();
            return Opening::InMemory;
        }
        // Something else in the file's place is named and left alone; what is made this
        // session waits in the pending journal.
        if (const QString what = DiaryFiles::nonFileName(path); !what.isEmpty()) {
            tell(QStringLiteral("На месте файла дневника ") + QDir::toNativeSeparators(path) +
                 QStringLiteral(" находится ") + what +
                 QStringLiteral(", а не файл; оно оставлено как есть. Результаты будут "
                                "ждать записи в файле ") +
                 QDir::toNativeSeparators(Pending->path()) + QLatin1Char('.'));
            openInMemory();
            return Opening::InMemory;
        }
        if (DiaryFiles::checkJournal(path) == DiaryFiles::Journal::Foreign) {
            const QString aside =
                DiaryFiles::keepAside(path, QStringLiteral("foreign-journal"), false);
            tell(QStringLiteral("Журнал восстановления рядом с дневником принадлежит другой "
                                "базе данных или другой копии дневника и не применён. Он "
                                "сохранён под именем ") +
                 QDir::toNativeSeparators(aside) + QLatin1Char('.'));
        }
        FileState state = openFile(path);
        if (state == FileState::Damaged) {
            const DiaryFailure failure = diaryFailure(connection().lastError());
            close();
            repair(failure.problem == DiaryProblem::Damaged ? failure : diaryFailure(11));
            return State == Mode::File ? Opening::MovedAside : Opening::InMemory;
        }
        if (state == FileState::Usable || state == FileState::Locked) {
            if (state == FileState::Locked) {
                State = Mode::Waiting;
                startRetry();
            }
            if (checkInBackground)
                startCheck();
            else
                finishCheck();
            if (State == Mode::File && !Repaired)
                writePending();
            return State == Mode::Memory ? Opening::InMemory
                   : Repaired            ? Opening::MovedAside
                                         : Opening::Opened;
        }
        const QString problem = diaryFailure(connection().lastError()).reason();
        close();
        if (state == FileState::Newer)
            tell(QStringLiteral("Дневник ") + QDir::toNativeSeparators(path) +
                 QStringLiteral(" записан более новой версией программы и оставлен как есть. "
                                "Результаты будут ждать записи в файле ") +
                 QDir::toNativeSeparators(Pending->path()) + QLatin1Char('.'));
        else
            tell(QStringLiteral("Дневник не удалось открыть: ") + QDir::toNativeSeparators(path) +
                 QStringLiteral(": ") + (problem.isEmpty() ? diaryFailure(14).reason() : problem) +
                 QStringLiteral(". Результаты будут ждать записи в файле ") +
                 QDir::toNativeSeparators(Pending->path()) + QLatin1Char('.'));
        openInMemory();
        return Opening::InMemory;
    }();
    InOpening = false;
    return opening;
}

DiaryStore::FileState DiaryStore::openFile(const QString& path) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), ConnectionName);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=") + QString::number(BusyWaitMs));
    ++FileGeneration;
    State = Mode::File;
    const auto stateOf = [](const QSqlError& error) {
        switch (diaryFailure(error).problem) {
        case DiaryProblem::Damaged:
            return FileState::Damaged;
        case DiaryProblem::Locked:
            return FileState::Locked;
        default:
            return FileState::Unusable;
        }
    };
    // A journal left by a crash is checked with its file before the opening writes and
    // checkpoints it, so that a damaged file goes aside with its journal as it was.
    const bool afterCrash = QFileInfo(path + QStringLiteral("-wal")).size() > 0;
    if (!db.open())
        return stateOf(db.lastError());
    // Reading the table list finds a file that is no database or has a damaged head.
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master")) || !query.next())
        return stateOf(query.lastError());
    query.finish();
    if (afterCrash && quickCheck(path).problem == DiaryProblem::Damaged)
        return FileState::Damaged;
    if (!query.exec(QStringLiteral("PRAGMA journal_mode=WAL")) ||
        !query.exec(QStringLiteral("PRAGMA synchronous=NORMAL")))
        return stateOf(query.lastError());
    return finishOpening();
}

// The steps of an opening that write: the layout, the identity and the token the journal
// written from now on carries. A diary locked by another program at the start gets them when
// the lock has ended.
DiaryStore::FileState DiaryStore::finishOpening() {
    const FileState state = migrate();
    if (state != FileState::Usable)
        return state;
    QSqlQuery query(connection());
    query.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    State = Mode::File;
    return FileState::Usable;
}

void DiaryStore::openInMemory() {
    State = Mode::Memory;
    Retry->stop();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), ConnectionName);
    db.setDatabaseName(QStringLiteral(":memory:"));
    if (db.open())
        migrate();
}

DiaryStore::FileState DiaryStore::migrate() {
    QSqlQuery query(connection());
    const auto fail = [&query] {
        const DiaryProblem problem = diaryFailure(query.lastError()).problem;
        query.exec(QStringLiteral("ROLLBACK"));
        return problem == DiaryProblem::Damaged  ? FileState::Damaged
               : problem == DiaryProblem::Locked ? FileState::Locked
                                                 : FileState::Unusable;
    };
    // The version is read under the write lock: a second program starting at the same moment
    // finds the layout already made instead of making it again.
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return fail();
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
    // The identity: a random id made with the file, and a token renewed at every opening
    // that every write carries into the journal (see DiaryFiles::checkJournal).
    if (!query.exec(QStringLiteral("PRAGMA user_version = ") + QString::number(SchemaVersion)) ||
        !query.exec(QStringLiteral("PRAGMA application_id = ") + QString::number(ApplicationId)) ||
        !query.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS diary_identity (id TEXT NOT NULL, "
                                   "token TEXT NOT NULL, writes INTEGER NOT NULL DEFAULT 0)")) ||
        !query.exec(QStringLiteral("INSERT INTO diary_identity (id, token) SELECT '") +
                    QUuid::createUuid().toString(QUuid::WithoutBraces) +
                    QStringLiteral("', '' WHERE NOT EXISTS (SELECT 1 FROM diary_identity)")) ||
        !query.exec(QStringLiteral("UPDATE diary_identity SET token = '") +
                    QUuid::createUuid().toString(QUuid::WithoutBraces) + QLatin1Char('\'')) ||
        !query.exec(QStringLiteral("COMMIT")))
        return fail();
    return FileState::Usable;
}

bool DiaryStore::write(const std::function<bool(QSqlQuery&)>& change, DiaryFailure* failure) {
    QSqlDatabase db = connection();
    QSqlQuery query(db);
    const auto fail = [&] {
        *failure = diaryFailure(query.lastError());
        if (failure->problem == DiaryProblem::None)
            *failure = diaryFailure(db.lastError());
        if (failure->problem == DiaryProblem::None)
            *failure = {DiaryProblem::Other, -1};
        query.finish();
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return false;
    };
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return fail();
    // Every write carries the identity's page into the journal.
    if (State == Mode::File &&
        !query.exec(QStringLiteral("UPDATE diary_identity SET writes = writes + 1")))
        return fail();
    if (!change(query) || !query.exec(QStringLiteral("COMMIT")))
        return fail();
    return true;
}

bool DiaryStore::insert(const std::vector<DiaryRecord>& records, bool keepIds,
                        DiaryFailure* failure) {
    return write(
        [&](QSqlQuery& query) {
            DiarySchema::prepareInsert(query, keepIds);
            for (const DiaryRecord& record : records) {
                DiarySchema::bindRecord(query, record, keepIds);
                if (!query.exec())
                    return false;
            }
            return true;
        },
        failure);
}

bool DiaryStore::add(const RunResult& r, const QDateTime& when) {
    const DiaryRecord record{0, when, r};
    DiaryFailure failure;
    if (State == Mode::File) {
        writePending();
        if (insert({record}, false, &failure)) {
            emit added();
            emit changed();
            backUpWhenDue();
            return true;
        }
    } else if (State == Mode::Memory) {
        // On show this session; written to the file when it can take it again.
        const bool shown = insert({record}, false, &failure);
        if (shown)
            emit added();
        emit changed();
        return Pending->append(record) || shown;
    } else {
        failure = diaryFailure(5);
    }
    const bool kept = keepPending(record, failure);
    if (failure.problem == DiaryProblem::Damaged)
        queueRepair(failure);
    return kept;
}

bool DiaryStore::keepPending(const DiaryRecord& record, const DiaryFailure& failure) {
    const bool kept = Pending->append(record);
    if (kept)
        startRetry();
    if (!ToldOfPending || !kept) {
        ToldOfPending = true;
        const QString why = failure.reason();
        if (kept)
            tell(QStringLiteral("Результат не записан в дневник: ") + why +
                 QStringLiteral(". Он сохранён в запасном файле ") +
                 QDir::toNativeSeparators(Pending->path()) +
                 QStringLiteral(" и будет записан в дневник, как только это станет возможно, "
                                "самое позднее при следующем запуске программы. Ждут записи: ") +
                 QString::number(pendingCount()) + QLatin1Char('.'));
        else
            tell(QStringLiteral("Результат не удалось сохранить: ") + why +
                 QStringLiteral(". Запасной файл ") + QDir::toNativeSeparators(Pending->path()) +
                 QStringLiteral(" тоже недоступен для записи."));
    }
    return kept;
}

void DiaryStore::startRetry() {
    // A store on a thread without an event loop is tried again at its next write instead.
    if (QAbstractEventDispatcher::instance())
        Retry->start();
}

void DiaryStore::retry() {
    if (State == Mode::Waiting && finishOpening() == FileState::Usable)
        emit changed();
    if (State != Mode::File || writePending())
        Retry->stop();
}

bool DiaryStore::remove(qint64 id) {
    DiaryFailure failure;
    const bool done = write(
        [id](QSqlQuery& query) {
            query.prepare(QStringLiteral("DELETE FROM records WHERE id = ?"));
            query.addBindValue(id);
            return query.exec();
        },
        &failure);
    return changedOrNoticed(done, failure);
}

bool DiaryStore::removeAll() {
    DiaryFailure failure;
    const bool done =
        write([](QSqlQuery& query) { return query.exec(QStringLiteral("DELETE FROM records")); },
              &failure);
    return changedOrNoticed(done, failure);
}

bool DiaryStore::changedOrNoticed(bool done, const DiaryFailure& failure) {
    if (done)
        emit changed();
    else if (failure.problem == DiaryProblem::Damaged && State == Mode::File)
        queueRepair(failure);
    else
        tell(QStringLiteral("Записи не удалены: ") + failure.reason() + QLatin1Char('.'));
    return done;
}

int DiaryStore::count(const DiaryFilter& filter) const {
    QSqlQuery query(connection());
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM records") + whereClause(filter));
    bindFilter(query, filter);
    if (!query.exec() || !query.next()) {
        noticeFailure(query.lastError());
        return 0;
    }
    return query.value(0).toInt();
}

std::vector<DiaryRecord> DiaryStore::records(const DiaryFilter& filter, DiaryOrder order,
                                             Qt::SortOrder direction, int limit, int offset) const {
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    const QString sql =
        QStringLiteral("SELECT ") + QLatin1String(DiarySchema::RecordColumns) +
        QStringLiteral(" FROM records") + whereClause(filter) + QStringLiteral(" ORDER BY ") +
        orderColumn(order) +
        (direction == Qt::AscendingOrder ? QStringLiteral(" ASC") : QStringLiteral(" DESC")) +
        QStringLiteral(", id") +
        (direction == Qt::AscendingOrder ? QStringLiteral(" ASC") : QStringLiteral(" DESC")) +
        QStringLiteral(" LIMIT ") + QString::number(limit) + QStringLiteral(" OFFSET ") +
        QString::number(std::max(0, offset));
    query.prepare(sql);
    bindFilter(query, filter);
    std::vector<DiaryRecord> found;
    if (!query.exec()) {
        noticeFailure(query.lastError());
        return found;
    }
    while (query.next())
        found.push_back(DiarySchema::readRecord(query));
    noticeFailure(query.lastError());
    return found;
}
