#include "diary/WordCount.h"

namespace {

bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c.isMark();
}

bool isJoiner(QChar c) {
    return c == u'-' || c == u'\u2010' || c == u'\u2011' || c == u'\'' || c == u'\u2019';
}

bool isDigitJoiner(QChar c) {
    return c == u'.' || c == u',';
}

bool isGroupBlank(QChar c) {
    return c == u' ' || c == u'\u00A0' || c == u'\u202F' || c == u'\u2009';
}

// Whether text[i], a blank after a digit, is followed by a group of exactly three digits.
bool startsDigitGroup(QStringView text, qsizetype i) {
    for (qsizetype k = i + 1; k <= i + 3; ++k) {
        if (k >= text.size() || !text[k].isDigit())
            return false;
    }
    return i + 4 >= text.size() || !text[i + 4].isDigit();
}

} // namespace

int countWords(QStringView text) {
    int words = 0;
    bool inWord = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isWordChar(c)) {
            if (!inWord)
                ++words;
            inWord = true;
            continue;
        }
        if (!inWord)
            continue;
        const bool nextIsWordChar = i + 1 < text.size() && isWordChar(text[i + 1]);
        const QChar previous = text[i - 1];
        const bool joins =
            (isJoiner(c) && nextIsWordChar) ||
            (isDigitJoiner(c) && previous.isDigit() && i + 1 < text.size() && text[i + 1].isDigit()) ||
            (isGroupBlank(c) && previous.isDigit() && startsDigitGroup(text, i));
        inWord = joins;
    }
    return words;
}
