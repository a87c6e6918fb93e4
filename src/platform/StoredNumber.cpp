#include "platform/StoredNumber.h"

#include <QSettings>

#include <algorithm>

namespace StoredNumber {

std::optional<int> read(const QSettings& store, const QString& name) {
    const QVariant value = store.value(name);
    if (!value.isValid())
        return std::nullopt;
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return number;
}

int broughtIntoRange(int value, int fallback, Range range) {
    if (value >= range.Low && value <= range.High)
        return value;
    if (range.Rule == OutOfRange::Default)
        return fallback;
    return std::clamp(value, range.Low, range.High);
}

int read(const QSettings& store, const QString& name, int fallback, Range range) {
    const std::optional<int> number = read(store, name);
    return number ? broughtIntoRange(*number, fallback, range) : fallback;
}

} // namespace StoredNumber
