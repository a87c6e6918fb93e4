#include "schulte/SchulteForm.h"

#include "exercise/ExerciseHost.h"
#include "platform/PacedTimer.h"
#include "platform/SettingsStore.h"
#include "schulte/SchulteGrid.h"
#include "schulte/SchulteResultForm.h"
#include "schulte/SchulteSettings.h"
#include "schulte/SchulteSettingsPanel.h"
#include "training/TrainingState.h"
#include "widgets/Colours.h"
#include "widgets/WidgetHelpers.h"

#include <QHBoxLayout>

namespace {

constexpr int StatusPanel = 3;

} // namespace

TSchulteForm::TSchulteForm(TrainingState& state, ExerciseHost& host)
    : ExerciseWindow(ExerciseKind::Schulte, state, host) {
    QWidget* client = makeDarkClient(QStringLiteral("SchulteFormClient"));

    Settings = new SchulteSettingsPanel(client);
    fillWith(Settings, QPalette::Window, LightBlue);
    Grid = new SchulteGrid(client);
    auto* row = new QHBoxLayout(client);
    row->setContentsMargins(0, 0, 8, 0);
    row->addWidget(Settings, 0);
    row->addWidget(Grid, 1);

    KeyClock.start();

    const auto store = SettingsStore::openExisting();
    const SchulteSettings stored = SchulteStore::load(store.get());
    Settings->setSettings(stored);
    Grid->showEmpty(stored.Side);
    Grid->setFixationDot(stored.FixationDot);
    showBestTime();

    connect(Settings, &SchulteSettingsPanel::changed, this, &TSchulteForm::settingsChanged);
    connect(Grid, &SchulteGrid::cellChosen, this, &TSchulteForm::chooseCell);
    connect(Grid, &SchulteGrid::keyTyped, this, &TSchulteForm::keyTyped);
    connect(Grid, &SchulteGrid::firstPainted, this, [this] {
        if (isRunning() && !Painted) {
            Painted = true;
            Shown.restart();
        }
    });
    connect(Timer1, &QTimer::timeout, this, &TSchulteForm::takeDueNumber);
    const auto useFont = [this] {
        Grid->setCaptionFont(QFont(State.FontName(), State.FontSize()));
    };
    connect(&State, &TrainingState::fontChanged, this, useFont);
    useFont();
}

void TSchulteForm::FormActivate() {
    Host.setStatusPanel(StatusPanel, QString());
    Grid->setFocus(); // typed keys go to the table
}

void TSchulteForm::settingsChanged() {
    const SchulteSettings s = Settings->settings();
    const auto store = SettingsStore::open();
    SchulteStore::save(store.get(), s);
    Grid->setFixationDot(s.FixationDot);
    if (!isRunning())
        Grid->showEmpty(s.Side);
    showBestTime();
}

void TSchulteForm::showBestTime() {
    const SchulteSettings s = Settings->settings();
    const auto store = SettingsStore::openExisting();
    const std::optional<qint64> best = SchulteStore::bestTime(store.get(), s.Side, s.Variant);
    Settings->setBestTime(best ? QStringLiteral("Лучшее время: ") + SchulteFigures::seconds(*best) +
                                     QStringLiteral(" с")
                               : QStringLiteral("Лучшего времени для этой таблицы пока нет"));
}

void TSchulteForm::StartSchulteRun() {
    const SchulteSettings s = Settings->settings();
    Random.seedFromClock();
    if (!Run.deal(s.Side, s.Variant, Random))
        return; // the panel offers no size the variant does not fit
    Typed.emplace(SchulteTable::largestNumber(s.Side, s.Variant),
                  [this] { return KeyClock.elapsed(); });
    Shown.start(); // until the table shows; the time counts from its first paint
    Painted = false;
    Settings->setEnabled(false);
    Grid->showRun(Run, s.MarkFound);
    Grid->setFocus();
    showNextTarget();
}

