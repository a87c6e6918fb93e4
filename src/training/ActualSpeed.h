#pragma once

#include <QStringView>
#include <QtGlobal>

// The speed reached, as opposed to the regulator's: characters of the text actually passed
// over, blanks included, per minute of real run time. Every kind that moves through a text
// reports it through these two functions, so the figure means the same wherever it is shown.
namespace ActualSpeed {

// The characters of a stretch of text as a reader passes over them: every letter, sign and
// blank, a line break (CR LF, or a lone CR or LF) counted once.
int passedCharacters(QStringView text);

// Characters passed over in runMs milliseconds of real time, per minute, rounded down;
// 0 when no time has passed or nothing was passed over.
int charsPerMinute(qint64 passedChars, qint64 runMs);

} // namespace ActualSpeed
