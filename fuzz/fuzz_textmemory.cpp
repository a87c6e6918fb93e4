// libFuzzer entry point for the reading-position memory textmem.ini. The input gives a path,
// a position and the file's former content; the path is looked up and saved in a scratch
// directory. The reserved line and the other entries survive, and a saved place is found again.

#include "shell/TextMemory.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::abort();
}

// The path as UTF-16 code units, so that any character (and any broken string) can occur.
QString takePath(FuzzedDataProvider& input) {
    const std::string raw = input.ConsumeRandomLengthString(512);
    return QString(reinterpret_cast<const QChar*>(raw.data()), qsizetype(raw.size() / 2));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir dir;
    if (!dir.isValid())
        std::abort();
    FuzzedDataProvider input(data, size);
    const QString path = takePath(input);
    const int caret = input.ConsumeIntegral<int>();
    const int anchor = input.ConsumeIntegral<int>();
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const QByteArray before(rest.data(), qsizetype(rest.size()));

    const QString memoryPath = dir.filePath(QStringLiteral("textmem.ini"));
    writeFile(memoryPath, before);
    const TextMemory memory(memoryPath);
    const std::optional<TextMemoryEntry> found = memory.find(path);
    if (found && found->position.has_value() == !found->error.isEmpty())
        std::abort();

    QString error;
    const bool saved = memory.save(path, caret, anchor, &error);
    const QByteArray after = readFile(memoryPath);
    if (saved != path.isValidUtf16() || saved == !error.isEmpty())
        std::abort();
    if (!saved) {
        if (after != before) // a refused save leaves the file as it was
            std::abort();
        return 0;
    }

    // The reserved line and the other entries, byte for byte, the oldest beyond 99 dropped.
    QByteArrayList expected = TextMemory::splitLines(before);
    if (expected.isEmpty())
        expected.append(QByteArray());
    const int match = TextMemory::indexOf(expected, path);
    if (match >= 0)
        expected.removeAt(match);
    QByteArrayList lines = TextMemory::splitLines(after);
    if (!after.endsWith("\r\n") || lines.size() < 2 || lines.size() > TextMemory::MaxEntries + 1)
        std::abort();
    const QByteArray entry = lines.takeAt(1);
    if (lines != expected.mid(0, TextMemory::MaxEntries))
        std::abort();
    if (TextMemory::decodeLine(entry) !=
        path + u'^' + QString::number(caret) + u'^' + QString::number(anchor))
        std::abort();

    // Found again, unless a "^" in the path splits it (as it always has).
    const std::optional<TextMemoryEntry> again = memory.find(path);
    if (path.contains(u'^')) {
        if (again) // an entry's first field never holds a "^"
            std::abort();
        return 0;
    }
    if (!again || !again->position || again->position->caret != caret ||
        again->position->anchor != anchor)
        std::abort();
    return 0;
}
