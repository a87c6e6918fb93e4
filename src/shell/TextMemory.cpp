#include "shell/TextMemory.h"

#include "platform/TextDecoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <utility>

namespace {

constexpr int MaxLines = TextMemory::MaxEntries + 1; // the reserved line and the entries
constexpr auto FileName = "textmem.ini";
constexpr auto DataDirName = "Skimora v6.0 ru";

std::optional<int> parseInteger(const QString& field) {
    bool ok = false;
    const int value = field.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

} // namespace

TextMemory::TextMemory(QString filePath) : m_filePath(std::move(filePath)) {}

QStringList TextMemory::splitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < size && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(text.mid(start));
    return lines;
}

int TextMemory::indexOf(const QStringList& lines, const QString& path) {
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        const qsizetype end = line.indexOf(Separator);
        const QStringView first = end < 0 ? QStringView(line) : QStringView(line).left(end);
        if (first == path)
            return i;
    }
    return -1;
}

TextMemoryEntry TextMemory::parseEntry(const QString& line) {
    const QStringList fields = line.split(Separator);
    TextMemoryEntry entry;
    if (fields.size() < 3) {
        entry.error =
            QStringLiteral("В файле textmem.ini у записи «%1» нет позиции в тексте.").arg(line);
        return entry;
    }
    const std::optional<int> caret = parseInteger(fields.at(1));
    if (!caret) {
        entry.error =
            QStringLiteral("В файле textmem.ini «%1» не является целым числом (запись «%2»).")
                .arg(fields.at(1), line);
        return entry;
    }
    const std::optional<int> anchor = parseInteger(fields.at(2));
    if (!anchor) {
        entry.error =
            QStringLiteral("В файле textmem.ini «%1» не является целым числом (запись «%2»).")
                .arg(fields.at(2), line);
        return entry;
    }
    entry.position = TextPosition{*caret, *anchor};
    return entry;
}

QStringList TextMemory::withEntry(QStringList lines, const QString& path, int caret, int anchor) {
    if (lines.isEmpty())
        lines.append(QString()); // the reserved first line
    const int match = indexOf(lines, path);
    if (match >= 0)
        lines.removeAt(match);
    if (lines.isEmpty())
        lines.append(QString());
    lines.insert(1,
                 path + Separator + QString::number(caret) + Separator + QString::number(anchor));
    // The oldest entries go; a hand-made longer file is brought back to size too.
    while (lines.size() > MaxLines)
        lines.removeLast();
    return lines;
}

TextMemory::ReadStatus TextMemory::readLines(QStringList* lines, QString* error) const {
    QFile file(m_filePath);
    if (!file.exists())
        return ReadStatus::Missing;
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Не удалось прочитать файл %1: %2")
                     .arg(QDir::toNativeSeparators(m_filePath), file.errorString());
        return ReadStatus::Failed;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = QStringLiteral("Не удалось прочитать файл %1: %2")
                     .arg(QDir::toNativeSeparators(m_filePath), file.errorString());
        return ReadStatus::Failed;
    }
    *lines = splitLines(decodeWindows1251(bytes));
    return ReadStatus::Read;
}

std::optional<TextMemoryEntry> TextMemory::find(const QString& path) const {
    QStringList lines;
    QString error;
    if (readLines(&lines, &error) != ReadStatus::Read)
        return std::nullopt;
    const int match = indexOf(lines, path);
    if (match < 0)
        return std::nullopt;
    return parseEntry(lines.at(match));
}

bool TextMemory::save(const QString& path, int caret, int anchor, QString* error) const {
    QString message;
    const auto fail = [&](const QString& text) {
        if (error)
            *error = text;
        return false;
    };

    // A line break in the path would split the entry over two lines.
    if (path.contains(u'\r') || path.contains(u'\n'))
        return fail(
            QStringLiteral("Путь к файлу содержит перевод строки и не может быть запомнен."));

    QStringList lines;
    // Never replace a file that exists but cannot be read: its entries would be lost.
    if (readLines(&lines, &message) == ReadStatus::Failed)
        return fail(message);

    lines = withEntry(std::move(lines), path, caret, anchor);

    QByteArray bytes;
    for (const QString& line : std::as_const(lines)) {
        bytes += encodeWindows1251(line);
        bytes += "\r\n";
    }

    const QString nativePath = QDir::toNativeSeparators(m_filePath);
    const QString dir = QFileInfo(m_filePath).absolutePath();
    if (!QDir().mkpath(dir))
        return fail(
            QStringLiteral("Не удалось создать папку %1.").arg(QDir::toNativeSeparators(dir)));

    QSaveFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly))
        return fail(
            QStringLiteral("Не удалось записать файл %1: %2").arg(nativePath, file.errorString()));
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(QStringLiteral("Не удалось записать файл %1: %2").arg(nativePath, reason));
    }
    if (!file.commit())
        return fail(
            QStringLiteral("Не удалось записать файл %1: %2").arg(nativePath, file.errorString()));
    return true;
}

QString TextMemory::locate(const QString& programDir) {
    const QFileInfo dir(programDir);
    if (dir.isDir() && dir.isWritable())
        return QDir(programDir).filePath(QLatin1String(FileName));
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(data).filePath(QLatin1String(DataDirName) + u'/' + QLatin1String(FileName));
}
