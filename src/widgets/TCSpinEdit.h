#pragma once

#include <QSpinBox>

// A spin edit whose value changes only through its up and down buttons and the arrow keys:
// typed characters are discarded and the text caret is never shown.
class TCSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit TCSpinEdit(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
};