void TSchulteForm::showNextTarget() {
    const std::optional<SchulteSymbol> next = Run.nextTarget();
    Host.setStatusPanel(StatusPanel, next ? QStringLiteral("Найдите: ") +
                                                SchulteTable::targetText(*next, Run.variant())
                                          : QString());
}

void TSchulteForm::chooseCell(int cell) {
    if (!isRunning())
        return;
    switch (Run.choose(cell)) {
    case SchulteRun::Choice::Right: {
        const SchulteSettings s = Settings->settings();
        if (s.Reshuffle)
            Run.reshuffle(Random);
        Grid->showRun(Run, s.MarkFound);
        showNextTarget();
        break;
    }
    case SchulteRun::Choice::Last:
        Grid->showRun(Run, Settings->settings().MarkFound);
        stop();
        break;
    case SchulteRun::Choice::Wrong:
        Grid->flashWrong(cell);
        break;
    case SchulteRun::Choice::Ignored:
        break;
    }
}

void TSchulteForm::keyTyped(const QString& text) {
    if (!isRunning())
        return;
    if (Run.variant() == SchulteVariant::Letters) {
        if (const std::optional<QChar> letter = SchulteKeys::letterOfKey(text)) {
            const int cell = Run.cellOf({QString(*letter), false});
            if (cell >= 0)
                chooseCell(cell);
        }
        return;
    }
    if (text.size() != 1 || !text.at(0).isDigit())
        return;
    for (int number : Typed->typeDigit(text.at(0).digitValue())) {
        numberTyped(number);
        if (!isRunning())
            return;
    }
    scheduleDueNumber();
}

void TSchulteForm::scheduleDueNumber() {
    const qint64 due = Typed->msUntilDue();
    if (due >= 0)
        Timer1->startPaced(int(due));
}

void TSchulteForm::takeDueNumber() {
    if (!isRunning())
        return;
    if (const std::optional<int> number = Typed->takeIfDue())
        numberTyped(*number);
    else
        scheduleDueNumber();
}

void TSchulteForm::numberTyped(int number) {
    // In red-black, a number names the cell of the colour that is due.
    const std::optional<SchulteSymbol> next = Run.nextTarget();
    const int cell = Run.cellOf({QString::number(number), next && next->Red});
    if (cell >= 0)
        chooseCell(cell);
}

SchulteResult TSchulteForm::keepResult(bool completed) const {
    SchulteResult result;
    result.Finished = QDateTime::currentDateTime();
    result.Side = Run.side();
    result.Variant = Run.variant();
    result.Cells = Run.cellCount();
    result.Found = Run.foundCount();
    result.Mistakes = Run.mistakes();
    result.TimeMs = Shown.elapsed();
    result.Stopped = !completed;
    // Only a finished run can set the best time.
    const auto store = SettingsStore::openExisting();
    if (completed)
        result.BestMs =
            SchulteStore::keepBest(store.get(), result.Side, result.Variant, result.TimeMs);
    else
        result.BestMs =
            SchulteStore::bestTime(store.get(), result.Side, result.Variant).value_or(0);
    return result;
}

RunResult TSchulteForm::diaryFigures(const SchulteResult& result) const {
    RunResult figures = runResult();
    figures.charsPerMinute = 0; // the regulator and the width play no part here
    figures.fieldWidth = 0;
    figures.textName = SchulteFigures::tableName(result.Side, result.Variant);
    figures.durationMs = result.TimeMs;
    figures.right = result.Found;
    figures.outOf = result.Cells;
    figures.mistakes = result.Mistakes;
    figures.stopped = result.Stopped;
    return figures;
}

void TSchulteForm::FinishSchulteRun() {
    const bool completed = Run.isComplete();
    Settings->setEnabled(true);
    // A run whose table could not be dealt has nothing to show.
    if (Run.cellCount() > 0) {
        const SchulteResult result = keepResult(completed);
        showBestTime();
        Host.setStatusPanel(StatusPanel, QString());
        emit resultReady(result);
        emit runFinished(diaryFigures(result));
        if (completed) {
            ResultForm->showResult(result);
            ResultForm->exec();
        }
    }
    finishRun(true);
}
