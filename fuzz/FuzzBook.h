#pragma once

#include "formats/BookText.h"

#include <cstdlib>

// The promises every book reader keeps, whatever it is given: either text or a reason, never
// both; and never more text than `bound` characters.
inline void checkBook(const BookText& book, qsizetype bound) {
    if (book.ok != book.error.isEmpty())
        std::abort();
    if (!book.ok && !book.text.isEmpty())
        std::abort();
    if (book.text.size() > bound)
        std::abort();
}

// What an archive may unpack in the fuzz targets: small, so that the limit is met often.
constexpr qint64 FuzzUnpackedLimit = 1 << 20;
