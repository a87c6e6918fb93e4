#include "readingview/LineTable.h"

#include "readingview/CharAdvances.h"

#include <QChar>

#include <algorithm>
#include <limits>

namespace {

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

} // namespace

LineTable::LineTable() {
    clear();
}

void LineTable::clear() {
    m_starts.assign(1, 0);
    m_lengths.assign(1, 0);
    m_widths.assign(1, 0);
    m_textLength = 0;
}

void LineTable::append(int start, int length, qint64 width) {
    m_starts.push_back(start);
    m_lengths.push_back(length);
    m_widths.push_back(qint32(std::min<qint64>(width, std::numeric_limits<qint32>::max())));
}

void LineTable::build(QStringView text, CharAdvances& advances, int columnWidth) {
    m_starts.clear();
    m_lengths.clear();
    m_widths.clear();
    m_textLength = int(text.size());
    // A line of prose holds some tens of characters; reserving avoids most regrowth.
    const size_t guess = size_t(m_textLength) / 32 + 16;
    m_starts.reserve(guess);
    m_lengths.reserve(guess);
    m_widths.reserve(guess);

    const qint64 limit = qint64(std::max(columnWidth, 0)) * CharAdvances::Unit;
    const char16_t* s = text.utf16();
    const int n = m_textLength;

    int lineStart = 0;
    qint64 width = 0;   // everything on the line so far
    qint64 visible = 0; // up to the last non-blank
    bool afterBlank = false;
    int wordStart = -1; // start of the last word that follows a blank on this line
    qint64 widthAtWord = 0;
    qint64 visibleAtWord = 0;

    int i = 0;
    while (i < n) {
        const char16_t c = s[i];
        qint32 a;
        int step = 1;
        if (c > u' ' && !QChar::isSurrogate(c)) {
            a = advances.advance(c); // the common case: a letter, digit or sign
        } else if (c == u'\r' || c == u'\n') {
            append(lineStart, i - lineStart, visible);
            i += (c == u'\r' && i + 1 < n && s[i + 1] == u'\n') ? 2 : 1;
            lineStart = i;
            width = visible = 0;
            afterBlank = false;
            wordStart = -1;
            continue;
        } else if (isBlank(c)) {
            // Blanks never move to the next line; they may hang over the column edge.
            width += advances.advance(c);
            afterBlank = true;
            ++i;
            continue;
        } else if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(s[i + 1])) {
            a = advances.advanceOfCodePoint(QChar::surrogateToUcs4(c, s[i + 1]));
            step = 2;
        } else {
            a = advances.advance(c);
        }
        if (afterBlank) {
            afterBlank = false;
            wordStart = i;
            widthAtWord = width;
            visibleAtWord = visible;
        }
        if (width + a > limit && i > lineStart) {
            if (wordStart > lineStart) {
                // Move the word begun at wordStart to a new line, then look at c again:
                // the word may still be too wide for the column.
                append(lineStart, wordStart - lineStart, visibleAtWord);
                width -= widthAtWord;
                visible = width;
                lineStart = wordStart;
                wordStart = -1;
                continue;
            }
            // One word fills the whole column: cut it at the edge.
            append(lineStart, i - lineStart, visible);
            lineStart = i;
            width = visible = 0;
            wordStart = -1;
        }
        width += a;
        visible = width;
        i += step;
    }
    append(lineStart, n - lineStart, visible);
}

int LineTable::lineStart(int line) const {
    return validLine(line) ? m_starts[size_t(line)] : -1;
}

int LineTable::lineLength(int line) const {
    return validLine(line) ? m_lengths[size_t(line)] : 0;
}

int LineTable::lineEnd(int line) const {
    return validLine(line) ? m_starts[size_t(line)] + m_lengths[size_t(line)] : -1;
}

int LineTable::breakLength(int line) const {
    if (!validLine(line) || line + 1 == lineCount())
        return 0;
    return m_starts[size_t(line) + 1] - lineEnd(line);
}

qint32 LineTable::lineWidth(int line) const {
    return validLine(line) ? m_widths[size_t(line)] : 0;
}

int LineTable::lineFromPosition(int pos) const {
    pos = std::clamp(pos, 0, m_textLength);
    // The last line whose start is at or before pos. Starts are strictly increasing except
    // that an empty text has a single line.
    const auto it = std::upper_bound(m_starts.begin(), m_starts.end(), pos);
    return int(it - m_starts.begin()) - 1;
}

int LineTable::columnFromPosition(int pos) const {
    pos = std::clamp(pos, 0, m_textLength);
    return pos - m_starts[size_t(lineFromPosition(pos))];
}
