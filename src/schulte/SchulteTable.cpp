#include "schulte/SchulteTable.h"

#include "platform/RandomSource.h"

#include <utility>

namespace SchulteTable {

const QString& alphabet() {
    static const QString letters = QStringLiteral("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
    return letters;
}

bool fits(int side, SchulteVariant variant) {
    if (side < MinSide || side > MaxSide)
        return false;
    return variant != SchulteVariant::Letters || side * side <= alphabet().size();
}

int largestSide(SchulteVariant variant) {
    int side = MaxSide;
    while (side > MinSide && !fits(side, variant))
        --side;
    return side;
}

QList<SchulteSymbol> targets(int side, SchulteVariant variant) {
    QList<SchulteSymbol> order;
    if (!fits(side, variant))
        return order;
    const int count = side * side;
    order.reserve(count);
    switch (variant) {
    case SchulteVariant::Numbers:
        for (int n = 1; n <= count; ++n)
            order.append({QString::number(n), false});
        break;
    case SchulteVariant::RedBlack: {
        const int reds = count / 2;
        for (int i = 0; i < count; ++i) {
            if (i % 2 == 0)
                order.append({QString::number(i / 2 + 1), false});
            else
                order.append({QString::number(reds - i / 2), true});
        }
        break;
    }
    case SchulteVariant::Letters:
        for (int i = 0; i < count; ++i)
            order.append({alphabet().at(i), false});
        break;
    }
    return order;
}

int largestNumber(int side, SchulteVariant variant) {
    if (!fits(side, variant))
        return 0;
    switch (variant) {
    case SchulteVariant::Numbers:
        return side * side;
    case SchulteVariant::RedBlack:
        return (side * side + 1) / 2;
    case SchulteVariant::Letters:
        break;
    }
    return 0;
}

QList<int> shuffled(int count, RandomSource& random) {
    QList<int> order(count);
    for (int i = 0; i < count; ++i)
        order[i] = i;
    for (int i = count - 1; i > 0; --i)
        std::swap(order[i], order[random.below(i + 1)]);
    return order;
}

QString targetText(const SchulteSymbol& symbol, SchulteVariant variant) {
    if (variant != SchulteVariant::RedBlack)
        return symbol.Caption;
    return (symbol.Red ? QStringLiteral("красное ") : QStringLiteral("чёрное ")) + symbol.Caption;
}

} // namespace SchulteTable
