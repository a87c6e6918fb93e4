// The main window's keys. Every key of a tool bar control acts as a click on it and is refused
// while the control is disabled; its hint names it. Tab and Shift+Tab walk the controls of the
// tool bar and of the exercise window in front; Ctrl+Tab and Ctrl+Shift+Tab go from one of the
// two to the other.
#include "shell/Unitfrmain.h"

#include "dialogs/DialogHelp.h"
#include "dialogs/Unitabout.h"
#include "exercise/ExerciseWindow.h"
#include "platform/HelpViewer.h"
#include "shell/ProgramWindows.h"
#include "training/ExerciseKinds.h"
#include "widgets/KeyTable.h"
#include "widgets/MoreButton.h"
#include "widgets/TCoolBar.h"
#include "widgets/TabStops.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QTimer>
#include <QToolButton>

namespace {

// F1 in the frame opens the contents, as "Помощь" does; in the window of a kind whose
// description says so, with the focus inside it, F1 opens that window's own page.
int ownPageTopic(const ExerciseWindow* window) {
    const QWidget* focus = QApplication::focusWidget();
    if (!window || !focus || (focus != window && !window->isAncestorOf(focus)))
        return 0;
    return window->description().F1OpensItsPage ? DialogHelp::contextOf(focus) : 0;
}

} // namespace

void TMainForm::buildKeyTables() {
    ShortCuts = new KeyTable(this);
    ShortCuts->add(Qt::Key_Escape, [this] {
        if (!SpeedButton3->isEnabled())
            return false;
        SpeedButton3->click();
        return true;
    });
    const auto startOrStop = [this] {
        if (SpeedButton2->isEnabled())
            SpeedButton2->click();
        else if (SpeedButton3->isEnabled())
            SpeedButton3->click();
        else
            return false;
        return true;
    };
    ShortCuts->add(Qt::Key_Return, startOrStop);
    ShortCuts->add(Qt::Key_Enter, startOrStop);
    ShortCuts->add(Qt::Key_F1, [this] {
        if (const int topic = ownPageTopic(activeExercise()))
            helpViewer()->showTopic(topic);
        else
            SpeedButton9->click();
        return true;
    });
    // The drop-down of further kinds, then its entries by the arrow keys. Its hint names F10.
    ShortCuts->add(Qt::Key_F10, [this] {
        if (!MoreKinds->isVisibleTo(this))
            return false;
        QTimer::singleShot(0, MoreKinds, &QToolButton::showMenu);
        return true;
    });
    ShortCuts->bind(Qt::CTRL | Qt::Key_O, SpeedButton1);
    ShortCuts->bind(Qt::CTRL | Qt::Key_Q, SpeedButton10);
    // Each kind's key, on its button or its entry under "Ещё".
    for (const ExerciseKindInfo& kind : exerciseKinds()) {
        QObject* chooser = kindChooser(kind.Kind);
        if (auto* entry = qobject_cast<QAction*>(chooser))
            ShortCuts->bind(kind.ChooseKey, entry);
        else if (auto* button = qobject_cast<QAbstractButton*>(chooser))
            ShortCuts->bind(kind.ChooseKey, button);
    }
    ShortCuts->bind(Qt::CTRL | Qt::Key_T, SpeedButton14);
    ShortCuts->bind(Qt::CTRL | Qt::SHIFT | Qt::Key_R, SpeedButton15);
    // A list opens as by a click on it; the entry chosen there goes through its handler.
    for (auto [key, list] : {std::pair{Qt::CTRL | Qt::SHIFT | Qt::Key_F, ComboBox2},
                             std::pair{Qt::CTRL | Qt::SHIFT | Qt::Key_P, ComboBox1}}) {
        ShortCuts->bind(key, list, [list] {
            list->setFocus(Qt::ShortcutFocusReason);
            list->showPopup();
        });
    }
    ShortCuts->bind(Qt::CTRL | Qt::Key_L, SpeedButton11);
    ShortCuts->bind(Qt::CTRL | Qt::Key_E, SpeedButton12);
    ShortCuts->bind(Qt::CTRL | Qt::Key_R, SpeedButton13);
    ShortCuts->bind(Qt::CTRL | Qt::SHIFT | Qt::Key_N, SpeedButton7);
    ShortCuts->bind(Qt::CTRL | Qt::SHIFT | Qt::Key_S, SpeedButton8);
    ShortCuts->bind(Qt::CTRL | Qt::SHIFT | Qt::Key_H, SpeedButton19);
    ShortCuts->bind(Qt::CTRL | Qt::SHIFT | Qt::Key_A, SpeedButton20);

    // Held, these keys go on moving the focus.
    FocusKeys = new KeyTable(this);
    FocusKeys->add(Qt::Key_Tab, [this] { return moveFocusWithin(true); });
    FocusKeys->add(Qt::SHIFT | Qt::Key_Backtab, [this] { return moveFocusWithin(false); });
    FocusKeys->add(Qt::CTRL | Qt::Key_Tab, [this] { return moveFocusAcross(); });
    FocusKeys->add(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, [this] { return moveFocusAcross(); });
}

bool TMainForm::FormShortCut(const QKeyEvent& key) {
    if (key.isAutoRepeat() || (Windows && Windows->AboutForm->isVisible()))
        return false;
    return ShortCuts->handle(key);
}

bool TMainForm::FocusKey(const QKeyEvent& key) {
    return FocusKeys->handle(key);
}

// The tool bar's controls, then the exercise window's, and round again.
bool TMainForm::moveFocusWithin(bool forward) {
    QList<QWidget*> stops = tabStops(CoolBar1);
    if (QWidget* exercise = exerciseArea())
        stops += tabStops(exercise);
    if (QWidget* next = nextTabStop(stops, QApplication::focusWidget(), forward))
        next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

// From the tool bar to the exercise window and back, each to the control it had last. An
// exercise window without controls of its own takes the focus itself.
bool TMainForm::moveFocusAcross() {
    const bool inToolBar = CoolBar1->isAncestorOf(QApplication::focusWidget());
    QWidget* area = inToolBar ? exerciseArea() : CoolBar1;
    if (!area)
        return true;
    const QList<QWidget*> stops = tabStops(area);
    QWidget* last = area->focusWidget();
    QWidget* to = stops.contains(last) ? last : stops.value(0, area);
    to->setFocus(Qt::OtherFocusReason);
    return true; // never the multiple-document area's own switch between its windows
}

QWidget* TMainForm::exerciseArea() const {
    QMdiSubWindow* exercise = ActiveMDIChild();
    return exercise ? exercise->widget() : nullptr;
}
