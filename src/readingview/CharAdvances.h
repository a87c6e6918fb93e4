#pragma once

#include <QtGlobal>

#include <functional>
#include <memory>

// Advance widths of characters in one font, in 1/64 pixel (the fixed-point unit the font
// engine itself works in, so sums of advances match what the painter lays out).
// Characters of the Basic Multilingual Plane are measured once, on first use, and kept in a
// table, so wrapping a long text costs one array read per character.
class CharAdvances {
public:
    static constexpr int Unit = 64; // fixed-point units per pixel

    // Measures one code point; returns its advance in 1/64 pixel.
    using Measure = std::function<qint32(char32_t)>;

    explicit CharAdvances(Measure measure);

    qint32 advance(char16_t c) {
        const qint32 a = m_table[c];
        return a >= 0 ? a : fill(c);
    }
    // Code points outside the BMP are rare and are not cached.
    qint32 advanceOfCodePoint(char32_t ucs4) const;

    // How many characters have been measured so far.
    int measuredCount() const { return m_measured; }

private:
    qint32 fill(char16_t c);

    Measure m_measure;
    std::unique_ptr<qint32[]> m_table; // -1 = not measured yet
    int m_measured = 0;
};
