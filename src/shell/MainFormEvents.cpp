// The main window's own events: start-up after the first show, resizing, state changes,
// closing and the keyboard shortcuts.
#include "shell/Unitfrmain.h"

#include "dialogs/DialogHelp.h"
#include "dialogs/Unitabout.h"
#include "exercise/ExerciseWindow.h"
#include "platform/HelpViewer.h"
#include "shell/ProgramWindows.h"
#include "shell/SpeedEntry.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSlider>
#include <QTimer>
#include <QToolTip>

namespace {
constexpr int FrameSettleMs = 200;
} // namespace

namespace {

bool isRunKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

// A key event climbs from the widget that gets it first to its parents, and this filter sees
// every step; the first receiver is the one to count it at.
bool isFirstReceiver(const QObject* watched) {
    const QWidget* first = QWidget::keyboardGrabber();
    if (!first)
        first = QApplication::focusWidget();
    if (first)
        return watched == first;
    // With no focus anywhere a key goes to its window alone.
    const auto* widget = qobject_cast<const QWidget*>(watched);
    return widget && widget->isWindow();
}

} // namespace

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        const auto& key = *static_cast<QKeyEvent*>(event);
        // A release counts wherever it goes: a menu that a press closed still gets the
        // release, and the key must not seem held afterwards. Counting it twice does no harm.
        if (isRunKey(key.key()) && event->type() == QEvent::KeyRelease)
            Keys.release(key.key(), key.timestamp());
        else if (isRunKey(key.key()) && isFirstReceiver(watched))
            HeldPress = Keys.press(key.key(), key.timestamp())
                            ? HeldKeyPress{}
                            : HeldKeyPress{&key, key.timestamp()};
    }
    if (event->type() == QEvent::ApplicationDeactivate) {
        Keys.clear(); // releases will go to other programs
        TimerSpeedRegulator->stop();
    } else if (event->type() == QEvent::KeyPress) {
        // Shortcuts only for keys aimed at the frame or one of its children; other windows
        // and dialogs handle their own keys, all but F1.
        auto* widget = qobject_cast<QWidget*>(watched);
        const auto& key = *static_cast<QKeyEvent*>(event);
        if (widget && widget->window() == this && !SpeedEntry::holds(widget)) {
            if (FocusKey(key))
                return true;
            const bool held = &key == HeldPress.event && key.timestamp() == HeldPress.timestamp;
            if (!held && FormShortCut(key)) // a held key acts once
                return true;
        } else if (widget && key.key() == Qt::Key_F1 && !key.isAutoRepeat() &&
                   isFirstReceiver(watched) && Windows && !Windows->AboutForm->isVisible()) {
            // Every other window and dialog opens its own topic, or the contents.
            DialogHelp::showOver(*helpViewer(), widget->window(), DialogHelp::contextOf(widget));
            return true;
        }
    } else if (event->type() == QEvent::ToolTip && watched == TrackBar1) {
        // The regulator's hint goes below the whole regulator panel.
        const QPoint below = Panel7->mapToGlobal(QPoint(0, Panel7->height()));
        const QPoint at = TrackBar1->mapToGlobal(static_cast<QHelpEvent*>(event)->pos());
        QToolTip::showText(QPoint(at.x(), below.y()), TrackBar1->toolTip(), TrackBar1);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!FirstShowDone) {
        FirstShowDone = true;
        QTimer::singleShot(0, this, &TMainForm::FormShow);
        // The stored bounds were brought onto the screen before the window had a frame; a
        // window manager frames it a little after it is shown, and then the frame must fit too.
        QTimer::singleShot(FrameSettleMs, this, &TMainForm::fitFrameOnScreen);
    }
}

void TMainForm::fitFrameOnScreen() {
    if (windowState() != Qt::WindowNoState)
        return;
    const QRect fitted = fitOnScreen(QRect(pos(), size()));
    move(fitted.topLeft());
    resize(fitted.size());
}

void TMainForm::FormShow() {
    fitFrameOnScreen();
    Windows->AboutForm->showAsSplash();
    if (Assistant)
        SpeedButton20Click();
    // The first text tip waits until the splash has gone.
    StartupDone = true;
    IdleTimer->start();
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    const QSize oldSize = event->oldSize();
    if (oldSize.isValid()) {
        if (ExerciseWindow* active = activeExercise())
            active->keepViewPlace();
        if (windowState() == Qt::WindowNoState && oldSize.width() != event->size().width())
            writeBounds();
    }
    if (windowState() == Qt::WindowNoState)
        NormalBounds = QRect(pos(), size());
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TMainForm::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    if (windowState() == Qt::WindowNoState)
        NormalBounds.moveTopLeft(pos());
}

void TMainForm::FormResize() {
    // The table window centres its grid as it is resized itself.
    ExerciseWindow* active = activeExercise();
    if (!active)
        return;
    active->frameResized();
    if (active->kind() == ExerciseKind::Text && !TextLaidOut) {
        TextLaidOut = true;
        IdleTimer->start();
    }
}

void TMainForm::updateMinimumWidth() {
    setMinimumWidth(std::max(State.MinWidthText(), State.MinWidthString()));
}

void TMainForm::checkFirstTextAdvice() {
    const ExerciseWindow* active = activeExercise();
    if (FirstAdviceChecked || !StartupDone || !active || active->kind() != ExerciseKind::Text ||
        !TextLaidOut)
        return;
    FirstAdviceChecked = true;
    if (N1->isChecked())
        ShowAdvice(ExerciseKind::Text);
}

void TMainForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && !State.Running() &&
        static_cast<QWindowStateChangeEvent*>(event)->oldState() == Qt::WindowNoState &&
        windowState() != Qt::WindowNoState && NormalBounds.isValid())
        writeBounds(); // leaving the normal state: keep the bounds it had
    if (event->type() == QEvent::WindowStateChange && State.Running()) {
        // During a run the frame keeps its size: no minimising or maximising.
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        if (windowState() != change->oldState())
            QTimer::singleShot(0, this, [this, old = change->oldState()] { setWindowState(old); });
    }
}

void TMainForm::closeEvent(QCloseEvent* event) {
    FormClose();
    QMainWindow::closeEvent(event);
}
