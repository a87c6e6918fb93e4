#include "DiaryFileSql.h"
#include "diary/ChartScale.h"
#include "diary/DiaryCsv.h"
#include "diary/DiaryProgress.h"
#include "diary/DiarySchema.h"
#include "diary/DiaryStore.h"
#include "diary/DiaryTableModel.h"
#include "diary/DiaryText.h"
#include "diary/WordCount.h"
#include "training/ActualSpeed.h"

#include <QAbstractItemModelTester>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <optional>
#include <thread>

Q_DECLARE_METATYPE(RunResult)

namespace {

RunResult textTest(int right, bool stopped = false) {
    RunResult r;
    r.kind = DiaryKind::TextTest;
    r.charsPerMinute = 1500;
    r.wordsPerMinute = 210;
    r.fieldWidth = 12;
    r.textName = QStringLiteral("Тест 2");
    r.charsRead = 2400;
    r.wordsRead = 330;
    r.durationMs = 96000;
    r.actualCharsPerMinute = 1390;
    r.right = stopped ? -1 : right;
    r.outOf = stopped ? 0 : 5;
    r.stopped = stopped;
    return r;
}

void compare(const RunResult& got, const RunResult& want) {
    QCOMPARE(got.kind, want.kind);
    QCOMPARE(got.charsPerMinute, want.charsPerMinute);
    QCOMPARE(got.actualCharsPerMinute, want.actualCharsPerMinute);
    QCOMPARE(got.wordsPerMinute, want.wordsPerMinute);
    QCOMPARE(got.fieldWidth, want.fieldWidth);
    QCOMPARE(got.textName, want.textName);
    QCOMPARE(got.charsRead, want.charsRead);
    QCOMPARE(got.wordsRead, want.wordsRead);
    QCOMPARE(got.durationMs, want.durationMs);
    QCOMPARE(got.courseLevel, want.courseLevel);
    QCOMPARE(got.courseStage, want.courseStage);
    QCOMPARE(got.right, want.right);
    QCOMPARE(got.outOf, want.outOf);
    QCOMPARE(got.shown, want.shown);
    QCOMPARE(got.mistakes, want.mistakes);
    QCOMPARE(got.stopped, want.stopped);
}

} // namespace

class DiaryStoreTest : public QObject {
    Q_OBJECT
private slots:
    void barsMergedToFit_data();
    void barsMergedToFit();
    void newRecordInsertedInPlace_data();
    void newRecordInsertedInPlace();
    void recordReadBack_data();
    void recordReadBack();
    void migrationFromFirstVersion();
    void damagedFileMovedAside();
    void twoProgramsWriteAtOnce();
    void unwritableFolder();
    void filterAndOrder();
    void dailyBest();
    void words_data();
    void words();
    void actualSpeed_data();
    void actualSpeed();
    void migrationFromSecondVersion();
    void csvLeavesEmptyWhatTheTableLeavesEmpty_data();
    void csvLeavesEmptyWhatTheTableLeavesEmpty();
    void progressFollowsTheFilter();
    void valueAxisLabelsDiffer_data();
    void valueAxisLabelsDiffer();
    void timeAxisEndsAtTheLastDay_data();
    void timeAxisEndsAtTheLastDay();
    void csvCells_data();
    void csvCells();
    void bidiControlsShown_data();
    void bidiControlsShown();

private:
    QTemporaryDir Folder;
    QString diaryPath() const { return Folder.filePath(QStringLiteral("diary.sqlite")); }
};

void DiaryStoreTest::recordReadBack_data() {
    QTest::addColumn<RunResult>("result");
    QTest::newRow("text test") << textTest(3);
    QTest::newRow("text test stopped") << textTest(0, true);
    RunResult reading = textTest(0);
    reading.kind = DiaryKind::TextReading;
    reading.right = -1;
    reading.outOf = 0;
    reading.textName = QStringLiteral("Война и мир; том 1.fb2");
    reading.courseLevel = 3;
    reading.courseStage = 7;
    QTest::newRow("text reading in a course") << reading;
    RunResult line;
    line.kind = DiaryKind::FieldOfViewTest;
    line.fieldWidth = 24;
    line.charsPerMinute = 2500;
    line.right = 0;
    line.outOf = 1;
    line.shown = QStringLiteral("31 и 75");
    QTest::newRow("field of view, wrong") << line;
    RunResult table;
    table.kind = DiaryKind::TableTest;
    table.right = 2;
    table.outOf = 3;
    table.shown = QStringLiteral("5, 17, 30");
    QTest::newRow("table test") << table;
    table.kind = DiaryKind::TableReading;
    table.right = -1;
    table.outOf = 0;
    table.shown.clear();
    table.stopped = true;
    QTest::newRow("table reading stopped") << table;
    RunResult schulte;
    schulte.kind = DiaryKind::Schulte;
    schulte.durationMs = 41250;
    schulte.right = 25;
    schulte.outOf = 25;
    schulte.mistakes = 2;
    QTest::newRow("Schulte") << schulte;
    RunResult flash = textTest(0);
    flash.kind = DiaryKind::FlashReading;
    flash.right = -1;
    flash.outOf = 0;
    QTest::newRow("flash reading") << flash;
}

