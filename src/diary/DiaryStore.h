#pragma once

#include "diary/DiaryProgress.h"
#include "training/RunResult.h"

#include <QDateTime>
#include <QObject>
#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

// One kept result: when it was made and its figures.
struct DiaryRecord {
    qint64 id = 0;
    QDateTime when;
    RunResult result;
};

// Which records a view shows: one kind or all, made at or after a moment or at any time.
struct DiaryFilter {
    std::optional<DiaryKind> kind;
    QDateTime since; // invalid: from the first record on
};

// The orders the records can be listed in.
enum class DiaryOrder {
    When,
    Kind,
    CharsPerMinute, // the regulator's speed
    ActualCharsPerMinute,
    WordsPerMinute,
    FieldWidth,
    Text,
    Duration,
    Result
};

class DiaryPending;
struct DiaryFailure;
class QSqlQuery;
class QThread;
class QTimer;

// The training diary: every result in an SQLite file. A write is one short transaction in a
// write-ahead log that waits for another program's write a moment at most, so it never holds
// the interface up. A result that cannot be written now waits in a pending journal beside the
// file and is written as soon as the diary takes it again, at the latest at the next start; the
// user is told once, with the reason. Damage is looked for at the start and met at any read or
// write: the damaged file and its journal are kept aside and what can be read is carried over.
class DiaryStore : public QObject {
    Q_OBJECT
public:
    enum class Opening {
        Opened,     // the file was there or has been made (writes may wait for a lock)
        MovedAside, // the file was damaged: it was renamed and a new one started
        InMemory,   // the file cannot be used: records live in memory and wait to be written
    };

    explicit DiaryStore(QObject* parent = nullptr);
    ~DiaryStore() override;

    // The diary's file in the user's data folder.
    static QString defaultPath();
    // Opens the diary at path, making the file and its folder when they are missing. The
    // integrity check runs now when `checkInBackground` is false, else on a thread of its own.
    Opening open(const QString& path, bool checkInBackground = true);
    // What the user is to be told about the opening; empty when all went well.
    QString openingMessage() const { return OpeningMessage; }
    QString path() const { return Path; }

    // Keeps a result made at `when`: in the diary, or in the pending journal until the diary
    // can take it. Returns false only when it could be kept nowhere.
    bool add(const RunResult& result, const QDateTime& when = QDateTime::currentDateTime());
    bool remove(qint64 id);
    bool removeAll();

    int count(const DiaryFilter& filter = {}) const;
    // The records the filter lets through in this order, `limit` of them from `offset` on
    // (all when limit < 0).
    std::vector<DiaryRecord> records(const DiaryFilter& filter = {},
                                     DiaryOrder order = DiaryOrder::When,
                                     Qt::SortOrder direction = Qt::AscendingOrder, int limit = -1,
                                     int offset = 0) const;

    // What the charts draw for the records the filter lets through (see readProgress).
    DiaryProgress progress(const DiaryFilter& filter, int pointLimit) const;

    // How many results wait in the pending journal.
    int pendingCount() const;
    // Writes the waiting results if the diary can take them now; true when none wait.
    bool writePending();
    // Waits for the integrity check begun at the opening to end and acts on its finding.
    void finishCheck();
    // The backup offered after damage was found (empty when none): restoring it adds its
    // records that the recovered diary lacks (the same kind at the same moment is the same).
    QString offeredBackup() const { return OfferedBackup; }
    // Adds the records of a backup that the diary lacks; their count, or -1.
    int restoreBackup(const QString& backup);
    // Makes today's backup now, with every record written so far, in place of one the day's
    // first write made (on a thread of its own) before the later records.
    bool backUpNow();

    // The layout version this program writes.
    static constexpr int SchemaVersion = 3;
    // Written into the file's header so that other tools know what it is ("SkDi").
    static constexpr int ApplicationId = 0x536b4469;

signals:
    // A record was added or removed.
    void changed();
    // A record was added; changed() follows.
    void added();
    // Something the user is to be told of while the program runs; each kind of trouble is told
    // once per start.
    void trouble(const QString& message);
    // The diary was found damaged while the program ran and this backup could give more back.
    void restoreOffered(const QString& backup);

private:
    QSqlDatabase connection() const;
    enum class Mode {
        File,    // reads and writes go to the file
        Waiting, // the file is there but cannot be written now: writes wait, tried again later
        Memory,  // the file cannot be used this session: records in memory, writes wait
    };
    enum class FileState { Usable, Damaged, Newer, Locked, Unusable };
    FileState openFile(const QString& path);
    FileState finishOpening();
    void openInMemory();
    FileState migrate();
    void close();
    // Runs change in one write transaction that also touches the identity; false (with the
    // reason) when it failed and was rolled back.
    bool write(const std::function<bool(QSqlQuery&)>& change, DiaryFailure* failure);
    bool insert(const std::vector<DiaryRecord>& records, bool keepIds, DiaryFailure* failure);
    bool changedOrNoticed(bool done, const DiaryFailure& failure);
    bool keepPending(const DiaryRecord& record, const DiaryFailure& failure);
    void noticeFailure(const QSqlError& error) const;
    void repair(const DiaryFailure& failure);
    void queueRepair(const DiaryFailure& failure);
    void tell(const QString& message);
    // What SQLite's quick check of the file at path finds: nothing, damage, or why it could
    // not look. Runs on a connection of its own, on any thread.
    static DiaryFailure quickCheck(const QString& path);
    void startCheck();
    void actOnCheck();
    void dropCheck();
    void backUpWhenDue();
    void startRetry();
    void retry();

    QString ConnectionName;
    QString Path;
    QString OpeningMessage;
    QString OfferedBackup;
    Mode State = Mode::Memory;
    bool InOpening = false; // open() runs: what is to be told goes to the opening message
    bool ToldOfPending = false;
    bool Repairing = false;
    bool Repaired = false;                      // damage was found since the opening
    std::unique_ptr<DiaryFailure> CheckFinding; // written by the check's thread, read after it ends
    int FileGeneration = 0;                     // counts the files opened, to tell them apart
    int CheckedGeneration = 0;                  // the file the check looked at
    QDate LastBackup;
    std::unique_ptr<DiaryPending> Pending;
    QTimer* Retry = nullptr;
    QThread* Check = nullptr;
    QThread* Backup = nullptr;
};
