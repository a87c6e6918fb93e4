#pragma once

#include "training/RunResult.h"

#include <QDateTime>
#include <QObject>
#include <QSqlDatabase>
#include <QString>

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

// The training diary: every result in an SQLite file. A write is one short transaction in a
// write-ahead log, so it never holds a run up, and two programs writing at once wait for each
// other briefly instead of losing a record.
class DiaryStore : public QObject {
    Q_OBJECT
public:
    enum class Opening {
        Opened,      // the file was there or has been made
        MovedAside,  // the file was damaged: it was renamed and a new one started
        InMemory,    // the file cannot be used: records live until the program ends
    };

    explicit DiaryStore(QObject* parent = nullptr);
    ~DiaryStore() override;

    // The diary's file in the user's data folder.
    static QString defaultPath();
    // Opens the diary at path, making the file and its folder when they are missing.
    Opening open(const QString& path);
    // What the user is to be told about the opening; empty when all went well.
    QString openingMessage() const { return OpeningMessage; }
    QString path() const { return Path; }

    // Keeps a result made at `when`. Returns false when the write failed.
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

    // The open connection, for the readers beside the store (charts).
    QSqlDatabase connection() const;

    // The layout version this program writes.
    static constexpr int SchemaVersion = 3;

signals:
    // A record was added or removed.
    void changed();

private:
    enum class FileState { Usable, Damaged, Newer, Unusable };
    FileState openFile(const QString& path);
    void openInMemory();
    FileState migrate();
    void close();

    QString ConnectionName;
    QString Path;
    QString OpeningMessage;
};