void DiaryStoreTest::recordReadBack() {
    QFETCH(RunResult, result);
    QFile::remove(diaryPath());
    const QDateTime when(QDate(2026, 12, 1), QTime(9, 30, 15, 250));
    {
        DiaryStore store;
        QCOMPARE(store.open(diaryPath()), DiaryStore::Opening::Opened);
        QVERIFY(store.add(result, when));
    }
    DiaryStore reopened;
    QCOMPARE(reopened.open(diaryPath()), DiaryStore::Opening::Opened);
    const std::vector<DiaryRecord> records = reopened.records();
    QCOMPARE(records.size(), std::size_t(1));
    QCOMPARE(records[0].when, when);
    compare(records[0].result, result);
}

void DiaryStoreTest::migrationFromFirstVersion() {
    QFile::remove(diaryPath());
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "v1");
        db.setDatabaseName(diaryPath());
        QVERIFY(db.open());
        QSqlQuery query(db);
        for (const QString& statement : DiarySchema::stepFrom(0))
            QVERIFY(query.exec(statement));
        QVERIFY(query.exec("PRAGMA user_version = 1"));
        QVERIFY(query.exec("INSERT INTO records (at, kind, chars_per_minute, field_width, "
                           "text_name, chars_read, duration_ms, right_count, out_of, stopped) "
                           "VALUES (1700000000000, 2, 1200, 10, 'Тест 1', 900, 45000, 4, 5, 0)"));
        db.close();
    }
    QSqlDatabase::removeDatabase("v1");
    DiaryStore store;
    QCOMPARE(store.open(diaryPath()), DiaryStore::Opening::Opened);
    const std::vector<DiaryRecord> records = store.records();
    QCOMPARE(records.size(), std::size_t(1));
    const RunResult& old = records[0].result;
    QCOMPARE(old.kind, DiaryKind::TextTest);
    QCOMPARE(old.charsPerMinute, 1200);
    QCOMPARE(old.percent(), 80);
    QCOMPARE(old.wordsPerMinute, 0);
    QCOMPARE(old.mistakes, -1);
    // The migration finds the day of the old record where the user lives.
    const DiaryProgress progress = store.progress({}, 10);
    QCOMPARE(progress.minutesPerDay.size(), 1);
    QCOMPARE(qint64(progress.minutesPerDay[0].x()),
             QDateTime::fromMSecsSinceEpoch(1700000000000).date().startOfDay().toMSecsSinceEpoch());
    QVERIFY(store.add(textTest(5)));
    const DiaryFileSql file(store.path());
    QSqlQuery version = file.query();
    QVERIFY(version.exec("PRAGMA user_version") && version.next());
    QCOMPARE(version.value(0).toInt(), DiaryStore::SchemaVersion);
}

void DiaryStoreTest::damagedFileMovedAside() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("diary.sqlite"));
    QFile damaged(path);
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(8192, '\x5a'));
    damaged.close();
    DiaryStore store;
    QCOMPARE(store.open(path), DiaryStore::Opening::MovedAside);
    QVERIFY(store.openingMessage().contains(QStringLiteral("повреждён")));
    const QStringList aside =
        QDir(folder.path()).entryList({QStringLiteral("diary-damaged-*.sqlite")});
    QCOMPARE(aside.size(), 1);
    QCOMPARE(QFileInfo(folder.filePath(aside[0])).size(), 8192);
    QVERIFY(store.add(textTest(4)));
    QCOMPARE(store.count(), 1);
}

void DiaryStoreTest::twoProgramsWriteAtOnce() {
    QFile::remove(diaryPath());
    constexpr int each = 150;
    const QString path = diaryPath();
    std::atomic<int> written{0};
    auto program = [&written, path](int level) {
        DiaryStore store;
        if (store.open(path) != DiaryStore::Opening::Opened)
            return;
        RunResult r = textTest(3);
        r.courseLevel = level;
        for (int i = 0; i < each; ++i)
            written += store.add(r) ? 1 : 0;
    };
    std::thread first(program, 1);
    std::thread second(program, 2);
    first.join();
    second.join();
    QCOMPARE(written.load(), 2 * each);
    DiaryStore store;
    QCOMPARE(store.open(path), DiaryStore::Opening::Opened);
    QCOMPARE(store.count(), 2 * each);
    const DiaryFileSql file(store.path());
    QSqlQuery query = file.query();
    QVERIFY(query.exec("SELECT COUNT(*) FROM records WHERE course_level = 2") && query.next());
    QCOMPARE(query.value(0).toInt(), each);
}

