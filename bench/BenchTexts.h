#pragma once

#include <QByteArray>
#include <QString>

// Texts for the benchmarks: Russian prose of common words in sentences, one paragraph with no
// line breaks, always the same for the same size. The file images stop at the last whole
// sentence that fits, so they are never longer than asked.
namespace BenchTexts {

// About `characters` characters of prose.
QString russianProse(qsizetype characters);

// A plain-text file in UTF-8 without a byte order mark, at most `bytes` long.
QByteArray utf8File(qsizetype bytes);

// A plain-text file in Windows-1251, at most `bytes` long.
QByteArray cp1251File(qsizetype bytes);

// An RTF document in Windows-1251 (\ansicpg1251, a font of charset 204), every Cyrillic letter
// written as \'hh and the source broken into short lines as word processors write it; at most
// `bytes` long.
QByteArray rtfFile(qsizetype bytes);

} // namespace BenchTexts
