#include "schulte/SchulteCell.h"

#include "widgets/Colours.h"

#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

const QColor DimmedFace(120, 136, 170);
const QColor WrongFace(220, 40, 40);
const QColor RedText(200, 0, 0);
const QColor DimmedText(80, 92, 120);
constexpr int WrongFlashMs = 300;

} // namespace

SchulteCell::SchulteCell(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::NoFocus); // the keys go to the grid
}

void SchulteCell::setLook(bool red, bool dimmed) {
    Red = red;
    Dimmed = dimmed;
    setAccessibleDescription(red ? QStringLiteral("красное") : QString());
    update();
}

void SchulteCell::setDot(bool shown) {
    Dot = shown;
    update();
}

void SchulteCell::flashWrong() {
    Wrong = true;
    update();
    QTimer::singleShot(WrongFlashMs, this, [this] {
        Wrong = false;
        update();
    });
}

QSize SchulteCell::sizeHint() const {
    const int side = fontMetrics().height() * 2;
    return {side, side};
}

void SchulteCell::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect box = rect();
    painter.fillRect(box, Wrong ? WrongFace : (Dimmed ? DimmedFace : LightBlue));
    painter.setPen(isDown() ? Qt::darkGray : Qt::white);
    painter.drawLine(box.topLeft(), box.topRight());
    painter.drawLine(box.topLeft(), box.bottomLeft());
    painter.setPen(isDown() ? Qt::white : Qt::darkGray);
    painter.drawLine(box.bottomLeft(), box.bottomRight());
    painter.drawLine(box.topRight(), box.bottomRight());
    if (Dot)
        paintDot(painter);
    painter.setPen(Dimmed ? DimmedText : (Red ? RedText : QColor(Qt::black)));
    painter.setFont(font());
    painter.drawText(box, Qt::AlignCenter, text());
}

void SchulteCell::paintDot(QPainter& painter) const {
    const QRectF box(rect());
    const QPointF centre = box.center();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (text().isEmpty()) {
        // Nothing to cover: a dot.
        const qreal radius = std::max(3.0, box.width() / 16);
        painter.setPen(QPen(Qt::white, 1.5));
        painter.setBrush(dotColour());
        painter.drawEllipse(centre, radius, radius);
        painter.restore();
        return;
    }
    // A ring round the caption, centred where the dot would be, so that the eyes still rest on
    // the middle and every stroke of the caption stays in sight.
    const QFontMetricsF metrics(font());
    const QRectF line = metrics.boundingRect(box, Qt::AlignCenter, text());
    QRectF ink = metrics.tightBoundingRect(text());
    ink.translate(line.left(), line.top() + metrics.ascent());
    qreal reach = 0;
    for (const QPointF& corner :
         {ink.topLeft(), ink.topRight(), ink.bottomLeft(), ink.bottomRight()})
        reach = std::max(reach, std::hypot(corner.x() - centre.x(), corner.y() - centre.y()));
    const qreal pen = std::max(2.0, box.width() / 40);
    const qreal radius = std::min(reach + pen, box.width() / 2 - pen);
    painter.setPen(QPen(dotColour(), pen));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, radius, radius);
    painter.restore();
}