void DiaryStoreTest::unwritableFolder() {
    // A folder that cannot be made: its parent is a file.
    QTemporaryDir folder;
    QFile blocker(folder.filePath(QStringLiteral("data")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    DiaryStore store;
    QCOMPARE(store.open(folder.filePath(QStringLiteral("data/skimora/diary.sqlite"))),
             DiaryStore::Opening::InMemory);
    QVERIFY(!store.openingMessage().isEmpty());
    QVERIFY(store.add(textTest(2)));
    QCOMPARE(store.count(), 1);
}

void DiaryStoreTest::filterAndOrder() {
    QFile::remove(diaryPath());
    DiaryStore store;
    QCOMPARE(store.open(diaryPath()), DiaryStore::Opening::Opened);
    const QDateTime day(QDate(2026, 11, 20), QTime(12, 0));
    RunResult slow = textTest(1);
    slow.charsPerMinute = 900;
    RunResult reading = textTest(0);
    reading.kind = DiaryKind::TextReading;
    QVERIFY(store.add(slow, day));
    QVERIFY(store.add(textTest(5), day.addDays(5)));
    QVERIFY(store.add(reading, day.addDays(6)));
    const DiaryFilter tests{DiaryKind::TextTest, {}};
    QCOMPARE(store.count(tests), 2);
    QCOMPARE(store.count({{}, day.addDays(1)}), 2);
    const auto bySpeed = store.records(tests, DiaryOrder::CharsPerMinute, Qt::DescendingOrder);
    QCOMPARE(bySpeed.size(), std::size_t(2));
    QCOMPARE(bySpeed[0].result.charsPerMinute, 1500);
    QVERIFY(store.remove(bySpeed[0].id));
    QCOMPARE(store.count(tests), 1);
    QVERIFY(store.removeAll());
    QCOMPARE(store.count(), 0);
}

void DiaryStoreTest::dailyBest() {
    QFile::remove(diaryPath());
    DiaryStore store;
    QCOMPARE(store.open(diaryPath()), DiaryStore::Opening::Opened);
    const QDateTime morning(QDate(2026, 12, 2), QTime(8, 0));
    RunResult fast = textTest(2);
    fast.charsPerMinute = 2100;
    fast.actualCharsPerMinute = 2100; // the chart draws the speed reached
    QVERIFY(store.add(textTest(4), morning));
    QVERIFY(store.add(fast, morning.addSecs(3600)));
    QVERIFY(store.add(textTest(0, true), morning.addSecs(7200))); // stopped: no point
    QVERIFY(store.add(textTest(1), morning.addDays(1)));
    const DiaryProgress progress = store.progress({}, 100);
    QCOMPARE(progress.records, 4);
    QCOMPARE(progress.charsPerMinute.points.size(), 3);
    QCOMPARE(progress.charsPerMinute.dailyBest.size(), 2);
    QCOMPARE(progress.charsPerMinute.dailyBest[0].y(), 2100.0);
    QCOMPARE(progress.comprehension.dailyBest[0].y(), 80.0);
    QCOMPARE(progress.comprehension.dailyBest[1].y(), 20.0);
    QCOMPARE(progress.minutesPerDay.size(), 2);
    QCOMPARE(progress.minutesPerDay[0].y(), 3 * 96000 / 60000.0);
    QVERIFY(progress.fieldWidth.isEmpty());
    const DiaryProgress thinned = store.progress({}, 2);
    QVERIFY(thinned.pointsLeftOut);
    QVERIFY(thinned.charsPerMinute.points.isEmpty());
    QCOMPARE(thinned.charsPerMinute.dailyBest.size(), 2);
}

void DiaryStoreTest::words_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("plain") << QStringLiteral("Мама мыла раму.") << 3;
    QTest::newRow("hyphens") << QStringLiteral("Кто-то пришёл по-настоящему рано.") << 4;
    QTest::newRow("dashes alone") << QStringLiteral("— Да, — сказал он. — Нет –") << 4;
    QTest::newRow("numbers") << QStringLiteral("В 2026 году, 3,14 и 10 000 рублей") << 7;
    QTest::newRow("not a thousands group") << QStringLiteral("12 1234 и 5 67") << 5;
    QTest::newRow("latin words") << QStringLiteral("Читаем Python, C++ и rock'n'roll") << 5;
    QTest::newRow("quotes and brackets") << QStringLiteral("«Слово» (и) \"ещё\"") << 3;
    QTest::newRow("line breaks") << QStringLiteral("конец\r\nстроки\r\n\r\n") << 2;
    QTest::newRow("hyphen at the end") << QStringLiteral("сорока- и белобока") << 3;
    QTest::newRow("letters past the BMP") << QStringLiteral("𝐀𝐁𝐂 слово") << 2;
    QTest::newRow("past the BMP joined by a hyphen") << QStringLiteral("𝐀-𝐁 и 𝟏 𝟐𝟑𝟒") << 3;
}

void DiaryStoreTest::words() {
    QFETCH(QString, text);
    QFETCH(int, count);
    QCOMPARE(countWords(text), count);
}

void DiaryStoreTest::actualSpeed_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("runMs");
    QTest::addColumn<int>("passed");
    QTest::addColumn<int>("speed");
    QTest::newRow("blanks count") << QStringLiteral("Мама мыла раму. ") << 2000 << 16 << 480;
    QTest::newRow("a line break counts once")
        << QStringLiteral("конец\r\nстроки\r\n\r\nабзац") << 6000 << 19 << 190;
    QTest::newRow("lone breaks") << QStringLiteral("а\nб\rв") << 60000 << 5 << 5;
    QTest::newRow("rounded down") << QString(2141, u'ж') << 116600 << 2141 << 1101;
    QTest::newRow("no time") << QStringLiteral("слово") << 0 << 5 << 0;
    QTest::newRow("nothing passed") << QString() << 5000 << 0 << 0;
}

