#include "schulte/SchulteCell.h"

#include "widgets/Colours.h"

#include <QPainter>
#include <QTimer>

#include <algorithm>

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
    if (Dot) {
        const qreal radius = std::max(3, box.width() / 16);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::white, 1.5)); // stands out under a red caption too
        painter.setBrush(dotColour());
        painter.drawEllipse(QRectF(box).center(), radius, radius);
    }
    painter.setPen(Dimmed ? DimmedText : (Red ? RedText : QColor(Qt::black)));
    painter.setFont(font());
    painter.drawText(box, Qt::AlignCenter, text());
}
