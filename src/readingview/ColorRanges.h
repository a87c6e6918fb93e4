#pragma once

#include <QtGlobal>

#include <limits>
#include <map>

// Colours of ranges of text positions over a base colour. Only ranges that differ from the
// base are stored, so painting one field and painting it back costs O(log n) map operations
// plus the number of ranges touched, whatever the length of the text.
// Colours are 0xAARRGGBB values.
class ColorRanges {
public:
    static constexpr int NoEnd = std::numeric_limits<int>::max();

    // The colour at a position and the first position where it may change.
    struct Segment {
        int end = NoEnd;
        bool isBase = true;
        quint32 color = 0;
    };

    void clear() { m_runs.clear(); }
    bool isEmpty() const { return m_runs.empty(); }

    // Gives [start, end) the colour; neighbouring ranges of the same colour merge.
    void assign(int start, int end, quint32 color);
    // Returns [start, end) to the base colour.
    void reset(int start, int end);

    Segment segmentAt(int pos) const;

private:
    struct Run {
        int end;
        quint32 color;
    };
    // Splits the range that straddles pos, so that pos starts a range or lies outside all.
    void cut(int pos);

    std::map<int, Run> m_runs; // keyed by start; ranges never overlap
};
