// Run control: the exercise kind, test mode, reading mode and alignment buttons, and the
// states the toolbar passes through around a run.
#include "shell/Unitfrmain.h"

#include "course/Unitassistant.h"
#include "course/Unitwizard.h"
#include "exercise/ExerciseWindow.h"
#include "shell/ProgramWindows.h"
#include "table/Unitdlgtable.h"
#include "widgets/MoreButton.h"
#include "widgets/TCSpinEdit.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QToolButton>

RunControls TMainForm::runControls() const {
    RunControls c;
    c.textDown = SpeedButton4->isChecked();
    c.tableDown = SpeedButton5->isChecked();
    c.testDown = SpeedButton14->isChecked();
    c.chosen = State.ChosenKind();
    c.assistantVisible = Windows && Windows->AssistantForm->isVisible();
    c.open = SpeedButton1->isEnabled();
    c.start = SpeedButton2->isEnabled();
    c.stop = SpeedButton3->isEnabled();
    c.textAndTable = SpeedButton4->isEnabled();
    c.fieldOfView = SpeedButton6->isEnabled();
    c.moreKinds = MoreKinds->choicesEnabled();
    c.test = SpeedButton14->isEnabled();
    c.testMayBeReleased = TestMayBeReleased;
    c.tableSize = SpeedButton15->isEnabled();
    c.assistant = SpeedButton20->isEnabled();
    c.fonts = ComboBox2->isEnabled();
    c.width = CSpinEdit1->isEnabled();
    c.readingAndAlignment = SpeedButton7->isEnabled();
    return c;
}

bool TMainForm::isRunning() const {
    return State.Running();
}

void TMainForm::SetRunState(RunState state) {
    enterRunState(state, State.ChosenKind());
}

void TMainForm::enterRunState(RunState state, ExerciseKind chosen) {
    RunControls before = runControls();
    before.chosen = chosen;
    const RunControls c = applyRunState(before, state);
    const std::pair<QWidget*, bool> controls[] = {{SpeedButton1, c.open},
                                                  {SpeedButton2, c.start},
                                                  {SpeedButton3, c.stop},
                                                  {SpeedButton4, c.textAndTable},
                                                  {SpeedButton5, c.textAndTable},
                                                  {SpeedButton6, c.fieldOfView},
                                                  {SpeedButton14, c.test},
                                                  {SpeedButton15, c.tableSize},
                                                  {SpeedButton20, c.assistant},
                                                  {ComboBox2, c.fonts},
                                                  {ComboBox1, c.fonts},
                                                  {CSpinEdit1, c.width},
                                                  {SpeedButton7, c.readingAndAlignment},
                                                  {SpeedButton8, c.readingAndAlignment},
                                                  {SpeedButton11, c.readingAndAlignment},
                                                  {SpeedButton12, c.readingAndAlignment},
                                                  {SpeedButton13, c.readingAndAlignment}};
    // A control disabled while it has the focus hands it on to the next one, which may sit in
    // another exercise window and bring that one forward: the chosen window takes it instead.
    if (const QWidget* focus = QApplication::focusWidget()) {
        for (const auto& [control, enabled] : controls) {
            if (!enabled && (control == focus || control->isAncestorOf(focus))) {
                chosenExerciseWindow()->setFocus();
                break;
            }
        }
    }
    for (const auto& [control, enabled] : controls)
        control->setEnabled(enabled);
    MoreKinds->setChoicesEnabled(c.moreKinds);
    setTestMayBeReleased(c.testMayBeReleased);

    switch (state) {
    case RunState::RunStarted:
        State.setRunning(true);
        // The frame keeps its size during a run. A maximised one keeps it by staying maximised
        // (see changeEvent): a window manager does not keep a window of fixed size maximised.
        if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
            setFixedSize(size());
        break;
    case RunState::RunEnded:
        State.setRunning(false);
        RunningExercise = nullptr;
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        updateMinimumWidth();
        break;
    case RunState::TestModeChanged:
        TestToggled = true;
        State.setTestMode(SpeedButton14->isChecked());
        break;
    case RunState::TextChosen:
    case RunState::StringChosen:
    case RunState::TableChosen:
    case RunState::OtherKindChosen:
        // The windows follow: the chosen one takes its title, the others let go.
        State.setChosenKind(chosen);
        break;
    }
}

void TMainForm::SpeedButton14Click() {
    // The button has already toggled; undo that, quietly, where it may not be released.
    if ((TestToggled && State.ChosenKind() == ExerciseKind::FieldOfView) ||
        (!TestMayBeReleased && !SpeedButton14->isChecked())) {
        const QSignalBlocker quiet(SpeedButton14);
        SpeedButton14->setChecked(true);
        return;
    }
    // The text window puts a test text in the place of the user's text, or back (and leaves test
    // mode again when no test text can be read).
    SetRunState(RunState::TestModeChanged);
    emit controlsChanged();
}

void TMainForm::SpeedButton15Click() {
    Windows->FormDlgTable->show();
}

void TMainForm::LeaveTestMode() {
    SpeedButton14->setChecked(false); // runs SpeedButton14Click
}

void TMainForm::SpeedButton2Click() {
    // The window of the chosen kind runs, and it alone is stopped, wherever the focus went.
    ExerciseWindow* exercise = chosenExerciseWindow();
    SetRunState(RunState::RunStarted);
    RunningExercise = exercise;
    if (Course) {
        HideCourseMarkers();
        Windows->WizardForm->close();
        Windows->AssistantForm->SetButtonsEnabled(false);
    }
    if (exercise)
        exercise->start();
}

void TMainForm::SpeedButton3Click() {
    StopPressed = true;
    if (RunningExercise)
        RunningExercise->stop();
}

void TMainForm::SpeedButton7Click() {
    State.setDynamicReading(true);
    emit controlsChanged();
}

void TMainForm::SpeedButton8Click() {
    State.setDynamicReading(false);
    emit controlsChanged();
}

void TMainForm::SpeedButton11Click() {
    State.setTextAlignment(0); // the text window lays its column out again
    emit controlsChanged();
}

void TMainForm::SpeedButton12Click() {
    State.setTextAlignment(2); // the text window lays its column out again
    emit controlsChanged();
}

void TMainForm::SpeedButton13Click() {
    State.setTextAlignment(1); // the text window lays its column out again
    emit controlsChanged();
}

void TMainForm::SpeedButton20Click() {
    StartGuidedCourse();
    emit controlsChanged();
}