void DiaryStoreTest::actualSpeed() {
    QFETCH(QString, text);
    QFETCH(int, runMs);
    QFETCH(int, passed);
    QFETCH(int, speed);
    QCOMPARE(ActualSpeed::passedCharacters(text), passed);
    QCOMPARE(ActualSpeed::charsPerMinute(passed, runMs), speed);
}

// A diary of the version before keeps every record; the regulator's speed and the speed
// reached each find their column, as far as the old figures tell them.
void DiaryStoreTest::migrationFromSecondVersion() {
    QFile::remove(diaryPath());
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "v2");
        db.setDatabaseName(diaryPath());
        QVERIFY(db.open());
        QSqlQuery query(db);
        for (int version : {0, 1}) {
            for (const QString& statement : DiarySchema::stepFrom(version))
                QVERIFY(query.exec(statement));
        }
        QVERIFY(query.exec("PRAGMA user_version = 2"));
        // kind, chars/min as kept, chars read without blanks, words, real time
        const char* rows[] = {
            "2, 1460, 1842, 300, 116600", // a text test: 1842 + 299 blanks in 116.6 s
            "1, 900, 450, 0, 30000",      // text reading from the first version: no words
            "7, 1958, 500, 80, 20000",    // flash reading: its old figure is neither
            "3, 2500, 0, 0, 9000",        // field of view: no text passed over
            "6, 0, 0, 0, 41250",          // Schulte
        };
        for (const char* row : rows)
            QVERIFY(query.exec(QStringLiteral("INSERT INTO records (at, kind, chars_per_minute, "
                                              "chars_read, words_read, duration_ms) VALUES "
                                              "(1700000000000, ") +
                               QLatin1String(row) + QLatin1Char(')')));
        db.close();
    }
    QSqlDatabase::removeDatabase("v2");
    DiaryStore store;
    QCOMPARE(store.open(diaryPath()), DiaryStore::Opening::Opened);
    const std::vector<DiaryRecord> records = store.records();
    QCOMPARE(records.size(), std::size_t(5));
    const int regulator[] = {1460, 900, 0, 2500, 0};
    const int actual[] = {(1842 + 299) * 60000 / 116600, -1, -1, -1, -1};
    for (std::size_t i = 0; i < records.size(); ++i) {
        QCOMPARE(records[i].result.charsPerMinute, regulator[i]);
        QCOMPARE(records[i].result.actualCharsPerMinute, actual[i]);
    }
    QCOMPARE(actual[0], 1101);
}

