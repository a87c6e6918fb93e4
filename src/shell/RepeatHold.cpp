#include "shell/RepeatHold.h"

#include <QAbstractButton>
#include <QApplication>

bool stillHeld(const QAbstractButton& button) {
    // Without a window manager no window may be the active one, and a window just hidden may
    // still be named: what counts is another window that is shown and active.
    const QWidget* active = QApplication::activeWindow();
    const bool otherWindowActive = active && active->isVisible() && active != button.window();
    return button.isDown() && button.isVisible() && button.isEnabled() &&
           (QGuiApplication::mouseButtons() & Qt::LeftButton) && !otherWindowActive &&
           !QApplication::activeModalWidget() && !QApplication::activePopupWidget();
}
