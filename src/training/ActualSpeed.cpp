#include "training/ActualSpeed.h"

#include <algorithm>
#include <limits>

int ActualSpeed::passedCharacters(QStringView text) {
    int count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            continue; // the LF that follows counts for the pair
        ++count;
    }
    return count;
}

int ActualSpeed::charsPerMinute(qint64 passedChars, qint64 runMs) {
    if (passedChars <= 0 || runMs <= 0)
        return 0;
    constexpr qint64 maxChars = std::numeric_limits<qint64>::max() / 60000;
    const qint64 speed = std::min(passedChars, maxChars) * 60000 / runMs;
    return int(std::min<qint64>(speed, std::numeric_limits<int>::max()));
}
