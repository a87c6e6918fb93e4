#include "formats/HtmlText.h"

#include "formats/NamedEncodings.h"
#include "formats/TextDecoding.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>

namespace {

struct NamedReference {
    const char16_t* name;
    char16_t character;
};

constexpr std::array<NamedReference, 42> NamedReferences{{
    {u"amp", u'&'},      {u"lt", u'<'},       {u"gt", u'>'},       {u"quot", u'"'},
    {u"apos", u'\''},    {u"nbsp", 0x00A0},   {u"shy", 0x00AD},    {u"laquo", 0x00AB},
    {u"raquo", 0x00BB},  {u"ndash", 0x2013},  {u"mdash", 0x2014},  {u"hellip", 0x2026},
    {u"lsquo", 0x2018},  {u"rsquo", 0x2019},  {u"sbquo", 0x201A},  {u"ldquo", 0x201C},
    {u"rdquo", 0x201D},  {u"bdquo", 0x201E},  {u"bull", 0x2022},   {u"middot", 0x00B7},
    {u"copy", 0x00A9},   {u"reg", 0x00AE},    {u"trade", 0x2122},  {u"deg", 0x00B0},
    {u"plusmn", 0x00B1}, {u"times", 0x00D7},  {u"divide", 0x00F7}, {u"minus", 0x2212},
    {u"sect", 0x00A7},   {u"para", 0x00B6},   {u"euro", 0x20AC},   {u"thinsp", 0x2009},
    {u"ensp", 0x2002},   {u"emsp", 0x2003},   {u"zwnj", 0x200C},   {u"zwj", 0x200D},
    {u"prime", 0x2032},  {u"Prime", 0x2033},  {u"frac12", 0x00BD}, {u"frac14", 0x00BC},
    {u"iexcl", 0x00A1},  {u"iquest", 0x00BF},
}};

// Elements whose content is never shown.
bool isHidden(QStringView tag) {
    for (const char16_t* hidden : {u"head", u"script", u"style", u"template", u"noscript", u"title",
                                   u"svg", u"math", u"object"}) {
        if (tag == QStringView(hidden))
            return true;
    }
    return false;
}

// Elements that begin and end a paragraph of their own.
bool isBlock(QStringView tag) {
    for (const char16_t* block :
         {u"p",       u"div",     u"br",     u"h1",     u"h2",    u"h3",         u"h4",
          u"h5",      u"h6",      u"li",     u"tr",     u"table", u"blockquote", u"section",
          u"article", u"aside",   u"header", u"footer", u"nav",   u"pre",        u"ul",
          u"ol",      u"dl",      u"dt",     u"dd",     u"hr",    u"body",       u"figcaption",
          u"address", u"caption", u"main",   u"figure"}) {
        if (tag == QStringView(block))
            return true;
    }
    return false;
}

// Decodes the reference that starts at `at` (an '&'). Returns the characters and moves `at`
// past the reference; an unknown or unfinished reference is kept as it stands.
QString characterReference(QStringView html, qsizetype& at) {
    const qsizetype end = html.indexOf(QLatin1Char(';'), at + 1);
    if (end < 0 || end - at > 12) {
        ++at;
        return QStringLiteral("&");
    }
    const QStringView name = html.sliced(at + 1, end - at - 1);
    char32_t code = 0;
    if (name.startsWith(QLatin1Char('#'))) {
        bool ok = false;
        const bool hex = name.size() > 1 && (name.at(1) == u'x' || name.at(1) == u'X');
        const uint value = name.sliced(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
        if (ok && value > 0 && value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF))
            code = value;
    } else {
        code = namedCharacter(name);
    }
    if (code == 0) {
        ++at;
        return QStringLiteral("&");
    }
    at = end + 1;
    return QString::fromUcs4(&code, 1);
}

// The lower-case name of the tag whose text starts at `at` (just after '<' or "</").
QString tagName(QStringView html, qsizetype at) {
    qsizetype end = at;
    while (end < html.size() && (html.at(end).isLetterOrNumber() || html.at(end) == u':' ||
                                 html.at(end) == u'-' || html.at(end) == u'_'))
        ++end;
    QString name = html.sliced(at, end - at).toString().toLower();
    const qsizetype colon = name.lastIndexOf(QLatin1Char(':'));
    return colon >= 0 ? name.mid(colon + 1) : name;
}

// The position just after the '>' that closes the tag starting at `at`, quotes respected.
qsizetype tagEnd(QStringView html, qsizetype at) {
    QChar quote;
    for (qsizetype i = at; i < html.size(); ++i) {
        const QChar c = html.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'>') {
            return i + 1;
        }
    }
    return html.size();
}

