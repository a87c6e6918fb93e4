#include "diary/WordCount.h"

#include <QList>

namespace {

// The text is read by code points, so that a letter outside the Basic Multilingual Plane (a
// mathematical letter, an old script) counts like any other.
using CodePoints = QList<uint>;

bool isWordChar(char32_t c) {
    return QChar::isLetterOrNumber(c) || QChar::isMark(c);
}

bool isDigit(char32_t c) {
    return QChar::isDigit(c);
}

bool isJoiner(char32_t c) {
    return c == U'-' || c == U'\u2010' || c == U'\u2011' || c == U'\'' || c == U'\u2019';
}

bool isDigitJoiner(char32_t c) {
    return c == U'.' || c == U',';
}

bool isGroupBlank(char32_t c) {
    return c == U' ' || c == U'\u00A0' || c == U'\u202F' || c == U'\u2009';
}

// Whether text[i], a blank after a digit, is followed by a group of exactly three digits.
bool startsDigitGroup(const CodePoints& text, qsizetype i) {
    for (qsizetype k = i + 1; k <= i + 3; ++k) {
        if (k >= text.size() || !isDigit(text[k]))
            return false;
    }
    return i + 4 >= text.size() || !isDigit(text[i + 4]);
}

} // namespace

int countWords(QStringView text) {
    const CodePoints points = text.toUcs4();
    int words = 0;
    bool inWord = false;
    for (qsizetype i = 0; i < points.size(); ++i) {
        const char32_t c = points[i];
        if (isWordChar(c)) {
            if (!inWord)
                ++words;
            inWord = true;
            continue;
        }
        if (!inWord)
            continue;
        const bool hasNext = i + 1 < points.size();
        const bool nextIsWordChar = hasNext && isWordChar(points[i + 1]);
        const char32_t previous = points[i - 1];
        const bool joins =
            (isJoiner(c) && nextIsWordChar) ||
            (isDigitJoiner(c) && isDigit(previous) && hasNext && isDigit(points[i + 1])) ||
            (isGroupBlank(c) && isDigit(previous) && startsDigitGroup(points, i));
        inWord = joins;
    }
    return words;
}
