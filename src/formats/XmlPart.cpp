#include "formats/XmlPart.h"

#include "formats/HtmlText.h"
#include "formats/NamedEncodings.h"

#include <QRegularExpression>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {

// The memory taken by the tree being parsed on this thread, counted as pugixml allocates it.
struct TreeMemory {
    size_t used = 0;
    size_t limit = 0;
    bool exceeded = false;
};

thread_local TreeMemory* Counting = nullptr;

void* allocateTree(size_t size) {
    if (TreeMemory* memory = Counting) {
        if (size > memory->limit - memory->used) {
            memory->exceeded = true;
            return nullptr; // the parse stops: out of memory
        }
        memory->used += size;
    }
    return std::malloc(size);
}

// Counts the tree's memory while it lives on the stack.
class TreeMemoryCount {
public:
    explicit TreeMemoryCount(size_t limit) {
        static const bool installed =
            (pugi::set_memory_management_functions(allocateTree, std::free), true);
        Q_UNUSED(installed);
        Memory.limit = limit;
        Counting = &Memory;
    }
    ~TreeMemoryCount() { Counting = nullptr; }
    TreeMemoryCount(const TreeMemoryCount&) = delete;
    TreeMemoryCount& operator=(const TreeMemoryCount&) = delete;

    bool exceeded() const { return Memory.exceeded; }

private:
    TreeMemory Memory;
};

// The encoding that the declaration <?xml ... encoding="..."?> names, or an empty string.
QString declaredEncoding(QByteArrayView bytes) {
    if (!bytes.startsWith("<?xml"))
        return {};
    const QByteArrayView head = bytes.first(std::min<qsizetype>(bytes.size(), 512));
    const qsizetype end = head.indexOf("?>");
    if (end < 0)
        return {};
    static const QRegularExpression encoding(
        QStringLiteral("encoding\\s*=\\s*[\"']([A-Za-z0-9._:-]+)[\"']"));
    const QRegularExpressionMatch match = encoding.match(QString::fromLatin1(head.first(end)));
    return match.hasMatch() ? match.captured(1) : QString();
}

// The encoding of an XML document: its byte order mark, else its declaration, else UTF-8.
QString xmlEncoding(QByteArrayView bytes) {
    QString encoding = byteOrderMarkEncoding(bytes);
    if (encoding.isEmpty()) {
        if (bytes.startsWith(QByteArrayView("<\0?\0", 4)))
            encoding = QStringLiteral("UTF-16LE");
        else if (bytes.startsWith(QByteArrayView("\0<\0?", 4)))
            encoding = QStringLiteral("UTF-16BE");
        else
            encoding = declaredEncoding(bytes);
    }
    return encoding.isEmpty() ? QStringLiteral("UTF-8") : encoding;
}

bool isUtf8(const QString& encoding) {
    const QString key = encoding.toLower();
    return key == u"utf-8" || key == u"utf8";
}

