// Pacing of the table exercise: a real 10 x 10 run at 10 000 characters per minute (6 ms per
// character, a reading field of 10: the first number after 6 x 28 = 168 ms, then one every
// 60 ms, the end one interval after the hundredth), started with the Start button and driven by
// the table window's own timer in the event loop. Each tick is compared with the moment the
// intervals set so far put it at. Target, also with two busy processes beside it: the end within
// 0.5 % of its nominal time, and no interval shorter than 90 % of its nominal length.

#include "BenchMain.h"
#include "BenchProgram.h"

#include "platform/PacedTimer.h"
#include "shell/Unitfrmain.h"
#include "table/Unitfrtable.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QToolButton>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

void BM_TablePacing10x10(benchmark::State& state) {
    BenchProgram program(
        {{"SpeedTrackBarPosition", 1000}, {"WideExpression", 10}, {"Column", 10}, {"Row", 10}});
    if (!program.isReady()) {
        state.SkipWithError("the program did not start");
        return;
    }
    TMainForm* main = program.windows().MainForm;
    TTableForm* form = program.windows().TableForm;
    main->SpeedButton5->click();
    QApplication::processEvents();
    const int first = main->state().CharInterval() * (3 * main->state().Column() - 2);
    const int step = main->state().CharInterval() * main->state().ReadingFieldWidth();
    if (first != 168 || step != 60) {
        state.SkipWithError("not set for 10 x 10 at 10 000 characters per minute");
        return;
    }

    QElapsedTimer clock;
    std::vector<double> ticks; // ms after Start, as each tick's handler is done
    QObject::connect(form->Timer1, &QTimer::timeout, form,
                     [&] { ticks.push_back(double(clock.nsecsElapsed()) / 1e6); });
    for (auto _ : state) {
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (!main->isRunning())
                loop.quit();
        });
        clock.start();
        main->SpeedButton2->click(); // Start
        poll.start(1);
        loop.exec();
    }
    if (ticks.size() != 101) {
        state.SkipWithError("the run did not take 101 steps");
        return;
    }
    double worstDrift = 0;
    double shortest = ticks.front() / first * 100.0; // as a percentage of the nominal interval
    for (size_t k = 0; k < ticks.size(); ++k) {
        worstDrift = std::max(worstDrift, std::abs(ticks[k] - (first + double(k) * step)));
        if (k > 0)
            shortest = std::min(shortest, (ticks[k] - ticks[k - 1]) / step * 100.0);
    }
    const double nominalEnd = first + 100.0 * step;
    state.counters["end_ms"] = ticks.back();
    state.counters["nominal_end_ms"] = nominalEnd;
    state.counters["deviation_percent"] = (ticks.back() - nominalEnd) / nominalEnd * 100.0;
    state.counters["drift_max_ms"] = worstDrift;
    state.counters["interval_shortest_percent"] = shortest;
}

} // namespace

BENCHMARK(BM_TablePacing10x10)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
