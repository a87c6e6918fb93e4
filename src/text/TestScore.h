#pragma once

#include "text/TestFile.h"

#include <QtGlobal>

#include <array>

// The chosen answer of each question; NoAnswer when none was chosen.
constexpr int NoAnswer = -1;
using TestChoices = std::array<int, TestQuestionCount>;

// How many questions were answered with their right answer; an unanswered
// question counts as wrong.
int countRightAnswers(const std::array<int, TestQuestionCount>& right, const TestChoices& chosen);

// The share of right answers in per cent: 0, 20, ... 100.
int scorePercent(int rightAnswers);

// The average reading speed in characters per minute, a multiple of 10:
// (charsShown * 6000 / elapsedMs) * 10 in truncating integer arithmetic.
// No time elapsed (or a negative count) gives 0.
int readingSpeed(qint64 charsShown, qint64 elapsedMs);
