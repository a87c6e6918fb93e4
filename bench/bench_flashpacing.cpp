// Flash reading at 10 000 characters per minute (6 ms per character: a five-letter word stays
// 36 ms), started with the Start button and driven by the window's own timer in the event loop,
// through a text of 4 MB loaded in the text window. The time each step began is compared with
// the time the run counted for the groups before it (the groups' own times and pauses, read
// afresh at every group). Target: the total drift at most 0.5 % of the run.
//
// The second benchmark loads the event loop: every 100 ms something else on the user-interface
// thread keeps it busy for the given milliseconds. The third measures one step (the next group
// counted, drawn and handed back to the text window as the reading place) with a text of 10 KB
// and of 4 MB loaded: the cost must not grow with the text.
//
// The runs last 60 s; SKIMORA_PACING_SECONDS sets another length for a quick check.

#include "BenchMain.h"
#include "BenchProgram.h"
#include "BenchTexts.h"

#include "flash/FlashDisplay.h"
#include "flash/FlashForm.h"
#include "platform/PacedTimer.h"
#include "shell/ProgramWindows.h"
#include "shell/Unitfrmain.h"
#include "text/Unitfrtext.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QToolButton>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr qsizetype LongText = 4 * 1024 * 1024;

// When each step began (its timer event reaching Timer1) and the run's counted time after it.
class StepRecorder : public QObject {
public:
    StepRecorder(TFlashForm& form, const QElapsedTimer& clock) : Form(form), Clock(clock) {
        Form.Timer1->installEventFilter(this);
        connect(Form.Timer1, &QTimer::timeout, this, [this] {
            if (Starts.size() > Counted.size())
                Counted.push_back(Form.run().result(false).ElapsedMs);
        });
    }

    std::vector<qint64> Starts; // ns
    std::vector<int> Counted;   // ms

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == Form.Timer1 && event->type() == QEvent::Timer)
            Starts.push_back(Clock.nsecsElapsed());
        return false;
    }

private:
    TFlashForm& Form;
    const QElapsedTimer& Clock;
};

double runSeconds() {
    bool ok = false;
    const double seconds = qEnvironmentVariable("SKIMORA_PACING_SECONDS").toDouble(&ok);
    return ok && seconds > 0 ? seconds : 60.0;
}

double percentile(std::vector<double> values, int percent) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, values.size() * percent / 100)];
}

// The program at 10 000 characters per minute with a text of `characters` loaded and the flash
// window in front; nullptr when it could not be set up.
TFlashForm* flashWindow(BenchProgram& program, qsizetype characters) {
    if (!program.isReady())
        return nullptr;
    TMainForm* main = program.windows().MainForm;
    TFlashForm* form = program.windows().FlashForm;
    program.windows().TextForm->setLoadedText(BenchTexts::russianProse(characters), 0, 0);
    main->FlashKind->trigger(); // "Вспышки" in the drop-down
    QApplication::processEvents();
    if (main->state().CharInterval() != 6 || main->ActiveMDIChild() != form)
        return nullptr;
    return form;
}

void runPaced(benchmark::State& state, int stallMs) {
    const double seconds = runSeconds();
    BenchProgram program({{"SpeedTrackBarPosition", 1000}});
    TFlashForm* form = flashWindow(program, LongText);
    if (!form) {
        state.SkipWithError("not flash reading at 10 000 characters per minute");
        return;
    }
    TMainForm* main = program.windows().MainForm;
    QElapsedTimer clock;
    StepRecorder recorder(*form, clock);
    QTimer load;
    load.setTimerType(Qt::PreciseTimer);
    QObject::connect(&load, &QTimer::timeout, &load, [stallMs] {
        QElapsedTimer busy;
        busy.start();
        while (busy.elapsed() < stallMs) {
        }
    });
    for (auto _ : state) {
        clock.start();
        if (stallMs > 0)
            load.start(100);
        main->SpeedButton2->click(); // Start
        QEventLoop loop;
        QTimer::singleShot(int(seconds * 1000), Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
        load.stop();
        main->SpeedButton3->click(); // Stop
    }
    const auto& starts = recorder.Starts;
    const auto& counted = recorder.Counted;
    const size_t steps = std::min(starts.size(), counted.size());
    if (steps < 3 || form->isRunning()) {
        state.SkipWithError("the run did not take steps or did not stop");
        return;
    }
    // Step 0 shows the first group; by step i the groups of steps 0 .. i-1 have been counted.
    double worstDrift = 0;
    std::vector<double> miss;
    for (size_t i = 1; i < steps; ++i) {
        const double wall = double(starts[i] - starts[0]) / 1e6;
        worstDrift = std::max(worstDrift, std::abs(wall - counted[i]));
        const double interval = double(starts[i] - starts[i - 1]) / 1e6;
        miss.push_back(std::abs(interval - (counted[i] - counted[i - 1])));
    }
    const double wallMs = double(starts[steps - 1] - starts[0]) / 1e6;
    const double nominalMs = counted[steps - 1];
    const FlashResult result = form->run().result(true);
    state.counters["drift_percent"] = (wallMs - nominalMs) / nominalMs * 100.0;
    state.counters["wall_s"] = wallMs / 1000.0;
    state.counters["nominal_s"] = nominalMs / 1000.0;
    state.counters["groups"] = double(steps - 1);
    state.counters["chars_read"] = result.CharsRead;
    state.counters["speed_per_minute"] = result.Speed;
    state.counters["interval_miss_median_ms"] = percentile(miss, 50);
    state.counters["interval_miss_p99_ms"] = percentile(miss, 99);
    state.counters["drift_max_ms"] = worstDrift;
    state.counters["stall_ms"] = stallMs;
}

void BM_FlashPacing(benchmark::State& state) {
    runPaced(state, 0);
}

void BM_FlashPacingUnderLoad(benchmark::State& state) {
    runPaced(state, int(state.range(0)));
}

// One step as the timer runs it, and the display drawn at once.
void BM_FlashStep(benchmark::State& state) {
    BenchProgram program({{"SpeedTrackBarPosition", 1000}});
    TFlashForm* form = flashWindow(program, state.range(0));
    if (!form) {
        state.SkipWithError("not flash reading at 10 000 characters per minute");
        return;
    }
    TMainForm* main = program.windows().MainForm;
    main->SpeedButton2->click(); // Start
    for (auto _ : state) {
        if (!form->isRunning()) {
            state.PauseTiming();
            main->SpeedButton2->click(); // the text read out: from its start again
            state.ResumeTiming();
        }
        form->Timer1Timer();
        form->Display->repaint();
    }
    form->Timer1->stop();
    main->SpeedButton3->click();
    state.counters["text_chars"] = double(state.range(0));
}

} // namespace

BENCHMARK(BM_FlashPacing)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_FlashPacingUnderLoad)->Arg(10)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_FlashStep)->Arg(10 * 1024)->Arg(LongText)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
