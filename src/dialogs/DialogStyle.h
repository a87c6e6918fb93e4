#pragma once

class QWidget;

// The light-blue face of the program's dialogs, without the context-help button.
void applyDialogStyle(QWidget* dialog);
