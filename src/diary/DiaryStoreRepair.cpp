// The diary's care: the pending journal written out, the integrity check, damage repaired,
// the daily backup and its restoring.
#include "diary/DiaryStore.h"

#include "diary/DiaryBackup.h"
#include "diary/DiaryFiles.h"
#include "diary/DiaryPending.h"
#include "diary/DiaryProblem.h"
#include "diary/DiaryRecovery.h"
#include "diary/DiarySchema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QTimer>

#include <atomic>

#include <sqlite3.h>

// What SQLite's quick check of the file finds: nothing, damage, or why it could not look.
DiaryFailure DiaryStore::quickCheck(const QString& path) {
    static std::atomic<int> next{0};
    const QString name = QStringLiteral("diary-check-") + QString::number(next++);
    DiaryFailure finding;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
        QSqlQuery query(db);
        if (!db.open())
            finding = diaryFailure(db.lastError());
        else if (!query.exec(QStringLiteral("PRAGMA quick_check")) || !query.next())
            finding = diaryFailure(query.lastError());
        else if (query.value(0).toString() != QLatin1String("ok"))
            finding = diaryFailure(11);
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return finding;
}

int DiaryStore::pendingCount() const {
    return Pending ? Pending->count() : 0;
}

bool DiaryStore::writePending() {
    if (!Pending || State != Mode::File)
        return pendingCount() == 0;
    DiaryFailure failure;
    bool wrote = false;
    const bool done = Pending->take([&](const std::vector<DiaryRecord>& records) {
        wrote = insert(records, false, &failure);
        return wrote;
    });
    if (wrote)
        emit changed();
    if (!done && failure.problem == DiaryProblem::Damaged)
        queueRepair(failure);
    return done;
}

void DiaryStore::noticeFailure(const QSqlError& error) const {
    const DiaryFailure failure = diaryFailure(error);
    if (failure.problem != DiaryProblem::Damaged || State != Mode::File)
        return;
    const_cast<DiaryStore*>(this)->queueRepair(failure);
}

void DiaryStore::queueRepair(const DiaryFailure& failure) {
    // Several reads may meet the same damage before it is repaired: the repair is made once,
    // for the file that was damaged, never for the new one that replaced it.
    QTimer::singleShot(0, this, [this, failure, file = FileGeneration] {
        if (file == FileGeneration)
            repair(failure);
    });
}

void DiaryStore::startCheck() {
    if (State != Mode::File)
        return;
    CheckFinding = std::make_unique<DiaryFailure>();
    CheckedGeneration = FileGeneration;
    Check = QThread::create(
        [path = Path, finding = CheckFinding.get()] { *finding = quickCheck(path); });
    Check->setParent(this);
    connect(Check, &QThread::finished, this, &DiaryStore::actOnCheck);
    Check->start(QThread::LowPriority);
}

void DiaryStore::finishCheck() {
    if (Check) {
        Check->wait();
    } else if (State == Mode::File) {
        CheckFinding = std::make_unique<DiaryFailure>(quickCheck(Path));
        CheckedGeneration = FileGeneration;
    }
    actOnCheck();
}

void DiaryStore::dropCheck() {
    if (Check) {
        Check->wait();
        delete Check;
        Check = nullptr;
    }
    CheckFinding.reset();
}

void DiaryStore::actOnCheck() {
    // Only a check that has ended has a finding; a late word from one dropped says nothing.
    if (!CheckFinding || (Check && !Check->isFinished()))
        return;
    const DiaryFailure finding = *CheckFinding;
    dropCheck();
    if (finding.problem == DiaryProblem::Damaged && CheckedGeneration == FileGeneration)
        repair(finding);
}

