#pragma once

#include <QRadioButton>

// A radio button whose caption wraps onto as many lines as the width allows, so a long answer
// is read whole.
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
    bool hitButton(const QPoint& pos) const override;

private:
    int indicatorWidth() const;
    QRect textRect(int width) const;
};
