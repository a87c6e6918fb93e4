// Run control: the exercise kind, test mode, reading mode and alignment buttons, and the
// states the toolbar passes through around a run.
#include "shell/Unitfrmain.h"

#include "app/ProgramWindows.h"
#include "course/Unitassistant.h"
#include "course/Unitwizard.h"
#include "fieldofview/Unitfrstring.h"
#include "platform/ReadingView.h"
#include "table/Unitdlgtable.h"
#include "table/Unitfrtable.h"
#include "text/Unitfrtext.h"
#include "widgets/MoreButton.h"
#include "widgets/TCSpinEdit.h"

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
    c.untestedKindDown = SchulteKindActive || FlashKindActive;
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
    return Running;
}

void TMainForm::SetRunState(RunState state) {
    const RunControls c = applyRunState(runControls(), state);
    SpeedButton1->setEnabled(c.open);
    SpeedButton2->setEnabled(c.start);
    SpeedButton3->setEnabled(c.stop);
    SpeedButton4->setEnabled(c.textAndTable);
    SpeedButton5->setEnabled(c.textAndTable);
    SpeedButton6->setEnabled(c.fieldOfView);
    MoreKinds->setChoicesEnabled(c.untestedKinds);
    SpeedButton14->setEnabled(c.test);
    setTestMayBeReleased(c.testMayBeReleased);
    SpeedButton15->setEnabled(c.tableSize);
    SpeedButton20->setEnabled(c.assistant);
    ComboBox2->setEnabled(c.fonts);
    ComboBox1->setEnabled(c.fonts);
    CSpinEdit1->setEnabled(c.width);
    for (QToolButton* b : {SpeedButton7, SpeedButton8, SpeedButton11, SpeedButton12, SpeedButton13})
        b->setEnabled(c.readingAndAlignment);

    switch (state) {
    case RunState::RunStarted:
        Running = true;
        // The frame keeps its size during a run.
        setFixedSize(size());
        if (c.textDown)
            Windows->TextForm->SetRulerRunning(true);
        break;
    case RunState::RunEnded:
        Running = false;
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        updateMinimumWidth();
        if (c.textDown)
            Windows->TextForm->SetRulerRunning(false);
        break;
    case RunState::TestModeChanged:
        TestToggled = true;
        break;
    case RunState::TextChosen:
        setKindFlags(ExerciseKind::Text);
        break;
    case RunState::StringChosen:
        setKindFlags(ExerciseKind::FieldOfView);
        break;
    case RunState::TableChosen:
        setKindFlags(ExerciseKind::Table);
        break;
    case RunState::SchulteChosen:
        setKindFlags(ExerciseKind::Schulte);
        break;
    case RunState::FlashChosen:
        setKindFlags(ExerciseKind::Flash);
        break;
    }
    setCaptionsForState(state);
}

void TMainForm::setKindFlags(ExerciseKind kind) {
    TextKindActive = kind == ExerciseKind::Text;
    StringKindActive = kind == ExerciseKind::FieldOfView;
    TableKindActive = kind == ExerciseKind::Table;
    SchulteKindActive = kind == ExerciseKind::Schulte;
    FlashKindActive = kind == ExerciseKind::Flash;
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
    if (TextKindActive)
        return;
    SetRunState(RunState::TextChosen);
    MdiArea->setActiveSubWindow(Windows->TextForm);
    Windows->TextForm->RelayoutText();
    RefreshCourseState();
}

void TMainForm::SpeedButton5Click() {
    if (TableKindActive)
        return;
    SetRunState(RunState::TableChosen);
    if (ActiveMDIChild() == Windows->TextForm)
        Windows->TextForm->SaveScrollAnchor();
    Windows->TableForm->BkGrPanel->hide();
    MdiArea->setActiveSubWindow(Windows->TableForm);
    RefreshCourseState();
}

void TMainForm::SpeedButton6Click() {
    if (StringKindActive)
        return;
    SetRunState(RunState::StringChosen);
    if (ActiveMDIChild() == Windows->TextForm)
        Windows->TextForm->SaveScrollAnchor();
    Windows->StringForm->WindowString->hide();
    MdiArea->setActiveSubWindow(Windows->StringForm);
    RefreshCourseState();
}

void TMainForm::SpeedButton14Click() {
    // The button has already toggled; undo that, quietly, where it may not be released.
    if ((TestToggled && StringKindActive) || (!TestMayBeReleased && !SpeedButton14->isChecked())) {
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
    RefreshCourseState();
}

void TMainForm::SpeedButton15Click() {
    Windows->FormDlgTable->show();
}

void TMainForm::LeaveTestMode() {
    SpeedButton14->setChecked(false); // runs SpeedButton14Click
}

void TMainForm::SpeedButton2Click() {
    SetRunState(RunState::RunStarted);
    if (Course) {
        HideCourseMarkers();
        Windows->WizardForm->close();
        Windows->AssistantForm->SetButtonsEnabled(false);
    }
    QMdiSubWindow* active = ActiveMDIChild();
    if (active == Windows->TextForm)
        Windows->TextForm->StartReading();
    else if (active == Windows->StringForm)
        Windows->StringForm->StartLine();
    else if (active == Windows->TableForm)
        Windows->TableForm->StartTableRun();
}

void TMainForm::SpeedButton3Click() {
    StopPressed = true;
    QMdiSubWindow* active = ActiveMDIChild();
    if (active == Windows->TextForm)
        Windows->TextForm->StopReading();
    else if (active == Windows->StringForm)
        Windows->StringForm->EndLine();
    else if (active == Windows->TableForm)
        Windows->TableForm->FinishTableRun();
}

void TMainForm::SpeedButton7Click() {
    RefreshCourseState();
}

void TMainForm::SpeedButton8Click() {
    RefreshCourseState();
}

void TMainForm::SpeedButton11Click() {
    TextAlignment = 0;
    Windows->TextForm->SaveScrollAnchor();
    Windows->TextForm->RelayoutText();
    RefreshCourseState();
}

void TMainForm::SpeedButton12Click() {
    TextAlignment = 2;
    Windows->TextForm->SaveScrollAnchor();
    Windows->TextForm->RelayoutText();
    RefreshCourseState();
}

void TMainForm::SpeedButton13Click() {
    TextAlignment = 1;
    Windows->TextForm->SaveScrollAnchor();
    Windows->TextForm->RelayoutText();
    RefreshCourseState();
}

void TMainForm::SpeedButton20Click() {
    StartGuidedCourse();
    RefreshCourseState();
}
