#pragma once

#include "course/CourseStage.h"
#include "course/GuideLayout.h"

#include <array>

// What the stage checks read from the main window and the exercise windows.
struct ControlSnapshot {
    bool TestDown = false;
    bool TextDown = false;
    bool StringDown = false;
    bool TableDown = false;
    bool TextLoaded = false; // the text window holds text
    int FieldWidth = 0;      // the reading-field width spin edit
    int ColumnWidth = 0;     // the text column, in characters
    int Speed = 0;           // characters per minute
    int Alignment = -1;      // course code of the alignment button down, -1 when none is
    int ReadingMode = -1;    // course code of the reading-mode button down, -1 when none is
    int TableColumns = 0;
    int TableRows = 0;
};

constexpr int MarkerSlotCount = 10;
using MarkerPlan = std::array<MarkerTarget, MarkerSlotCount>;

// Sets the states of the stage's guide lines from the controls, by the stage kind's guide
// layout: done, open, and current for the first open step. The result stage is left as it is.
void CheckStage(CourseStage& stage, const ControlSnapshot& controls);
// Which control each marker slot points at for the stage's line states; None hides the slot.
// The slots follow the layout's markers in order.
MarkerPlan PlaceMarkers(const CourseStage& stage, const ControlSnapshot& controls);
