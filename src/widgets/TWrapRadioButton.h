#pragma once

#include <QRadioButton>

// A radio button whose caption wraps onto as many lines as the width allows, so a long answer
// is read whole. In a button group the arrow keys choose the next or the previous button, going
// round, as in any radio group.
class TWrapRadioButton : public QRadioButton {
    Q_OBJECT
public:
    explicit TWrapRadioButton(QWidget* parent = nullptr);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    int indicatorWidth() const;
    QRect textRect(int width) const;
};
