#pragma once

#include <QPointer>
#include <QWidget>

class QTimer;

// An on-screen marker: a tiny see-through window above every other that points at a control
// the user should set next in the current course stage. Hidden until it is given a target.
class TMarkersForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int MarkerSide = 8;
    static constexpr int FollowIntervalMs = 100;

    explicit TMarkersForm(QWidget* parent = nullptr);

    QTimer* Timer1 = nullptr; // follows the target, off until there is one
    QPointer<QWidget> Target; // the control pointed at; not owned
};
