#pragma once

#include "schulte/SchulteTable.h"

#include <optional>

class QSettings;

// The Schulte window's settings, kept in the settings store between starts.
struct SchulteSettings {
    int Side = SchulteTable::DefaultSide;
    SchulteVariant Variant = SchulteVariant::Numbers;
    bool MarkFound = false; // "отмечать найденные": found cells dim
    bool Reshuffle = false; // "перемешивать после каждого хода"
    bool FixationDot = true;

    bool operator==(const SchulteSettings&) const = default;
};

// The settings and the best times in the store. Each value falls back to its own default when
// it is missing, not a number or out of range: these values came later than the others, and a
// store without them must keep everything else.
namespace SchulteStore {

SchulteSettings load(const QSettings* store);
// A store that cannot be written is ignored.
void save(QSettings* store, const SchulteSettings& settings);

// The best time in milliseconds for this size and variant, if one was kept.
std::optional<qint64> bestTime(const QSettings* store, int side, SchulteVariant variant);
// Keeps timeMs as the best time when it beats the one kept (or none is kept yet). Returns the
// best time after it.
qint64 keepBest(QSettings* store, int side, SchulteVariant variant, qint64 timeMs);

} // namespace SchulteStore
