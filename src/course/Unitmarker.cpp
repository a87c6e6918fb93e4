#include "course/Unitmarker.h"

#include <QTimer>

TMarkersForm::TMarkersForm(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("MarkersForm"));
    setAccessibleName(QStringLiteral("Маркер"));
    // Only what is painted shows; the rest of the window is see-through.
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(MarkerSide, MarkerSide);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(FollowIntervalMs);
}
