#include "course/StageCheck.h"

#include <initializer_list>

namespace {

using Lines = std::array<LineState, CourseStage::LineCount>;
using enum LineState;

LineState doneState(bool done) {
    return done ? Done : Open;
}

// Line 0 is done when exactly the wanted kind is chosen and test mode is as wanted; line 1
// belongs to it.
void markKind(Lines& c, const ControlSnapshot& s, bool test, bool text, bool string, bool table) {
    c[0] = doneState(s.TestDown == test && s.TextDown == text && s.StringDown == string &&
                     s.TableDown == table);
    c[1] = Done;
}

// The step line is done when every parameter line under it is.
void markParameters(Lines& c, int stepLine, std::initializer_list<bool> done) {
    bool all = true;
    int line = stepLine + 1;
    for (bool d : done) {
        c[line++] = doneState(d);
        all = all && d;
    }
    c[stepLine] = doneState(all);
}

void markTail(Lines& c, int runLine, int lastBlue) {
    c[runLine] = Open;
    for (int line = runLine + 1; line <= lastBlue; ++line)
        c[line] = Hint;
}

void markFirstOpen(Lines& c, std::initializer_list<int> steps) {
    for (int line : steps) {
        if (c[line] == Open) {
            c[line] = Current;
            if (line == 0)
                c[1] = Current;
            return;
        }
    }
}

bool isCurrent(const Lines& c, int line) {
    return c[line] == Current;
}

bool isOpen(const Lines& c, int line) {
    return c[line] == Open;
}

MarkerTarget alignmentButton(int code) {
    switch (code) {
    case CourseAlignment::Left:
        return MarkerTarget::AlignLeftButton;
    case CourseAlignment::Centre:
        return MarkerTarget::AlignCentreButton;
    default:
        return MarkerTarget::AlignRightButton;
    }
}

MarkerTarget modeButton(int code) {
    return code == CourseReadingMode::Dynamic ? MarkerTarget::DynamicButton
                                              : MarkerTarget::StaticButton;
}

MarkerTarget when(bool condition, MarkerTarget target) {
    return condition ? target : MarkerTarget::None;
}

} // namespace

void CheckStage(CourseStage& stage, const ControlSnapshot& s) {
    Lines& c = stage.LineStates;
    const bool speed = s.Speed == stage.StageSpeed;
    const bool field = s.FieldWidth == stage.FieldWidth;
    const bool column = s.ColumnWidth == stage.ColumnWidth;
    const bool alignment = s.Alignment == stage.Alignment;
    const bool mode = s.ReadingMode == stage.ReadingMode;
    const bool tableSize = s.TableColumns == stage.TableColumns && s.TableRows == stage.TableRows;
    switch (stage.Kind) {
    case StageKind::TextReading:
        markKind(c, s, false, true, false, false);
        c[2] = doneState(s.TextLoaded);
        markParameters(c, 3, {field, column, speed, alignment, mode});
        markTail(c, 9, 12);
        markFirstOpen(c, {0, 2, 3, 9});
        break;
    case StageKind::TextTest:
        markKind(c, s, true, true, false, false);
        markParameters(c, 2, {field, column, speed, alignment, mode});
        markTail(c, 8, 11);
        markFirstOpen(c, {0, 2, 8});
        break;
    case StageKind::TableReading:
    case StageKind::TableTest:
        markKind(c, s, stage.Kind == StageKind::TableTest, false, false, true);
        markParameters(c, 2, {tableSize, speed});
        markTail(c, 5, 8);
        markFirstOpen(c, {0, 2, 5});
        break;
    case StageKind::FieldOfViewTest:
        markKind(c, s, true, false, true, false);
        markParameters(c, 2, {field, speed});
        markTail(c, 5, 8);
        markFirstOpen(c, {0, 2, 5});
        break;
    case StageKind::Result:
        break;
    }
}

MarkerPlan PlaceMarkers(const CourseStage& stage, const ControlSnapshot& s) {
    using T = MarkerTarget;
    const Lines& c = stage.LineStates;
    const bool kindCurrent = isCurrent(c, 0);
    MarkerPlan plan{};
    plan.fill(T::None);
    switch (stage.Kind) {
    case StageKind::TextReading: {
        const bool setting = isCurrent(c, 3);
        plan = {when(kindCurrent && s.TestDown, T::TestButton),
                when(kindCurrent && !s.TextDown, T::TextButton),
                when(isCurrent(c, 2), T::OpenButton),
                when(setting && isOpen(c, 4), T::WidthSpin),
                when(setting && isOpen(c, 5), T::TextColumnGrip),
                when(setting && isOpen(c, 6), T::SpeedPanel),
                when(setting && isOpen(c, 7), alignmentButton(stage.Alignment)),
                when(setting && isOpen(c, 8), modeButton(stage.ReadingMode)),
                when(isCurrent(c, 9), T::StartButton),
                T::None};
        break;
    }
    case StageKind::TextTest: {
        const bool setting = isCurrent(c, 2);
        plan = {when(kindCurrent && !s.TestDown, T::TestButton),
                when(kindCurrent && !s.TextDown, T::TextButton),
                when(setting && isOpen(c, 3), T::WidthSpin),
                when(setting && isOpen(c, 4), T::TextColumnGrip),
                when(setting && isOpen(c, 5), T::SpeedPanel),
                when(setting && isOpen(c, 6), alignmentButton(stage.Alignment)),
                when(setting && isOpen(c, 7), modeButton(stage.ReadingMode)),
                when(isCurrent(c, 8), T::StartButton),
                T::None,
                T::None};
        break;
    }
    case StageKind::TableReading:
    case StageKind::TableTest: {
        const bool wantTest = stage.Kind == StageKind::TableTest;
        const bool setting = isCurrent(c, 2);
        plan[0] = when(kindCurrent && s.TestDown != wantTest, T::TestButton);
        plan[1] = when(kindCurrent && !s.TableDown, T::TableButton);
        plan[2] = when(setting && isOpen(c, 3), T::TableSizeButton);
        plan[3] = when(setting && isOpen(c, 4), T::SpeedPanel);
        plan[4] = when(isCurrent(c, 5), T::StartButton);
        break;
    }
    case StageKind::FieldOfViewTest: {
        const bool setting = isCurrent(c, 2);
        plan[0] = when(kindCurrent && !s.TestDown, T::TestButton);
        plan[1] = when(kindCurrent && !s.StringDown, T::StringButton);
        plan[2] = when(setting && isOpen(c, 3), T::LineGrip);
        plan[3] = when(setting && isOpen(c, 4), T::SpeedPanel);
        plan[4] = when(isCurrent(c, 5), T::StartButton);
        break;
    }
    case StageKind::Result:
        break;
    }
    return plan;
}
