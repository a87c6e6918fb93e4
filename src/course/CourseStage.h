#pragma once

#include <QtGlobal>

#include <array>

// What a course stage asks the user to do.
enum class StageKind : qint8 {
    TextReading = 0,
    TableReading = 1,
    FieldOfViewTest = 2,
    TextTest = 3,
    TableTest = 4,
    Result = 5,
};

// What a line of the guide shows; the guide window gives each state its colour.
enum class LineState : quint8 {
    Open = 0, // step not done
    Done,     // step done
    Current,  // the first step not done
    Hint,     // hints under the separator
};

// Alignment and reading mode as the course asks for them.
namespace CourseAlignment {
constexpr int Left = 0;
constexpr int Centre = 1;
constexpr int Right = 2;
} // namespace CourseAlignment

namespace CourseReadingMode {
constexpr int Dynamic = 0;
constexpr int Static = 1;
} // namespace CourseReadingMode

// One stage of the course cycle. The stage table sets the kind and what depends on the level;
// the rest is filled in when the stage is entered, from the course speed and width.
struct CourseStage {
    static constexpr int LineCount = 13;

    std::array<LineState, LineCount> LineStates{};
    StageKind Kind = StageKind::TextReading;
    int FieldWidth = 0;
    int ColumnWidth = 0;
    int TableColumns = 0;
    int TableRows = 0;
    int ColumnFactor = 0;
    int StageSpeed = 0;
    qint8 Alignment = 0;
    qint8 ReadingMode = 0;
};
