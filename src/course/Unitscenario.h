#pragma once

#include "course/CourseStage.h"
#include "platform/RandomSource.h"

#include <array>

// What the exercise windows measured in the run that just ended; the course takes from it the
// result of a test stage.
struct TestResults {
    int LineScorePercent = 0; // field-of-view test: 100 after a right, confirmed answer
    int LineChars = 0;        // field-of-view test: width of the line just run
    int TextScorePercent = 0; // text test: share of right answers, 0 until answered
    int TextSpeed = 0;        // text test: measured speed, 0 until answered
};

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

    // The course values to store, brought into the range that is read back.
    CourseValues storedValues() const;

    int DoneCount = 0;
    int ProgressMax = 0;
    int StageIndex = -1;
    int StageCount = 0;
    int BaseSpeed = 900;
    int BaseWidth = 10;
    int LevelSpeedLow = 900;
    int LevelWidthLow = 10;
    int LevelSpeedHigh = 1800;
    int LevelWidthHigh = 13;
    int SpeedStep = 900;
    int WidthStep = 3;
    bool AdvanceFlag = false;
    int Level = 1;
    CourseStage* CurrentStage = nullptr;
    int CourseSpeed = 900;
    int CourseWidth = 10;
    std::array<CourseStage, MaxStages> Stages{};
    // Draws the table rows; tests may fix its seed.
    RandomSource Random;

private:
    void enterStage();
};
