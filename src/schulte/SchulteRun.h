#pragma once

#include "schulte/SchulteTable.h"

#include <QList>

#include <optional>

class RandomSource;

// One run over a Schulte table: which symbol each cell holds, which have been found, and what
// comes next. The symbols are found in the order SchulteTable::targets gives; a cell holds the
// index of its symbol in that order.
class SchulteRun {
public:
    enum class Choice { Right, Last, Wrong, Ignored };

    // Deals a new table: every symbol into a random cell, nothing found, no mistakes.
    // Returns false (and keeps the run empty) when the variant does not fit the grid.
    bool deal(int side, SchulteVariant variant, RandomSource& random);
    // Deals the symbols into the cells afresh; what was found stays found.
    void reshuffle(RandomSource& random);

    int side() const { return Side; }
    SchulteVariant variant() const { return Variant; }
    int cellCount() const { return int(Cells.size()); }
    const SchulteSymbol& symbolAt(int cell) const { return Order[Cells[cell]]; }
    bool isFound(int cell) const { return Cells[cell] < FoundCount; }
    int foundCount() const { return FoundCount; }
    int mistakes() const { return Mistakes; }
    bool isComplete() const { return !Order.isEmpty() && FoundCount == Order.size(); }

    // The symbol to find now; none when all are found or nothing is dealt.
    std::optional<SchulteSymbol> nextTarget() const;
    // The cell that shows this symbol, or -1.
    int cellOf(const SchulteSymbol& symbol) const;

    // The user points at a cell. The next target's cell is a right find (the last one ends the
    // run); a cell found before, or one outside the table, is ignored; any other is a mistake.
    Choice choose(int cell);

private:
    int Side = 0;
    SchulteVariant Variant = SchulteVariant::Numbers;
    QList<SchulteSymbol> Order; // the symbols in the order they are found
    QList<int> Cells;           // for each cell, row-major, the index of its symbol in Order
    int FoundCount = 0;
    int Mistakes = 0;
};
