// The guided course as the main window runs it: starting, advancing, restarting and ending
// the course, and the guide refresh that checks the current stage against the controls.
#include "shell/Unitfrmain.h"

#include "course/CourseMarkers.h"
#include "course/CourseResults.h"
#include "course/GuideText.h"
#include "course/StageCheck.h"
#include "course/Unitassistant.h"
#include "course/Unitscenario.h"
#include "course/Unitwizard.h"
#include "exercise/ExerciseWindow.h"
#include "exercise/LoadedText.h"
#include "platform/SettingsStore.h"
#include "shell/ProgramWindows.h"
#include "training/SpeedRegulator.h"
#include "widgets/TCSpinEdit.h"

#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QSlider>
#include <QToolButton>

namespace {

int checkedCode(std::initializer_list<const QToolButton*> buttons) {
    int code = 0;
    for (const QToolButton* button : buttons) {
        if (button->isChecked())
            return code;
        ++code;
    }
    return -1;
}

QString range(int low, int high) {
    return QString::number(low) + QLatin1Char('-') + QString::number(high);
}

} // namespace

ControlSnapshot TMainForm::controlSnapshot() const {
    ControlSnapshot s;
    s.TestDown = SpeedButton14->isChecked();
    s.TextDown = SpeedButton4->isChecked();
    s.StringDown = SpeedButton6->isChecked();
    s.TableDown = SpeedButton5->isChecked();
    s.TextLoaded = Text->hasText();
    s.FieldWidth = CSpinEdit1->value();
    s.ColumnWidth = State.CharWidth() > 0
                        ? (State.TextColumnWidth() - State.EdgeWidth4()) / State.CharWidth()
                        : 0;
    s.Speed = SpeedRegulator::speed(TrackBar1->value());
    s.Alignment = checkedCode({SpeedButton11, SpeedButton12, SpeedButton13});
    s.ReadingMode = checkedCode({SpeedButton7, SpeedButton8});
    s.TableColumns = State.Column();
    s.TableRows = State.Row();
    return s;
}

void TMainForm::StartGuidedCourse() {
    StopPressed = false;
    SpeedButton2->setEnabled(false);
    SpeedButton20->setEnabled(false);
    Windows->AssistantForm->show();
    Assistant = true;
    const auto store = SettingsStore::openExisting();
    Course = std::make_unique<Scenario>(CourseResults::load(store.get(), State.RestartCourse()));
    State.setCourseRunning(true);
    State.setRestartCourse(false);
    AdvanceCourse(true);
}

void TMainForm::AdvanceCourse(bool goOn) {
    if (!Course)
        return;
    TAssistantForm* assistant = Windows->AssistantForm;
    TWizardForm* guide = Windows->WizardForm;
    const bool cycleStart = Course->Advance(goOn, State.LastTests());
    const Scenario& c = *Course;
    if (cycleStart) {
        assistant->setLevel(QString::number(c.Level()),
                            range(c.LevelSpeedLow(), c.LevelSpeedHigh()),
                            range(c.LevelWidthLow(), c.LevelWidthHigh()));
    }
    State.setRecommendation(c.CourseSpeed(), c.CourseWidth());
    setStatusPanel(0, SpeedRegulator::recommendedSpeedPanel(c.CourseSpeed()));
    setStatusPanel(1, SpeedRegulator::recommendedWidthPanel(c.CourseWidth()));
    guide->show();
    const bool result = c.CurrentStage()->Kind == StageKind::Result;
    assistant->setNextStageEnabled(result);
    guide->setSteps(
        GuideText::lines(*c.CurrentStage(), c.CourseSpeed(), c.CourseWidth(), c.Level()));
    assistant->setProgress(c.DoneCount(), c.ProgressMax());
    emit controlsChanged();
}

void TMainForm::RefreshCourseState() {
    TWizardForm* guide = Windows ? Windows->WizardForm : nullptr;
    if (!Course || !guide || !guide->isVisible())
        return;
    if (StopPressed) {
        QMessageBox::warning(
            this, QStringLiteral("Предупреждение"),
            QStringLiteral("Не пропускайте упражнения! Это может свести ваши усилия к нулю."));
        StopPressed = false;
        if (!Course || !guide->isVisible())
            return; // the course ended while the warning was open
    }
    if (Course->CurrentStage()->Kind != StageKind::Result) {
        Course->CheckCurrentStage(controlSnapshot());
        PlaceCourseMarkers();
    }
    const CourseStage& stage = *Course->CurrentStage();
    const int lines = guide->setLineStates(stage.LineStates);
    bool open = false;
    for (int line = 0; line < lines; ++line)
        open = open || stage.LineStates[line] == LineState::Open;
    SpeedButton2->setEnabled(!open);
}

void TMainForm::CourseRunEnded(bool goOn) {
    if (!Course || State.Closing())
        return;
    Windows->AssistantForm->SetButtonsEnabled(true);
    AdvanceCourse(goOn);
}

void TMainForm::RestartGuidedCourse() {
    if (Course) {
        HideCourseMarkers();
        Course.reset();
        State.setCourseRunning(false);
    }
    State.setRestartCourse(true);
    SpeedButton20Click();
}

void TMainForm::EndGuidedCourse() {
    if (!Course)
        return;
    HideCourseMarkers();
    const auto store = SettingsStore::open();
    CourseResults::save(store.get(), Course->storedValues());
    SpeedButton2->setEnabled(true);
    SpeedButton20->setEnabled(true);
    Course.reset();
    State.setCourseRunning(false);
    if (Windows->WizardForm->isVisible())
        Windows->WizardForm->close();
}

void TMainForm::PlaceCourseMarkers() {
    if (!Course || !Course->CurrentStage() || !Windows->WizardForm->markersShown())
        return;
    const MarkerPlan plan = PlaceMarkers(*Course->CurrentStage(), controlSnapshot());
    for (int slot = 0; slot < MarkerSlotCount; ++slot) {
        if (plan[slot] == MarkerTarget::None)
            courseMarkers().HideMarker(slot);
        else
            courseMarkers().ShowMarker(slot, markerTarget(plan[slot]));
    }
}

void TMainForm::HideCourseMarkers() {
    if (CourseMarkerSlots)
        CourseMarkerSlots->HideAllMarkers();
}

CourseMarkers& TMainForm::courseMarkers() {
    if (!CourseMarkerSlots)
        CourseMarkerSlots = std::make_unique<CourseMarkers>(*this);
    return *CourseMarkerSlots;
}

QWidget* TMainForm::markerTarget(MarkerTarget target) const {
    using T = MarkerTarget;
    switch (target) {
    case T::TestButton:
        return SpeedButton14;
    case T::TextButton:
        return SpeedButton4;
    case T::StringButton:
        return SpeedButton6;
    case T::TableButton:
        return SpeedButton5;
    case T::OpenButton:
        return SpeedButton1;
    case T::WidthSpin:
        return CSpinEdit1;
    case T::TextColumnGrip:
        return exerciseOf(ExerciseKind::Text)->widthGrip();
    case T::LineGrip:
        return exerciseOf(ExerciseKind::FieldOfView)->widthGrip();
    case T::SpeedPanel:
        return Panel7;
    case T::AlignLeftButton:
        return SpeedButton11;
    case T::AlignCentreButton:
        return SpeedButton12;
    case T::AlignRightButton:
        return SpeedButton13;
    case T::DynamicButton:
        return SpeedButton7;
    case T::StaticButton:
        return SpeedButton8;
    case T::TableSizeButton:
        return SpeedButton15;
    case T::StartButton:
    case T::None:
        break;
    }
    return SpeedButton2;
}
