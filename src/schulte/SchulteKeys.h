#pragma once

#include <QChar>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

// Digits typed one after another within GroupMs of each other make one number: "1" then "2"
// is 12. A number is complete as soon as no further digit could keep it within the table's
// largest number, and otherwise once GroupMs pass without another digit.
class TypedNumber {
public:
    static constexpr qint64 GroupMs = 700;
    using Clock = std::function<qint64()>; // milliseconds on a monotonic clock

    TypedNumber(int largest, Clock clock);

    // A digit typed now. Returns the numbers it completes: the one typed before when its time
    // had run out, and this one when it cannot grow any more. A leading zero is dropped.
    QList<int> typeDigit(int digit);
    // The number typed so far, when GroupMs have passed since its last digit.
    std::optional<int> takeIfDue();
    // Milliseconds until the number typed so far is due; -1 when nothing is typed.
    qint64 msUntilDue() const;
    void clear() { Pending = 0; }

private:
    int Largest;
    Clock Now;
    int Pending = 0; // 0: nothing typed
    qint64 LastDigitAt = 0;
};

namespace SchulteKeys {

// The capital Russian letter a key's text stands for: the letter itself in either case, or,
// typed on a Latin layout, the Russian letter of the same key on the standard Russian layout.
// None for other text.
std::optional<QChar> letterOfKey(const QString& text);

} // namespace SchulteKeys
