#pragma once

#include "formats/BookText.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QXmlStreamReader>

#include <optional>

// The text of an XML document: the encoding comes from a byte order mark, else from the XML
// declaration, else it is UTF-8. Nothing when the encoding is not known; *encoding then holds
// its name.
std::optional<QString> decodeXml(QByteArrayView bytes, QString* encoding);

// One XML document of a book (a whole FB2 file, or a part of an archive), read token by token
// with the problems every reader refuses in the same words:
//  - the encoding comes from a byte order mark, else from the XML declaration, else UTF-8;
//  - malformed XML stops the reading at the faulty line;
//  - a UTF-8 document is handed to the reader a piece at a time, so that it is decoded once and
//    never held whole as a string;
//  - a document type that declares entities is refused before anything is expanded (nothing
//    outside the document is ever fetched: external references stay unresolved references).
class XmlPart {
public:
    XmlPart(QByteArray bytes, QString name);

    // The next token; Invalid at the end of the document or after a problem.
    QXmlStreamReader::TokenType next();
    const QXmlStreamReader& reader() const { return Xml; }
    QStringView name() const { return Xml.name(); }
    // The document's length in bytes: its text is no longer than that in characters.
    qsizetype size() const { return Size; }
    // The value of the current start element's attribute (matched by local name), or "".
    QString attribute(QStringView name) const;
    // For an EntityReference token (left by a document type kept outside the document): the
    // character an HTML name of that entity stands for, or "".
    QString referenceText() const;
    // The problem met so far, if any (ok is false then).
    const BookText& problem() const { return Problem; }
    bool failed() const { return !Problem.error.isEmpty(); }

private:
    // Hands the reader the next piece of the document; false when all of it has been given.
    bool feed();

    QString Name;
    QByteArray Bytes; // a UTF-8 document, given to the reader piece by piece
    qsizetype Fed = 0;
    qsizetype Size = 0;
    QXmlStreamReader Xml;
    BookText Problem;
};
