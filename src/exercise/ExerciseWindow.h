#pragma once

#include "platform/RandomSource.h"
#include "training/ExerciseKind.h"
#include "training/RunResult.h"

#include <QMdiSubWindow>

class ExerciseHost;
class PacedTimer;
class TrainingState;

// The base of every exercise window, a child of the frame's multiple-document area that lives
// as long as the program.
//
// A window reads the shared values from state() and asks the frame for what it needs through
// the ExerciseHost; it never reads a frame control. It tells the course what happened through
// signals, which the program connects once where the windows are made:
// - runFinished(result) at the end of a run that showed something, with its figures, before
//   runEnded (the diary keeps them);
// - runEnded(goOn) at the end of every run (goOn: the course moves on; false repeats the stage);
// - controlsChanged() whenever the user changed something the course checks.
//
// A new exercise window derives from it, names its kind, connects Timer1's timeout to its step,
// and implements the three steps the frame calls: FormActivate (it became the active child),
// startRun (Start) and stopRun (Stop, or the run's own end). Its FormActivate calls
// showActivationStatus and adviseOnFirstActivation; its stopRun starts with endRun and ends by
// emitting runEnded.
class ExerciseWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    ExerciseWindow(ExerciseKind kind, TrainingState& state, ExerciseHost& host);

    ExerciseKind kind() const { return Kind; }

    // Runs each time the window becomes the frame's active child.
    virtual void FormActivate() = 0;
    // Start ("Пуск") while this window is active.
    virtual void startRun() = 0;
    // Stop ("Стоп") while this window is active.
    virtual void stopRun() = 0;
    const TrainingState& state() const { return State; }
    // The source of the run's random numbers, seeded from the clock; a test sets a fixed seed
    // to replay a run.
    RandomSource& random() { return Random; }

    // The step timer, off at rest: each step schedules the next against a monotonic clock.
    PacedTimer* Timer1 = nullptr;

signals:
    void runFinished(const RunResult& result);
    void runEnded(bool goOn);
    void controlsChanged();

protected:
    // The window's client area on the dark-blue background the exercises share; objectName
    // names it for tests and accessibility.
    QWidget* makeDarkClient(const QString& objectName);
    // True while this window is the frame's active child.
    bool isActiveExercise() const;
    // The steps every window takes as it becomes the active exercise: status panel 1 shows the
    // recommended width, the status hint is looked up afresh.
    void showActivationStatus(const QString& widthPanel);
    // The first activation after another kind's: this kind becomes LastExercise and its tip
    // is shown. LastExercise is set first, because the window is activated again when the tip
    // closes.
    void adviseOnFirstActivation();
    // The next tip of this window's kind.
    void showAdvice();
    // The first steps of every run's end: the frame's run-ended state, then the timer stops.
    void endRun();
    // What every run's result holds: its kind, the speed and reading-field width in force and
    // the time since the run started.
    RunResult runResult(DiaryKind kind) const;

    void closeEvent(QCloseEvent* event) override;

    TrainingState& State;
    ExerciseHost& Host;
    RandomSource Random;

private:
    ExerciseKind Kind;
};
