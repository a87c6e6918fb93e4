#include "readingview/CharAdvances.h"

#include <algorithm>

namespace {
constexpr int TableSize = 0x10000;
}

CharAdvances::CharAdvances(Measure measure)
    : m_measure(std::move(measure)), m_table(new qint32[TableSize]) {
    std::fill_n(m_table.get(), TableSize, -1);
}

qint32 CharAdvances::advanceOfCodePoint(char32_t ucs4) const {
    return std::max<qint32>(0, m_measure(ucs4));
}

qint32 CharAdvances::fill(char16_t c) {
    const qint32 a = std::max<qint32>(0, m_measure(c));
    m_table[c] = a;
    ++m_measured;
    return a;
}
