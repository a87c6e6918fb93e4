#include "schulte/SchulteKeys.h"

#include "schulte/SchulteTable.h"

#include <algorithm>
#include <utility>

TypedNumber::TypedNumber(int largest, Clock clock) : Largest(largest), Now(std::move(clock)) {}

QList<int> TypedNumber::typeDigit(int digit) {
    QList<int> complete;
    if (const std::optional<int> earlier = takeIfDue())
        complete.append(*earlier);
    if (digit < 0 || digit > 9 || (Pending == 0 && digit == 0))
        return complete;
    Pending = Pending * 10 + digit;
    LastDigitAt = Now();
    if (Pending * 10 > Largest) {
        complete.append(Pending);
        Pending = 0;
    }
    return complete;
}

std::optional<int> TypedNumber::takeIfDue() {
    if (Pending == 0 || Now() - LastDigitAt < GroupMs)
        return std::nullopt;
    const int number = Pending;
    Pending = 0;
    return number;
}

qint64 TypedNumber::msUntilDue() const {
    if (Pending == 0)
        return -1;
    return std::max<qint64>(0, LastDigitAt + GroupMs - Now());
}

namespace SchulteKeys {

std::optional<QChar> letterOfKey(const QString& text) {
    if (text.size() != 1)
        return std::nullopt;
    // The keys of the standard Russian layout, read off a Latin one.
    static const QString latin = QStringLiteral("`qwertyuiop[]asdfghjkl;'zxcvbnm,.");
    static const QString russian = QStringLiteral("ЁЙЦУКЕНГШЩЗХЪФЫВАПРОЛДЖЭЯЧСМИТЬБЮ");
    const QChar upper = text.at(0).toUpper();
    if (SchulteTable::alphabet().contains(upper))
        return upper;
    const qsizetype key = latin.indexOf(text.at(0).toLower());
    if (key < 0)
        return std::nullopt;
    return russian.at(key);
}

} // namespace SchulteKeys
