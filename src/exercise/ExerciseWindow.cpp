#include "exercise/ExerciseWindow.h"

#include "exercise/ExerciseHost.h"
#include "platform/PacedTimer.h"
#include "training/TrainingState.h"
#include "widgets/Colours.h"
#include "widgets/WidgetHelpers.h"

#include <QCloseEvent>
#include <QMdiArea>

ExerciseWindow::ExerciseWindow(ExerciseKind kind, TrainingState& state, ExerciseHost& host)
    : State(state), Host(host), Kind(kind) {
    Timer1 = new PacedTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
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

void ExerciseWindow::showActivationStatus(const QString& widthPanel) {
    Host.setStatusPanel(1, widthPanel);
    Host.resetStatusHint();
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

void ExerciseWindow::endRun() {
    Host.SetRunState(RunState::RunEnded);
    Timer1->stop();
}

RunResult ExerciseWindow::runResult(DiaryKind kind) const {
    RunResult result;
    result.kind = kind;
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
