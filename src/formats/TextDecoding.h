#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Reads the bytes of a plain-text file as text. A byte order mark decides first: UTF-8
// (EF BB BF), UTF-16 little-endian (FF FE) or big-endian (FE FF); the mark itself is not part
// of the text. Without a mark, bytes that are valid UTF-8 are read as UTF-8 and anything else
// as Windows-1251. Line breaks are left as they are in the file.
QString decodeText(const QByteArray& bytes);

// Windows-1251 (Cyrillic) without any help from Qt's converters, which may lack it.
// A byte the page leaves undefined (0x98) reads as U+0098.
QString decodeWindows1251(QByteArrayView bytes);

// Encodes text in Windows-1251. A character the page does not have becomes one '?' (a
// character outside the Basic Multilingual Plane too, not one per surrogate).
QByteArray encodeWindows1251(QStringView text);