void DiaryStoreTest::csvLeavesEmptyWhatTheTableLeavesEmpty_data() {
    QTest::addColumn<RunResult>("result");
    QTest::newRow("text test") << textTest(3);
    RunResult schulte;
    schulte.kind = DiaryKind::Schulte;
    schulte.textName = QStringLiteral("5 x 5, числа");
    schulte.durationMs = 41250;
    schulte.right = 25;
    schulte.outOf = 25;
    schulte.mistakes = 0;
    QTest::newRow("Schulte: no speed, no width") << schulte;
    RunResult line;
    line.kind = DiaryKind::FieldOfViewTest;
    line.charsPerMinute = 2500;
    line.fieldWidth = 24;
    line.right = 1;
    line.outOf = 1;
    QTest::newRow("field of view: no text passed over") << line;
    RunResult flash;
    flash.kind = DiaryKind::FlashReading;
    flash.charsPerMinute = 3000;
    flash.actualCharsPerMinute = 2710;
    flash.charsRead = 400;
    flash.wordsRead = 60;
    flash.wordsPerMinute = 380;
    flash.durationMs = 9500;
    flash.stopped = true;
    QTest::newRow("flash reading: no field") << flash;
}

// A cell the diary's table leaves empty is an empty field in the CSV file, not a 0.
void DiaryStoreTest::csvLeavesEmptyWhatTheTableLeavesEmpty() {
    QFETCH(RunResult, result);
    QFile::remove(diaryPath());
    DiaryStore store;
    QCOMPARE(store.open(diaryPath()), DiaryStore::Opening::Opened);
    QVERIFY(store.add(result, QDateTime(QDate(2026, 12, 3), QTime(10, 0))));
    DiaryTableModel model(store);
    QCOMPARE(model.rowCount(), 1);
    QBuffer csv;
    QVERIFY(csv.open(QIODevice::WriteOnly));
    QVERIFY(writeDiaryCsv(csv, model.shownRecords()));
    const QStringList lines = QString::fromUtf8(csv.data().mid(3)).split(QStringLiteral("\r\n"));
    const QStringList heading = lines[0].split(u';');
    const QStringList fields = lines[1].split(u';');
    QCOMPARE(fields.size(), heading.size());
    // The table's columns and the CSV fields that hold the same figure.
    const QList<std::pair<int, QString>> same{
        {DiaryTableModel::CharsPerMinute, QStringLiteral("Скорость (регулятор)")},
        {DiaryTableModel::ActualCharsPerMinute, QStringLiteral("Фактическая")},
        {DiaryTableModel::WordsPerMinute, QStringLiteral("Слов/мин")},
        {DiaryTableModel::FieldWidth, QStringLiteral("Поле чтения, симв")},
        {DiaryTableModel::Text, QStringLiteral("Текст, таблица")}};
    for (const auto& [column, name] : same) {
        const QString cell = model.data(model.index(0, column)).toString();
        const QString field = fields.value(int(heading.indexOf(name)));
        QVERIFY2(heading.contains(name), qPrintable(name));
        QCOMPARE(field, cell);
    }
    // Counts the table does not show are left empty as well when there are none.
    for (const QString& name :
         {QStringLiteral("Прочитано символов"), QStringLiteral("Прочитано слов")}) {
        const QString field = fields.value(int(heading.indexOf(name)));
        QVERIFY2(field != QStringLiteral("0"), qPrintable(name));
    }
}

