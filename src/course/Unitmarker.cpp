#include "course/Unitmarker.h"

#include "course/MarkerPlacement.h"
#include "widgets/TCSpinEdit.h"

#include <QAbstractButton>
#include <QBitmap>
#include <QPainter>
#include <QTimer>
#include <QToolBar>

namespace {

MarkerPlacement::TargetSort sortOf(const QWidget* target) {
    using S = MarkerPlacement::TargetSort;
    if (qobject_cast<const TCSpinEdit*>(target))
        return S::SpinEdit;
    if (qobject_cast<const QAbstractButton*>(target))
        return S::Button;
    return S::Panel;
}

} // namespace

TMarkersForm::TMarkersForm(QWidget* mainWindow, QWidget* target)
    : QWidget(mainWindow, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                              Qt::WindowDoesNotAcceptFocus),
      Target(target) {
    setObjectName(QStringLiteral("MarkersForm"));
    setAccessibleName(QStringLiteral("Маркер"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    // The mask cuts the window to the figure, so it is see-through on any X desktop; the
    // translucent surface keeps the figure's pixels our own where other windows of the
    // program lie underneath.
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(MarkerSide, MarkerSide);
    drawFigure();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(FollowIntervalMs);
    connect(Timer1, &QTimer::timeout, this, &TMarkersForm::Timer1Timer);
    if (Target)
        Timer1->start();
}

void TMarkersForm::Retarget(QWidget* control) {
    Target = control;
    Timer1->start();
}

void TMarkersForm::Timer1Timer() {
    FollowTarget();
}

void TMarkersForm::FollowTarget() {
    if (!Target)
        return;
    const QWidget* parent = Target->parentWidget();
    const bool onToolBar = qobject_cast<const QToolBar*>(parent) != nullptr;
    const bool inView =
        Target->isVisible() &&
        MarkerPlacement::inView(onToolBar, Target->pos(), parent ? parent->size() : QSize());
    move(Target->mapToGlobal(MarkerPlacement::offset(sortOf(Target), size())));

    const QWidget* main = parentWidget() ? parentWidget() : Target->window();
    if (MarkerPlacement::shown(main->frameGeometry(), pos(), inView)) {
        if (isHidden())
            show();
    } else {
        hide();
    }
    PenWidth = PenWidth == 2 ? 1 : 2;
    drawFigure();
    // Painted at once, with the new shape: a repaint left for later can reach an X server
    // without compositing after the shape changed, and show black.
    repaint();
}

// The diagonal from the top-left to the bottom-right corner, with the right and bottom edges.
// The window is cut to exactly these pixels.
void TMarkersForm::drawFigure() {
    Figure = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    Figure.fill(Qt::transparent);
    {
        QPainter painter(&Figure);
        painter.setPen(QPen(Qt::red, PenWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        const int w = width() - 1;
        const int h = height() - 1;
        painter.drawPolyline(QPolygon({QPoint(0, 0), QPoint(w, h), QPoint(w, 0)}));
        painter.drawLine(w, h, 0, h);
    }
    setMask(QBitmap::fromImage(Figure.createAlphaMask()));
}

void TMarkersForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, Figure);
}

void TMarkersForm::closeEvent(QCloseEvent* event) {
    Timer1->stop();
    QWidget::closeEvent(event);
}

void TMarkersForm::mousePressEvent(QMouseEvent*) {
    if (QWidget* main = parentWidget()) {
        main->activateWindow();
        main->setFocus();
    }
}
