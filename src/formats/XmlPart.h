#pragma once

#include "formats/BookText.h"
#include "formats/MarkupBudget.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <pugixml.hpp>

#include <optional>

// The text of an XML document: the encoding comes from a byte order mark, else from the XML
// declaration, else it is UTF-8. Nothing when the encoding is not known; *encoding then holds
// its name.
std::optional<QString> decodeXml(QByteArrayView bytes, QString* encoding);

// Whether a document read leniently (a web page, an EPUB chapter) has a document type that
// declares entities: such a document is refused as an XML part would be.
bool declaresEntities(QStringView document);

// One XML document of a book (a whole FB2 file, or a part of an archive), parsed in place in
// its own bytes and then read token by token, with the problems every reader refuses in the
// same words:
//  - the encoding comes from a byte order mark, else from the XML declaration, else UTF-8;
//  - malformed XML (tags that do not match, a cut-off end, a bad character or reference, an
//    undeclared entity) stops the reading at the faulty line;
//  - a part with too much markup for its text, or whose tree would take too much memory, is
//    refused (see MarkupBudget);
//  - a document type that declares entities is refused; nothing is ever expanded or fetched.
//    The entities that HTML names stand for their characters only in a document whose type
//    lives outside it, as an XHTML book's does.
// Text and attribute values are decoded when a reader asks for them, so that what no reader
// looks at costs nothing.
class XmlPart {
public:
    enum class Token { End, StartElement, EndElement, Characters };

    XmlPart(QByteArray bytes, QString name, const MarkupBudget& budget = {});
    XmlPart(const XmlPart&) = delete;
    XmlPart& operator=(const XmlPart&) = delete;

    // The next token; End at the end of the document or after a problem.
    Token next();
    // The current element's name without its namespace prefix; valid until the next call.
    QStringView name();
    // The value of the current start element's attribute (matched by local name), or "".
    QString attribute(QStringView name);
    // The text of a Characters token; valid until the next token.
    QStringView text();
    // The document's length in bytes: its text is no longer than that in characters.
    qsizetype size() const { return Size; }
    // The problem met so far, if any (ok is false then).
    const BookText& problem() const { return Problem; }
    bool failed() const { return !Problem.error.isEmpty(); }

private:
    void parse(qsizetype treeBytes);
    void checkDocumentType();
    // Decodes `raw` (the document's own bytes, without its XML line ends normalised) into
    // `out`; false, with the problem set, at a bad character or reference.
    bool decode(const char* raw, bool markup, bool attribute, QString& out);
    void fail(const char* at);

    QString PartName;
    QByteArray Bytes; // the parsed document; names and values point into it
    qsizetype Size = 0;
    pugi::xml_document Document;
    pugi::xml_node Node;
    bool Started = false;
    bool Leaving = false;   // Node's end tag is the current token
    bool OuterType = false; // the document type lives outside the document
    QString Name;
    QString Text;
    BookText Problem;
};
