#pragma once

#include <array>

class RandomSource;

// The numbers of one table run: which number sits in which cell, the numbers left out in a test
// run, and how far the crossing out has gone. Cells are counted row-major: row i, column j of a
// grid with c columns is cell i x c + j.
struct NumberTable {
    static constexpr int MaxCells = 100;
    static constexpr int MissingCount = 3;

    int CellCount = 0;
    int Step = 0; // numbers crossed out so far
    // Numbers[cell]: the number shown in that cell, 1..CellCount; 0 for a number left out.
    std::array<int, MaxCells> Numbers{};
    // NumberCell[k - 1]: the cell that holds number k (also when k was left out).
    std::array<int, MaxCells> NumberCell{};
    std::array<int, MissingCount> MissingNumbers{};

    // A new run over cellCount cells (at most MaxCells), nothing crossed out yet.
    void begin(int cellCount);

    // Deals 1..CellCount into the cells: the random source is seeded afresh, then each cell in
    // turn takes a random entry out of the ordered pool of numbers still to be dealt. In a test
    // run one number is then left out of each of the first three thirds of the cells.
    void GenerateNumbers(bool testMode, RandomSource& random);

    // One step of the run: the cell whose number goes next, or -1 when every number is gone.
    int crossOutNext();
    bool complete() const { return Step >= CellCount; }
};

// The pace of a run in milliseconds: the first number goes after a pause that grows with the
// width of the grid, every further one after the time the reading field takes.
int firstCrossOutDelay(int charInterval, int columns);
int crossOutInterval(int charInterval, int readingFieldWidth);
