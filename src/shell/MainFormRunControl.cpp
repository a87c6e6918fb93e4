// Run control: the exercise kind, test mode, reading mode and alignment buttons, and the
// states the toolbar passes through around a run.
#include "shell/Unitfrmain.h"

#include "course/Unitassistant.h"
#include "course/Unitwizard.h"
#include "fieldofview/Unitfrstring.h"
#include "flash/FlashForm.h"
#include "readingview/ReadingView.h"
#include "shell/ProgramWindows.h"
#include "table/Unitdlgtable.h"
#include "table/Unitfrtable.h"
#include "text/Unitfrtext.h"
#include "widgets/MoreButton.h"
#include "widgets/TCSpinEdit.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QSignalBlocker>
#include <QToolButton>

namespace {
const QString TextTitle = QStringLiteral("Чтение текста");
const QString TextTestTitle = QStringLiteral("Тест на скорость чтения текста");
const QString StringTestTitle = QStringLiteral("Тест на ширину поля зрения");
const QString TableTitle = QStringLiteral("Чтение таблиц");
const QString TableTestTitle = QStringLiteral("Тест на скорость чтения таблиц");
} // namespace

RunControls TMainForm::runControls() const {
    RunControls c;
    c.textDown = SpeedButton4->isChecked();
    c.tableDown = SpeedButton5->isChecked();
    c.testDown = SpeedButton14->isChecked();
    c.untestedKindDown =
        State.ChosenKind() == ExerciseKind::Schulte || State.ChosenKind() == ExerciseKind::Flash;
    c.flashDown = State.ChosenKind() == ExerciseKind::Flash;
    c.assistantVisible = Windows && Windows->AssistantForm->isVisible();
    c.open = SpeedButton1->isEnabled();
    c.start = SpeedButton2->isEnabled();
    c.stop = SpeedButton3->isEnabled();
    c.textAndTable = SpeedButton4->isEnabled();
    c.fieldOfView = SpeedButton6->isEnabled();
    c.untestedKinds = MoreKinds->choicesEnabled();
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
    const RunControls c = applyRunState(runControls(), state);
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
    MoreKinds->setChoicesEnabled(c.untestedKinds);
    setTestMayBeReleased(c.testMayBeReleased);

    switch (state) {
    case RunState::RunStarted:
        State.setRunning(true);
        // The frame keeps its size during a run. A maximised one keeps it by staying maximised
        // (see changeEvent): a window manager does not keep a window of fixed size maximised.
        if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
            setFixedSize(size());
        if (c.textDown)
            Windows->TextForm->SetRulerRunning(true);
        break;
    case RunState::RunEnded:
        State.setRunning(false);
        RunningExercise = nullptr;
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        updateMinimumWidth();
        if (c.textDown)
            Windows->TextForm->SetRulerRunning(false);
        break;
    case RunState::TestModeChanged:
        TestToggled = true;
        State.setTestMode(SpeedButton14->isChecked());
        break;
    case RunState::TextChosen:
        State.setChosenKind(ExerciseKind::Text);
        break;
    case RunState::StringChosen:
        State.setChosenKind(ExerciseKind::FieldOfView);
        break;
    case RunState::TableChosen:
        State.setChosenKind(ExerciseKind::Table);
        break;
    case RunState::SchulteChosen:
        State.setChosenKind(ExerciseKind::Schulte);
        break;
    case RunState::FlashChosen:
        State.setChosenKind(ExerciseKind::Flash);
        break;
    }
    setCaptionsForState(state);
}

