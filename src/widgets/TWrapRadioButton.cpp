#include "widgets/TWrapRadioButton.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {
constexpr int PreferredWidth = 320;
}

TWrapRadioButton::TWrapRadioButton(QWidget* parent) : QRadioButton(parent) {
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

int TWrapRadioButton::indicatorWidth() const {
    return style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, this) +
           style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, this);
}

QRect TWrapRadioButton::textRect(int width) const {
    const int textWidth = std::max(1, width - indicatorWidth());
    return fontMetrics().boundingRect(QRect(0, 0, textWidth, 100000),
                                      Qt::TextWordWrap | Qt::AlignLeft, text());
}

int TWrapRadioButton::heightForWidth(int width) const {
    const int indicator = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, nullptr, this);
    return std::max(indicator, textRect(width).height()) + 2;
}

QSize TWrapRadioButton::sizeHint() const {
    return {PreferredWidth, heightForWidth(PreferredWidth)};
}

QSize TWrapRadioButton::minimumSizeHint() const {
    return {indicatorWidth() + fontMetrics().averageCharWidth() * 8,
            heightForWidth(PreferredWidth)};
}

void TWrapRadioButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    const int indicatorHeight =
        style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, nullptr, this);
    option.rect = QRect(0, 1, indicatorWidth(), indicatorHeight);
    painter.drawControl(QStyle::CE_RadioButton, option);
    const QRect area(indicatorWidth(), 1, width() - indicatorWidth(), height() - 1);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(area, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = area.adjusted(-1, 0, 0, 0);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool TWrapRadioButton::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

void TWrapRadioButton::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool forward = key == Qt::Key_Down || key == Qt::Key_Right;
    const bool back = key == Qt::Key_Up || key == Qt::Key_Left;
    const QButtonGroup* answers = group();
    if (!answers || (!forward && !back) || event->modifiers() != Qt::NoModifier) {
        QRadioButton::keyPressEvent(event);
        return;
    }
    const QList<QAbstractButton*> items = answers->buttons();
    const auto count = items.size();
    auto at = items.indexOf(this);
    for (qsizetype step = 1; step < count; ++step) {
        at = (at + (forward ? 1 : count - 1)) % count;
        QAbstractButton* next = items.at(at);
        if (next->isEnabled() && next->isVisible()) {
            next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            next->click();
            return;
        }
    }
}
