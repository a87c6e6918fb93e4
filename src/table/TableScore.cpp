#include "table/TableScore.h"

#include <QStringList>

#include <algorithm>

namespace TableScore {

int answerValue(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 0;
}

int namedCount(const Three& answers, const Three& missing) {
    return int(std::count_if(missing.begin(), missing.end(), [&answers](int m) {
        return std::find(answers.begin(), answers.end(), m) != answers.end();
    }));
}

QString scoreText(int score) {
    return QString::number(score) + QStringLiteral(" из 3");
}

QString sizeText(int columns, int rows) {
    return QString::number(columns) + QStringLiteral(" x ") + QString::number(rows) +
           QStringLiteral(" клет.");
}

QString missingText(Three missing) {
    std::sort(missing.begin(), missing.end());
    QStringList parts;
    for (int m : missing)
        parts << QString::number(m);
    return parts.join(QStringLiteral(", "));
}

} // namespace TableScore