void DiaryStore::repair(const DiaryFailure& failure) {
    if (Repairing || (State != Mode::File && !InOpening))
        return;
    Repairing = true;
    Repaired = true;
    // The journal goes aside with the file as it is, not written into it at the closing.
    if (const QVariant handle = connection().driver()->handle();
        handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0) {
        if (sqlite3* db = *static_cast<sqlite3* const*>(handle.data()))
            sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    }
    close();
    const QString aside = DiaryFiles::keepAside(Path, QStringLiteral("damaged"));
    if (aside.isEmpty()) {
        tell(QStringLiteral("Дневник повреждён (") + failure.reason() +
             QStringLiteral("), а отложить его в сторону не удалось. Результаты будут ждать "
                            "записи в файле ") +
             QDir::toNativeSeparators(Pending->path()) + QLatin1Char('.'));
        openInMemory();
        Repairing = false;
        return;
    }
    const QString journal = aside + QStringLiteral("-wal");
    // An empty journal (the one every opening leaves) holds nothing to read or to tell of.
    const bool withJournal = QFileInfo(journal).size() > 0;
    const DiaryRecovery recovery = recoverDiary(aside, withJournal ? journal : QString());
    DiaryFailure failed;
    if (openFile(Path) != FileState::Usable) {
        failed = diaryFailure(connection().lastError());
        close();
        tell(QStringLiteral("Дневник повреждён и сохранён под именем ") +
             QDir::toNativeSeparators(aside) + QStringLiteral(", а новый начать не удалось: ") +
             failed.reason() + QStringLiteral(". Результаты будут ждать записи в файле ") +
             QDir::toNativeSeparators(Pending->path()) + QLatin1Char('.'));
        openInMemory();
        insert(recovery.records, true, &failed);
        Repairing = false;
        emit changed();
        return;
    }
    const bool carried = insert(recovery.records, true, &failed);
    const int kept = carried ? int(recovery.records.size()) : 0;
    writePending();
    QString message =
        QStringLiteral("Дневник повреждён (") + failure.reason() +
        QStringLiteral("). Файл сохранён под именем ") + QDir::toNativeSeparators(aside) +
        (withJournal ? QStringLiteral(" вместе со своим журналом") : QString()) +
        QStringLiteral(". Начат новый дневник; перенесено записей: ") + QString::number(kept);
    if (!carried)
        message += QStringLiteral(" (перенос не удался: ") + failed.reason() + QLatin1Char(')');
    if (recovery.lost >= 0)
        message += QStringLiteral(", прочитать не удалось: ") + QString::number(recovery.lost);
    else
        message += QStringLiteral("; сколько записей прочитать не удалось, узнать нельзя");
    message += QLatin1Char('.');
    const QStringList backups = DiaryBackup::existing(Path);
    if (!backups.isEmpty())
        OfferedBackup = backups.front();
    tell(message);
    Repairing = false;
    emit changed();
    if (!InOpening && !OfferedBackup.isEmpty())
        emit restoreOffered(OfferedBackup);
}

int DiaryStore::restoreBackup(const QString& backup) {
    QSqlDatabase db = connection();
    QSqlQuery query(db);
    query.prepare(QStringLiteral("ATTACH DATABASE ? AS kept"));
    query.addBindValue(backup);
    if (!query.exec())
        return -1;
    // A record is the same when it was made at the same moment in the same kind; the ids of
    // the two files may have gone their own ways since the copy.
    const auto withoutId = [](const QString& columns) {
        return columns.mid(int(qstrlen("id, "))) + QStringLiteral(", day");
    };
    const QString columns = withoutId(QLatin1String(DiarySchema::RecordColumns));
    const QString values = withoutId(DiarySchema::recordColumnsIn(db, QStringLiteral("kept")));
    int added = -1;
    if (query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        if (query.exec(QStringLiteral("INSERT INTO main.records (") + columns +
                       QStringLiteral(") SELECT ") + values +
                       QStringLiteral(" FROM kept.records AS k WHERE NOT EXISTS (SELECT 1 FROM "
                                      "main.records AS m WHERE m.kind = k.kind AND m.at = k.at) "
                                      "ORDER BY k.at"))) {
            added = query.numRowsAffected();
            if (!query.exec(QStringLiteral("COMMIT")))
                added = -1;
        }
        if (added < 0)
            query.exec(QStringLiteral("ROLLBACK"));
    }
    query.exec(QStringLiteral("DETACH DATABASE kept"));
    if (added > 0)
        emit changed();
    OfferedBackup.clear();
    return added;
}

void DiaryStore::backUpWhenDue() {
    const QDate today = QDate::currentDate();
    if (LastBackup == today || State != Mode::File)
        return;
    LastBackup = today;
    if (QFile::exists(DiaryBackup::pathFor(Path, today)) || (Backup && Backup->isRunning()))
        return;
    delete Backup;
    Backup = QThread::create([path = Path, today] { DiaryBackup::make(path, today); });
    Backup->setParent(this);
    Backup->start(QThread::LowPriority);
}

bool DiaryStore::backUpNow() {
    // The day's first copy may be under way: it ends first, then this one replaces it.
    if (Backup)
        Backup->wait();
    const QDate today = QDate::currentDate();
    LastBackup = today;
    return State == Mode::File && DiaryBackup::make(Path, today);
}
