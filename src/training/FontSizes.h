#pragma once

#include <QStringList>

namespace FontSizes {

// The sizes the font-size box offers, smallest first.
inline const QStringList& all() {
    static const QStringList sizes{"10", "11", "12", "14", "16", "18", "20",
                                   "22", "24", "26", "28", "36", "48", "72"};
    return sizes;
}

} // namespace FontSizes
