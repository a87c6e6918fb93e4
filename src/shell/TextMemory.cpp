#include "shell/TextMemory.h"

#include "formats/TextDecoding.h"
#include "platform/FileReplacement.h"
#include "platform/ProgramFolder.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringDecoder>

#include <utility>

namespace {

constexpr int MaxLines = TextMemory::MaxEntries + 1; // the reserved line and the entries
constexpr auto FileName = "textmem.ini";
constexpr auto DataDirName = "Skimora v6.0 ru";
// A hundred entries take some kilobytes; a file far larger is not ours.
constexpr qint64 MaxFileSize = 16 * 1024 * 1024;
// Marks a line written in UTF-8. As Windows-1251 these bytes read "п»ї", which no path starts
// with; a line that would really start so is written in UTF-8 too.
constexpr QByteArrayView Utf8Mark("\xEF\xBB\xBF");
// Marks a line whose path holds a line break (a name may, on Linux): after it comes UTF-8 in
// which "%", CR and LF are written "%25", "%0D" and "%0A", so that the entry stays one line.
// UTF-8 never holds the byte FF, so no plain UTF-8 line starts like this.
constexpr QByteArrayView EscapedMark("\xEF\xBB\xBF\xFF");

QByteArray escapeLineBreaks(const QByteArray& utf8) {
    QByteArray escaped;
    escaped.reserve(utf8.size() + 8);
    for (const char c : utf8) {
        if (c == '%')
            escaped += "%25";
        else if (c == '\r')
            escaped += "%0D";
        else if (c == '\n')
            escaped += "%0A";
        else
            escaped += c;
    }
    return escaped;
}

QString decodeUtf8(QByteArrayView bytes) {
    // A path may itself start with U+FEFF: it is kept.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return utf8(bytes);
}

std::optional<int> parseInteger(const QString& field) {
    bool ok = false;
    const int value = field.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

QString cannotWrite(const QString& path, const QString& reason) {
    return QStringLiteral("Не удалось записать файл %1: %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

TextMemory::TextMemory(QString filePath) : m_filePath(std::move(filePath)) {}

QByteArrayList TextMemory::splitLines(QByteArrayView bytes) {
    QByteArrayList lines;
    qsizetype start = 0;
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char c = bytes.at(i);
        if (c != '\r' && c != '\n')
            continue;
        lines.append(bytes.sliced(start, i - start).toByteArray());
        if (c == '\r' && i + 1 < size && bytes.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(bytes.sliced(start).toByteArray());
    return lines;
}

QString TextMemory::decodeLine(QByteArrayView line) {
    if (line.startsWith(EscapedMark))
        return decodeUtf8(
            QByteArray::fromPercentEncoding(line.sliced(EscapedMark.size()).toByteArray()));
    if (line.startsWith(Utf8Mark))
        return decodeUtf8(line.sliced(Utf8Mark.size()));
    return decodeWindows1251(line);
}

QByteArray TextMemory::encodeLine(QStringView line) {
    if (line.contains(u'\r') || line.contains(u'\n'))
        return EscapedMark.toByteArray() + escapeLineBreaks(line.toUtf8());
    QByteArray bytes = encodeWindows1251(line);
    if (!bytes.startsWith(Utf8Mark) && decodeWindows1251(bytes) == line)
        return bytes;
    return Utf8Mark.toByteArray() + line.toUtf8();
}

int TextMemory::indexOf(const QByteArrayList& lines, const QString& path) {
    // Line 1 is reserved: it is never taken for an entry.
    for (int i = 1; i < lines.size(); ++i) {
        const QString line = decodeLine(lines.at(i));
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

QByteArrayList TextMemory::withEntry(QByteArrayList lines, const QString& path, int caret,
                                     int anchor) {
    if (lines.isEmpty())
        lines.append(QByteArray()); // the reserved first line
    const int match = indexOf(lines, path);
    if (match >= 0)
        lines.removeAt(match);
    lines.insert(1, encodeLine(path + Separator + QString::number(caret) + Separator +
                               QString::number(anchor)));
    // The oldest entries go; a hand-made longer file is brought back to size too.
    while (lines.size() > MaxLines)
        lines.removeLast();
    return lines;
}

TextMemory::ReadStatus TextMemory::readLines(QByteArrayList* lines, QString* error) const {
    const RegularFileRead file = readRegularFile(m_filePath, MaxFileSize);
    const QString name = QDir::toNativeSeparators(m_filePath);
    switch (file.status) {
    case RegularFileRead::Status::Read:
        *lines = splitLines(file.bytes);
        return ReadStatus::Read;
    case RegularFileRead::Status::Missing:
        return ReadStatus::Missing;
    case RegularFileRead::Status::NotRegular:
        *error = QStringLiteral("Не удалось прочитать %1: это не файл.").arg(name);
        return ReadStatus::Failed;
    case RegularFileRead::Status::TooLarge:
        *error = QStringLiteral("Не удалось прочитать файл %1: он слишком велик.").arg(name);
        return ReadStatus::Failed;
    case RegularFileRead::Status::Failed:
        break;
    }
    *error = QStringLiteral("Не удалось прочитать файл %1: %2").arg(name, file.reason);
    return ReadStatus::Failed;
}

std::optional<TextMemoryEntry> TextMemory::find(const QString& path) const {
    QByteArrayList lines;
    QString error;
    if (readLines(&lines, &error) != ReadStatus::Read)
        return std::nullopt;
    const int match = indexOf(lines, path);
    if (match < 0)
        return std::nullopt;
    return parseEntry(decodeLine(lines.at(match)));
}

void TextMemory::removeStaleTemporaries() const {
    // A save writes "textmem.ini.XXXXXX" and renames it. Under the lock no other save is under
    // way, so any such file is what a save killed halfway left behind.
    const QFileInfo info(m_filePath);
    const QRegularExpression temporary(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(info.fileName()) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    QDir dir = info.absoluteDir();
    const QStringList names =
        dir.entryList({info.fileName() + QStringLiteral(".*")}, QDir::Files | QDir::Hidden);
    for (const QString& name : names) {
        if (temporary.match(name).hasMatch())
            dir.remove(name);
    }
}

bool TextMemory::save(const QString& path, int caret, int anchor, QString* error) const {
    const auto fail = [&](const QString& text) {
        if (error)
            *error = text;
        return false;
    };

    // A broken UTF-16 string could not be written so that it reads back the same.
    if (!path.isValidUtf16())
        return fail(QStringLiteral("Путь к файлу содержит недопустимые символы и не может быть "
                                   "запомнен."));

    const QString dir = QFileInfo(m_filePath).absolutePath();
    if (!QDir().mkpath(dir))
        return fail(
            QStringLiteral("Не удалось создать папку %1.").arg(QDir::toNativeSeparators(dir)));

    // A lock file is always a plain file: anything else under its name (a folder, a pipe) is
    // not another copy at work, and no wait or retry would clear it.
    const QString lockPath = m_filePath + QStringLiteral(".lock");
    const QFileInfo lockInfo(lockPath);
    if (lockInfo.exists() && !lockInfo.isSymLink() && !lockInfo.isFile())
        return fail(cannotWrite(
            m_filePath, QStringLiteral("на месте его файла блокировки %1 находится %2. Удалите "
                                       "или переименуйте её, чтобы место чтения запоминалось.")
                            .arg(QDir::toNativeSeparators(lockPath),
                                 lockInfo.isDir() ? QStringLiteral("папка")
                                                  : QStringLiteral("не файл, а особая запись"))));
    QLockFile lock(lockPath);
    if (!lock.tryLock(LockWaitMs)) {
        if (lock.error() == QLockFile::LockFailedError)
            return fail(cannotWrite(m_filePath,
                                    QStringLiteral("его сейчас записывает другая копия программы. "
                                                   "Попробуйте ещё раз.")));
        return fail(cannotWrite(m_filePath,
                                QStringLiteral("нельзя создать файл блокировки в папке %1 (диск "
                                               "заполнен или запись в папку запрещена).")
                                    .arg(QDir::toNativeSeparators(dir))));
    }
    removeStaleTemporaries();

    QByteArrayList lines;
    QString message;
    // Never replace a file that exists but cannot be read: its entries would be lost.
    if (readLines(&lines, &message) == ReadStatus::Failed)
        return fail(message);

    lines = withEntry(std::move(lines), path, caret, anchor);
    QByteArray bytes;
    for (const QByteArray& line : std::as_const(lines)) {
        bytes += line;
        bytes += "\r\n";
    }

    QString reason;
    if (!replaceFileContents(m_filePath, bytes, &reason))
        return fail(cannotWrite(m_filePath, reason));
    return true;
}

QString TextMemory::locate(const QString& programDir) {
    if (!isSystemFolder(programFolder(programDir), currentUserId()))
        return QDir(programDir).filePath(QLatin1String(FileName));
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(data).filePath(QLatin1String(DataDirName) + u'/' + QLatin1String(FileName));
}