void DiaryStoreTest::progressFollowsTheFilter() {
    QFile::remove(diaryPath());
    DiaryStore store;
    QCOMPARE(store.open(diaryPath()), DiaryStore::Opening::Opened);
    const QDateTime day(QDate(2026, 12, 1), QTime(10, 0));
    const auto schulte = [](const char* name, qint64 ms, int cells) {
        RunResult r;
        r.kind = DiaryKind::Schulte;
        r.textName = QString::fromUtf8(name);
        r.durationMs = ms;
        r.right = cells;
        r.outOf = cells;
        r.mistakes = 0;
        return r;
    };
    QVERIFY(store.add(textTest(4), day));
    QVERIFY(store.add(schulte("3 x 3, числа", 18000, 9), day.addSecs(60)));
    QVERIFY(store.add(schulte("3 x 3, числа", 9000, 9), day.addSecs(120)));
    QVERIFY(store.add(schulte("5 x 5, буквы", 50000, 25), day.addSecs(180)));
    QVERIFY(store.add(schulte("3 x 3, числа", 13500, 9), day.addDays(1)));

    const DiaryProgress all = store.progress({}, 100);
    QCOMPARE(all.records, 5);
    QCOMPARE(all.charsPerMinute.dailyBest.size(), 1);
    QCOMPARE(all.charsPerMinute.dailyBest[0].y(), 1390.0); // the speed reached
    QCOMPARE(all.schulteSeconds.size(), 2);
    QCOMPARE(all.schulteSeconds[0].name, QStringLiteral("3 x 3, числа"));
    QCOMPARE(all.schulteSeconds[0].points.size(), 3);
    QCOMPARE(all.schulteSeconds[0].dailyBest.size(), 2);
    QCOMPARE(all.schulteSeconds[0].dailyBest[0].y(), 1.0); // 9 s over 9 cells, the best
    QCOMPARE(all.schulteSeconds[0].dailyBest[1].y(), 1.5);
    QCOMPARE(all.schulteSeconds[1].name, QStringLiteral("5 x 5, буквы"));
    QCOMPARE(all.schulteSeconds[1].dailyBest[0].y(), 2.0);

    const DiaryProgress tables = store.progress({DiaryKind::Schulte, {}}, 100);
    QCOMPARE(tables.records, 4);
    QVERIFY(tables.charsPerMinute.isEmpty());
    QVERIFY(tables.comprehension.isEmpty());
    QCOMPARE(tables.schulteSeconds.size(), 2);
    QCOMPARE(tables.minutesPerDay[0].y(), (18000 + 9000 + 50000) / 60000.0);

    const DiaryProgress tests = store.progress({DiaryKind::TextTest, {}}, 100);
    QCOMPARE(tests.records, 1);
    QVERIFY(tests.schulteSeconds.isEmpty());
    QCOMPARE(tests.minutesPerDay.size(), 1);
    QCOMPARE(tests.minutesPerDay[0].y(), 96000 / 60000.0);

    const DiaryProgress lastDay = store.progress({DiaryKind::Schulte, day.addDays(1)}, 100);
    QCOMPARE(lastDay.records, 1);
    QCOMPARE(lastDay.schulteSeconds.size(), 1);
    const DiaryProgress thinned = store.progress({DiaryKind::Schulte, {}}, 2);
    QVERIFY(thinned.pointsLeftOut);
    QVERIFY(thinned.schulteSeconds[0].points.isEmpty()); // three records: only the daily best
    QCOMPARE(thinned.schulteSeconds[1].points.size(), 1);
}

void DiaryStoreTest::valueAxisLabelsDiffer_data() {
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::newRow("seconds per cell") << 0.0 << 1.9;
    QTest::newRow("seconds, not from zero") << 0.8 << 1.6;
    QTest::newRow("tenths") << 0.0 << 0.33;
    QTest::newRow("speed") << 0.0 << 3872.0;
    QTest::newRow("narrow speed") << 1000.0 << 1100.0;
    QTest::newRow("width") << 9.0 << 26.4;
    QTest::newRow("one value") << 5.0 << 5.0;
    QTest::newRow("nothing") << 0.0 << 0.0;
}

// Every label of a value axis names a value of its own ("0, 1, 1, 2" must not happen), and the
// axis holds the values it is for.
void DiaryStoreTest::valueAxisLabelsDiffer() {
    QFETCH(double, low);
    QFETCH(double, high);
    const ChartScale::Values axis = ChartScale::values(low, high, 5);
    QVERIFY(axis.low <= low);
    QVERIFY(axis.high >= high);
    QVERIFY(axis.high > axis.low);
    QStringList labels;
    for (double v = axis.low; v <= axis.high + axis.step / 1000; v += axis.step)
        labels << QString::number(v, 'f', axis.decimals);
    QVERIFY2(labels.size() >= 2 && labels.size() <= 6, qPrintable(labels.join(u' ')));
    QCOMPARE(labels.removeDuplicates(), 0);
}

void DiaryStoreTest::timeAxisEndsAtTheLastDay_data() {
    QTest::addColumn<int>("days"); // from the first day to the last
    QTest::addColumn<int>("labels");
    QTest::newRow("one day") << 0 << 1;
    QTest::newRow("week") << 6 << 7;
    QTest::newRow("month") << 29 << 6;
    QTest::newRow("year") << 365 << 6;
    QTest::newRow("years") << 1096 << 6;
}

void DiaryStoreTest::timeAxisEndsAtTheLastDay() {
    QFETCH(int, days);
    QFETCH(int, labels);
    const QDate last(2026, 12, 7);
    const QList<QDate> shown = ChartScale::labelledDays(last.addDays(-days), last, 7);
    QCOMPARE(shown.size(), labels);
    QCOMPARE(shown.last(), last);
    QVERIFY(shown.first() >= last.addDays(-days));
    for (int i = 1; i < shown.size(); ++i)
        QCOMPARE(shown[i - 1].daysTo(shown[i]), shown[0].daysTo(shown[1]));
}

