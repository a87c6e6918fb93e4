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
    CourseSpeed = stored.Speed;
    CourseWidth = stored.Width;
}

void Scenario::ComputeLevel() {
    for (int a = 0;; ++a) {
        const int lowSpeed = BaseSpeed + a * SpeedStep;
        const int lowWidth = BaseWidth + a * WidthStep;
        if (CourseSpeed < lowSpeed || CourseWidth < lowWidth)
            return;
        LevelSpeedLow = lowSpeed;
        LevelWidthLow = lowWidth;
        LevelSpeedHigh = lowSpeed + SpeedStep;
        LevelWidthHigh = lowWidth + WidthStep;
        Level = a + 1;
    }
}

void Scenario::BuildStageTable(int level) {
    Random.seedFromClock();
    const int band = bandOf(level);
    const bool shortCycle = band == 0;
    StageCount = shortCycle ? 16 : 18;
    ProgressMax = StageCount - 1;
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
    if (!CurrentStage)
        return;
    switch (CurrentStage->Kind) {
    case K::FieldOfViewTest:
        if (results.LineScorePercent == 100)
            CourseWidth = results.LineChars;
        else if (results.LineChars != 10)
            CourseWidth = results.LineChars - 1;
        break;
    case K::TextTest:
        if (results.TextScorePercent >= TextTestPassPercent)
            CourseSpeed = results.TextSpeed;
        break;
    default:
        break;
    }
}

bool Scenario::Advance(bool goOn, const TestResults& results) {
    AdvanceFlag = goOn;
    if (CurrentStage)
        TakeTestResult(results);
    if (goOn || StageIndex < 0)
        ++StageIndex;
    if (StageIndex >= StageCount) {
        StageIndex = 0;
        DoneCount = 0;
    }
    const bool cycleStart = StageIndex == 0;
    if (cycleStart) {
        ComputeLevel();
        BuildStageTable(Level);
    }
    enterStage();
    return cycleStart;
}

void Scenario::enterStage() {
    CurrentStage = &Stages[StageIndex];
    CourseStage& stage = *CurrentStage;
    stage.StageSpeed = CourseSpeed;
    stage.FieldWidth = CourseWidth;
    switch (stage.Kind) {
    case K::TextReading:
    case K::TextTest:
        stage.ColumnWidth = std::min(stage.FieldWidth * stage.ColumnFactor, ColumnWidthMax);
        ++DoneCount;
        break;
    case K::TableReading:
    case K::TableTest:
        ++DoneCount;
        stage.TableColumns = std::min((stage.FieldWidth + 2) / 3, TableColumnsMax);
        break;
    case K::FieldOfViewTest:
        if (AdvanceFlag)
            ++DoneCount;
        stage.FieldWidth += 1;
        break;
    case K::Result:
        ComputeLevel();
        break;
    }
}

CourseValues Scenario::storedValues() const {
    return {std::clamp(CourseSpeed, 0, CourseValues::SpeedMax),
            std::clamp(CourseWidth, 0, CourseValues::WidthMax)};
}
