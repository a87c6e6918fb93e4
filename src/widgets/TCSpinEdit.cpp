#include "widgets/TCSpinEdit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

TCSpinEdit::TCSpinEdit(QWidget* parent) : QSpinBox(parent) {
    lineEdit()->setReadOnly(true);
    lineEdit()->setCursor(Qt::ArrowCursor);
    lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
}

void TCSpinEdit::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        QSpinBox::keyPressEvent(event);
        lineEdit()->deselect();
        return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_F1:
        event->ignore(); // left to the window and its shortcuts
        return;
    default:
        event->accept(); // typing is not allowed
    }
}

void TCSpinEdit::focusInEvent(QFocusEvent* event) {
    QSpinBox::focusInEvent(event);
    lineEdit()->deselect();
}

void TCSpinEdit::mousePressEvent(QMouseEvent* event) {
    QSpinBox::mousePressEvent(event);
    lineEdit()->deselect();
}

void TCSpinEdit::wheelEvent(QWheelEvent* event) {
    event->ignore(); // the wheel scrolls whatever is under the spin, never its value
}
