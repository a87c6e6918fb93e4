// The diary under attack from outside: a full disk, a lock held by another program, damaged
// pages, a wiped header, a truncated file with and without its crash journal, journals that are
// not the file's own, something else in the file's place. Every case checks what the user is
// told, what is kept aside, and that no record is lost without a word.
#include "DiaryFileSql.h"
#include "FileSizeLimit.h"

#include "diary/DiaryBackup.h"
#include "diary/DiarySchema.h"
#include "diary/DiaryStore.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

constexpr int Before = 3000;

enum class Attack {
    FullDisk,
    LockedWhileRunning,
    LockedAtStart,
    MiddlePageOverwritten,
    RootPageOverwritten,
    RootPageOverwrittenWhileRunning,
    HeaderZeroed,
    HeaderZeroedWithJournal,
    Truncated,
    TruncatedWithJournal,
    JournalFromCopy,
    JournalFromOtherDatabase,
    FolderInPlace,
    FifoInPlace,
};

RunResult someResult(int speed) {
    RunResult r;
    r.kind = DiaryKind::TextReading;
    r.charsPerMinute = speed;
    r.textName = QStringLiteral("Рассказ.txt");
    r.durationMs = 60000;
    return r;
}

// Before records a quarter of an hour apart, made by SQLite in one statement.
bool fill(DiaryStore& store) {
    const DiaryFileSql file(store.path());
    QSqlQuery query = file.query();
    return query.exec(
        QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
            "INSERT INTO records (at, kind, regulator_chars_per_minute, text_name, duration_ms, "
            "day) "
            "SELECT 1760000000000 + i * 900000, 1 + i % 7, 800 + i % 1700, 'Текст ' || (i % 40), "
            "60000 + i, 2461000 + i / 96 FROM n")
            .arg(Before));
}

int recordsIn(const QString& path) {
    DiaryStore store;
    store.open(path, false);
    return store.count();
}

void overwrite(const QString& path, qint64 offset, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.seek(offset));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray noise(int size) {
    QByteArray bytes(size, '\0');
    quint32 seed = 12345;
    for (char& b : bytes) {
        seed = seed * 1103515245 + 12345;
        b = char(seed >> 16);
    }
    return bytes;
}

int pageOf(const QString& path, const QString& table) {
    const QString name = QStringLiteral("page-of");
    int page = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.open();
        QSqlQuery query(db);
        query.prepare(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = ?"));
        query.addBindValue(table);
        if (query.exec() && query.next())
            page = query.value(0).toInt();
    }
    QSqlDatabase::removeDatabase(name);
    return page;
}

// Adds `count` results to the diary at path and copies the file and its journal to `to` while
// the program still runs, as a crash leaves them. The copy's journal holds the new records.
void crashImage(const QString& path, int count, const QString& to) {
    DiaryStore store;
    store.open(path, false);
    for (int i = 0; i < count; ++i)
        QVERIFY(store.add(someResult(900 + i)));
    QVERIFY(QFileInfo(path + "-wal").size() > 0);
    QFile::remove(to);
    QFile::remove(to + "-wal");
    QVERIFY(QFile::copy(path, to));
    QVERIFY(QFile::copy(path + "-wal", to + "-wal"));
}

// A diary in the layout of the second version, holding one text test of 1842 characters
// without blanks and 300 words, read in 116.6 s at a regulator speed of 1460.
void writeSecondLayout(const QString& path) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "second");
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery query(db);
        for (int version : {0, 1}) {
            for (const QString& statement : DiarySchema::stepFrom(version))
                QVERIFY(query.exec(statement));
        }
        QVERIFY(query.exec("PRAGMA user_version = 2"));
        QVERIFY(query.exec("INSERT INTO records (at, kind, chars_per_minute, chars_read, "
                           "words_read, duration_ms) VALUES (1700000000000, 2, 1460, 1842, 300, "
                           "116600)"));
        db.close();
    }
    QSqlDatabase::removeDatabase("second");
}

// How a record reaches the diary other than by a plain write.
enum class Carried { Pending, Recovered, Restored };

} // namespace

Q_DECLARE_METATYPE(Attack)
Q_DECLARE_METATYPE(Carried)

class DiarySafetyTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void attacks_data();
    void attacks();
    void dailyBackupsKeepTheLastSeven();
    void bothSpeedsCarried_data();
    void bothSpeedsCarried();
    void secondLayoutRead_data();
    void secondLayoutRead();

private:
    QTemporaryDir Made;
    QString Template;
};

void DiarySafetyTest::initTestCase() {
    Template = Made.filePath(QStringLiteral("template.sqlite"));
    DiaryStore store;
    QCOMPARE(store.open(Template, false), DiaryStore::Opening::Opened);
    QVERIFY(fill(store));
    QCOMPARE(store.count(), Before);
}

void DiarySafetyTest::attacks_data() {
    QTest::addColumn<Attack>("attack");
    QTest::addColumn<QString>("told");  // a part of what the user is told
    QTest::addColumn<QString>("aside"); // the names kept aside (a pattern), or none
    QTest::addColumn<int>("added"); // results added after the attack, or recovered from a journal
    QTest::addColumn<bool>("restore"); // the backup is restored after the recovery

    QTest::newRow("full disk") << Attack::FullDisk << "переполнен"
                               << "" << 5 << false;
    QTest::newRow("locked while running") << Attack::LockedWhileRunning << "занят другой программой"
                                          << "" << 3 << false;
    QTest::newRow("locked at start") << Attack::LockedAtStart << "занят другой программой"
                                     << "" << 2 << false;
    QTest::newRow("middle page overwritten")
        << Attack::MiddlePageOverwritten << "прочитать не удалось: "
        << "diary-damaged-*.sqlite" << 0 << true;
    QTest::newRow("root page overwritten")
        << Attack::RootPageOverwritten << "перенесено записей: 0, прочитать не удалось: 3000"
        << "diary-damaged-*.sqlite" << 0 << true;
    QTest::newRow("root page overwritten while running")
        << Attack::RootPageOverwrittenWhileRunning << "Начат новый дневник"
        << "diary-damaged-*.sqlite" << 1 << true;
    QTest::newRow("header zeroed") << Attack::HeaderZeroed << "перенесено записей: 3000"
                                   << "diary-damaged-*.sqlite" << 0 << false;
    // SQLite takes the first page from the journal: nothing is lost and nothing to tell. The
    // results are enough to add pages, so the journal surely holds the first page.
    QTest::newRow("header zeroed with journal") << Attack::HeaderZeroedWithJournal << ""
                                                << "" << 100 << false;
    QTest::newRow("truncated") << Attack::Truncated << "узнать нельзя"
                               << "diary-damaged-*.sqlite" << 0 << true;
    QTest::newRow("truncated with journal")
        << Attack::TruncatedWithJournal << "вместе со своим журналом"
        << "diary-damaged-*.sqlite-wal" << 4 << true;
    QTest::newRow("journal from a copy")
        << Attack::JournalFromCopy << "другой копии дневника и не применён"
        << "diary-foreign-journal-*.sqlite-wal" << 10 << false;
    QTest::newRow("journal from another database")
        << Attack::JournalFromOtherDatabase << "другой базе данных"
        << "diary-foreign-journal-*.sqlite-wal" << 0 << false;
    QTest::newRow("folder in the file's place") << Attack::FolderInPlace << "находится папка"
                                                << "" << 2 << false;
    QTest::newRow("FIFO in the file's place")
        << Attack::FifoInPlace << "находится именованный канал"
        << "" << 2 << false;
}

