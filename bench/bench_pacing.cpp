// Pacing of the reading exercise: a real run at 10 000 characters per minute (regulator at
// 1000, 6 ms per character, a field of 10 characters: a step every 60 ms) through a long text,
// started with the Start button and driven by the text window's own timer in the event loop.
// The wall-clock time from the first step to the last is compared with the sum of the
// intervals the window set between them (what it counts in ElapsedMs). Target, also with two
// busy processes beside it: within 0.5 %, and no interval shorter than 90 % of the one set.
//
// The run is made alone and with 2 and 8 busy processes beside it (`yes` writing to
// /dev/null, started and ended by the benchmark), on top of whatever else the machine runs.
// The run lasts 60 s; SKIMORA_PACING_SECONDS sets another length for a quick check.

#include "BenchMain.h"
#include "BenchProgram.h"
#include "BenchTexts.h"

#include "platform/PacedTimer.h"
#include "readingview/ReadingView.h"
#include "shell/Unitfrmain.h"
#include "text/Unitfrtext.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <QToolButton>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

constexpr qsizetype TextCharacters = 4 * 1024 * 1024;

// When each step of the run began and ended, and the window's ElapsedMs after it. The start
// is seen as the timer's event reaches Timer1, before the step runs; the end right after the
// window's handler of the timeout.
class StepRecorder : public QObject {
public:
    StepRecorder(TTextForm& form, const QElapsedTimer& clock) : Form(form), Clock(clock) {
        Form.Timer1->installEventFilter(this);
        Form.RichEdit1->viewport()->installEventFilter(this);
        connect(Form.Timer1, &QTimer::timeout, this, [this] {
            if (Starts.size() > Ends.size()) {
                Ends.push_back(Clock.nsecsElapsed());
                Elapsed.push_back(Form.ElapsedMs);
            }
        });
    }

    std::vector<qint64> Starts; // ns
    std::vector<qint64> Ends;   // ns
    std::vector<int> Elapsed;   // ms, the window's count after each step
    int Paints = 0;             // paint events of the view: the run is really shown

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == Form.Timer1 && event->type() == QEvent::Timer)
            Starts.push_back(Clock.nsecsElapsed());
        else if (event->type() == QEvent::Paint)
            ++Paints;
        return false;
    }

private:
    TTextForm& Form;
    const QElapsedTimer& Clock;
};

// Processes that keep a core busy while they live.
class BusyProcesses {
public:
    explicit BusyProcesses(int count) {
        for (int i = 0; i < count; ++i) {
            auto process = std::make_unique<QProcess>();
            process->setStandardOutputFile(QProcess::nullDevice());
            process->start(QStringLiteral("yes"), QStringList());
            if (process->waitForStarted())
                Running.push_back(std::move(process));
        }
    }
    ~BusyProcesses() {
        for (const auto& process : Running) {
            process->kill();
            process->waitForFinished();
        }
    }
    BusyProcesses(const BusyProcesses&) = delete;
    BusyProcesses& operator=(const BusyProcesses&) = delete;

    int count() const { return int(Running.size()); }

private:
    std::vector<std::unique_ptr<QProcess>> Running;
};

double runSeconds() {
    bool ok = false;
    const double seconds = qEnvironmentVariable("SKIMORA_PACING_SECONDS").toDouble(&ok);
    return ok && seconds > 0 ? seconds : 60.0;
}

double loadAverage() {
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return file.readLine().split(' ').value(0).toDouble();
}

double percentile(std::vector<double> values, int percent) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, values.size() * percent / 100)];
}

