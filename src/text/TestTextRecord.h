#pragma once

#include <QString>

#include <array>

// The test text being played and what its last answered run measured.
struct TestTextRecord {
    QString Text;
    std::array<int, 5> Answers{}; // index (0..2) of the right answer to each question
    int ScorePercent = 0;
    int Volume = 0;
    int Speed = 0;
};
