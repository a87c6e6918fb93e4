#pragma once

class QAbstractButton;

// Whether a hold-to-repeat button still holds the mouse: it is down, shown and enabled, the
// left mouse button is still pressed, no other window is the active one, and no dialog or
// menu has opened over it. A release anywhere, or a window taking the pointer or the focus,
// ends the hold; the program losing the focus ends it too (the main window stops the repeat).
bool stillHeld(const QAbstractButton& button);