void DiaryStoreTest::csvCells_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("cell");
    QTest::newRow("plain") << QStringLiteral("Рассказ.txt") << QStringLiteral("Рассказ.txt");
    QTest::newRow("hyphen inside") << QStringLiteral("кто-то.txt") << QStringLiteral("кто-то.txt");
    QTest::newRow("equals") << QStringLiteral("=1+2") << QStringLiteral("'=1+2");
    QTest::newRow("formula with quotes")
        << QStringLiteral("=HYPERLINK(\"http://x\";\"y\")")
        << QStringLiteral("\"'=HYPERLINK(\"\"http://x\"\";\"\"y\"\")\"");
    QTest::newRow("plus") << QStringLiteral("+7 (999) 123.txt")
                          << QStringLiteral("'+7 (999) 123.txt");
    QTest::newRow("minus") << QStringLiteral("-2+3.txt") << QStringLiteral("'-2+3.txt");
    QTest::newRow("at") << QStringLiteral("@SUM(1+1).txt") << QStringLiteral("'@SUM(1+1).txt");
    QTest::newRow("tab") << QStringLiteral("\tимя") << QStringLiteral("'\tимя");
    QTest::newRow("carriage return") << QStringLiteral("\rимя") << QStringLiteral("\"'\rимя\"");
}

void DiaryStoreTest::csvCells() {
    QFETCH(QString, name);
    QFETCH(QString, cell);
    QCOMPARE(diaryCsvField(name), cell);
    // The whole line carries the cell as it is.
    RunResult r = textTest(3);
    r.textName = name;
    QBuffer out;
    QVERIFY(out.open(QIODevice::WriteOnly));
    QVERIFY(writeDiaryCsv(out, {DiaryRecord{1, QDateTime(QDate(2026, 12, 1), QTime(9, 0)), r}}));
    QVERIFY(QString::fromUtf8(out.data()).contains(QLatin1Char(';') + cell + QLatin1Char(';')));
}

void DiaryStoreTest::bidiControlsShown_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain") << QStringLiteral("Рассказ.txt") << QStringLiteral("Рассказ.txt");
    QTest::newRow("right-to-left override")
        << QStringLiteral("отчёт\u202Etxt.exe") << QStringLiteral("отчёт<U+202E>txt.exe");
    QTest::newRow("isolate and mark")
        << QStringLiteral("\u2067a\u2069\u200Fb") << QStringLiteral("<U+2067>a<U+2069><U+200F>b");
    QTest::newRow("Arabic letter mark")
        << QStringLiteral("x\u061Cy") << QStringLiteral("x<U+061C>y");
}

void DiaryStoreTest::bidiControlsShown() {
    QFETCH(QString, name);
    QFETCH(QString, shown);
    QFile::remove(diaryPath());
    DiaryStore store;
    QCOMPARE(store.open(diaryPath(), false), DiaryStore::Opening::Opened);
    RunResult r = textTest(3);
    r.textName = name;
    QVERIFY(store.add(r));
    const DiaryTableModel model(store);
    QCOMPARE(model.data(model.index(0, DiaryTableModel::Text)).toString(), shown);
    // The record itself keeps the name as it was.
    QCOMPARE(store.records()[0].result.textName, name);
}

void DiaryStoreTest::newRecordInsertedInPlace_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<Qt::SortOrder>("direction");
    QTest::addColumn<int>("kind");   // the filter's kind, 0 for all
    QTest::addColumn<int>("before"); // records there already, one a minute from 9:00 the day before
    QTest::addColumn<int>("row");    // where the new one is shown; -1: not among the rows read
    QTest::newRow("newest first") << int(DiaryTableModel::When) << Qt::DescendingOrder << 0 << 5
                                  << 0;
    QTest::newRow("oldest first") << int(DiaryTableModel::When) << Qt::AscendingOrder << 0 << 5
                                  << 5;
    QTest::newRow("by the speed reached")
        << int(DiaryTableModel::ActualCharsPerMinute) << Qt::DescendingOrder << 0 << 5 << 2;
    QTest::newRow("left out by the filter")
        << int(DiaryTableModel::When) << Qt::DescendingOrder << int(DiaryKind::Schulte) << 5 << -1;
    QTest::newRow("past the rows read") << int(DiaryTableModel::When) << Qt::AscendingOrder << 0
                                        << DiaryTableModel::PageSize + 20 << -1;
}

