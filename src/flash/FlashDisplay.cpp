#include "flash/FlashDisplay.h"

#include "flash/RecognitionLetter.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

const QColor Paper(Qt::white);
const QColor Ink(Qt::black);
const QColor LetterColour(0xD0, 0x00, 0x00);
const QColor MarkColour(0x22, 0x32, 0xA6);
constexpr int SideMargin = 8;
constexpr qreal SmallestPointSize = 4;

// How far the group reaches left and right of the middle of its letter.
struct Reach {
    qreal left = 0;
    qreal right = 0;
};

Reach reachOf(const QFont& font, const QString& shown, int letter) {
    const QFontMetricsF metrics(font);
    if (letter < 0) {
        const qreal half = metrics.horizontalAdvance(shown) / 2;
        return {half, half};
    }
    const qreal before = metrics.horizontalAdvance(shown.left(letter));
    const qreal own = metrics.horizontalAdvance(shown.at(letter));
    const qreal after = metrics.horizontalAdvance(shown.mid(letter + 1));
    return {before + own / 2, own / 2 + after};
}

} // namespace

FlashDisplay::FlashDisplay(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FlashDisplay"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Paper);
    setPalette(palette);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleDescription(QStringLiteral("Слова текста вспышками"));
    Fitted = font();
}

void FlashDisplay::showGroup(const QString& shown) {
    Shown = shown;
    Letter = RecognitionLetter::indexIn(Shown);
    setAccessibleName(Shown);
    fitGroup();
    update();
}

qreal FlashDisplay::shownPointSize() const {
    return Fitted.pointSizeF();
}

void FlashDisplay::fitGroup() {
    Fitted = font();
    const qreal room = width() / 2.0 - SideMargin;
    while (Fitted.pointSizeF() > SmallestPointSize) {
        const Reach reach = reachOf(Fitted, Shown, Letter);
        const qreal widest = std::max(reach.left, reach.right);
        if (widest <= room)
            break;
        // Shrink in proportion, then by a point at a time for what rounding left over.
        const qreal scaled = std::floor(Fitted.pointSizeF() * room / widest);
        Fitted.setPointSizeF(
            std::max(SmallestPointSize, std::min(scaled, Fitted.pointSizeF() - 1)));
    }
}

QSize FlashDisplay::sizeHint() const {
    return {400, 4 * QFontMetrics(font()).height()};
}

QSize FlashDisplay::minimumSizeHint() const {
    return {100, 3 * QFontMetrics(font()).height()};
}

void FlashDisplay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetricsF metrics(Fitted);
    const qreal centre = letterCentre();
    const qreal lineHeight = metrics.height();
    const qreal top = (height() - lineHeight) / 2;
    const qreal baseline = top + metrics.ascent();

    // The marks: a short thin line above and below the letter's place.
    painter.setPen(QPen(MarkColour, 1));
    const qreal markLength = lineHeight / 2;
    const qreal gap = lineHeight / 4;
    painter.drawLine(QPointF(centre, top - gap - markLength), QPointF(centre, top - gap));
    painter.drawLine(QPointF(centre, top + lineHeight + gap),
                     QPointF(centre, top + lineHeight + gap + markLength));

    if (Shown.isEmpty())
        return;
    painter.setFont(Fitted);
    const Reach reach = reachOf(Fitted, Shown, Letter);
    qreal x = centre - reach.left;
    if (Letter < 0) {
        painter.setPen(Ink);
        painter.drawText(QPointF(x, baseline), Shown);
        return;
    }
    const QString before = Shown.left(Letter);
    const QString letter = Shown.at(Letter);
    painter.setPen(Ink);
    painter.drawText(QPointF(x, baseline), before);
    x += metrics.horizontalAdvance(before);
    painter.setPen(LetterColour);
    painter.drawText(QPointF(x, baseline), letter);
    x += metrics.horizontalAdvance(letter);
    painter.setPen(Ink);
    painter.drawText(QPointF(x, baseline), Shown.mid(Letter + 1));
}

void FlashDisplay::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        fitGroup();
        updateGeometry();
        update();
    }
}

void FlashDisplay::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitGroup();
}
