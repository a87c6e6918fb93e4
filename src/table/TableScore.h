#pragma once

#include <QString>

#include <array>

// The table test's answers and result lines.
namespace TableScore {

using Three = std::array<int, 3>;

// An answer box's text as a number: anything that is not a whole number within the integer
// range counts as 0, which is never a missing number.
int answerValue(const QString& text);
// How many of the missing numbers were named. Each missing number counts once, however often
// it was typed and in whatever box.
int namedCount(const Three& answers, const Three& missing);

// "2 из 3"
QString scoreText(int score);
// "4 x 3 клет."
QString sizeText(int columns, int rows);
// The missing numbers in ascending order: "5, 17, 30".
QString missingText(Three missing);

} // namespace TableScore
