#include "schulte/SchulteResult.h"

namespace SchulteFigures {

namespace {

// value / divisor rounded to `decimals` places, with a decimal comma.
QString decimal(qint64 value, qint64 divisor, int decimals) {
    qint64 scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    const qint64 scaled = divisor > 0 ? (value * scale + divisor / 2) / divisor : 0;
    return QString::number(scaled / scale) + QLatin1Char(',') +
           QString::number(scaled % scale).rightJustified(decimals, QLatin1Char('0'));
}

} // namespace

QString seconds(qint64 ms) {
    return decimal(ms, 1000, 1);
}

QString secondsPerCell(qint64 ms, int cells) {
    return decimal(ms, qint64(cells) * 1000, 2);
}

QString tableName(int side, SchulteVariant variant) {
    static const char* const names[] = {"числа", "красные и чёрные", "буквы"};
    return QString::number(side) + QStringLiteral(" x ") + QString::number(side) +
           QStringLiteral(", ") + QString::fromUtf8(names[int(variant)]);
}

} // namespace SchulteFigures