void DiarySafetyTest::attacks() {
    QFETCH(Attack, attack);
    QFETCH(QString, told);
    QFETCH(QString, aside);
    QFETCH(int, added);
    QFETCH(bool, restore);

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("diary.sqlite"));
    QVERIFY(QFile::copy(Template, path));
    if (restore) {
        DiaryStore store;
        store.open(path, false);
        QVERIFY(store.backUpNow());
    }
    const QString crashed = folder.filePath(QStringLiteral("crashed.sqlite"));
    QStringList messages;
    int pendingLeft = 0;
    {
        DiaryStore store;
        QSignalSpy trouble(&store, &DiaryStore::trouble);
        QSqlDatabase other;
        const auto holdLock = [&] {
            other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
            other.setDatabaseName(path);
            QVERIFY(other.open());
            QVERIFY(QSqlQuery(other).exec(QStringLiteral("BEGIN IMMEDIATE")));
        };
        switch (attack) {
        case Attack::FullDisk: {
            store.open(path, false);
            {
                const FileSizeLimit full(8192);
                for (int i = 0; i < added; ++i)
                    QVERIFY(store.add(someResult(1000 + i)));
                QCOMPARE(store.pendingCount(), added);
            }
            QVERIFY(store.writePending());
            break;
        }
        case Attack::LockedWhileRunning:
        case Attack::LockedAtStart:
            if (attack == Attack::LockedAtStart)
                holdLock();
            QCOMPARE(store.open(path, false), DiaryStore::Opening::Opened);
            if (attack == Attack::LockedWhileRunning)
                holdLock();
            for (int i = 0; i < added; ++i)
                QVERIFY(store.add(someResult(1000 + i)));
            QCOMPARE(store.pendingCount(), added);
            QVERIFY(QSqlQuery(other).exec(QStringLiteral("ROLLBACK")));
            other.close();
            other = QSqlDatabase();
            QSqlDatabase::removeDatabase(QStringLiteral("other"));
            // The lock has ended: the waiting results are written by the store's own retry.
            QTRY_COMPARE_WITH_TIMEOUT(store.pendingCount(), 0, 10000);
            break;
        case Attack::MiddlePageOverwritten:
            overwrite(path, QFileInfo(path).size() / 2, noise(3000));
            store.open(path, false);
            break;
        case Attack::RootPageOverwritten:
            overwrite(path, qint64(pageOf(path, "records") - 1) * 4096, noise(4096));
            store.open(path, false);
            break;
        case Attack::RootPageOverwrittenWhileRunning: {
            QCOMPARE(store.open(path, false), DiaryStore::Opening::Opened);
            const int root = pageOf(path, "records");
            {
                // Another program's write makes the store read its pages afresh.
                QSqlDatabase writer =
                    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("writer"));
                writer.setDatabaseName(path);
                QVERIFY(writer.open());
                QVERIFY(QSqlQuery(writer).exec("UPDATE diary_identity SET writes = writes + 1"));
                writer.close();
            }
            QSqlDatabase::removeDatabase(QStringLiteral("writer"));
            overwrite(path, qint64(root - 1) * 4096, noise(4096));
            QVERIFY(store.add(someResult(1000)));
            QTRY_VERIFY(!store.offeredBackup().isEmpty());
            QCOMPARE(store.pendingCount(), 0);
            break;
        }
        case Attack::HeaderZeroed:
            overwrite(path, 0, QByteArray(100, '\0'));
            store.open(path, false);
            break;
        case Attack::HeaderZeroedWithJournal:
        case Attack::TruncatedWithJournal:
        case Attack::Truncated:
            if (attack != Attack::Truncated) {
                crashImage(path, added, crashed);
                QFile::remove(path);
                QVERIFY(QFile::rename(crashed, path));
                QVERIFY(QFile::rename(crashed + "-wal", path + "-wal"));
            }
            if (attack == Attack::HeaderZeroedWithJournal)
                overwrite(path, 0, QByteArray(100, '\0'));
            else
                QVERIFY(QFile::resize(path, QFileInfo(path).size() / 2 / 4096 * 4096));
            store.open(path, false);
            break;
        case Attack::JournalFromCopy:
        case Attack::JournalFromOtherDatabase: {
            if (attack == Attack::JournalFromCopy) {
                QVERIFY(QFile::copy(path, crashed + ".base"));
                crashImage(crashed + ".base", 5, crashed);
                // The diary itself goes on without the copy.
                DiaryStore going;
                going.open(path, false);
                for (int i = 0; i < added; ++i)
                    QVERIFY(going.add(someResult(1200 + i)));
            } else {
                QSqlDatabase foreign =
                    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("foreign"));
                foreign.setDatabaseName(crashed);
                QVERIFY(foreign.open());
                QSqlQuery query(foreign);
                QVERIFY(query.exec("PRAGMA journal_mode=WAL") &&
                        query.exec("PRAGMA wal_autocheckpoint=0"));
                QVERIFY(query.exec("CREATE TABLE records (id INTEGER PRIMARY KEY, note TEXT)"));
                QVERIFY(query.exec("INSERT INTO records (note) VALUES ('чужая запись')"));
                QVERIFY(QFile::copy(crashed + "-wal", path + "-wal"));
                foreign.close();
            }
            if (!QFileInfo::exists(path + "-wal"))
                QVERIFY(QFile::copy(crashed + "-wal", path + "-wal"));
            const QByteArray stray = [&] {
                QFile journal(path + "-wal");
                journal.open(QIODevice::ReadOnly);
                return journal.readAll();
            }();
            store.open(path, false);
            // Kept aside whole, never applied, never deleted.
            const QStringList kept =
                QDir(folder.path()).entryList({QStringLiteral("diary-foreign-journal-*-wal")});
            QCOMPARE(kept.size(), 1);
            QFile journal(folder.filePath(kept[0]));
            QVERIFY(journal.open(QIODevice::ReadOnly));
            QCOMPARE(journal.readAll(), stray);
            break;
        }
        case Attack::FolderInPlace:
        case Attack::FifoInPlace: {
            QVERIFY(QFile::rename(path, path + ".away"));
            if (attack == Attack::FolderInPlace)
                QVERIFY(QDir().mkdir(path));
            else
                QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
            QCOMPARE(store.open(path, false), DiaryStore::Opening::InMemory);
            for (int i = 0; i < added; ++i)
                QVERIFY(store.add(someResult(1000 + i)));
            QCOMPARE(store.count(), added);
            QCOMPARE(trouble.count(), 0); // told once, at the opening
            // Left alone: still there as it was.
            QVERIFY(QFileInfo::exists(path) && !QFileInfo(path).isFile());
            break;
        }
        }
        messages << store.openingMessage();
        for (const QList<QVariant>& signal : trouble)
            messages << signal.at(0).toString();
        if (restore) {
            QVERIFY(!store.offeredBackup().isEmpty());
            QVERIFY(store.restoreBackup(store.offeredBackup()) > 0);
        }
        pendingLeft = store.pendingCount();
    }
    const QString all = messages.join(QLatin1Char('\n')).trimmed();
    QVERIFY2(told.isEmpty() ? all.isEmpty() : all.contains(told), qPrintable(all));
    // In our own words: no empty reason, no driver's English.
    QVERIFY2(!all.contains(QStringLiteral("()")) && !all.contains(QStringLiteral("database")),
             qPrintable(all));
    if (!aside.isEmpty())
        QCOMPARE(QDir(folder.path()).entryList({aside}).size(), 1);
    if (attack == Attack::FolderInPlace)
        QVERIFY(QDir().rmdir(path));
    else if (attack == Attack::FifoInPlace)
        QVERIFY(QFile::remove(path));
    if (attack == Attack::FolderInPlace || attack == Attack::FifoInPlace) {
        QVERIFY(QFile::rename(path + ".away", path));
        QCOMPARE(pendingLeft, added);
        pendingLeft = 0;
    }
    // Nothing lost: what the diary holds now (the waiting results written at this opening)
    // is what it held, plus what was added.
    QCOMPARE(recordsIn(path) + pendingLeft, Before + added);
}

