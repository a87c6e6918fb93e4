#include "flash/FlashResult.h"

QString describeFlashResult(const FlashResult& r) {
    const qint64 seconds = r.ElapsedMs / 1000;
    QString time;
    if (seconds >= 60)
        time = QString::number(seconds / 60) + QStringLiteral(" мин ");
    time += QString::number(seconds % 60) + QStringLiteral(" с");
    return QStringLiteral("Прочитано: ") + QString::number(r.CharsRead) +
           QStringLiteral(" симв., слов: ") + QString::number(r.WordsRead) +
           QStringLiteral(", время: ") + time + QStringLiteral(", фактическая скорость: ") +
           QString::number(r.Speed) + QStringLiteral(" симв/мин");
}
