#include "ToolInput.h"

#include "platform/RegularFile.h"

#include <cstdio>

namespace {

// A test source or test file is a page or a short story; anything far larger is a mistake.
constexpr qint64 MaxInputSize = 64 * 1024 * 1024;

} // namespace

void report(const QString& message) {
    std::fputs(message.toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
}

std::optional<QByteArray> readToolInput(const QString& path) {
    const RegularFileRead file = readRegularFile(path, MaxInputSize);
    switch (file.status) {
    case RegularFileRead::Status::Read:
        return file.bytes;
    case RegularFileRead::Status::Missing:
        report(QStringLiteral("%1: error: no such file").arg(path));
        break;
    case RegularFileRead::Status::NotRegular:
        report(QStringLiteral("%1: error: not a regular file").arg(path));
        break;
    case RegularFileRead::Status::TooLarge:
        report(QStringLiteral("%1: error: file too large").arg(path));
        break;
    case RegularFileRead::Status::Failed:
        report(QStringLiteral("%1: error: cannot read: %2").arg(path, file.reason));
        break;
    }
    return std::nullopt;
}
