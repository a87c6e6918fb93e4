#pragma once

#include "formats/BookText.h"

#include <QByteArray>
#include <QByteArrayView>

// FictionBook 2 books. The text is the book's title and its authors, then the main bodies:
// section titles, paragraphs, subtitles, epigraphs, poems, citations and table cells in the
// order they stand. Bodies of notes and comments, note references, pictures and the binary
// data at the end are left out. The encoding is the one the XML declaration names (books in
// windows-1251 are common).
BookText readFb2(const QByteArray& xml);

// A zip archive holding a FictionBook file (.fb2.zip): the first entry whose name ends in
// ".fb2", unpacked within `unpackedLimit` bytes.
BookText readFb2Zip(QByteArrayView archive, qint64 unpackedLimit);
