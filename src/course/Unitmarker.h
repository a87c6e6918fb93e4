#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

class QTimer;

// An on-screen marker: a tiny window above every other that shows only a red triangle outline
// at a control the user should set next in the current course stage. The window is shaped to
// the figure, so it is see-through with or without a compositing window manager. Hidden until
// it is given a target; it then follows the target every 100 ms.
class TMarkersForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int MarkerSide = 8;
    static constexpr int FollowIntervalMs = 100;

    // The main window is the marker's owner; its edges bound where the marker shows.
    explicit TMarkersForm(QWidget* mainWindow = nullptr, QWidget* target = nullptr);

    // Points the marker at another control and starts following it.
    void Retarget(QWidget* control);
    void Timer1Timer();
    // Moves the marker to its target, shows or hides it, and makes the lines blink.
    void FollowTarget();
    // The control pointed at, and the pen of the blink on show.
    QWidget* target() const { return Target; }
    int penWidth() const { return PenWidth; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QTimer* Timer1 = nullptr; // follows the target, off until there is one
    QPointer<QWidget> Target; // the control pointed at; not owned
    int PenWidth = 2;         // 1 and 2 in turn, one for each blink
    void drawFigure();

    QImage Figure; // the triangle at the current pen width, see-through elsewhere
};