void BM_Pacing10000PerMinute(benchmark::State& state) {
    const double seconds = runSeconds();
    BenchProgram program({{"SpeedTrackBarPosition", 1000}, {"WideExpression", 10}});
    if (!program.isReady()) {
        state.SkipWithError("the program did not start");
        return;
    }
    TMainForm* main = program.windows().MainForm;
    TTextForm* form = program.windows().TextForm;
    form->setLoadedText(BenchTexts::russianProse(TextCharacters), 0, 0);
    QApplication::processEvents();
    if (main->state().CharInterval() != 6 || main->state().ReadingFieldWidth() != 10 ||
        !main->SpeedButton2->isEnabled()) {
        state.SkipWithError("not set for 10 000 characters per minute in fields of 10");
        return;
    }
    const int nominalStep = main->state().CharInterval() * main->state().ReadingFieldWidth();

    QElapsedTimer clock;
    StepRecorder recorder(*form, clock);
    const BusyProcesses busy(int(state.range(0)));
    if (busy.count() != state.range(0)) {
        state.SkipWithError("the busy processes did not start");
        return;
    }
    const double loadBefore = loadAverage();
    for (auto _ : state) {
        clock.start();
        main->SpeedButton2->click(); // Start
        QEventLoop loop;
        QTimer::singleShot(int(seconds * 1000), Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
        main->SpeedButton3->click(); // Stop
    }
    const double loadAfter = loadAverage();

    const auto& starts = recorder.Starts;
    const auto& ends = recorder.Ends;
    const size_t steps = std::min(starts.size(), ends.size());
    if (steps < 2 || main->isRunning()) {
        state.SkipWithError("the run did not take steps or did not stop");
        return;
    }
    // Between the first step and the last the window set the intervals of every step but the
    // last; their sum is ElapsedMs as it stood after the step before the last.
    const double wallMs = double(starts[steps - 1] - starts[0]) / 1e6;
    const double nominalMs = recorder.Elapsed[steps - 2];
    std::vector<double> lateness; // how far each step's interval missed the nominal one, ms
    std::vector<double> cost;     // time spent in a step, us
    double worstLate = 0;
    double worstEarly = 0;
    double shortest = 100; // the shortest interval, as a percentage of the one set for it
    for (size_t i = 0; i < steps; ++i) {
        cost.push_back(double(ends[i] - starts[i]) / 1e3);
        if (i == 0)
            continue;
        const double interval = double(starts[i] - starts[i - 1]) / 1e6;
        const double set = recorder.Elapsed[i - 1] - (i >= 2 ? recorder.Elapsed[i - 2] : 0);
        const double miss = interval - set;
        lateness.push_back(std::abs(miss));
        worstLate = std::max(worstLate, miss);
        worstEarly = std::min(worstEarly, miss);
        shortest = std::min(shortest, interval / set * 100.0);
    }
    // How far each step stood from where the clock said it should: the drift, in ms.
    double worstDrift = 0;
    for (size_t i = 1; i < steps; ++i) {
        const double drift = double(starts[i] - starts[0]) / 1e6 - double(recorder.Elapsed[i - 1]);
        worstDrift = std::max(worstDrift, std::abs(drift));
    }

    state.counters["deviation_percent"] = (wallMs - nominalMs) / nominalMs * 100.0;
    state.counters["wall_s"] = wallMs / 1000.0;
    state.counters["nominal_s"] = nominalMs / 1000.0;
    state.counters["steps"] = double(steps);
    state.counters["step_ms"] = nominalStep;
    state.counters["first_step_ms"] = double(starts[0]) / 1e6;
    state.counters["interval_miss_median_ms"] = percentile(lateness, 50);
    state.counters["interval_miss_p99_ms"] = percentile(lateness, 99);
    state.counters["interval_late_max_ms"] = worstLate;
    state.counters["interval_early_max_ms"] = -worstEarly;
    state.counters["interval_shortest_percent"] = shortest;
    state.counters["drift_max_ms"] = worstDrift;
    state.counters["step_cost_median_us"] = percentile(cost, 50);
    state.counters["step_cost_max_us"] = percentile(cost, 100);
    state.counters["view_paints"] = recorder.Paints;
    state.counters["chars_shown"] = form->CharsShown;
    state.counters["field_start"] = form->FieldStart;
    state.counters["load_before"] = loadBefore;
    state.counters["load_after"] = loadAfter;
    state.counters["busy_processes"] = busy.count();
}

} // namespace

BENCHMARK(BM_Pacing10000PerMinute)
    ->ArgName("busy")
    ->Arg(0)
    ->Arg(2)
    ->Arg(8)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
