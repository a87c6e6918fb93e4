#include "schulte/SchulteSettings.h"

#include <QSettings>

#include <limits>

namespace SchulteStore {

namespace {

const QString SideName = QStringLiteral("SchulteSize");
const QString VariantName = QStringLiteral("SchulteVariant");
const QString MarkFoundName = QStringLiteral("SchulteMarkFound");
const QString ReshuffleName = QStringLiteral("SchulteReshuffle");
const QString DotName = QStringLiteral("SchulteFixationDot");

std::optional<qint64> readNumber(const QSettings& store, const QString& name, qint64 low,
                                 qint64 high) {
    const QVariant value = store.value(name);
    bool ok = false;
    const qint64 number = value.isValid() ? value.toString().trimmed().toLongLong(&ok) : 0;
    if (!ok || number < low || number > high)
        return std::nullopt;
    return number;
}

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
    s.Side = int(readNumber(*store, SideName, SchulteTable::MinSide, SchulteTable::MaxSide)
                     .value_or(s.Side));
    s.Variant = SchulteVariant(readNumber(*store, VariantName, 0, 2).value_or(int(s.Variant)));
    s.MarkFound = readNumber(*store, MarkFoundName, 0, 1).value_or(s.MarkFound) != 0;
    s.Reshuffle = readNumber(*store, ReshuffleName, 0, 1).value_or(s.Reshuffle) != 0;
    s.FixationDot = readNumber(*store, DotName, 0, 1).value_or(s.FixationDot) != 0;
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
    return readNumber(*store, bestTimeName(side, variant), 1, std::numeric_limits<int>::max());
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
