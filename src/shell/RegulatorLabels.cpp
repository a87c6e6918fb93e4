#include "shell/RegulatorLabels.h"

#include "training/SpeedRegulator.h"

#include <QLabel>

namespace {

constexpr int Top = 25;
constexpr int Height = 14;
constexpr int Margin = 2; // from the panel's edges
constexpr int Gap = 3;    // between two texts

int textWidth(const QLabel& label, const QString& text) {
    return label.fontMetrics().horizontalAdvance(text) + 1;
}

} // namespace

void layOutRegulatorLabels(QLabel& low, QLabel& speed, QLabel& high, int panelWidth) {
    low.setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    low.setGeometry(Margin, Top, textWidth(low, low.text()), Height);
    const int highWidth = textWidth(high, high.text());
    high.setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    high.setGeometry(panelWidth - Margin - highWidth, Top, highWidth, Height);

    const int left = low.geometry().right() + 1 + Gap;
    const int room = high.x() - Gap - left;
    const QString longest = SpeedRegulator::speedLabel(SpeedRegulator::MaximumPosition);
    QFont face = speed.font();
    while (textWidth(speed, longest) > room && face.pixelSize() > 6) {
        face.setPixelSize(face.pixelSize() - 1);
        speed.setFont(face);
    }
    speed.setAlignment(Qt::AlignCenter);
    speed.setGeometry(left, Top, room, Height);
}
