#pragma once

#include "formats/BookText.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The kinds of book and document the program reads besides plain text and RTF.
enum class BookKind {
    None, // plain text or RTF: not a book kind
    Fb2,
    Fb2Zip,
    Epub,
    Docx,
    Odt,
    Html,
    DamagedArchive, // begins as a zip archive, but its directory cannot be read
    UnknownArchive, // a zip archive holding none of the kinds above
    NotAnArchive,   // named as an archive kind (.epub, .docx, .odt, .zip), but it is not one
};

// The kind of a file, from its content first and its name second: a zip archive is looked
// into (an EPUB's mimetype and container, a DOCX's document part, an ODT's content, an FB2
// file), whatever its name says; a FictionBook root in any file not named .txt makes an FB2;
// .htm, .html, .xhtml names, or an HTML start in a file with another unknown name, make a web
// page. A .txt file stays a plain text whatever it holds.
BookKind bookKind(const QString& fileName, const QByteArray& bytes);

// Reads a file of one of the book kinds; nothing when the file is plain text or RTF.
// `unpackedLimit` bounds what an archive may unpack.
std::optional<BookText> readBook(const QString& fileName, const QByteArray& bytes,
                                 qint64 unpackedLimit);
