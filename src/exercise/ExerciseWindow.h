#pragma once

#include "platform/RandomSource.h"
#include "training/ExerciseKind.h"
#include "training/RunResult.h"

#include <QMdiSubWindow>

class ExerciseHost;
class PacedTimer;
class QTimer;
class TrainingState;
struct ExerciseKindInfo;

// The base of every exercise window, a child of the frame's multiple-document area that lives
// as long as the program.
//
// A window reads the shared values from state() and listens to its signals, and asks the
// frame for what it needs through the ExerciseHost; it never reads a frame control. It tells
// the course what happened through signals, which the program connects once where the windows
// are made:
// - runFinished(result) at the end of a run that showed something, with its figures, before
//   runEnded (the diary keeps them);
// - runEnded(goOn) at the end of every run (goOn: the course moves on; false repeats the stage);
// - controlsChanged() whenever the user changed something the course checks.
//
// The frame acts on the window in front through activate(), start() and stop(), which take the
// steps every kind shares and call one hook each (FormActivate, startRun, stopRun), and tells it
// of the few changes it cannot hear from the state. A new exercise window derives from it,
// names its kind (whose description, ExerciseKinds, gives its name, title and help page),
// connects Timer1's timeout to its step and implements the three hooks.
class ExerciseWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    ExerciseWindow(ExerciseKind kind, TrainingState& state, ExerciseHost& host);

    ExerciseKind kind() const { return Kind; }
    const ExerciseKindInfo& description() const;

    // The window became the frame's active child, or must lay itself out afresh (its size, the
    // width or the font changed): the status bar, its layout (FormActivate), then the kind's
    // tip when it was not the kind activated last. Nothing while the program closes, while a run
    // goes on, or while another kind is chosen.
    void activate();
    // Start ("Пуск") with this kind chosen: the frame's run-started state is in force.
    void start();
    // Stop ("Стоп"), the program closing, or the run's own end: the frame's run-ended state,
    // the timer stopped, then the kind's own end of a run (stopRun), which tells the course.
    void stop();
    // True while a run of this kind goes on.
    bool isRunning() const;

    // What the frame tells the window in front, beyond the state's signals. By default nothing.
    // The exercise font changed; the frame has measured it.
    virtual void fontChanged() {}
    // The frame's size changed.
    virtual void frameResized() {}
    // The window is about to be left or its view changed: it keeps the place the user is at.
    virtual void keepViewPlace() {}
    // The grip the user drags to set the width, which the course's markers point at; none by
    // default.
    virtual QWidget* widthGrip() const { return nullptr; }

    const TrainingState& state() const { return State; }
    // The source of the run's random numbers, seeded from the clock; a test sets a fixed seed
    // to replay a run.
    RandomSource& random() { return Random; }
    // The step timer, off at rest.
    const QTimer* timer() const;

signals:
    void runFinished(const RunResult& result);
    void runEnded(bool goOn);
    void controlsChanged();

protected:
    // The kind's layout as the window becomes the active child (see activate).
    virtual void FormActivate() = 0;
    // The kind's run begins.
    virtual void startRun() = 0;
    // The kind's end of a run, after the timer stopped; it ends by finishRun.
    virtual void stopRun() = 0;

    // The window's client area on the dark-blue background the exercises share; objectName
    // names it for tests and accessibility.
    QWidget* makeDarkClient(const QString& objectName);
    // True while this window is the frame's active child.
    bool isActiveExercise() const;
    // True while this window's kind is the chosen one.
    bool isChosen() const;
    // The next tip of this window's kind.
    void showAdvice();
    // The first steps of every run's end: the frame's run-ended state, then the timer stops.
    void endRun();
    // The last step of every run's end: the course hears of it. A kind that is no stage of the
    // course leaves the course at its stage whatever goOn says.
    void finishRun(bool goOn);
    // What every run's result holds: its kind in the diary (its test kind in test mode), the
    // speed and reading-field width in force and the time since the run started.
    RunResult runResult() const;

    void closeEvent(QCloseEvent* event) override;

    TrainingState& State;
    ExerciseHost& Host;
    RandomSource Random;
    // The step timer: each step schedules the next against a monotonic clock.
    PacedTimer* Timer1 = nullptr;

private:
    // The first activation after another kind's: this kind becomes LastExercise and its tip
    // is shown. LastExercise is set first, because the window is activated again when the tip
    // closes.
    void adviseOnFirstActivation();
    // The title follows test mode while this kind is chosen.
    void showTitle();

    ExerciseKind Kind;
};
