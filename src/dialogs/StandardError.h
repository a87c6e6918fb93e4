#pragma once

class QString;
class QWidget;

// The program's standard error box: the message, the error icon and the program's title.
void showStandardError(QWidget* parent, const QString& message);

// A warning: the message, the warning icon and the caption "Предупреждение".
void showWarning(QWidget* parent, const QString& message);
