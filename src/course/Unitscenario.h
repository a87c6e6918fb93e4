#pragma once

#include "course/CourseStage.h"
#include "course/StageCheck.h"
#include "platform/RandomSource.h"
#include "training/TestResults.h"

#include <array>

// The course speed and width the user reached, as stored between runs of the program.
struct CourseValues {
    // The ranges a stored value is kept in and read back from.
    static constexpr int SpeedMax = 10000;
    static constexpr int WidthMax = 300;

    int Speed = 900;
    int Width = 10;
};

// The guided course: the user's course speed and width, the level they give, and the cycle of
// stages built for that level, walked one stage per Advance.
class Scenario {
public:
    static constexpr int MaxStages = 20;

    explicit Scenario(CourseValues stored);
    Scenario(const Scenario&) = delete;
    Scenario& operator=(const Scenario&) = delete;

    // Sets Level and its bounds from the course speed and width; below level 1 nothing changes.
    void ComputeLevel();
    // Fills the stage table of the level's band, drawing the table rows anew.
    void BuildStageTable(int level);
    // Takes the result of the test stage just run into the course speed or width.
    void TakeTestResult(const TestResults& results);
    // Enters the next stage (goOn) or the current one again. Returns true when the stage
    // entered opens a cycle, so that the level shown to the user changes.
    bool Advance(bool goOn, const TestResults& results);

    // Sets the guide-line states of the current stage from the controls (see CheckStage).
    void CheckCurrentStage(const ControlSnapshot& controls);
    // Draws the table rows with this seed at every build from now on, so that a course can be
    // replayed.
    void setFixedSeed(unsigned seed) { Random.setFixedSeed(seed); }

    // The course values to store, brought into the range that is read back.
    CourseValues storedValues() const;

    int DoneCount() const { return Done; }
    int ProgressMax() const { return ProgressLast; }
    int StageIndex() const { return Index; }
    int StageCount() const { return Count; }
    int Level() const { return LevelReached; }
    int LevelSpeedLow() const { return Bounds.SpeedLow; }
    int LevelWidthLow() const { return Bounds.WidthLow; }
    int LevelSpeedHigh() const { return Bounds.SpeedHigh; }
    int LevelWidthHigh() const { return Bounds.WidthHigh; }
    int CourseSpeed() const { return Course.Speed; }
    int CourseWidth() const { return Course.Width; }
    // The stage now shown, none before the first Advance.
    const CourseStage* CurrentStage() const { return Current; }
    const CourseStage& stage(int index) const { return Stages[index]; }

private:
    void enterStage();

    // The speed and width bounds of the level.
    struct LevelBounds {
        int SpeedLow = 900;
        int WidthLow = 10;
        int SpeedHigh = 1800;
        int WidthHigh = 13;
    };

    static constexpr int BaseSpeed = 900;
    static constexpr int BaseWidth = 10;
    static constexpr int SpeedStep = 900;
    static constexpr int WidthStep = 3;

    int Done = 0;
    int ProgressLast = 0;
    int Index = -1;
    int Count = 0;
    bool AdvanceFlag = false;
    int LevelReached = 1;
    LevelBounds Bounds;
    CourseValues Course;
    CourseStage* Current = nullptr;
    std::array<CourseStage, MaxStages> Stages{};
    RandomSource Random;
};
