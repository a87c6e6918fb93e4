#include "course/StageCheck.h"

namespace {

using Lines = std::array<LineState, CourseStage::LineCount>;
using enum LineState;

LineState doneState(bool done) {
    return done ? Done : Open;
}

bool isNumbered(LineRole role) {
    return role == LineRole::Kind || role == LineRole::Step || role == LineRole::Settings ||
           role == LineRole::Run;
}

bool isDown(MarkerTarget button, const ControlSnapshot& s) {
    switch (button) {
    case MarkerTarget::TextButton:
        return s.TextDown;
    case MarkerTarget::StringButton:
        return s.StringDown;
    case MarkerTarget::TableButton:
        return s.TableDown;
    default:
        return false;
    }
}

// The kind line's exercise button is the only one down, and test mode is as the stage asks.
bool kindChosen(const GuideLayout& layout, MarkerTarget button, const ControlSnapshot& s) {
    using T = MarkerTarget;
    return s.TestDown == layout.Test && s.TextDown == (button == T::TextButton) &&
           s.StringDown == (button == T::StringButton) && s.TableDown == (button == T::TableButton);
}

bool holds(LineCheck check, const CourseStage& stage, const ControlSnapshot& s) {
    switch (check) {
    case LineCheck::TextLoaded:
        return s.TextLoaded;
    case LineCheck::FieldWidth:
        return s.FieldWidth == stage.FieldWidth;
    case LineCheck::ColumnWidth:
        return s.ColumnWidth == stage.ColumnWidth;
    case LineCheck::Speed:
        return s.Speed == stage.StageSpeed;
    case LineCheck::Alignment:
        return s.Alignment == stage.Alignment;
    case LineCheck::ReadingMode:
        return s.ReadingMode == stage.ReadingMode;
    case LineCheck::TableSize:
        return s.TableColumns == stage.TableColumns && s.TableRows == stage.TableRows;
    case LineCheck::None:
    case LineCheck::Kind:
        break;
    }
    return true;
}

// The first open numbered line becomes current, and with a kind line the name under it.
void markFirstOpen(Lines& c, std::span<const GuideLine> lines) {
    for (std::size_t line = 0; line < lines.size(); ++line) {
        if (!isNumbered(lines[line].Role) || c[line] != Open)
            continue;
        c[line] = Current;
        for (std::size_t name = line + 1;
             name < lines.size() && lines[name].Role == LineRole::KindName; ++name)
            c[name] = Current;
        return;
    }
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

MarkerTarget targetOf(const GuideLine& line, const CourseStage& stage) {
    switch (line.Check) {
    case LineCheck::Alignment:
        return alignmentButton(stage.Alignment);
    case LineCheck::ReadingMode:
        return modeButton(stage.ReadingMode);
    default:
        return line.Target;
    }
}

MarkerTarget when(bool condition, MarkerTarget target) {
    return condition ? target : MarkerTarget::None;
}

} // namespace

void CheckStage(CourseStage& stage, const ControlSnapshot& s) {
    const GuideLayout& layout = guideLayout(stage.Kind);
    Lines& c = stage.LineStates;
    std::size_t settingsLine = 0;
    for (std::size_t line = 0; line < layout.Lines.size(); ++line) {
        const GuideLine& l = layout.Lines[line];
        switch (l.Role) {
        case LineRole::Kind:
            c[line] = doneState(kindChosen(layout, l.Target, s));
            break;
        case LineRole::KindName:
            c[line] = Done;
            break;
        case LineRole::Step:
            c[line] = doneState(holds(l.Check, stage, s));
            break;
        case LineRole::Settings:
            settingsLine = line;
            c[line] = Done;
            break;
        case LineRole::Setting:
            c[line] = doneState(holds(l.Check, stage, s));
            if (c[line] == Open)
                c[settingsLine] = Open;
            break;
        case LineRole::Run:
            c[line] = Open;
            break;
        case LineRole::Separator:
        case LineRole::Hint:
            c[line] = Hint;
            break;
        }
    }
    markFirstOpen(c, layout.Lines);
}

MarkerPlan PlaceMarkers(const CourseStage& stage, const ControlSnapshot& s) {
    const GuideLayout& layout = guideLayout(stage.Kind);
    const Lines& c = stage.LineStates;
    MarkerPlan plan{};
    plan.fill(MarkerTarget::None);
    std::size_t slot = 0;
    bool settingsCurrent = false;
    for (std::size_t line = 0; line < layout.Lines.size(); ++line) {
        const GuideLine& l = layout.Lines[line];
        const bool current = c[line] == Current;
        switch (l.Role) {
        case LineRole::Kind:
            plan[slot++] = when(current && s.TestDown != layout.Test, MarkerTarget::TestButton);
            plan[slot++] = when(current && !isDown(l.Target, s), l.Target);
            break;
        case LineRole::Step:
        case LineRole::Run:
            plan[slot++] = when(current, l.Target);
            break;
        case LineRole::Settings:
            settingsCurrent = current;
            break;
        case LineRole::Setting:
            plan[slot++] = when(settingsCurrent && c[line] == Open, targetOf(l, stage));
            break;
        case LineRole::KindName:
        case LineRole::Separator:
        case LineRole::Hint:
            break;
        }
    }
    return plan;
}
