// The speed regulator with its hold-to-repeat buttons, and the status bar with its hints.
#include "shell/Unitfrmain.h"

#include "exercise/ExerciseWindow.h"
#include "shell/RepeatHold.h"
#include "training/SpeedRegulator.h"
#include "widgets/TStatusBar.h"

#include <QCursor>
#include <QLabel>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>

void TMainForm::TrackBar1Change() {
    const int raw = TrackBar1->value();
    if (raw <= SpeedRegulator::MinimumPosition) {
        TimerSpeedRegulator->stop();
        if (raw != SpeedRegulator::MinimumPosition) {
            TrackBar1->setValue(SpeedRegulator::MinimumPosition); // runs this handler again
            return;
        }
    }
    State.setSpeedPosition(raw);
    Label1->setText(SpeedRegulator::speedLabel(raw));
    setStatusPanel(2, SpeedRegulator::speedPanel(raw));
    emit controlsChanged();
}

void TMainForm::startRegulatorRepeat(bool up) {
    RegulatorUp = up;
    TrackBar1->setFocus();
    TimerSpeedRegulator->setInterval(2);
    TimerSpeedRegulator->start();
}

void TMainForm::stopRegulatorRepeat() {
    // A click shorter than the first interval (a quick tap, an accessibility action, a click
    // from code) still moves the regulator by its one step.
    if (TimerSpeedRegulator->isActive() && TimerSpeedRegulator->interval() == 2)
        TimerSpeedRegulatorTimer();
    TimerSpeedRegulator->stop();
}

void TMainForm::TimerSpeedRegulatorTimer() {
    // The first step of a press always comes (a quick click, an accessibility action); the
    // repeat goes on only while its button holds the mouse.
    const bool firstStep = TimerSpeedRegulator->interval() == 2;
    if (!firstStep && !stillHeld(RegulatorUp ? *SpeedButton21 : *SpeedButton18)) {
        TimerSpeedRegulator->stop();
        return;
    }
    const auto step = SpeedRegulator::repeatStep(TrackBar1->value(), RegulatorUp,
                                                 TimerSpeedRegulator->interval());
    TimerSpeedRegulator->setInterval(step.nextIntervalMs);
    TrackBar1->setValue(step.position); // may stop the timer at the bottom of the scale
}

void TMainForm::setStatusPanel(int panel, const QString& text) {
    StatusBar1->setPanelText(panel, text);
}

void TMainForm::resetStatusHint() {
    HintPanelLeft = 0;
    HintPanelRight = 0;
}

QString TMainForm::statusPanel(int panel) const {
    return StatusBar1->panelText(panel);
}

void TMainForm::StatusBar1MouseMove(int x) {
    const ExerciseWindow* active = activeExercise();
    if (!active)
        return;
    const auto hint = statusHintAt(x, HintPanelLeft, HintPanelRight, PanelEdges, active->kind());
    if (!hint)
        return;
    HintPanelLeft = hint->edges.left;
    HintPanelRight = hint->edges.right;
    QToolTip::hideText();
    StatusBar1->setToolTip(hint->text);
    if (!hint->text.isEmpty())
        QToolTip::showText(QCursor::pos(), hint->text, StatusBar1);
}