// A new record becomes one inserted row where the store's order puts it, not a reset; the
// model stays sound throughout.
void DiaryStoreTest::newRecordInsertedInPlace() {
    QFETCH(int, column);
    QFETCH(Qt::SortOrder, direction);
    QFETCH(int, kind);
    QFETCH(int, before);
    QFETCH(int, row);
    QFile::remove(diaryPath());
    DiaryStore store;
    QCOMPARE(store.open(diaryPath(), false), DiaryStore::Opening::Opened);
    {
        // Speeds reached 1000, 1100, ... a minute apart.
        const DiaryFileSql file(store.path());
        QSqlQuery query = file.query();
        QVERIFY(query.exec(
            QStringLiteral(
                "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                "INSERT INTO records (at, kind, actual_chars_per_minute, day) SELECT "
                "%2 + i * 60000, 2, 1000 + 100 * i, %3 FROM n")
                .arg(before - 1)
                .arg(QDateTime(QDate(2026, 12, 1), QTime(9, 0)).toMSecsSinceEpoch())
                .arg(QDate(2026, 12, 1).toJulianDay())));
    }
    DiaryTableModel model(store);
    // The tester reads further pages from within its own checks of a reset, which it cannot
    // follow itself: it watches the diaries that fit one page.
    std::optional<QAbstractItemModelTester> tester;
    if (before <= DiaryTableModel::PageSize)
        tester.emplace(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    if (kind != 0)
        model.setFilter({DiaryKind(kind), {}});
    model.sort(column, direction);
    const int shown = model.rowCount();
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    RunResult r = textTest(4);
    r.actualCharsPerMinute = 1250; // between the third and the fourth
    QVERIFY(store.add(r, QDateTime(QDate(2026, 12, 2), QTime(12, 0)))); // after all of them
    QCOMPARE(reset.count(), 0);
    QCOMPARE(inserted.count(), row < 0 ? 0 : 1);
    QCOMPARE(model.rowCount(), row < 0 ? shown : shown + 1);
    QCOMPARE(model.shownCount(), kind != 0 ? 0 : before + 1);
    if (row >= 0) {
        QCOMPARE(inserted[0][1].toInt(), row);
        QCOMPARE(model.record(row).result.actualCharsPerMinute, 1250);
    }
    // The rows read are the store's in its order, the new one among them.
    while (model.canFetchMore({}))
        model.fetchMore({});
    const std::vector<DiaryRecord> expected = model.shownRecords();
    QCOMPARE(model.rowCount(), int(expected.size()));
    for (int i = 0; i < model.rowCount(); ++i)
        QCOMPARE(model.record(i).id, expected[std::size_t(i)].id);
    // Anything else read afresh.
    QVERIFY(store.remove(expected.empty() ? 1 : expected.front().id));
    QCOMPARE(reset.count(), 1);
}

void DiaryStoreTest::barsMergedToFit_data() {
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");
    QTest::addColumn<int>("width"); // pixels
    QTest::addColumn<int>("span");  // ChartScale::BarSpan
    QTest::addColumn<int>("bars");
    QTest::newRow("a week: days") << QDate(2026, 12, 1) << QDate(2026, 12, 7) << 400
                                  << int(ChartScale::BarSpan::Day) << 7;
    QTest::newRow("a year, narrow: weeks")
        << QDate(2026, 1, 1) << QDate(2026, 12, 31) << 400 << int(ChartScale::BarSpan::Week) << 53;
    QTest::newRow("a year, wide: days")
        << QDate(2026, 1, 1) << QDate(2026, 12, 31) << 1600 << int(ChartScale::BarSpan::Day) << 365;
    QTest::newRow("three years: months")
        << QDate(2023, 12, 8) << QDate(2026, 12, 7) << 400 << int(ChartScale::BarSpan::Month) << 37;
}

// The minutes of every day of the range, one a day, as bars each at least 4 pixels wide: the
// span chosen is the finest that fits, and no minute is lost or counted twice.
void DiaryStoreTest::barsMergedToFit() {
    QFETCH(QDate, first);
    QFETCH(QDate, last);
    QFETCH(int, width);
    QFETCH(int, span);
    QFETCH(int, bars);
    QList<std::pair<QDate, double>> days;
    for (QDate day = first; day <= last; day = day.addDays(1))
        days.append({day, 1.0});
    const ChartScale::Bars merged = ChartScale::mergedBars(days, first, last, width, 4);
    QCOMPARE(int(merged.span), span);
    QCOMPARE(merged.bars.size(), bars);
    QVERIFY(merged.bars.size() * 4 <= width);
    double total = 0;
    for (const ChartScale::Bar& bar : merged.bars) {
        QVERIFY(bar.first <= bar.last);
        // Each bar holds exactly its own days of the range.
        const QDate from = std::max(bar.first, first), to = std::min(bar.last, last);
        QCOMPARE(bar.minutes, double(from.daysTo(to) + 1));
        total += bar.minutes;
    }
    QCOMPARE(total, double(first.daysTo(last) + 1));
}

QTEST_GUILESS_MAIN(DiaryStoreTest)
#include "tst_diarystore.moc"
