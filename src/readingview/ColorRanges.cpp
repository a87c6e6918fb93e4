#include "readingview/ColorRanges.h"

void ColorRanges::cut(int pos) {
    auto it = m_runs.upper_bound(pos);
    if (it == m_runs.begin())
        return;
    --it;
    if (it->first < pos && it->second.end > pos) {
        m_runs.emplace_hint(std::next(it), pos, Run{it->second.end, it->second.color});
        it->second.end = pos;
    }
}

void ColorRanges::reset(int start, int end) {
    if (start >= end || m_runs.empty())
        return;
    cut(start);
    cut(end);
    m_runs.erase(m_runs.lower_bound(start), m_runs.lower_bound(end));
}

void ColorRanges::assign(int start, int end, quint32 color) {
    if (start >= end)
        return;
    reset(start, end);
    auto it = m_runs.emplace(start, Run{end, color}).first;
    if (it != m_runs.begin()) {
        auto prev = std::prev(it);
        if (prev->second.end == start && prev->second.color == color) {
            prev->second.end = end;
            m_runs.erase(it);
            it = prev;
        }
    }
    auto next = std::next(it);
    if (next != m_runs.end() && next->first == it->second.end && next->second.color == color) {
        it->second.end = next->second.end;
        m_runs.erase(next);
    }
}

ColorRanges::Segment ColorRanges::segmentAt(int pos) const {
    auto it = m_runs.upper_bound(pos);
    if (it != m_runs.begin()) {
        const auto prev = std::prev(it);
        if (prev->second.end > pos)
            return {prev->second.end, false, prev->second.color};
    }
    return {it == m_runs.end() ? NoEnd : it->first, true, 0};
}
