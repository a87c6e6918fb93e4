#pragma once

#include <QString>

#include <optional>

class QSettings;

// Whole numbers read from the settings store, the same way for every reader. A stored value is
// a number when its text, blanks around it left aside, is a whole number that fits an int;
// a value that is missing, empty, a word or too long a number is not one.
namespace StoredNumber {

// What a number outside its working range becomes. Each value says which suits it.
enum class OutOfRange {
    Nearest, // the nearest end of the range: a position on a scale, a count
    Default, // the value's default: the number means nothing the user could have chosen
};

struct Range {
    int Low;
    int High;
    OutOfRange Rule;
};

// The number stored under name, or nothing when there is none.
std::optional<int> read(const QSettings& store, const QString& name);

// value when it lies in range, otherwise what the range's rule makes of it.
int broughtIntoRange(int value, int fallback, Range range);

// The number stored under name brought into range; fallback when there is no number.
int read(const QSettings& store, const QString& name, int fallback, Range range);

} // namespace StoredNumber