void TMainForm::setCaptionsForState(RunState state) {
    const bool test = SpeedButton14->isChecked();
    switch (state) {
    case RunState::TestModeChanged:
        if (test) {
            if (SpeedButton4->isChecked())
                Windows->TextForm->setWindowTitle(TextTestTitle);
            if (SpeedButton6->isChecked())
                Windows->StringForm->setWindowTitle(StringTestTitle);
            if (SpeedButton5->isChecked())
                Windows->TableForm->setWindowTitle(TableTestTitle);
        } else {
            if (SpeedButton4->isChecked())
                Windows->TextForm->setWindowTitle(TextTitle);
            if (SpeedButton5->isChecked())
                Windows->TableForm->setWindowTitle(TableTitle);
        }
        break;
    case RunState::TextChosen:
        Windows->TextForm->setWindowTitle(test ? TextTestTitle : TextTitle);
        break;
    case RunState::StringChosen:
        if (test)
            Windows->StringForm->setWindowTitle(StringTestTitle);
        break;
    case RunState::TableChosen:
        Windows->TableForm->setWindowTitle(test ? TableTestTitle : TableTitle);
        break;
    default:
        break;
    }
}

void TMainForm::SpeedButton4Click() {
    if (State.ChosenKind() == ExerciseKind::Text)
        return;
    SetRunState(RunState::TextChosen);
    MdiArea->setActiveSubWindow(Windows->TextForm);
    Windows->TextForm->RelayoutText();
    emit controlsChanged();
}

void TMainForm::SpeedButton5Click() {
    if (State.ChosenKind() == ExerciseKind::Table)
        return;
    SetRunState(RunState::TableChosen);
    if (ActiveMDIChild() == Windows->TextForm)
        Windows->TextForm->SaveScrollAnchor();
    Windows->TableForm->BkGrPanel->hide();
    MdiArea->setActiveSubWindow(Windows->TableForm);
    emit controlsChanged();
}

void TMainForm::SpeedButton6Click() {
    if (State.ChosenKind() == ExerciseKind::FieldOfView)
        return;
    SetRunState(RunState::StringChosen);
    if (ActiveMDIChild() == Windows->TextForm)
        Windows->TextForm->SaveScrollAnchor();
    Windows->StringForm->WindowString->hide();
    MdiArea->setActiveSubWindow(Windows->StringForm);
    emit controlsChanged();
}

void TMainForm::SpeedButton14Click() {
    // The button has already toggled; undo that, quietly, where it may not be released.
    if ((TestToggled && State.ChosenKind() == ExerciseKind::FieldOfView) ||
        (!TestMayBeReleased && !SpeedButton14->isChecked())) {
        const QSignalBlocker quiet(SpeedButton14);
        SpeedButton14->setChecked(true);
        return;
    }
    SetRunState(RunState::TestModeChanged);
    TTextForm* text = Windows->TextForm;
    if (SpeedButton14->isChecked()) {
        if (ActiveMDIChild() == text)
            text->SaveScrollAnchor();
        text->SaveUserText();
        text->ClearExerciseText();
        if (!text->LoadTestText()) {
            LeaveTestMode();
            return;
        }
    } else {
        text->RestoreUserText();
    }
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
    auto* exercise = qobject_cast<ExerciseWindow*>(chosenExerciseWindow());
    SetRunState(RunState::RunStarted);
    RunningExercise = exercise;
    if (Course) {
        HideCourseMarkers();
        Windows->WizardForm->close();
        Windows->AssistantForm->SetButtonsEnabled(false);
    }
    if (exercise)
        exercise->startRun();
}

void TMainForm::SpeedButton3Click() {
    StopPressed = true;
    if (RunningExercise)
        RunningExercise->stopRun();
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
    State.setTextAlignment(0);
    Windows->TextForm->SaveScrollAnchor();
    Windows->TextForm->RelayoutText();
    emit controlsChanged();
}

void TMainForm::SpeedButton12Click() {
    State.setTextAlignment(2);
    Windows->TextForm->SaveScrollAnchor();
    Windows->TextForm->RelayoutText();
    emit controlsChanged();
}

void TMainForm::SpeedButton13Click() {
    State.setTextAlignment(1);
    Windows->TextForm->SaveScrollAnchor();
    Windows->TextForm->RelayoutText();
    emit controlsChanged();
}

void TMainForm::SpeedButton20Click() {
    StartGuidedCourse();
    emit controlsChanged();
}