// Where the body of a page begins: found once, then reused, so that a page of many heads
// is still read in one pass.
class BodyStart {
public:
    explicit BodyStart(QStringView html) : Html(html) {}
    // The first "<body" at or after `from`, or the end of the page.
    qsizetype from(qsizetype from) {
        if (Found < from && Found != Html.size()) {
            Found = Html.indexOf(QStringLiteral("<body"), from, Qt::CaseInsensitive);
            if (Found < 0)
                Found = Html.size();
        }
        return Found;
    }

private:
    QStringView Html;
    qsizetype Found = -1;
};

// The position after the end tag of the hidden element `tag`. A head left open ends where the
// body begins.
qsizetype hiddenEnd(QStringView html, qsizetype from, const QString& tag, BodyStart& body) {
    const QString close = QStringLiteral("</") + tag;
    const QStringView scope = tag == u"head" ? html.first(body.from(from)) : html;
    const qsizetype end = scope.indexOf(close, from, Qt::CaseInsensitive);
    if (end < 0)
        return scope.size();
    return tagEnd(html, end + close.size());
}

void addText(QStringView text, ParagraphText& out) {
    qsizetype from = 0;
    while (from < text.size()) {
        const qsizetype amp = text.indexOf(QLatin1Char('&'), from);
        if (amp < 0) {
            out.addFlowing(text.sliced(from));
            return;
        }
        out.addFlowing(text.sliced(from, amp - from));
        qsizetype at = amp;
        const QString character = characterReference(text, at);
        if (character == u"\u00A0")
            out.addFlowing(u" ");
        else
            out.addFlowing(character);
        from = at;
    }
}

} // namespace

char16_t namedCharacter(QStringView name) {
    const auto found = std::find_if(NamedReferences.begin(), NamedReferences.end(),
                                    [name](const NamedReference& r) { return name == r.name; });
    return found == NamedReferences.end() ? 0 : found->character;
}

void addHtmlText(QStringView html, ParagraphText& out) {
    BodyStart body(html);
    qsizetype at = 0;
    while (at < html.size()) {
        const qsizetype open = html.indexOf(QLatin1Char('<'), at);
        if (open < 0 || open + 1 >= html.size()) {
            addText(html.sliced(at), out);
            return;
        }
        addText(html.sliced(at, open - at), out);
        const QStringView rest = html.sliced(open);
        if (rest.startsWith(u"<!--")) {
            const qsizetype end = html.indexOf(QStringLiteral("-->"), open + 4);
            at = end < 0 ? html.size() : end + 3;
        } else if (rest.startsWith(u"<![CDATA[")) {
            const qsizetype end = html.indexOf(QStringLiteral("]]>"), open + 9);
            const qsizetype stop = end < 0 ? html.size() : end;
            out.addFlowing(html.sliced(open + 9, stop - open - 9));
            at = end < 0 ? html.size() : end + 3;
        } else if (rest.startsWith(u"<!") || rest.startsWith(u"<?")) {
            at = tagEnd(html, open + 2);
        } else if (rest.startsWith(u"</")) {
            if (isBlock(tagName(html, open + 2)))
                out.endParagraph();
            at = tagEnd(html, open + 2);
        } else if (rest.at(1).isLetter()) {
            const QString tag = tagName(html, open + 1);
            at = tagEnd(html, open + 1);
            const bool selfClosing = html.at(at - 1) == u'>' && html.at(at - 2) == u'/';
            if (isHidden(tag) && !selfClosing)
                at = hiddenEnd(html, at, tag, body);
            else if (isBlock(tag))
                out.endParagraph();
            else if (tag == u"td" || tag == u"th")
                out.addFlowing(u" ");
        } else {
            out.addFlowing(u"<"); // a lone '<' in text
            at = open + 1;
        }
    }
}

BookText readHtml(QByteArrayView bytes) {
    QString encoding = byteOrderMarkEncoding(bytes);
    if (encoding.isEmpty()) {
        static const QRegularExpression declared(
            QStringLiteral("(?:<meta[^>]*charset|<\\?xml[^>]*encoding)\\s*=\\s*[\"']?\\s*"
                           "([A-Za-z0-9._:-]+)"),
            QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch match = declared.match(
            QString::fromLatin1(bytes.first(std::min<qsizetype>(bytes.size(), 4096))));
        if (match.hasMatch())
            encoding = match.captured(1);
    }
    std::optional<QString> text;
    if (!encoding.isEmpty())
        text = decodeNamedEncoding(bytes, encoding);
    if (!text) // no declaration, or one nobody knows: as a plain text
        text = decodeText(bytes.toByteArray());
    ParagraphText out;
    addHtmlText(*text, out);
    if (!out.hasText())
        return BookProblem::noText();
    return {true, out.take(), QString()};
}