// A character XML allows in a document.
bool isXmlCharacter(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// The part of a name after its namespace prefix.
const char* localName(const char* name) {
    const char* colon = std::strrchr(name, ':');
    return colon ? colon + 1 : name;
}

// Whether a name of the document (UTF-8) is `name`.
bool sameName(const char* utf8, QStringView name) {
    qsizetype i = 0;
    for (; utf8[i] != '\0'; ++i) {
        if (static_cast<unsigned char>(utf8[i]) >= 0x80)
            return QString::fromUtf8(utf8) == name;
        if (i >= name.size() || name.at(i) != QLatin1Char(utf8[i]))
            return false;
    }
    return i == name.size();
}

// Writes `c` as UTF-16 at out[n].
void put(char16_t* out, qsizetype& n, char32_t c) {
    if (c >= 0x10000) {
        out[n++] = char16_t(0xD7C0 + (c >> 10));
        out[n++] = char16_t(0xDC00 + (c & 0x3FF));
    } else {
        out[n++] = char16_t(c);
    }
}

// The character of the UTF-8 sequence at p (its first byte at least 0x80), moving p past it;
// 0 when the sequence is not UTF-8 or not a character XML allows.
char32_t utf8Character(const unsigned char*& p, const unsigned char* end) {
    const unsigned char first = *p;
    int more = 0;
    char32_t c = 0;
    char32_t least = 0;
    if (first >= 0xC2 && first <= 0xDF) {
        more = 1;
        c = first & 0x1F;
        least = 0x80;
    } else if (first >= 0xE0 && first <= 0xEF) {
        more = 2;
        c = first & 0x0F;
        least = 0x800;
    } else if (first >= 0xF0 && first <= 0xF4) {
        more = 3;
        c = first & 0x07;
        least = 0x10000;
    } else {
        return 0;
    }
    if (end - p <= more)
        return 0;
    for (int i = 1; i <= more; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (p[i] & 0x3F);
    }
    if (c < least || !isXmlCharacter(c))
        return 0;
    p += more + 1;
    return c;
}

// The character that the reference at p (an '&') stands for, moving p past it; 0 when it is
// not a reference to a character. `outerType` lets the names HTML gives stand for theirs.
// *skip is set for a reference to an entity of the outer document type that names nothing
// known: it stands for nothing here.
char32_t referenceCharacter(const unsigned char*& p, const unsigned char* end, bool outerType,
                            bool* skip) {
    constexpr qsizetype Longest = 12;
    const unsigned char* semicolon = static_cast<const unsigned char*>(
        std::memchr(p + 1, ';', size_t(std::min<qsizetype>(end - p - 1, Longest))));
    if (!semicolon || semicolon == p + 1)
        return 0;
    const QLatin1StringView name(reinterpret_cast<const char*>(p + 1), semicolon - p - 1);
    char32_t c = 0;
    if (name.startsWith(QLatin1Char('#'))) {
        const bool hex = name.size() > 1 && name.at(1) == QLatin1Char('x');
        const QLatin1StringView digits = name.sliced(hex ? 2 : 1);
        bool ok = std::all_of(digits.begin(), digits.end(), [hex](char d) {
            return hex ? std::isxdigit(uchar(d)) != 0 : std::isdigit(uchar(d)) != 0;
        });
        const uint value =
            ok ? QByteArrayView(digits.data(), digits.size()).toUInt(&ok, hex ? 16 : 10) : 0;
        c = ok && isXmlCharacter(value) ? value : 0;
    } else if (name == QLatin1StringView("lt")) {
        c = u'<';
    } else if (name == QLatin1StringView("gt")) {
        c = u'>';
    } else if (name == QLatin1StringView("amp")) {
        c = u'&';
    } else if (name == QLatin1StringView("apos")) {
        c = u'\'';
    } else if (name == QLatin1StringView("quot")) {
        c = u'"';
    } else if (outerType) {
        c = namedCharacter(QString(name));
        *skip = c == 0;
    }
    if (c || *skip)
        p = semicolon + 1;
    return c;
}

} // namespace

std::optional<QString> decodeXml(QByteArrayView bytes, QString* encoding) {
    *encoding = xmlEncoding(bytes);
    return decodeNamedEncoding(bytes, *encoding);
}

bool declaresEntities(QStringView document) {
    // The document type and its internal subset stand before the first element.
    qsizetype root = document.indexOf(QLatin1Char('<'));
    while (root >= 0 && root + 1 < document.size() && !document.at(root + 1).isLetter())
        root = document.indexOf(QLatin1Char('<'), root + 1);
    const QStringView prolog = root < 0 ? document : document.first(root);
    const qsizetype type = prolog.indexOf(u"<!DOCTYPE", 0, Qt::CaseInsensitive);
    return type >= 0 && prolog.indexOf(u"<!ENTITY", type, Qt::CaseInsensitive) >= 0;
}

XmlPart::XmlPart(QByteArray bytes, QString name, const MarkupBudget& budget)
    : PartName(std::move(name)), Size(bytes.size()) {
    const QString encoding = xmlEncoding(bytes);
    if (isUtf8(encoding)) {
        Bytes = std::move(bytes);
    } else {
        const std::optional<QString> text = decodeNamedEncoding(bytes, encoding);
        if (!text) {
            Problem = BookProblem::unknownEncoding(PartName, encoding);
            return;
        }
        Bytes = text->toUtf8();
    }
    if (!withinElements(Bytes, budget)) {
        Problem = BookProblem::tooMuchMarkup(PartName, budget.elementsPerCharacter);
        return;
    }
    parse(budget.treeBytes);
}

void XmlPart::parse(qsizetype treeBytes) {
    // Line ends, references and white space in values are left as they stand: decode() deals
    // with them, and only for what is read.
    pugi::xml_parse_result result;
    {
        const TreeMemoryCount memory{size_t(treeBytes)};
        result = Document.load_buffer_inplace(
            Bytes.data(), size_t(Bytes.size()),
            pugi::parse_ws_pcdata | pugi::parse_cdata | pugi::parse_doctype, pugi::encoding_utf8);
        if (memory.exceeded()) {
            Document.reset();
            Problem = BookProblem::markupTooLarge(PartName, treeBytes);
            return;
        }
    }
    checkDocumentType();
    if (failed())
        return;
    if (!result) {
        fail(Bytes.constData() + std::min<qsizetype>(result.offset, Bytes.size()));
        return;
    }
    int roots = 0;
    for (pugi::xml_node node = Document.first_child(); node; node = node.next_sibling()) {
        if (node.type() == pugi::node_element && ++roots > 1) {
            fail(node.name());
            return;
        }
    }
}

