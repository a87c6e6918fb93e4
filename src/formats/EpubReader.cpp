#include "formats/EpubReader.h"

#include "formats/HtmlText.h"
#include "formats/ParagraphText.h"
#include "formats/XmlPart.h"
#include "formats/ZipArchive.h"

#include <QHash>
#include <QStringList>

#include <memory>

namespace {

using Token = QXmlStreamReader::TokenType;

const QString ContainerName = QStringLiteral("META-INF/container.xml");
const QString EncryptionName = QStringLiteral("META-INF/encryption.xml");
const QString RightsName = QStringLiteral("META-INF/rights.xml");

// Font obfuscation: the only "encryption" that leaves the text readable.
bool isFontObfuscation(QStringView algorithm) {
    return algorithm == u"http://www.idpf.org/2008/embedding" ||
           algorithm == u"http://ns.adobe.com/pdf/enc#RC";
}

class EpubParser {
public:
    EpubParser(QByteArrayView archive, qint64 unpackedLimit) : Zip(archive, unpackedLimit) {}

    BookText read() {
        if (!Zip.isOpen())
            return BookProblem::damagedArchive();
        if (!Zip.unsafeName().isEmpty())
            return BookProblem::unsafePath(Zip.unsafeName());
        if (Zip.contains(RightsName))
            return BookProblem::encrypted();
        if (Zip.contains(EncryptionName) && !checkEncryption())
            return Problem;
        QString package;
        if (!findPackage(package))
            return Problem;
        QStringList spine;
        if (!readSpine(package, spine))
            return Problem;
        ParagraphText out;
        for (const QString& document : spine) {
            const std::optional<QByteArray> bytes = Zip.read(document, &Problem);
            if (!bytes)
                return Problem;
            // Documents are XML: their declaration names the encoding. Their markup is read
            // as leniently as a web page's.
            QString encoding;
            const std::optional<QString> html = decodeXml(*bytes, &encoding);
            if (!html)
                return BookProblem::unknownEncoding(document, encoding);
            addHtmlText(*html, out);
            out.endParagraph();
        }
        if (!out.hasText())
            return BookProblem::noText();
        return {true, out.take(), QString()};
    }

private:
    std::unique_ptr<XmlPart> openPart(const QString& name) {
        const std::optional<QByteArray> bytes = Zip.read(name, &Problem);
        if (!bytes)
            return nullptr;
        return std::make_unique<XmlPart>(*bytes, name);
    }

    // Refuses a book whose content (not only its fonts) is encrypted.
    bool checkEncryption() {
        std::unique_ptr<XmlPart> part = openPart(EncryptionName);
        if (!part)
            return false;
        for (Token t = part->next(); t != Token::Invalid; t = part->next()) {
            if (t == Token::StartElement && part->name() == u"EncryptionMethod" &&
                !isFontObfuscation(part->attribute(u"Algorithm"))) {
                Problem = BookProblem::encrypted();
                return false;
            }
        }
        return keep(*part);
    }

    bool findPackage(QString& package) {
        std::unique_ptr<XmlPart> part = openPart(ContainerName);
        if (!part)
            return false;
        for (Token t = part->next(); t != Token::Invalid; t = part->next()) {
            if (t == Token::StartElement && part->name() == u"rootfile" && package.isEmpty())
                package = part->attribute(u"full-path");
        }
        if (!keep(*part))
            return false;
        if (package.isEmpty()) {
            Problem = BookProblem::missingEntry(QStringLiteral("rootfile"));
            return false;
        }
        const QString resolved = resolveEntryPath(QString(), package);
        if (resolved.isEmpty()) {
            Problem = BookProblem::unsafePath(package);
            return false;
        }
        package = resolved;
        return true;
    }

    bool readSpine(const QString& package, QStringList& spine) {
        std::unique_ptr<XmlPart> part = openPart(package);
        if (!part)
            return false;
        QHash<QString, QString> documents; // manifest id -> entry, for (X)HTML items only
        QStringList order;
        for (Token t = part->next(); t != Token::Invalid; t = part->next()) {
            if (t != Token::StartElement)
                continue;
            if (part->name() == u"item") {
                const QString type = part->attribute(u"media-type");
                if (type != u"application/xhtml+xml" && type != u"text/html")
                    continue;
                const QString href = part->attribute(u"href");
                const QString entry = resolveEntryPath(package, href);
                if (entry.isEmpty()) {
                    Problem = BookProblem::unsafePath(href);
                    return false;
                }
                documents.insert(part->attribute(u"id"), entry);
            } else if (part->name() == u"itemref" && part->attribute(u"linear") != u"no") {
                order.append(part->attribute(u"idref"));
            }
        }
        if (!keep(*part))
            return false;
        for (const QString& id : order) {
            const QString entry = documents.value(id);
            if (!entry.isEmpty())
                spine.append(entry);
        }
        return true;
    }

    bool keep(const XmlPart& part) {
        if (!part.failed())
            return true;
        Problem = part.problem();
        return false;
    }

    ZipArchive Zip;
    BookText Problem;
};

} // namespace

BookText readEpub(QByteArrayView archive, qint64 unpackedLimit) {
    return EpubParser(archive, unpackedLimit).read();
}
