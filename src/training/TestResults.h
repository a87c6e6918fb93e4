#pragma once

// What the exercise windows measured in their last tests; the course takes from it the result
// of a test stage.
struct TestResults {
    int LineScorePercent = 0; // field-of-view test: 100 after a right, confirmed answer
    int LineChars = 0;        // field-of-view test: width of the line just run
    int TextScorePercent = 0; // text test: share of right answers, 0 until answered
    int TextSpeed = 0;        // text test: measured speed, 0 until answered
};
