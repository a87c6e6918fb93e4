// The training diary: the cost of keeping one result (a write must never hold a run up), the
// time from opening the diary window on 100 000 records to the first paint of all its charts
// (goal: under 200 ms), the cost of the integrity check at the opening, and the memory the program
// holds for such a diary.

#include "BenchMain.h"

#include "diary/DiaryProgress.h"
#include "diary/DiaryStore.h"
#include "diary/TDiaryForm.h"

#include <QApplication>
#include <QChartView>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QPaintEvent>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int Records = 100000;

// 100 000 records of every kind over three years, a quarter of an hour apart, made by SQLite
// in one statement.
bool fillDiary(DiaryStore& store) {
    const qint64 start = QDateTime::currentDateTime().addYears(-3).toMSecsSinceEpoch();
    const qint64 step = (QDateTime::currentMSecsSinceEpoch() - start) / Records;
    // Written through a connection of the bench's own: the store hands none out.
    const QString name = QStringLiteral("bench-fill");
    bool filled = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(store.path());
        filled =
            db.open() &&
            QSqlQuery(db).exec(
                QStringLiteral(
                    "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                    "INSERT INTO records (at, kind, regulator_chars_per_minute, "
                    "actual_chars_per_minute, "
                    "words_per_minute, field_width, "
                    "text_name, chars_read, words_read, duration_ms, right_count, out_of, shown, "
                    "mistakes, "
                    "stopped, day) "
                    "SELECT %2 + i * %3, 1 + i % 7, 800 + i % 1700, "
                    "CASE WHEN i % 7 IN (0, 1, 6) THEN 700 + i % 1500 END, 110 + i % 240, 10 + i % "
                    "30, "
                    "'Текст ' || (i % 40), 3000 + i % 5000, 400 + i % 700, 60000 + i % 300000, "
                    "CASE i % 7 WHEN 1 THEN i % 6 WHEN 2 THEN i % 2 WHEN 4 THEN i % 4 WHEN 5 THEN "
                    "25 END, "
                    "CASE i % 7 WHEN 1 THEN 5 WHEN 2 THEN 1 WHEN 4 THEN 3 WHEN 5 THEN 25 ELSE 0 "
                    "END, "
                    "'', CASE i % 7 WHEN 5 THEN i % 3 END, (i % 23 = 0), "
                    "CAST(julianday(date((%2 + i * %3) / 1000, 'unixepoch', 'localtime')) + 0.5 AS "
                    "INTEGER) "
                    "FROM n")
                    .arg(Records - 1)
                    .arg(start)
                    .arg(step));
    }
    QSqlDatabase::removeDatabase(name);
    return filled;
}

// The program's resident memory in kilobytes.
double residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble();
    }
    return 0;
}

// Counts the charts that have painted since it was armed.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(const QList<QChartView*>& views) {
        for (QChartView* view : views)
            view->viewport()->installEventFilter(this);
    }
    int painted() const { return int(Painted.size()); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint &&
            std::find(Painted.begin(), Painted.end(), watched) == Painted.end())
            Painted.push_back(watched);
        return false;
    }

private:
    std::vector<QObject*> Painted;
};

void BM_DiaryWriteOne(benchmark::State& state) {
    QTemporaryDir folder;
    DiaryStore store;
    if (store.open(folder.filePath(QStringLiteral("diary.sqlite"))) !=
            DiaryStore::Opening::Opened ||
        !fillDiary(store)) {
        state.SkipWithError("the diary could not be made");
        return;
    }
    RunResult result;
    result.kind = DiaryKind::TextTest;
    result.charsPerMinute = 1850;
    result.wordsPerMinute = 255;
    result.textName = QStringLiteral("Тест 3");
    result.right = 4;
    result.outOf = 5;
    std::vector<double> ms;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        if (!store.add(result))
            state.SkipWithError("a write failed");
        ms.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["p99_ms"] = ms[ms.size() * 99 / 100];
    state.counters["max_ms"] = ms.back();
}

// The opening of a diary of 100 000 records with SQLite's quick check of the whole file waited
// for, and with the check left to its own thread (what the start then pays).
void openChecked(benchmark::State& state, bool checkInBackground) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("diary.sqlite"));
    {
        DiaryStore filling;
        if (filling.open(path) != DiaryStore::Opening::Opened || !fillDiary(filling)) {
            state.SkipWithError("the diary could not be made");
            return;
        }
    }
    std::vector<double> ms;
    for (auto _ : state) {
        DiaryStore store;
        QElapsedTimer clock;
        clock.start();
        if (store.open(path, checkInBackground) != DiaryStore::Opening::Opened)
            state.SkipWithError("the diary could not be opened");
        ms.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["max_ms"] = ms.back();
}

void BM_DiaryOpenWithCheck(benchmark::State& state) {
    openChecked(state, false);
}

void BM_DiaryOpenCheckInBackground(benchmark::State& state) {
    openChecked(state, true);
}

void openToFirstPaint(benchmark::State& state, TDiaryForm::Range range) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("diary.sqlite"));
    {
        DiaryStore filling;
        if (filling.open(path) != DiaryStore::Opening::Opened || !fillDiary(filling)) {
            state.SkipWithError("the diary could not be made");
            return;
        }
    }
    const double before = residentKb();
    double openMs = 0, paintMs = 0, kb = 0;
    int charts = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        DiaryStore store;
        store.open(path);
        TDiaryForm form(store, nullptr);
        form.ComboRange->setCurrentIndex(range);
        const qint64 opened = clock.nsecsElapsed();
        const QList<QChartView*> views = form.findChildren<QChartView*>();
        PaintWatch watch(views);
        form.showDiary();
        // Tall enough for every chart to be in view, so that all of them paint (the window
        // fits itself to the screen when shown).
        form.resize(1000, 1500);
        charts = int(std::count_if(views.begin(), views.end(),
                                   [](QChartView* view) { return view->isVisible(); }));
        QElapsedTimer patience;
        patience.start();
        while (watch.painted() < charts && patience.elapsed() < 5000)
            QCoreApplication::processEvents();
        if (watch.painted() < charts)
            state.SkipWithError("a chart did not paint");
        paintMs = double(clock.nsecsElapsed()) / 1e6;
        openMs = double(opened) / 1e6;
        kb = residentKb() - before;
    }
    state.counters["store_and_window_ms"] = openMs;
    {
        DiaryStore store;
        store.open(path);
        QElapsedTimer clock;
        clock.start();
        DiaryFilter filter;
        if (range != TDiaryForm::AllTime)
            filter.since = QDateTime::currentDateTime().addDays(-30);
        const DiaryProgress progress = store.progress(filter, 3000);
        state.counters["chart_figures_ms"] = double(clock.nsecsElapsed()) / 1e6;
        state.counters["days"] = progress.minutesPerDay.size();
    }
    state.counters["first_paint_ms"] = paintMs;
    state.counters["charts"] = charts;
    state.counters["memory_kb"] = kb;
}

void BM_DiaryOpenAllTime(benchmark::State& state) {
    openToFirstPaint(state, TDiaryForm::AllTime);
}

void BM_DiaryOpenMonth(benchmark::State& state) {
    openToFirstPaint(state, TDiaryForm::Month);
}

} // namespace

BENCHMARK(BM_DiaryOpenWithCheck)->Iterations(10)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DiaryOpenCheckInBackground)
    ->Iterations(10)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DiaryWriteOne)->Iterations(500)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DiaryOpenAllTime)->Iterations(5)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DiaryOpenMonth)->Iterations(5)->UseRealTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
