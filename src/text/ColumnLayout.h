#pragma once

#include <QStringList>

#include <functional>

class TrainingState;

// Arithmetic of the text column under the ruler: widths in whole characters, limits, centring
// and the font size that lets a reading field fit into the main window. All integer.
namespace ColumnLayout {

struct Metrics {
    int charWidth = 1;
    int edgeWidth = 2;  // the system's 3-D edge
    int frameWidth = 4; // window frame
    int scrollWidth = 16;
    int edgeWidth4() const { return 4 * edgeWidth; }
    // Frame, scroll bar and edge on both sides of a window.
    int windowChrome() const { return 2 * (frameWidth + scrollWidth + edgeWidth); }
};
// The metrics the shared state holds now.
Metrics metricsOf(const TrainingState& state);

// Grips narrower than this are hard to grab, whatever the system's edge width.
constexpr int MinimumGripWidth = 4;
// Width of each grip at the ends of the ruler: twice the edge, at least MinimumGripWidth.
int gripWidth(const Metrics& m);

int columnChars(int rulerWidth, const Metrics& m);
// The ruler width rounded down to whole characters.
int snappedWidth(int rulerWidth, const Metrics& m);
// The narrowest main window that still shows a ruler of this width.
int minimumWindowWidth(int rulerWidth, const Metrics& m);
// Client width of an exercise window maximised in a main window of this client width: the
// child keeps its frame inside.
int visibleWidth(int mainClientWidth, const Metrics& m);
// Left edge of a ruler of width w centred in clientWidth (the odd pixel goes to the right).
int rulerLeft(int clientWidth, int rulerWidth);

struct Limits {
    int minimum = 0;
    int maximum = 0;
    // Clamps a width; the minimum wins when the limits cross.
    int clamp(int width) const;
};
Limits columnLimits(int clientWidth, int fieldWidth, const Metrics& m);

// Steps the font size down until a field of fieldWidth characters fits into a window of
// windowWidth pixels. measure(size) returns the character width at that size.
struct FitResult {
    bool warning = false; // the field did not fit at first: the user is told
    int fontSize = 0;     // the size now in effect
    int charWidth = 0;    // its measured character width
};
FitResult fitFontToWindow(int fieldWidth, int windowWidth, const Metrics& m,
                          const QStringList& sizes, int selectedIndex, int fontSize,
                          const std::function<int(int size)>& measure);

} // namespace ColumnLayout
