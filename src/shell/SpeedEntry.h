#pragma once

#include <QSpinBox>

class QLabel;
class QSlider;

// Typing an exact speed: a small entry that opens over the speed caption under the track bar,
// on a double-click of the caption or F2 anywhere in the main window. Enter (or leaving the
// entry) sets the typed speed on the bar, Escape leaves the speed as it was. A speed off the
// scale is not taken: the user is told the range and the entry stays open on it. Ctrl+Page Up and
// Ctrl+Page Down move the speed by 1000 characters per minute. Every change goes through the
// bar, so it has the bar's own effects.
class SpeedEntry : public QSpinBox {
    Q_OBJECT
public:
    SpeedEntry(QSlider& bar, QLabel& caption);

    void open();
    // Whether a key aimed at this widget belongs to the entry (Enter, Escape), not the window.
    static bool holds(const QWidget* widget);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void apply();
    // Tells the user the scale's range; the entry keeps the value for correcting.
    void refuse();
    void stepBy1000(int direction);

    QSlider& Bar;
    QLabel& Caption;
    bool Cancelled = false;
    bool Refusing = false; // the range is being told, and the entry has lost the focus to it
};
