#pragma once

#include "text/ColumnLayout.h"

#include <QPoint>
#include <QString>

class RandomSource;

// Arithmetic of the field-of-view test line: its width in whole characters between ten
// characters and the main window, its place, and the number pairs that flash at its two ends.
// All integer; widths and positions in pixels.
namespace TestLine {

inline constexpr int MinimumChars = 10;
inline constexpr int MarkerSize = 7;
// A pair on the line counts as this many characters of reading.
inline constexpr int PairChars = 6;
inline constexpr int SmallestNumber = 10;
inline constexpr int NumberCount = 89; // 10 to 98
inline constexpr int ShortestRunMs = 8000;
inline constexpr int RunSpreadMs = 2000; // a run lasts 8000 to 9999 ms

// Never narrower than ten characters, never wider than the visible client width less a scroll
// bar and an edge on each side. The minimum wins in a window too narrow for it.
ColumnLayout::Limits lineLimits(int visibleWidth, const ColumnLayout::Metrics& m);
// The width of a line of fieldWidth characters, within the limits.
int lineWidth(int fieldWidth, const ColumnLayout::Limits& limits, const ColumnLayout::Metrics& m);
int lineHeight(int charHeight);
// Top of a line of this height centred in the window's client height.
int lineTop(int clientHeight, int height);
// Top-left corner of the marker centred on a line of this size.
QPoint markerOffset(int width, int height);
// The width after the pointer moved x pixels from a grip's left edge, within the limits.
int draggedWidth(int width, int x, bool leftGrip, const ColumnLayout::Limits& limits);
// The caption at rest: "14 симв.".
QString idleCaption(int lineChars);

// Blanks between the two numbers, so that both stand at the ends of a line of this width.
// The advances of a digit and a blank may be fractions of a pixel, as the line's font
// lays them out.
int blankCount(int width, qreal charWidth, qreal spaceWidth, int edgeWidth4);

struct Pair {
    int left = 0;
    int right = 0;
    // The number the user types for this pair: 31 and 75 give 3175.
    int answer() const { return left * 100 + right; }
};
// Left first, then right: two numbers from 10 to 98.
Pair drawPair(RandomSource& random);
QString pairCaption(const Pair& pair, int blanks);

int runLengthMs(RandomSource& random);
// Milliseconds a pair stays on the line.
int stepInterval(int charInterval);

// The typed answer as a number; anything that is not an integer counts as 0.
int answerFromText(const QString& text);

} // namespace TestLine
