#pragma once

#include <QAbstractButton>
#include <QColor>

class QPainter;

// One cell of the Schulte grid: a flat square button with a raised edge and its caption in the
// middle. A screen reader finds it as a button named by its caption.
class SchulteCell : public QAbstractButton {
    Q_OBJECT
public:
    explicit SchulteCell(QWidget* parent);

    // The colour of the fixation dot, here and between the cells of an even table.
    static QColor dotColour() { return {220, 30, 30}; }

    // The caption in red or black, dimmed once found (when found cells are marked).
    void setLook(bool red, bool dimmed);
    // The fixation mark in the middle of the cell: a ring round the caption, a dot when the
    // cell is empty.
    void setDot(bool shown);
    // The face turns red for a moment: a wrong choice.
    void flashWrong();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintDot(QPainter& painter) const;

    bool Red = false;
    bool Dimmed = false;
    bool Wrong = false;
    bool Dot = false;
};
