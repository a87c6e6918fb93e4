#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

// Decodes bytes in an encoding named the way XML declarations and HTML pages name it
// ("UTF-8", "windows-1251", "cp1251", "koi8-r", ...). The Windows and DOS code pages go
// through our own tables; other names through Qt's converters. Nothing when the name is not
// known. A UTF-8 or UTF-16 byte order mark at the start is dropped.
std::optional<QString> decodeNamedEncoding(QByteArrayView bytes, const QString& name);

// The encoding a byte order mark names ("UTF-8", "UTF-16LE", "UTF-16BE"), or an empty string.
QString byteOrderMarkEncoding(QByteArrayView bytes);
