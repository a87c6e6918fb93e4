#include "widgets/WidgetHelpers.h"

#include "widgets/Colours.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

void fillWith(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

void setTextColour(QWidget* widget, const QColor& colour) {
    fillWith(widget, QPalette::WindowText, colour);
}

void setBold(QWidget* widget) {
    QFont font = widget->font();
    font.setBold(true);
    widget->setFont(font);
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int left, int top) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setAccessibleName(text);
    label->adjustSize();
    label->move(left, top);
    return label;
}

QFrame* makeGrip(QWidget* parent, const char* name, const QString& hint) {
    auto* grip = new QFrame(parent);
    grip->setObjectName(QLatin1String(name));
    grip->setFrameStyle(QFrame::Panel | QFrame::Raised);
    grip->setLineWidth(1);
    grip->setAutoFillBackground(true);
    fillWith(grip, QPalette::Window, GripColour);
    grip->setCursor(Qt::SizeHorCursor);
    grip->setToolTip(hint);
    grip->setAccessibleName(hint);
    return grip;
}

QPushButton* makeDialogButton(QWidget* parent, const char* name, const QString& caption, int left,
                              int top) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(caption);
    button->setGeometry(left, top, 75, 25);
    return button;
}
