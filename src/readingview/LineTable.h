#pragma once

#include <QStringView>
#include <QtGlobal>

#include <vector>

class CharAdvances;

// The display lines of a text wrapped into a column of a given pixel width.
//
// Wrapping: a line breaks after a run of blanks (space or tab), and a soft-wrapped line keeps
// those blanks at its end even when they hang over the column edge; a word wider than the
// column is cut at the column edge; CR LF, a lone CR or a lone LF ends a line. The line break
// is counted in positions but is not part of the line's text. A text that ends with a line
// break has an empty last line, and an empty text has one empty line.
//
// Lookups by line are O(1), lookups by position O(log n).
class LineTable {
public:
    LineTable();

    // Rebuilds the table. columnWidth is in pixels; every line holds at least one character,
    // so a column narrower than a character still makes progress.
    void build(QStringView text, CharAdvances& advances, int columnWidth);
    void clear();

    int lineCount() const { return int(m_starts.size()); }
    int textLength() const { return m_textLength; }

    // Out-of-range lines give -1 as start and 0 as length and width.
    int lineStart(int line) const;
    int lineLength(int line) const;  // without the line break
    int lineEnd(int line) const;     // lineStart + lineLength
    int breakLength(int line) const; // 0 (soft wrap or end of text), 1 (CR or LF) or 2 (CR LF)
    // Width of the line without its trailing blanks, in 1/64 pixel.
    qint32 lineWidth(int line) const;

    // A position on a line break belongs to the line it ends; the text length belongs to the
    // last line. Positions outside [0, textLength] are clamped.
    int lineFromPosition(int pos) const;
    // Offset of pos from the start of its line.
    int columnFromPosition(int pos) const;

private:
    bool validLine(int line) const { return line >= 0 && line < lineCount(); }
    void append(int start, int length, qint64 width);

    std::vector<int> m_starts;
    std::vector<int> m_lengths;
    std::vector<qint32> m_widths;
    int m_textLength = 0;
};
