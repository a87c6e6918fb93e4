#include "text/ReadingField.h"

namespace ReadingField {

namespace {
bool isBlankAt(QStringView line, qsizetype k) {
    return k < line.size() && line[k] == QLatin1Char(' ');
}
} // namespace

bool isBlankOrBreak(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

qsizetype skipBlanks(QStringView text, qsizetype pos) {
    while (pos < text.size() && isBlankOrBreak(text[pos]))
        ++pos;
    return pos;
}

qsizetype backToWordStart(QStringView line, qsizetype x) {
    while (x > 0 && x < line.size() && line[x] != QLatin1Char(' '))
        --x;
    return x;
}

qsizetype fieldLength(QStringView line, qsizetype x, int n, int columnChars) {
    const qsizetype len = line.size();
    if (columnChars == n && x == 0)
        return len;
    const qsizetype e = x + n;
    if (len < e)
        return len - x;
    for (qsizetype k = e; k > x; --k) {
        if (isBlankAt(line, k))
            return k - x;
    }
    // One word longer than the reach: it is taken whole.
    qsizetype k = e;
    while (k < len && line[k] != QLatin1Char(' '))
        ++k;
    return k - x;
}

} // namespace ReadingField
