#include "diary/DiaryText.h"

QString DiaryText::result(const RunResult& r) {
    QString text;
    if (r.kind == DiaryKind::FieldOfViewTest && r.hasScore()) {
        text = (r.right > 0 ? QStringLiteral("верно") : QStringLiteral("неверно"));
        if (!r.shown.isEmpty())
            text += QStringLiteral(": ") + r.shown;
    } else if (r.hasScore()) {
        text = QString::number(r.right) + QStringLiteral(" из ") + QString::number(r.outOf);
        if (r.kind != DiaryKind::Schulte)
            text += QStringLiteral(" (") + QString::number(r.percent()) + QStringLiteral(" %)");
    }
    if (r.mistakes >= 0) {
        if (!text.isEmpty())
            text += QStringLiteral(", ");
        text += QStringLiteral("ошибок: ") + QString::number(r.mistakes);
    }
    if (r.stopped) {
        if (!text.isEmpty())
            text += QStringLiteral(", ");
        text += QStringLiteral("остановлено");
    }
    return text;
}

QString DiaryText::figure(int value) {
    return value > 0 ? QString::number(value) : QString();
}

QString DiaryText::duration(qint64 ms) {
    const qint64 seconds = ms / 1000;
    return QString::number(seconds / 60) + QLatin1Char(':') +
           QString::number(seconds % 60).rightJustified(2, QLatin1Char('0'));
}

QString DiaryText::course(const RunResult& r) {
    if (r.courseLevel <= 0)
        return {};
    return QStringLiteral("уровень ") + QString::number(r.courseLevel) + QStringLiteral(", этап ") +
           QString::number(r.courseStage);
}

namespace {

bool isBidiControl(char16_t c) {
    return c == u'\u061C' || c == u'\u200E' || c == u'\u200F' ||
           (c >= u'\u202A' && c <= u'\u202E') || (c >= u'\u2066' && c <= u'\u2069');
}

} // namespace

QString DiaryText::visible(const QString& name) {
    QString shown;
    shown.reserve(name.size());
    for (const QChar c : name) {
        if (isBidiControl(c.unicode()))
            shown += QStringLiteral("<U+") +
                     QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0') +
                     QLatin1Char('>');
        else
            shown += c;
    }
    return shown;
}
