#include "formats/Fb2Reader.h"

#include "formats/ParagraphText.h"
#include "formats/XmlPart.h"
#include "formats/ZipArchive.h"

#include <QStringList>

namespace {

using Token = QXmlStreamReader::TokenType;

// Elements whose text is one paragraph of the book.
bool isParagraph(QStringView name) {
    return name == u"p" || name == u"v" || name == u"subtitle" || name == u"text-author" ||
           name == u"td" || name == u"th" || name == u"title" || name == u"section" ||
           name == u"epigraph" || name == u"poem" || name == u"stanza" || name == u"cite";
}

// Parts of an author's name in the book's description.
bool isNamePart(QStringView name) {
    return name == u"first-name" || name == u"middle-name" || name == u"last-name" ||
           name == u"nickname";
}

// Reads one FictionBook document.
class Fb2Parser {
public:
    explicit Fb2Parser(const QByteArray& xml) : Part(xml, QStringLiteral("FictionBook")) {
        // Room for the title and authors too: they are put before the body in place.
        Body.reserve(Part.size());
    }

    BookText read() {
        for (Token token = Part.next(); token != Token::Invalid; token = Part.next()) {
            if (token == Token::StartElement)
                start();
            else if (token == Token::EndElement)
                end();
            else if (token == Token::Characters)
                characters(Part.reader().text());
            else if (token == Token::EntityReference)
                characters(Part.referenceText());
        }
        if (Part.failed())
            return Part.problem();
        if (!Body.hasText())
            return BookProblem::noText();
        ParagraphText whole;
        whole.addFlowing(Title);
        whole.endParagraph();
        whole.addFlowing(Authors.join(QStringLiteral(", ")));
        whole.endParagraph();
        QString head = whole.take();
        if (!head.isEmpty())
            head += QStringLiteral("\r\n");
        return {true, Body.take().prepend(head), QString()};
    }

private:
    void start() {
        const QStringView name = Part.name();
        ++Depth;
        if (SkipFrom)
            return;
        if (name == u"binary" ||
            (name == u"body" &&
             (Part.attribute(u"name") == u"notes" || Part.attribute(u"name") == u"comments")) ||
            (name == u"a" && Part.attribute(u"type") == u"note")) {
            SkipFrom = Depth;
        } else if (name == u"body") {
            BodyFrom = Depth;
        } else if (BodyFrom) {
            if (isParagraph(name))
                Body.endParagraph();
        } else if (name == u"title-info") {
            TitleInfoFrom = Depth;
        } else if (TitleInfoFrom && name == u"book-title") {
            Capture = Capturing::Title;
            Title.clear();
        } else if (TitleInfoFrom && name == u"author") {
            AuthorName.clear();
        } else if (TitleInfoFrom && isNamePart(name)) {
            AuthorName.append(QString());
            Capture = Capturing::NamePart;
        }
    }

    void end() {
        const QStringView name = Part.name();
        if (Depth == SkipFrom) {
            SkipFrom = 0;
        } else if (!SkipFrom) {
            if (Depth == BodyFrom) {
                Body.endParagraph();
                BodyFrom = 0;
            } else if (BodyFrom && isParagraph(name)) {
                Body.endParagraph();
            } else if (Depth == TitleInfoFrom) {
                TitleInfoFrom = 0;
            } else if (TitleInfoFrom && name == u"author") {
                AuthorName.removeAll(QString());
                const QString author = AuthorName.join(QLatin1Char(' ')).simplified();
                if (!author.isEmpty())
                    Authors.append(author);
                AuthorName.clear();
            }
            Capture = Capturing::Nothing;
        }
        --Depth;
    }

    void characters(QStringView text) {
        if (SkipFrom)
            return;
        if (BodyFrom)
            Body.addFlowing(text);
        else if (Capture == Capturing::Title)
            Title.append(text);
        else if (Capture == Capturing::NamePart && !AuthorName.isEmpty())
            AuthorName.last().append(text);
    }

    XmlPart Part;
    ParagraphText Body;
    QString Title;
    QStringList Authors;
    QStringList AuthorName;
    // Where the description's text goes.
    enum class Capturing { Nothing, Title, NamePart };
    Capturing Capture = Capturing::Nothing;
    int Depth = 0;
    int SkipFrom = 0;      // depth of an element left out with all it holds, 0 when none
    int BodyFrom = 0;      // depth of the body being read
    int TitleInfoFrom = 0; // depth of the description's title-info
};

} // namespace

BookText readFb2(const QByteArray& xml) {
    return Fb2Parser(xml).read();
}

BookText readFb2Zip(QByteArrayView archive, qint64 unpackedLimit) {
    ZipArchive zip(archive, unpackedLimit);
    if (!zip.isOpen())
        return BookProblem::damagedArchive();
    if (!zip.unsafeName().isEmpty())
        return BookProblem::unsafePath(zip.unsafeName());
    for (const QString& name : zip.names()) {
        if (!name.endsWith(QStringLiteral(".fb2"), Qt::CaseInsensitive))
            continue;
        BookText problem;
        const std::optional<QByteArray> book = zip.read(name, &problem);
        return book ? readFb2(*book) : problem;
    }
    return BookProblem::unknownArchive();
}
