#include "shell/TextFileReader.h"

#include "formats/BookFile.h"
#include "formats/RtfReader.h"
#include "formats/TextDecoding.h"
#include "platform/RegularFile.h"

#include <QFileInfo>

namespace TextFileReader {

namespace {

TextFileContent failure(const QString& message) {
    return {false, QString(), message, QString()};
}

QString quoted(const QString& path) {
    return QStringLiteral("\"") + QFileInfo(path).fileName() + QStringLiteral("\"");
}

bool isRtfName(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 && name.mid(dot) == QStringLiteral(".rtf");
}

} // namespace

TextFileContent read(const QString& path) {
    const RegularFileRead file = readRegularFile(path, MaximumFileSize);
    switch (file.status) {
    case RegularFileRead::Status::Read:
        break;
    case RegularFileRead::Status::Missing:
        return failure(QStringLiteral("Файл ") + quoted(path) + QStringLiteral(" не найден."));
    case RegularFileRead::Status::NotRegular:
        return failure(quoted(path) +
                       QStringLiteral(" не является обычным файлом и не может быть прочитан."));
    case RegularFileRead::Status::TooLarge:
        return failure(QStringLiteral("Файл ") + quoted(path) +
                       QStringLiteral(" слишком велик для текста (больше 32 МБ)."));
    case RegularFileRead::Status::Failed:
        return failure(QStringLiteral("Не удалось прочитать файл ") + quoted(path) +
                       QStringLiteral(": ") + file.reason + QStringLiteral("."));
    }
    const QByteArray& bytes = file.bytes;

    QString text;
    QString warning;
    if (std::optional<BookText> book = readBook(path, bytes, MaximumFileSize)) {
        if (!book->ok)
            return failure(QStringLiteral("Файл ") + quoted(path) + QStringLiteral(" ") +
                           book->error);
        text = std::move(book->text);
    } else if (isRtfName(path)) {
        const RtfResult rtf = readRtf(bytes);
        if (!rtf.ok)
            return failure(QStringLiteral("Файл ") + quoted(path) +
                           QStringLiteral(" не является документом RTF."));
        text = rtf.text;
        if (rtf.damaged)
            warning = QStringLiteral("Файл ") + quoted(path) +
                      QStringLiteral(" повреждён: показана только та часть текста, которую "
                                     "удалось прочитать.");
    } else {
        // A NUL byte never occurs in a plain text in a single-byte or UTF-8 encoding.
        const bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
        if (!utf16 && bytes.contains('\0'))
            return failure(QStringLiteral("Файл ") + quoted(path) +
                           QStringLiteral(" не является текстом: в нём есть двоичные данные."));
        text = decodeText(bytes);
    }
    for (QChar& c : text) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    }
    return {true, text, QString(), warning};
}

} // namespace TextFileReader
