#pragma once

#include <QByteArray>
#include <QString>

// The bytes of a file that is a regular file of at most a given size. Anything else under the
// name (a directory, a device such as /dev/zero, a named pipe) is refused without reading from
// it or waiting for it, and never more than limit + 1 bytes are read, whatever size the file
// claims to have.
struct RegularFileRead {
    enum class Status {
        Read,       // bytes holds the whole file
        Missing,    // nothing under the name
        NotRegular, // something that is not a regular file
        TooLarge,   // more than the limit
        Failed,     // the file could not be opened or read; reason says why
    };
    Status status = Status::Failed;
    QByteArray bytes;
    QString reason; // the system's explanation when status is Failed
};

RegularFileRead readRegularFile(const QString& path, qint64 limit);
