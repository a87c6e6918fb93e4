#pragma once

#include <QString>

// Reads a text file the way the program shows it: ".rtf" (exactly that case) as rich text,
// anything else as plain text, and every CR and LF turned into a blank so that the text is
// one paragraph of the same length.
struct TextFileContent {
    bool ok = false;
    QString text;
    QString error;   // a sentence for the user when ok is false
    QString warning; // a sentence for the user when the text loaded but is not whole
};

namespace TextFileReader {

// Files larger than this are not texts anyone reads here; they are refused before reading, and
// no more than one byte past it is ever read. Only regular files are opened at all: a device
// such as /dev/zero or a named pipe is refused with a message.
constexpr qint64 MaximumFileSize = 32 * 1024 * 1024;

TextFileContent read(const QString& path);

} // namespace TextFileReader
