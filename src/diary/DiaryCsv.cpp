#include "diary/DiaryCsv.h"

#include "diary/DiaryText.h"

#include <QStringList>

QString diaryCsvField(const QString& value) {
    // A spreadsheet takes a cell that starts with one of these for a formula; the apostrophe
    // makes it text and is not shown.
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    const QString text = !value.isEmpty() && formulaStarts.contains(value.front())
                             ? QLatin1Char('\'') + value
                             : value;
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

namespace {

QString number(int value) {
    return value < 0 ? QString() : QString::number(value);
}

QString seconds(qint64 ms) {
    return QString::number(ms / 1000) + QLatin1Char(',') + QString::number(ms % 1000 / 100);
}

QStringList row(const DiaryRecord& record) {
    const RunResult& r = record.result;
    return {record.when.toString(u"yyyy-MM-dd"),
            record.when.toString(u"HH:mm:ss"),
            diaryKindName(r.kind),
            DiaryText::figure(r.charsPerMinute),
            DiaryText::figure(r.actualCharsPerMinute),
            DiaryText::figure(r.wordsPerMinute),
            DiaryText::figure(r.fieldWidth),
            r.textName,
            DiaryText::figure(r.charsRead),
            DiaryText::figure(r.wordsRead),
            seconds(r.durationMs),
            r.courseLevel > 0 ? QString::number(r.courseLevel) : QString(),
            r.courseLevel > 0 ? QString::number(r.courseStage) : QString(),
            number(r.right),
            r.hasScore() ? QString::number(r.outOf) : QString(),
            number(r.percent()),
            r.shown,
            number(r.mistakes),
            r.stopped ? QStringLiteral("да") : QStringLiteral("нет")};
}

const QStringList Heading{QStringLiteral("Дата"),
                          QStringLiteral("Время"),
                          QStringLiteral("Упражнение"),
                          QStringLiteral("Скорость (регулятор)"),
                          QStringLiteral("Фактическая"),
                          QStringLiteral("Слов/мин"),
                          QStringLiteral("Поле чтения, симв"),
                          QStringLiteral("Текст, таблица"),
                          QStringLiteral("Прочитано символов"),
                          QStringLiteral("Прочитано слов"),
                          QStringLiteral("Длительность, с"),
                          QStringLiteral("Уровень курса"),
                          QStringLiteral("Этап курса"),
                          QStringLiteral("Верно"),
                          QStringLiteral("Из"),
                          QStringLiteral("Процент"),
                          QStringLiteral("Показано"),
                          QStringLiteral("Ошибок"),
                          QStringLiteral("Остановлено")};

bool writeLine(QIODevice& out, const QStringList& fields) {
    QStringList quoted;
    for (const QString& f : fields)
        quoted << diaryCsvField(f);
    const QByteArray line = (quoted.join(QLatin1Char(';')) + QStringLiteral("\r\n")).toUtf8();
    return out.write(line) == line.size();
}

} // namespace

bool writeDiaryCsv(QIODevice& out, const std::vector<DiaryRecord>& records) {
    if (out.write("\xEF\xBB\xBF") != 3 || !writeLine(out, Heading))
        return false;
    for (const DiaryRecord& record : records) {
        if (!writeLine(out, row(record)))
            return false;
    }
    return true;
}
