#pragma once

#include <QPalette>

class QColor;
class QFrame;
class QLabel;
class QPushButton;
class QString;
class QWidget;

// Small pieces the windows build themselves from.

// Sets one colour of the widget's palette.
void fillWith(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

// The colour of the widget's text.
void setTextColour(QWidget* widget, const QColor& colour);
void setBold(QWidget* widget);

// A fixed caption at (left, top), as wide as its text, read out by its text.
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int left, int top);

// An orange, raised grip that sizes a column or a line by dragging; hint is its tooltip and
// the name accessibility reads.
QFrame* makeGrip(QWidget* parent, const char* name, const QString& hint);

// A dialog's 75 x 25 push button with its top left corner here.
QPushButton* makeDialogButton(QWidget* parent, const char* name, const QString& caption, int left,
                              int top);
