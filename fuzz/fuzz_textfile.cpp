// libFuzzer entry point for the plain-text decoder and the file reader. The input is written
// to a scratch file and read as the program reads a text the user opens, once as plain text
// and once as ".rtf"; a text that was read keeps the decoder's promises.

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
    if (plain.ok) {
        // The same text the decoder gives, with every CR and LF turned into a blank.
        QString expected = decoded;
        expected.replace(u'\r', u' ').replace(u'\n', u' ');
        if (plain.text != expected)
            std::abort();
    }

    const QString rtfPath = dir.filePath(QStringLiteral("text.rtf"));
    writeFile(rtfPath, input);
    checkParagraph(TextFileReader::read(rtfPath));
    return 0;
}
