#pragma once

class QString;
class QWidget;

// The program's standard error box: the message, the error icon and the program's title.
void showStandardError(QWidget* parent, const QString& message);
