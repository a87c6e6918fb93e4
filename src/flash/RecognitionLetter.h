#pragma once

#include <QStringView>

// The letter the eye is meant to land on in a flashed group, drawn in red and always at the same
// place on the screen.
//
// The rule: leave out the quotes, brackets, dashes and other marks before the group's first
// letter or digit and after its last one; of the n characters left, take the one at index
// n * 7 / 20 (35 % of the way in, rounded down), a little left of the middle, where a word is
// recognised soonest. When that character is not a letter or digit (the blank inside "10 000",
// a comma between two words), step left to the nearest one that is.
//
// Returns the letter's index in `shown`, or -1 when the group holds no letter or digit at all.
namespace RecognitionLetter {

int indexIn(QStringView shown);

} // namespace RecognitionLetter
