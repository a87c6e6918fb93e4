#pragma once

#include <QList>
#include <QString>

class RandomSource;

// What a Schulte table holds: the numbers 1..N², two coloured sequences found in alternation,
// or the letters of the Russian alphabet. The codes are the ones the settings store keeps.
enum class SchulteVariant { Numbers = 0, RedBlack = 1, Letters = 2 };

// One symbol of a table, as the cell shows it.
struct SchulteSymbol {
    QString Caption;
    bool Red = false;

    bool operator==(const SchulteSymbol&) const = default;
};

namespace SchulteTable {

inline constexpr int MinSide = 3;
inline constexpr int MaxSide = 9;
inline constexpr int DefaultSide = 5;

// The Russian alphabet in order, with Ё in its place.
const QString& alphabet();

// Whether a side x side table of this variant can be built: the side within 3..9, and for
// letters no more cells than the alphabet has.
bool fits(int side, SchulteVariant variant);

// The largest side a table of this variant can have.
int largestSide(SchulteVariant variant);

// The symbols of a side x side table in the order they are to be found; empty when the
// variant does not fit the grid. Red-black: black rises from 1 and red falls from the largest
// red number, taken in turn, black first (half the cells black, one more when the count is odd).
QList<SchulteSymbol> targets(int side, SchulteVariant variant);

// The largest number a table of this variant holds, what typed digits may reach; 0 for letters.
int largestNumber(int side, SchulteVariant variant);

// The numbers 0..count-1 in a random order, each once.
QList<int> shuffled(int count, RandomSource& random);

// What the status bar asks for: "7", "красное 12", "чёрное 3", "Ж".
QString targetText(const SchulteSymbol& symbol, SchulteVariant variant);

} // namespace SchulteTable
