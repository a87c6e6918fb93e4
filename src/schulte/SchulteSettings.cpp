#include "schulte/SchulteSettings.h"

#include "platform/StoredNumber.h"

#include <QSettings>

namespace SchulteStore {

namespace {

const QString SideName = QStringLiteral("SchulteSize");
const QString VariantName = QStringLiteral("SchulteVariant");
const QString MarkFoundName = QStringLiteral("SchulteMarkFound");
const QString ReshuffleName = QStringLiteral("SchulteReshuffle");
const QString DotName = QStringLiteral("SchulteFixationDot");

QString bestTimeName(int side, SchulteVariant variant) {
    static const char* const variantNames[] = {"Numbers", "RedBlack", "Letters"};
    return QStringLiteral("SchulteBest%1x%1%2")
        .arg(side)
        .arg(QLatin1String(variantNames[int(variant)]));
}

} // namespace

SchulteSettings load(const QSettings* store) {
    SchulteSettings s;
    if (!store)
        return s;
    using StoredNumber::OutOfRange;
    const StoredNumber::Range flag{0, 1, OutOfRange::Default};
    s.Side =
        StoredNumber::read(*store, SideName, s.Side,
                           {SchulteTable::MinSide, SchulteTable::MaxSide, OutOfRange::Default});
    s.Variant = SchulteVariant(
        StoredNumber::read(*store, VariantName, int(s.Variant), {0, 2, OutOfRange::Default}));
    s.MarkFound = StoredNumber::read(*store, MarkFoundName, s.MarkFound, flag) != 0;
    s.Reshuffle = StoredNumber::read(*store, ReshuffleName, s.Reshuffle, flag) != 0;
    s.FixationDot = StoredNumber::read(*store, DotName, s.FixationDot, flag) != 0;
    if (!SchulteTable::fits(s.Side, s.Variant))
        s.Side = SchulteTable::largestSide(s.Variant);
    return s;
}

void save(QSettings* store, const SchulteSettings& s) {
    if (!store)
        return;
    store->setValue(SideName, s.Side);
    store->setValue(VariantName, int(s.Variant));
    store->setValue(MarkFoundName, int(s.MarkFound));
    store->setValue(ReshuffleName, int(s.Reshuffle));
    store->setValue(DotName, int(s.FixationDot));
    store->sync();
}

std::optional<qint64> bestTime(const QSettings* store, int side, SchulteVariant variant) {
    if (!store || !SchulteTable::fits(side, variant))
        return std::nullopt;
    const std::optional<int> ms = StoredNumber::read(*store, bestTimeName(side, variant));
    if (!ms || *ms < 1)
        return std::nullopt;
    return *ms;
}

qint64 keepBest(QSettings* store, int side, SchulteVariant variant, qint64 timeMs) {
    const std::optional<qint64> best = bestTime(store, side, variant);
    if (best && *best <= timeMs)
        return *best;
    if (store && SchulteTable::fits(side, variant) && timeMs > 0) {
        store->setValue(bestTimeName(side, variant), timeMs);
        store->sync();
    }
    return timeMs;
}

} // namespace SchulteStore
