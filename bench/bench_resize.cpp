// Resizing the main window with a novel of 4 M characters in the text window: what one resize
// costs, from the new size to the repainted window, when the column keeps its width (the
// window grows taller, or wider while the column stays as it is). `rewraps` counts how often
// the text was wrapped again per resize.

#include "BenchMain.h"
#include "BenchProgram.h"
#include "BenchTexts.h"

#include "readingview/ReadingView.h"
#include "shell/Unitfrmain.h"
#include "text/Unitfrtext.h"

#include <QApplication>
#include <QElapsedTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

constexpr qsizetype Characters = 4 * 1024 * 1024;

void resizeMainWindow(benchmark::State& state, QSize other) {
    BenchProgram program;
    if (!program.isReady()) {
        state.SkipWithError("the program did not start");
        return;
    }
    TMainForm* main = program.windows().MainForm;
    TTextForm* text = program.windows().TextForm;
    text->setLoadedText(BenchTexts::russianProse(Characters), 0, 0);
    text->RichEdit1->lineCount();
    QApplication::processEvents();
    const QSize sizes[2] = {main->size(), other};
    const int columnBefore = text->RichEdit1->columnRight() - text->RichEdit1->columnLeft();

    std::vector<double> times;
    const quint64 revisionBefore = text->RichEdit1->layoutRevision();
    QElapsedTimer clock;
    int next = 1;
    for (auto _ : state) {
        clock.start();
        main->resize(sizes[next]);
        QApplication::processEvents();
        text->RichEdit1->lineCount(); // a pending re-wrap is paid here at the latest
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
        if (main->size() != sizes[next]) {
            state.SkipWithError("the main window did not take the size");
            return;
        }
        next = 1 - next;
    }
    const int columnAfter = text->RichEdit1->columnRight() - text->RichEdit1->columnLeft();
    if (columnAfter != columnBefore)
        state.SkipWithError("the column changed its width");
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["p95_ms"] = times[times.size() * 95 / 100];
    state.counters["rewraps"] =
        double(text->RichEdit1->layoutRevision() - revisionBefore) / double(times.size());
    state.counters["characters"] = double(text->RichEdit1->length());
}

} // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv, [] {
        benchmark::RegisterBenchmark(
            "BM_ResizeMainWindow_Taller/4M",
            [](benchmark::State& s) { resizeMainWindow(s, QSize(800, 640)); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(
            "BM_ResizeMainWindow_Wider/4M",
            [](benchmark::State& s) { resizeMainWindow(s, QSize(840, 600)); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        return true;
    });
}
