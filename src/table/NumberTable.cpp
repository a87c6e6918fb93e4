#include "table/NumberTable.h"

#include "platform/RandomSource.h"

#include <algorithm>

void NumberTable::begin(int cellCount) {
    Step = 0;
    CellCount = std::clamp(cellCount, 0, MaxCells);
}

void NumberTable::GenerateNumbers(bool testMode, RandomSource& random) {
    std::array<int, MaxCells> pool{};
    for (int k = 0; k < CellCount; ++k)
        pool[k] = k + 1;
    random.seedFromClock();
    for (int j = 0; j < CellCount; ++j) {
        const int left = CellCount - j;
        const int b = random.below(left);
        const int v = pool[b];
        Numbers[j] = v;
        NumberCell[v - 1] = j;
        // The pool keeps its order: the entries after the one taken move down one place.
        std::copy(pool.begin() + b + 1, pool.begin() + left, pool.begin() + b);
    }
    if (!testMode)
        return;
    const int third = CellCount / 3;
    for (int s = 0; s < MissingCount; ++s) {
        const int cell = s * third + random.below(third);
        MissingNumbers[s] = Numbers[cell];
        Numbers[cell] = 0;
    }
}

int NumberTable::crossOutNext() {
    if (complete())
        return -1;
    return NumberCell[Step++];
}

int firstCrossOutDelay(int charInterval, int columns) {
    return charInterval * (3 * columns - 2);
}

int crossOutInterval(int charInterval, int readingFieldWidth) {
    return charInterval * readingFieldWidth;
}
