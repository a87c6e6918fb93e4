#include "widgets/TCoolBar.h"

#include <climits>

TCoolBar::TCoolBar(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void TCoolBar::addBand(QWidget* band, bool newRow) {
    band->setParent(this);
    Bands.append({band, newRow});
    updateGeometry();
}

int TCoolBar::arrange(int width, bool apply) const {
    int x = 0;
    int y = 0;
    int rowHeight = 0;
    for (const Band& band : Bands) {
        if (band.widget->isHidden())
            continue;
        const QSize size = band.widget->sizeHint();
        if (x > 0 && (band.newRow || x + size.width() > width)) {
            y += rowHeight;
            x = 0;
            rowHeight = 0;
        }
        if (apply)
            band.widget->setGeometry(x, y, size.width(), size.height());
        x += size.width();
        rowHeight = std::max(rowHeight, size.height());
    }
    return y + rowHeight;
}

int TCoolBar::heightForWidth(int width) const {
    return arrange(width, false);
}

QSize TCoolBar::sizeHint() const {
    int widest = 0;
    int row = 0;
    for (const Band& band : Bands) {
        if (band.widget->isHidden())
            continue;
        if (band.newRow)
            row = 0;
        row += band.widget->sizeHint().width();
        widest = std::max(widest, row);
    }
    return {widest, arrange(widest, false)};
}

QSize TCoolBar::minimumSizeHint() const {
    return {0, arrange(sizeHint().width(), false)};
}

void TCoolBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int needed = arrange(width(), true);
    if (needed != height())
        setFixedHeight(needed); // the frame's layout gives the rows the height they need
}
