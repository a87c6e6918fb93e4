#include "schulte/SchulteRun.h"

bool SchulteRun::deal(int side, SchulteVariant variant, RandomSource& random) {
    *this = SchulteRun();
    if (!SchulteTable::fits(side, variant))
        return false;
    Side = side;
    Variant = variant;
    Order = SchulteTable::targets(side, variant);
    Cells = SchulteTable::shuffled(int(Order.size()), random);
    return true;
}

void SchulteRun::reshuffle(RandomSource& random) {
    Cells = SchulteTable::shuffled(int(Order.size()), random);
}

std::optional<SchulteSymbol> SchulteRun::nextTarget() const {
    if (FoundCount >= Order.size())
        return std::nullopt;
    return Order[FoundCount];
}

int SchulteRun::cellOf(const SchulteSymbol& symbol) const {
    const int index = int(Order.indexOf(symbol));
    return index < 0 ? -1 : int(Cells.indexOf(index));
}

SchulteRun::Choice SchulteRun::choose(int cell) {
    if (cell < 0 || cell >= Cells.size() || isComplete() || isFound(cell))
        return Choice::Ignored;
    if (Cells[cell] == FoundCount) {
        ++FoundCount;
        return isComplete() ? Choice::Last : Choice::Right;
    }
    ++Mistakes;
    return Choice::Wrong;
}
