// Pacing of the field-of-view test: real runs at 10 000 characters per minute (a pair every
// 36 ms) driven by the window's own timer in the event loop, started with the Start button
// and left to run out their time. The wall-clock time of each pair is compared with the time
// the window counted for it (what it takes off TimeLeft), and the length of the run with the
// time it counted in all. Target, also with two busy processes beside it: the run within 0.5 %
// of its nominal length, and no pair shorter than 90 % of the time counted for it.
//
// The second benchmark loads the event loop: every 100 ms something else on the user-interface
// thread keeps it busy for the given milliseconds (a long repaint, another window's work), so
// single steps come late; the paced timer must not let the lateness add up.

#include "BenchMain.h"
#include "BenchProgram.h"

#include "fieldofview/Unitfrstring.h"
#include "platform/PacedTimer.h"
#include "shell/ProgramWindows.h"
#include "shell/Unitfrmain.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMdiArea>
#include <QTimer>
#include <QToolButton>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// When each step began, and TimeLeft after it.
struct Step {
    qint64 startNs = 0;
    int timeLeft = 0;
};

// Sees each step's timer event reach Timer1 before the step runs, and TimeLeft after it (the
// last step shows the answer dialog before it returns).
class StepRecorder : public QObject {
public:
    StepRecorder(TStringForm& form, const QElapsedTimer& clock) : Form(form), Clock(clock) {
        Form.Timer1->installEventFilter(this);
        connect(Form.Timer1, &QTimer::timeout, this, [this] {
            if (!Steps.empty())
                Steps.back().timeLeft = Form.TimeLeft;
        });
    }

    std::vector<Step> Steps;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == Form.Timer1 && event->type() == QEvent::Timer)
            Steps.push_back({Clock.nsecsElapsed(), 0});
        return false;
    }

private:
    TStringForm& Form;
    const QElapsedTimer& Clock;
};

double percentile(std::vector<double> values, int percent) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, values.size() * percent / 100)];
}

void runPaced(benchmark::State& state, int stallMs) {
    BenchProgram program({{"SpeedTrackBarPosition", 1000}, {"WideExpression", 20}});
    if (!program.isReady()) {
        state.SkipWithError("the program did not start");
        return;
    }
    TMainForm* main = program.windows().MainForm;
    TStringForm* form = program.windows().StringForm;
    // The benchmark's program has no test texts, so the test button would refuse test mode;
    // the window is brought to the front directly.
    main->mdiArea()->setActiveSubWindow(form);
    if (main->state().CharInterval() != 6 || main->ActiveMDIChild() != form) {
        state.SkipWithError("not the field-of-view test at 10 000 characters per minute");
        return;
    }

    QElapsedTimer clock;
    std::vector<Step> steps;
    int timeLeftAtStart = 0;
    QObject::connect(form->Timer1, &QTimer::timeout, form, [&] {
        steps.push_back({clock.nsecsElapsed(), form->TimeLeft});
    });
    // The answer dialog closes as soon as it opens: the run is what is measured.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, &answer, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    answer.start(5);
    QTimer load;
    load.setTimerType(Qt::PreciseTimer);
    QObject::connect(&load, &QTimer::timeout, &load, [stallMs] {
        QElapsedTimer busy;
        busy.start();
        while (busy.elapsed() < stallMs) {
        }
    });

    for (auto _ : state) {
        steps.clear();
        clock.start();
        if (stallMs > 0)
            load.start(100);
        main->SpeedButton2->click(); // Start
        timeLeftAtStart = form->TimeLeft;
        QEventLoop loop;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, &loop, [&] {
            if (!form->Running)
                loop.quit();
        });
        watch.start(1);
        loop.exec();
        load.stop();
    }
    if (steps.size() < 3) {
        state.SkipWithError("the run took no steps");
        return;
    }
    const double wallMs = double(steps.back().startNs - steps.front().startNs) / 1e6;
    const double nominalMs = steps.front().timeLeft - steps.back().timeLeft;
    std::vector<double> miss;
    double worstDrift = 0;
    double shortest = 100; // the shortest pair, as a percentage of the time counted for it
    for (size_t i = 1; i < steps.size(); ++i) {
        const double interval = double(steps[i].startNs - steps[i - 1].startNs) / 1e6;
        const double counted = steps[i - 1].timeLeft - steps[i].timeLeft;
        miss.push_back(std::abs(interval - counted));
        shortest = std::min(shortest, interval / counted * 100.0);
        const double drift = double(steps[i].startNs - steps.front().startNs) / 1e6 -
                             (steps.front().timeLeft - steps[i].timeLeft);
        worstDrift = std::max(worstDrift, std::abs(drift));
    }
    state.counters["run_nominal_ms"] = nominalMs;
    state.counters["run_wall_ms"] = wallMs;
    state.counters["deviation_percent"] = (wallMs - nominalMs) / nominalMs * 100.0;
    state.counters["pairs"] = double(steps.size() - 1);
    state.counters["time_left_at_start"] = timeLeftAtStart;
    state.counters["interval_miss_median_ms"] = percentile(miss, 50);
    state.counters["interval_miss_p99_ms"] = percentile(miss, 99);
    state.counters["drift_max_ms"] = worstDrift;
    state.counters["interval_shortest_percent"] = shortest;
    state.counters["stall_ms"] = stallMs;
}

void BM_FieldOfViewPacing(benchmark::State& state) {
    runPaced(state, 0);
}

void BM_FieldOfViewPacingUnderLoad(benchmark::State& state) {
    runPaced(state, int(state.range(0)));
}

} // namespace

BENCHMARK(BM_FieldOfViewPacing)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_FieldOfViewPacingUnderLoad)
    ->Arg(20)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
