#include "exercise/ExerciseWindow.h"

#include "exercise/ExerciseHost.h"
#include "platform/PacedTimer.h"
#include "training/ExerciseKinds.h"
#include "training/SpeedRegulator.h"
#include "training/TrainingState.h"
#include "widgets/Colours.h"
#include "widgets/WidgetHelpers.h"

#include <QCloseEvent>
#include <QMdiArea>

ExerciseWindow::ExerciseWindow(ExerciseKind kind, TrainingState& state, ExerciseHost& host)
    : State(state), Host(host), Kind(kind) {
    const ExerciseKindInfo& described = description();
    setObjectName(QLatin1String(described.WindowName));
    setWindowTitle(described.Caption);
    setProperty("helpContext", described.HelpContext);
    Timer1 = new PacedTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(&State, &TrainingState::runStateChanged, this, &ExerciseWindow::showTitle);
}

const ExerciseKindInfo& ExerciseWindow::description() const {
    return describe(Kind);
}

const QTimer* ExerciseWindow::timer() const {
    return Timer1;
}

void ExerciseWindow::activate() {
    if (State.Closing() || State.Running() || !isChosen())
        return;
    const int wide = State.RecommendWide();
    Host.setStatusPanel(1, description().WidthInCells
                               ? SpeedRegulator::recommendedWidthInCellsPanel(wide)
                               : SpeedRegulator::recommendedWidthPanel(wide));
    Host.resetStatusHint();
    FormActivate();
    adviseOnFirstActivation();
}

void ExerciseWindow::start() {
    startRun();
}

void ExerciseWindow::stop() {
    if (!isRunning())
        return;
    endRun();
    stopRun();
}

bool ExerciseWindow::isRunning() const {
    return State.Running() && isChosen();
}

QWidget* ExerciseWindow::makeDarkClient(const QString& objectName) {
    auto* client = new QWidget;
    client->setObjectName(objectName);
    client->setAutoFillBackground(true);
    fillWith(client, QPalette::Window, DarkBlue);
    setWidget(client);
    return client;
}

bool ExerciseWindow::isActiveExercise() const {
    return mdiArea() && mdiArea()->activeSubWindow() == this;
}

bool ExerciseWindow::isChosen() const {
    return State.ChosenKind() == Kind;
}

void ExerciseWindow::adviseOnFirstActivation() {
    if (State.LastExercise() == int(Kind))
        return;
    State.setLastExercise(int(Kind));
    showAdvice();
}

void ExerciseWindow::showAdvice() {
    Host.ShowAdvice(Kind);
}

void ExerciseWindow::showTitle() {
    if (isChosen())
        setWindowTitle(State.TestMode() ? description().TestCaption : description().Caption);
}

void ExerciseWindow::endRun() {
    Host.SetRunState(RunState::RunEnded);
    Timer1->stop();
}

void ExerciseWindow::finishRun(bool goOn) {
    emit runEnded(goOn && description().Course == CourseRole::Stages);
}

RunResult ExerciseWindow::runResult() const {
    RunResult result;
    result.kind = State.TestMode() ? description().TestDiary : description().Diary;
    result.charsPerMinute = State.speed();
    result.fieldWidth = State.ReadingFieldWidth();
    result.durationMs = Timer1->elapsedMs();
    return result;
}

void ExerciseWindow::closeEvent(QCloseEvent* event) {
    // The window lives as long as the program.
    if (!State.Closing())
        event->ignore();
}
