#include "course/Unitscenario.h"

#include <algorithm>

namespace {

constexpr int BandCount = 5;
constexpr int ColumnWidthMax = 60;
constexpr int TableColumnsMax = 10;
constexpr int TextTestPassPercent = 60;

// One step of the cycle: its kind, for text stages the alignment, reading mode and column
// factor per band, for table stages the base of the table rows per band. Steps present only in
// the longer cycles are marked.
struct Step {
    StageKind kind;
    int alignment;
    int mode;
    std::array<int, BandCount> perBand;
    bool longCycleOnly;
};

using K = StageKind;
constexpr int L = CourseAlignment::Left;
constexpr int C = CourseAlignment::Centre;
constexpr int Dyn = CourseReadingMode::Dynamic;
constexpr int Sta = CourseReadingMode::Static;
constexpr std::array<int, BandCount> None{};
constexpr std::array<int, BandCount> FirstFactors{1, 1, 2, 2, 3};
constexpr std::array<int, BandCount> LaterFactors{2, 2, 3, 3, 3};

constexpr std::array<Step, 18> Cycle{{
    {K::FieldOfViewTest, 0, 0, None, false},
    {K::TextTest, C, Sta, FirstFactors, false},
    {K::TextReading, C, Dyn, FirstFactors, false},
    {K::TableReading, 0, 0, {3, 3, 4, 6, 7}, false},
    {K::TextReading, L, Sta, FirstFactors, false},
    {K::TableTest, 0, 0, {3, 3, 4, 6, 8}, false},
    {K::TextReading, L, Dyn, FirstFactors, false},
    {K::FieldOfViewTest, 0, 0, None, false},
    {K::TextTest, L, Dyn, FirstFactors, false},
    {K::TableReading, 0, 0, {3, 4, 5, 7, 8}, false},
    {K::TextReading, C, Sta, LaterFactors, false},
    {K::TableTest, 0, 0, {3, 4, 5, 7, 9}, false},
    {K::TextReading, L, Sta, LaterFactors, true},
    {K::TableReading, 0, 0, {0, 4, 5, 7, 9}, true},
    {K::TextReading, L, Dyn, LaterFactors, false},
    {K::FieldOfViewTest, 0, 0, None, false},
    {K::TextTest, L, Dyn, LaterFactors, false},
    {K::Result, 0, 0, None, false},
}};

int bandOf(int level) {
    return std::clamp((level - 1) / 2, 0, BandCount - 1);
}

bool isText(StageKind kind) {
    return kind == K::TextReading || kind == K::TextTest;
}

bool isTable(StageKind kind) {
    return kind == K::TableReading || kind == K::TableTest;
}

} // namespace

Scenario::Scenario(CourseValues stored) {
    BuildStageTable(1);
    Course = stored;
}

void Scenario::ComputeLevel() {
    for (int a = 0;; ++a) {
        const int lowSpeed = BaseSpeed + a * SpeedStep;
        const int lowWidth = BaseWidth + a * WidthStep;
        if (Course.Speed < lowSpeed || Course.Width < lowWidth)
            return;
        Bounds.SpeedLow = lowSpeed;
        Bounds.WidthLow = lowWidth;
        Bounds.SpeedHigh = lowSpeed + SpeedStep;
        Bounds.WidthHigh = lowWidth + WidthStep;
        LevelReached = a + 1;
    }
}

void Scenario::BuildStageTable(int level) {
    Random.seedFromClock();
    const int band = bandOf(level);
    const bool shortCycle = band == 0;
    Count = shortCycle ? 16 : 18;
    ProgressLast = Count - 1;
    int index = 0;
    for (const Step& step : Cycle) {
        if (shortCycle && step.longCycleOnly)
            continue;
        CourseStage stage;
        stage.Kind = step.kind;
        if (isText(step.kind)) {
            stage.ColumnFactor = step.perBand[band];
            stage.Alignment = qint8(step.alignment);
            stage.ReadingMode = qint8(step.mode);
        } else if (isTable(step.kind)) {
            stage.TableRows = step.perBand[band] + Random.below(2);
        }
        Stages[index++] = stage;
    }
}

void Scenario::TakeTestResult(const TestResults& results) {
    if (!Current)
        return;
    switch (Current->Kind) {
    case K::FieldOfViewTest:
        if (results.LineScorePercent == 100)
            Course.Width = results.LineChars;
        else if (results.LineChars != 10)
            Course.Width = results.LineChars - 1;
        break;
    case K::TextTest:
        if (results.TextScorePercent >= TextTestPassPercent)
            Course.Speed = results.TextSpeed;
        break;
    default:
        break;
    }
}

bool Scenario::Advance(bool goOn, const TestResults& results) {
    AdvanceFlag = goOn;
    if (Current)
        TakeTestResult(results);
    if (goOn || Index < 0)
        ++Index;
    if (Index >= Count) {
        Index = 0;
        Done = 0;
    }
    const bool cycleStart = Index == 0;
    if (cycleStart) {
        ComputeLevel();
        BuildStageTable(LevelReached);
    }
    enterStage();
    return cycleStart;
}

void Scenario::enterStage() {
    Current = &Stages[Index];
    CourseStage& stage = *Current;
    stage.StageSpeed = Course.Speed;
    stage.FieldWidth = Course.Width;
    switch (stage.Kind) {
    case K::TextReading:
    case K::TextTest:
        stage.ColumnWidth = std::min(stage.FieldWidth * stage.ColumnFactor, ColumnWidthMax);
        ++Done;
        break;
    case K::TableReading:
    case K::TableTest:
        ++Done;
        stage.TableColumns = std::min((stage.FieldWidth + 2) / 3, TableColumnsMax);
        break;
    case K::FieldOfViewTest:
        if (AdvanceFlag)
            ++Done;
        stage.FieldWidth += 1;
        break;
    case K::Result:
        ComputeLevel();
        break;
    }
}

void Scenario::CheckCurrentStage(const ControlSnapshot& controls) {
    if (Current)
        CheckStage(*Current, controls);
}

CourseValues Scenario::storedValues() const {
    return {std::clamp(Course.Speed, 0, CourseValues::SpeedMax),
            std::clamp(Course.Width, 0, CourseValues::WidthMax)};
}
