#pragma once

#include <QString>

// The figures of one flash-reading run, for whoever keeps results.
struct FlashResult {
    int CharsRead = 0;   // characters of the groups shown for their whole time
    int CharsPassed = 0; // the text those groups stand in, blanks after them included
    int WordsRead = 0;
    qint64 ElapsedMs = 0; // real run time, the user's pauses left out
    int Speed = 0;        // the speed reached: CharsPassed per minute of ElapsedMs
    bool Stopped = false; // ended by the user rather than by the text's end
};

// The figures in one line for the user: "Прочитано: 1234 симв., слов: 210, время: 1 мин 12 с,
// фактическая скорость: 1028 симв/мин".
QString describeFlashResult(const FlashResult& result);
