#include "text/TestScore.h"

#include <limits>

int countRightAnswers(const std::array<int, TestQuestionCount>& right, const TestChoices& chosen) {
    int count = 0;
    for (int q = 0; q < TestQuestionCount; ++q) {
        if (chosen[q] != NoAnswer && chosen[q] == right[q])
            ++count;
    }
    return count;
}

int scorePercent(int rightAnswers) {
    return rightAnswers * 100 / TestQuestionCount;
}

int readingSpeed(qint64 charsShown, qint64 elapsedMs) {
    if (elapsedMs <= 0 || charsShown <= 0)
        return 0;
    // Guard the arithmetic: the character count of any text loaded is far below these.
    constexpr qint64 maxChars = std::numeric_limits<qint64>::max() / 6000;
    constexpr qint64 maxQuotient = std::numeric_limits<int>::max() / 10;
    const qint64 quotient = qMin(charsShown, maxChars) * 6000 / elapsedMs;
    return static_cast<int>(qMin(quotient, maxQuotient) * 10);
}
