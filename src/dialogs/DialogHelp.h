#pragma once

class HelpViewer;
class QWidget;

// F1 and the help buttons of the dialogs and tool windows.
namespace DialogHelp {

// The help context of a widget, or of the nearest of its parents in the same window that has
// one; 0 when none has.
int contextOf(const QWidget* widget);

// Shows the page of a context id in the help window, over `window`. A modal dialog lets only
// its own windows take the user's input, so the help window becomes one of them.
void showOver(HelpViewer& help, QWidget* window, int contextId);

} // namespace DialogHelp
