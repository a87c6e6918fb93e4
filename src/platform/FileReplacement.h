#pragma once

#include <QByteArrayView>
#include <QString>

// Replaces the whole content of the file at path with bytes, or leaves the file as it was.
// The bytes go to a temporary file beside it, written without a buffer so that every failed
// write (a full disk, a size limit) is seen, and flushed to the disk before the temporary file
// takes the old one's place. On failure the temporary file is removed, false is returned and
// *reason (if given) holds the system's explanation.
bool replaceFileContents(const QString& path, QByteArrayView bytes, QString* reason = nullptr);
