#include "platform/RegularFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

using Status = RegularFileRead::Status;

RegularFileRead failed(Status status, const QString& reason = QString()) {
    RegularFileRead result;
    result.status = status;
    result.reason = reason;
    return result;
}

// Opens path for reading only when it is a regular file. On Unix the file is opened without
// waiting (a named pipe with no writer would block an ordinary open) and checked on the open
// descriptor, so nothing can be swapped in between the check and the read.
Status openRegular(const QString& path, QFile* file, QString* reason) {
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int code = errno;
        if (code == ENOENT || code == ENOTDIR)
            return Status::Missing;
        *reason = QString::fromLocal8Bit(std::strerror(code));
        return Status::Failed;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return Status::NotRegular;
    }
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        *reason = file->errorString();
        return Status::Failed;
    }
    return Status::Read;
#else
    const QFileInfo info(path);
    if (!info.exists())
        return Status::Missing;
    if (!info.isFile())
        return Status::NotRegular;
    file->setFileName(path);
    if (!file->open(QIODevice::ReadOnly)) {
        *reason = file->errorString();
        return Status::Failed;
    }
    return Status::Read;
#endif
}

} // namespace

RegularFileRead readRegularFile(const QString& path, qint64 limit) {
    QFile file;
    QString reason;
    const Status opened = openRegular(path, &file, &reason);
    if (opened != Status::Read)
        return failed(opened, reason);
    if (file.size() > limit)
        return failed(Status::TooLarge);

    // Read in pieces up to one byte past the limit: a file that grows, or claims a size it
    // does not have, is caught by what was actually read.
    constexpr qint64 Piece = 64 * 1024;
    RegularFileRead result;
    result.status = Status::Read;
    while (result.bytes.size() <= limit) {
        const qint64 want = std::min(Piece, limit + 1 - result.bytes.size());
        const QByteArray piece = file.read(want);
        if (file.error() != QFileDevice::NoError)
            return failed(Status::Failed, file.errorString());
        if (piece.isEmpty())
            break;
        result.bytes += piece;
    }
    if (result.bytes.size() > limit)
        return failed(Status::TooLarge);
    return result;
}
