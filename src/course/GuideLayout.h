#pragma once

#include "course/CourseStage.h"

#include <QStringView>

#include <span>

// The controls a marker can point at.
enum class MarkerTarget {
    None,
    TestButton,
    TextButton,
    StringButton,
    TableButton,
    OpenButton,
    WidthSpin,
    TextColumnGrip,
    LineGrip,
    SpeedPanel,
    AlignLeftButton,
    AlignCentreButton,
    AlignRightButton,
    DynamicButton,
    StaticButton,
    TableSizeButton,
    StartButton,
};

// What a line of the guide is. The kind, step, settings and run lines are the numbered steps.
enum class LineRole : quint8 {
    Kind,      // go to the exercise the stage asks for, in test mode or not
    KindName,  // the name of that exercise, under the kind line and marked with it
    Step,      // a step done when its check holds
    Settings,  // set the parameters: done when every setting under it is
    Setting,   // one parameter under the settings line
    Run,       // start the exercise: open until the run ends the stage
    Separator, // the rule above the hints
    Hint,      // advice for the run
};

// What the controls must show for a line to be done.
enum class LineCheck : quint8 {
    None,
    Kind, // the exercise button of the kind line down, alone, and test mode as asked
    TextLoaded,
    FieldWidth,
    ColumnWidth,
    Speed,
    Alignment,
    ReadingMode,
    TableSize,
};

// One line of a stage's guide. A kind line has two markers, at the test button and at its
// Target; a step, setting or run line has one; the others have none. The alignment and
// reading-mode settings point at the button of the value the stage asks for, so their Target
// is None.
struct GuideLine {
    LineRole Role;
    LineCheck Check;
    MarkerTarget Target;
    QStringView Text; // a setting's label, before the value asked for
};

struct GuideLayout {
    bool Test; // the stage's exercise runs in test mode
    std::span<const GuideLine> Lines;
};

// The guide of a stage kind, line by line; the result stage has none.
const GuideLayout& guideLayout(StageKind kind);
