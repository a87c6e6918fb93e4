#pragma once

#include <QString>

// Arithmetic and texts of the speed regulator: a track bar position from 0 to 1000, ten
// characters per minute per step, never below position 10.
namespace SpeedRegulator {

constexpr int MinimumPosition = 10;
constexpr int MaximumPosition = 1000;

// The position the bar is raised to: anything at or below the minimum becomes the minimum.
int effectivePosition(int position);
// Milliseconds per character at this position (integer division).
int charInterval(int position);
int speed(int position);

// "1000 симв/мин" under the bar.
QString speedLabel(int position);
// Status panel 2: "С: 1000 симв/мин", with " (Min)" at or below the minimum.
QString speedPanel(int rawPosition);
// Status panel 0: "С (рек):1000 симв/мин".
QString recommendedSpeedPanel(int recommendSpeed);
// Status panel 1: "Ш (рек):10 симв", or in table cells "Ш (рек):4 клет.".
QString recommendedWidthPanel(int recommendWide);
QString recommendedWidthInCellsPanel(int recommendWide);

// The pace of a held button after its first two steps: the fastest a window-message timer
// fires, 64 times a second (15.625 ms), rounded to whole milliseconds.
constexpr int FastRepeatMs = 16;

// One tick of the hold-to-repeat buttons: the next position and the next timer interval
// (2 ms at the press, then 300 ms, then FastRepeatMs).
struct RepeatStep {
    int position;
    int nextIntervalMs;
};
RepeatStep repeatStep(int position, bool up, int currentIntervalMs);

} // namespace SpeedRegulator