void DiarySafetyTest::dailyBackupsKeepTheLastSeven() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("diary.sqlite"));
    QVERIFY(QFile::copy(Template, path));
    const QDate today = QDate::currentDate();
    for (int day = 9; day >= 1; --day)
        QVERIFY(DiaryBackup::make(path, today.addDays(-day)));
    {
        DiaryStore store;
        QCOMPARE(store.open(path, false), DiaryStore::Opening::Opened);
        // The day's first write makes the day's copy, on a thread of its own.
        QVERIFY(store.add(someResult(1000)));
        QTRY_COMPARE(DiaryBackup::existing(path).size(), DiaryBackup::Kept);
    }
    const QStringList kept = DiaryBackup::existing(path);
    QCOMPARE(kept.front(), DiaryBackup::pathFor(path, today));
    QCOMPARE(kept.back(), DiaryBackup::pathFor(path, today.addDays(-6)));
    QCOMPARE(recordsIn(kept.front()), Before + 1);
}

void DiarySafetyTest::bothSpeedsCarried_data() {
    QTest::addColumn<Carried>("carried");
    QTest::newRow("waiting in the pending journal") << Carried::Pending;
    QTest::newRow("read back from a damaged file") << Carried::Recovered;
    QTest::newRow("restored from a backup") << Carried::Restored;
}

