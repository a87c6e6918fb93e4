#include "formats/OfficeReaders.h"

#include "formats/ParagraphText.h"
#include "formats/XmlPart.h"
#include "formats/ZipArchive.h"

#include <algorithm>
#include <memory>

namespace {

using Token = XmlPart::Token;

// An office archive and the reading of its XML parts.
class OfficeArchive {
public:
    OfficeArchive(QByteArrayView archive, qint64 unpackedLimit) : Zip(archive, unpackedLimit) {}

    // False, with the problem set, when the archive cannot be read safely.
    bool check() {
        if (!Zip.isOpen())
            Problem = BookProblem::damagedArchive();
        else if (!Zip.unsafeName().isEmpty())
            Problem = BookProblem::unsafePath(Zip.unsafeName());
        else
            return true;
        return false;
    }
    bool contains(const QString& name) const { return Zip.contains(name); }

    std::unique_ptr<XmlPart> open(const QString& name) {
        std::optional<QByteArray> bytes = Zip.read(name, &Problem);
        return bytes ? std::make_unique<XmlPart>(std::move(*bytes), name) : nullptr;
    }

    // The text gathered, or why there is none.
    BookText finish(const XmlPart& part, ParagraphText& out) const {
        if (part.failed())
            return part.problem();
        if (!out.hasText())
            return BookProblem::noText();
        return {true, out.take(), QString()};
    }

    BookText Problem;

private:
    ZipArchive Zip;
};

// The main document part, as the package relationships name it; empty, with the archive's
// problem set, when the relationships cannot be read.
QString docxMainPart(OfficeArchive& archive) {
    QString fallback = QStringLiteral("word/document.xml"); // not const: returned by move
    const QString relationships = QStringLiteral("_rels/.rels");
    if (!archive.contains(relationships))
        return fallback;
    std::unique_ptr<XmlPart> part = archive.open(relationships);
    if (!part)
        return fallback;
    for (Token t = part->next(); t != Token::End; t = part->next()) {
        if (t == Token::StartElement && part->name() == u"Relationship" &&
            part->attribute(u"Type").endsWith(u"/officeDocument")) {
            const QString target = resolveEntryPath(QString(), part->attribute(u"Target"));
            return target.isEmpty() ? fallback : target;
        }
    }
    if (!part->failed())
        return fallback;
    archive.Problem = part->problem();
    return {};
}

} // namespace

BookText readDocx(QByteArrayView bytes, qint64 unpackedLimit) {
    OfficeArchive archive(bytes, unpackedLimit);
    if (!archive.check())
        return archive.Problem;
    const QString main = docxMainPart(archive);
    std::unique_ptr<XmlPart> part = main.isEmpty() ? nullptr : archive.open(main);
    if (!part)
        return archive.Problem;
    ParagraphText out;
    out.reserve(part->size());
    int depth = 0;
    int skipFrom = 0; // an alternative's fallback repeats what its choice shows
    int textFrom = 0; // inside a run's text
    for (Token t = part->next(); t != Token::End; t = part->next()) {
        if (t == Token::StartElement) {
            ++depth;
            const QStringView name = part->name();
            if (skipFrom)
                continue;
            if (name == u"Fallback" || name.endsWith(u"Pr")) // properties hold no text
                skipFrom = depth;
            else if (name == u"t")
                textFrom = depth;
            else if (name == u"tab")
                out.addExact(u" ");
            else if (name == u"noBreakHyphen")
                out.addExact(u"-");
            else if (name == u"br" || name == u"cr")
                out.endParagraph();
        } else if (t == Token::EndElement) {
            if (depth == skipFrom)
                skipFrom = 0;
            else if (depth == textFrom)
                textFrom = 0;
            else if (!skipFrom && part->name() == u"p")
                out.endParagraph();
            --depth;
        } else if (t == Token::Characters && textFrom && !skipFrom) {
            out.addExact(part->text());
        }
    }
    return archive.finish(*part, out);
}

BookText readOdt(QByteArrayView bytes, qint64 unpackedLimit) {
    OfficeArchive archive(bytes, unpackedLimit);
    if (!archive.check())
        return archive.Problem;
    std::unique_ptr<XmlPart> part = archive.open(QStringLiteral("content.xml"));
    if (!part)
        return archive.Problem;
    // A run of blanks written as <text:s text:c="n"/>; more than this is layout, not text.
    constexpr int MaximumBlanks = 10;
    ParagraphText out;
    out.reserve(part->size());
    int depth = 0;
    int skipFrom = 0;      // comments, notes and change records are not the text
    int paragraphFrom = 0; // inside a paragraph or heading
    for (Token t = part->next(); t != Token::End; t = part->next()) {
        if (t == Token::StartElement) {
            ++depth;
            const QStringView name = part->name();
            if (skipFrom)
                continue;
            if (name == u"annotation" || name == u"note" || name == u"tracked-changes") {
                skipFrom = depth;
            } else if (name == u"p" || name == u"h") {
                out.endParagraph();
                if (!paragraphFrom)
                    paragraphFrom = depth;
            } else if (name == u"s" && paragraphFrom) {
                const int count = std::clamp(part->attribute(u"c").toInt(), 1, MaximumBlanks);
                out.addExact(QString(count, QLatin1Char(' ')));
            } else if (name == u"tab" && paragraphFrom) {
                out.addExact(u" ");
            } else if (name == u"line-break") {
                out.endParagraph();
            }
        } else if (t == Token::EndElement) {
            const QStringView name = part->name();
            if (depth == skipFrom)
                skipFrom = 0;
            else if (!skipFrom && (name == u"p" || name == u"h"))
                out.endParagraph();
            if (depth == paragraphFrom)
                paragraphFrom = 0;
            --depth;
        } else if (t == Token::Characters && paragraphFrom && !skipFrom) {
            out.addFlowing(part->text());
        }
    }
    return archive.finish(*part, out);
}