void XmlPart::checkDocumentType() {
    for (pugi::xml_node node = Document.first_child(); node; node = node.next_sibling()) {
        if (node.type() == pugi::node_element)
            return;
        if (node.type() != pugi::node_doctype)
            continue;
        const char* type = node.value();
        if (std::strstr(type, "<!ENTITY")) {
            Problem = BookProblem::declaresEntities(PartName);
            return;
        }
        const char* subset = std::strchr(type, '[');
        const QByteArrayView outside(type, subset ? subset - type : qsizetype(std::strlen(type)));
        OuterType = outside.contains("SYSTEM") || outside.contains("PUBLIC");
    }
}

void XmlPart::fail(const char* at) {
    const qsizetype offset = std::clamp<qsizetype>(at - Bytes.constData(), 0, Bytes.size());
    const qsizetype line = 1 + std::count(Bytes.constData(), Bytes.constData() + offset, '\n');
    Problem = BookProblem::malformedXml(PartName, line);
}

XmlPart::Token XmlPart::next() {
    if (failed())
        return Token::End;
    for (;;) {
        if (!Started) {
            Started = true;
            Node = Document.first_child();
        } else if (!Node) {
            return Token::End;
        } else if (!Leaving && Node.type() == pugi::node_element) {
            if (!Node.first_child()) {
                Leaving = true;
                return Token::EndElement;
            }
            Node = Node.first_child();
        } else if (Node.next_sibling()) {
            Node = Node.next_sibling();
            Leaving = false;
        } else {
            Node = Node.parent();
            if (Node == Document) {
                Node = pugi::xml_node();
                return Token::End;
            }
            Leaving = true;
            return Token::EndElement;
        }
        if (!Node)
            return Token::End;
        switch (Node.type()) {
        case pugi::node_element:
            return Token::StartElement;
        case pugi::node_pcdata:
        case pugi::node_cdata:
            return Token::Characters;
        default:
            break;
        }
    }
}

QStringView XmlPart::name() {
    const char* local = localName(Node.name());
    const qsizetype length = qsizetype(std::strlen(local));
    Name.resize(length);
    char16_t* out = reinterpret_cast<char16_t*>(Name.data());
    for (qsizetype i = 0; i < length; ++i) {
        if (static_cast<unsigned char>(local[i]) >= 0x80)
            return Name = QString::fromUtf8(local, length);
        out[i] = char16_t(local[i]);
    }
    return Name;
}

QString XmlPart::attribute(QStringView name) {
    for (pugi::xml_attribute a = Node.first_attribute(); a; a = a.next_attribute()) {
        if (!sameName(localName(a.name()), name))
            continue;
        QString value;
        decode(a.value(), true, true, value);
        return value;
    }
    return {};
}

QStringView XmlPart::text() {
    decode(Node.value(), Node.type() == pugi::node_pcdata, false, Text);
    return Text;
}

bool XmlPart::decode(const char* raw, bool markup, bool attribute, QString& out) {
    const auto* p = reinterpret_cast<const unsigned char*>(raw);
    const auto* end = p + std::strlen(raw);
    // UTF-16 never takes more units than UTF-8 takes bytes, nor a character than its reference.
    out.resize(end - p);
    char16_t* o = reinterpret_cast<char16_t*>(out.data());
    qsizetype n = 0;
    while (p < end) {
        const unsigned char c = *p;
        if (c >= 0x80) {
            const unsigned char* at = p;
            const char32_t u = utf8Character(p, end);
            if (!u) {
                fail(reinterpret_cast<const char*>(at));
                break;
            }
            put(o, n, u);
        } else if (c == '&' && markup) {
            const unsigned char* at = p;
            bool skip = false;
            const char32_t u = referenceCharacter(p, end, OuterType, &skip);
            if (u)
                put(o, n, u);
            else if (!skip) {
                fail(reinterpret_cast<const char*>(at));
                break;
            }
        } else if (c == '\r') {
            // XML reads CR LF and a lone CR as LF.
            o[n++] = attribute ? u' ' : u'\n';
            p += p + 1 < end && p[1] == '\n' ? 2 : 1;
        } else if (c < 0x20 && c != '\t' && c != '\n') {
            fail(reinterpret_cast<const char*>(p));
            break;
        } else {
            o[n++] = attribute && c < 0x20 ? u' ' : char16_t(c);
            ++p;
        }
    }
    out.truncate(failed() ? 0 : n);
    return !failed();
}