// The regulator's speed and the speed reached come through every way a record takes.
void DiarySafetyTest::bothSpeedsCarried() {
    QFETCH(Carried, carried);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("diary.sqlite"));
    QVERIFY(QFile::copy(Template, path));
    RunResult flash = someResult(1500);
    flash.kind = DiaryKind::FlashReading;
    flash.actualCharsPerMinute = 1320;
    const QDateTime when(QDate(2026, 12, 5), QTime(21, 30));
    {
        DiaryStore store;
        QCOMPARE(store.open(path, false), DiaryStore::Opening::Opened);
        if (carried == Carried::Pending) {
            QSqlDatabase other =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
            other.setDatabaseName(path);
            QVERIFY(other.open());
            QVERIFY(QSqlQuery(other).exec(QStringLiteral("BEGIN IMMEDIATE")));
            QVERIFY(store.add(flash, when));
            QCOMPARE(store.pendingCount(), 1);
            QVERIFY(QSqlQuery(other).exec(QStringLiteral("ROLLBACK")));
            other.close();
        } else {
            QVERIFY(store.add(flash, when));
            if (carried == Carried::Restored)
                QVERIFY(store.backUpNow());
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
    if (carried == Carried::Recovered)
        overwrite(path, 0, QByteArray(100, '\0'));
    else if (carried == Carried::Restored)
        overwrite(path, qint64(pageOf(path, "records") - 1) * 4096, noise(4096));
    DiaryStore store;
    store.open(path, false);
    if (carried == Carried::Recovered)
        QVERIFY2(store.openingMessage().contains(QStringLiteral("перенесено записей: 3001")),
                 qPrintable(store.openingMessage()));
    if (carried == Carried::Restored)
        QVERIFY(store.restoreBackup(store.offeredBackup()) > 0);
    QCOMPARE(store.pendingCount(), 0);
    const std::vector<DiaryRecord> found = store.records({DiaryKind::FlashReading, when});
    QCOMPARE(found.size(), std::size_t(1));
    QCOMPARE(found[0].when, when);
    QCOMPARE(found[0].result.charsPerMinute, 1500);
    QCOMPARE(found[0].result.actualCharsPerMinute, 1320);
}

void DiarySafetyTest::secondLayoutRead_data() {
    QTest::addColumn<bool>("backup"); // the older file is a backup; else the damaged diary
    QTest::newRow("damaged diary") << false;
    QTest::newRow("backup") << true;
}

// A file written before the two speeds were parted is read whole, each speed as the step to the
// new layout sets it, whether it is a damaged diary or the backup offered after damage.
void DiarySafetyTest::secondLayoutRead() {
    QFETCH(bool, backup);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("diary.sqlite"));
    if (backup) {
        QVERIFY(QFile::copy(Template, path));
        writeSecondLayout(DiaryBackup::pathFor(path, QDate::currentDate().addDays(-1)));
        overwrite(path, qint64(pageOf(path, "records") - 1) * 4096, noise(4096));
    } else {
        writeSecondLayout(path);
        overwrite(path, 0, QByteArray(100, '\0'));
    }
    DiaryStore store;
    store.open(path, false);
    QVERIFY2(store.openingMessage().contains(QStringLiteral("Дневник повреждён")),
             qPrintable(store.openingMessage()));
    if (backup)
        QCOMPARE(store.restoreBackup(store.offeredBackup()), 1);
    const std::vector<DiaryRecord> found = store.records();
    QCOMPARE(found.size(), std::size_t(1));
    QCOMPARE(found[0].result.kind, DiaryKind::TextTest);
    QCOMPARE(found[0].result.charsPerMinute, 1460);
    QCOMPARE(found[0].result.actualCharsPerMinute, (1842 + 299) * 60000 / 116600);
}

QTEST_GUILESS_MAIN(DiarySafetyTest)
#include "tst_diarysafety.moc"
