#pragma once

#include <QStringView>

// The rules by which the reading field moves: whole words only, at most N characters unless a
// single word is longer, never starting on a blank or a line break.
namespace ReadingField {

bool isBlankOrBreak(QChar c);
// The first position at or after pos that is not a blank, CR or LF (or the text's end).
qsizetype skipBlanks(QStringView text, qsizetype pos);
// Moves column x of a display line back to the start of the word it stands in. A position
// past the line's end counts as a blank.
qsizetype backToWordStart(QStringView line, qsizetype x);
// Length of the field that starts at column x of the display line `line`, for a field width n
// in a column of columnChars characters.
qsizetype fieldLength(QStringView line, qsizetype x, int n, int columnChars);

} // namespace ReadingField
