// libFuzzer entry point for the plain-text decoder and the file reader. The input is written
// to a scratch file and read as the program reads a text the user opens, once as ".txt" and
// once as ".rtf". A ".txt" file is the decoder's text, unless its content is a zip archive:
// then it is the book the archive holds, whatever the name says.

#include "FuzzBook.h"
#include "formats/BookFile.h"
#include "formats/TextDecoding.h"
#include "shell/TextFileReader.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::abort();
}

// A text as the reader hands it on: one paragraph without CR or LF.
void checkParagraph(const TextFileContent& content) {
    if (content.ok == !content.error.isEmpty())
        std::abort();
    if (!content.ok && !content.text.isEmpty())
        std::abort();
    if (content.text.contains(u'\r') || content.text.contains(u'\n'))
        std::abort();
}

QString oneParagraph(QString text) {
    return text.replace(u'\r', u' ').replace(u'\n', u' ');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir dir;
    if (!dir.isValid())
        std::abort();
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));

    // The decoder alone: never more characters than bytes, and for Windows-1251 (anything
    // that is not UTF-8 and has no mark) exactly one character per byte.
    const QString decoded = decodeText(input);
    if (decoded.size() > input.size())
        std::abort();
    const QString cp1251 = decodeWindows1251(input);
    if (cp1251.size() != input.size())
        std::abort();
    if (encodeWindows1251(cp1251).size() != input.size())
        std::abort();

    const QString plainPath = dir.filePath(QStringLiteral("text.txt"));
    writeFile(plainPath, input);
    const TextFileContent plain = TextFileReader::read(plainPath);
    checkParagraph(plain);
    if (std::optional<BookText> book =
            readBook(plainPath, input, TextFileReader::MaximumFileSize)) {
        // The book's text or the book's reason, as the reader gives them.
        checkBook(*book, TextFileReader::MaximumFileSize);
        if (plain.ok != book->ok || plain.text != oneParagraph(book->text))
            std::abort();
        if (!plain.ok && !plain.error.endsWith(book->error))
            std::abort();
    } else if (plain.ok && plain.text != oneParagraph(decoded)) {
        std::abort();
    }

    const QString rtfPath = dir.filePath(QStringLiteral("text.rtf"));
    writeFile(rtfPath, input);
    checkParagraph(TextFileReader::read(rtfPath));
    return 0;
}
