#include "fieldofview/TestLine.h"

#include "platform/RandomSource.h"

#include <algorithm>
#include <cmath>

namespace TestLine {

ColumnLayout::Limits lineLimits(int visibleWidth, const ColumnLayout::Metrics& m) {
    return {m.charWidth * MinimumChars + m.edgeWidth4(),
            visibleWidth - 2 * (m.scrollWidth + m.edgeWidth)};
}

int lineWidth(int fieldWidth, const ColumnLayout::Limits& limits, const ColumnLayout::Metrics& m) {
    return limits.clamp(m.charWidth * fieldWidth + m.edgeWidth4());
}

int lineHeight(int charHeight) {
    return charHeight + 4;
}

int lineTop(int clientHeight, int height) {
    return (clientHeight - height) / 2;
}

QPoint markerOffset(int width, int height) {
    return {(width - MarkerSize) / 2, (height - MarkerSize) / 2};
}

int draggedWidth(int width, int x, bool leftGrip, const ColumnLayout::Limits& limits) {
    return limits.clamp(leftGrip ? width - x : width + x);
}

QString idleCaption(int lineChars) {
    return QString::number(lineChars) + QStringLiteral(" симв.");
}

int blankCount(int width, qreal charWidth, qreal spaceWidth, int edgeWidth4) {
    if (spaceWidth <= 0)
        return 0;
    const qreal room = width - 4 * charWidth - edgeWidth4 - spaceWidth;
    return std::max(0, int(std::floor(room / spaceWidth)));
}

Pair drawPair(RandomSource& random) {
    const int a = random.below(NumberCount);
    const int b = random.below(NumberCount);
    return {a + SmallestNumber, b + SmallestNumber};
}

QString pairCaption(const Pair& pair, int blanks) {
    return QString::number(pair.left) + QString(blanks, QLatin1Char(' ')) +
           QString::number(pair.right);
}

int runLengthMs(RandomSource& random) {
    return random.below(RunSpreadMs) + ShortestRunMs;
}

int stepInterval(int charInterval) {
    return charInterval * PairChars;
}

int answerFromText(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 0;
}

} // namespace TestLine
