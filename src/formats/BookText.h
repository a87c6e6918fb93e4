#pragma once

#include <QString>

// What a book reader gives back: the text of the book, paragraphs separated by CR LF, or a
// reason it cannot be read. The reason is the end of a sentence that begins with the file's
// name ("Файл "book.epub" ..."), so the caller can name the file the user chose.
struct BookText {
    bool ok = false;
    QString text;
    QString error;
};

// The reasons, worded once for every reader.
namespace BookProblem {

BookText damagedArchive();
BookText notAnArchive();
BookText unknownArchive();
BookText damagedEntry(const QString& entry);
BookText missingEntry(const QString& entry);
BookText unsafePath(const QString& entry);
BookText encrypted();
BookText tooLarge(qint64 limit);
BookText malformedXml(const QString& entry, qint64 line);
BookText declaresEntities(const QString& entry);
BookText unknownEncoding(const QString& entry, const QString& encoding);
BookText tooMuchMarkup(const QString& entry, qint64 elementsPerCharacter);
BookText markupTooLarge(const QString& entry, qint64 treeBytes);
BookText noText();

} // namespace BookProblem
