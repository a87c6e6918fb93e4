#pragma once

#include <QString>

// The figures of one flash-reading run, for whoever keeps results.
struct FlashResult {
    int CharsRead = 0; // characters of the groups shown for their whole time
    int WordsRead = 0;
    int ElapsedMs = 0;    // the time those groups were on show, pauses after them included
    int Speed = 0;        // characters per minute over that time
    bool Stopped = false; // ended by the user rather than by the text's end
};

// The figures in one line for the user: "Прочитано: 1234 симв., слов: 210, время: 1 мин 12 с,
// скорость: 1028 симв/мин".
QString describeFlashResult(const FlashResult& result);
