#include "formats/RtfReader.h"

#include "formats/CodePages.h"

#include <algorithm>
#include <array>
#include <climits>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

// Groups nested deeper than this are read as if they belonged to the group at this depth.
constexpr int kMaxDepth = 1000;
// Control words are at most 32 letters long; longer ones are cut to this length.
constexpr std::size_t kMaxWordLength = 32;

enum class Kind : unsigned char {
    Skip,         // a destination that is not shown
    FontTable,    // \fonttbl
    Font,         // \fN
    FontCharset,  // \fcharsetN
    FontCodePage, // \cpgN
    AnsiCodePage, // \ansicpgN
    Ansi,         // \ansi
    Mac,          // \mac
    Pc,           // \pc
    Pca,          // \pca
    DefaultFont,  // \deffN
    Plain,        // \plain
    Hidden,       // \v
    UnicodeSkip,  // \ucN
    Unicode,      // \uN
    UnicodePair,  // \upr
    UnicodeDest,  // \ud
    Paragraph,    // \par, \sect, \page
    Line,         // \line
    Row,          // \row
    Cell,         // \cell
    Character,    // a word that stands for one character (\tab, \emdash, ...)
    Nothing,      // a word that stands for a character that is not shown (\zwj, ...)
    Binary,       // \binN
};

struct Keyword {
    std::string_view name;
    Kind kind;
    char16_t character = 0;
};

// Sorted by name (checked below).
constexpr std::array kKeywords = std::to_array<Keyword>({
    {"aftncn", Kind::Skip},
    {"aftnsep", Kind::Skip},
    {"aftnsepc", Kind::Skip},
    {"annotation", Kind::Skip},
    {"ansi", Kind::Ansi},
    {"ansicpg", Kind::AnsiCodePage},
    {"atnauthor", Kind::Skip},
    {"atndate", Kind::Skip},
    {"atnicn", Kind::Skip},
    {"atnid", Kind::Skip},
    {"atnparent", Kind::Skip},
    {"atnref", Kind::Skip},
    {"atntime", Kind::Skip},
    {"atrfend", Kind::Skip},
    {"atrfstart", Kind::Skip},
    {"author", Kind::Skip},
    {"background", Kind::Skip},
    {"bin", Kind::Binary},
    {"bkmkend", Kind::Skip},
    {"bkmkstart", Kind::Skip},
    {"bullet", Kind::Character, u'\u2022'},
    {"buptim", Kind::Skip},
    {"category", Kind::Skip},
    {"cell", Kind::Cell},
    {"colorschememapping", Kind::Skip},
    {"colortbl", Kind::Skip},
    {"comment", Kind::Skip},
    {"company", Kind::Skip},
    {"cpg", Kind::FontCodePage},
    {"creatim", Kind::Skip},
    {"datafield", Kind::Skip},
    {"datastore", Kind::Skip},
    {"deff", Kind::DefaultFont},
    {"do", Kind::Skip},
    {"doccomm", Kind::Skip},
    {"docvar", Kind::Skip},
    {"emdash", Kind::Character, u'\u2014'},
    {"emspace", Kind::Character, u'\u2003'},
    {"endash", Kind::Character, u'\u2013'},
    {"enspace", Kind::Character, u'\u2002'},
    {"f", Kind::Font},
    {"falt", Kind::Skip},
    {"fchars", Kind::Skip},
    {"fcharset", Kind::FontCharset},
    {"ffdeftext", Kind::Skip},
    {"ffentrymcr", Kind::Skip},
    {"ffexitmcr", Kind::Skip},
    {"ffformat", Kind::Skip},
    {"ffhelptext", Kind::Skip},
    {"ffl", Kind::Skip},
    {"ffname", Kind::Skip},
    {"ffstattext", Kind::Skip},
    {"file", Kind::Skip},
    {"filetbl", Kind::Skip},
    {"fldinst", Kind::Skip},
    {"fontemb", Kind::Skip},
    {"fontfile", Kind::Skip},
    {"fonttbl", Kind::FontTable},
    {"footer", Kind::Skip},
    {"footerf", Kind::Skip},
    {"footerl", Kind::Skip},
    {"footerr", Kind::Skip},
    {"footnote", Kind::Skip},
    {"formfield", Kind::Skip},
    {"ftncn", Kind::Skip},
    {"ftnsep", Kind::Skip},
    {"ftnsepc", Kind::Skip},
    {"generator", Kind::Skip},
    {"header", Kind::Skip},
    {"headerf", Kind::Skip},
    {"headerl", Kind::Skip},
    {"headerr", Kind::Skip},
    {"hlinkbase", Kind::Skip},
    {"info", Kind::Skip},
    {"keywords", Kind::Skip},
    {"latentstyles", Kind::Skip},
    {"lchars", Kind::Skip},
    {"ldblquote", Kind::Character, u'\u201C'},
    {"line", Kind::Line},
    {"listoverridetable", Kind::Skip},
    {"listpicture", Kind::Skip},
    {"listtable", Kind::Skip},
    {"listtext", Kind::Skip},
    {"lquote", Kind::Character, u'\u2018'},
    {"ltrmark", Kind::Nothing},
    {"mac", Kind::Mac},
    {"manager", Kind::Skip},
    {"nestcell", Kind::Cell},
    {"nestrow", Kind::Row},
    {"nesttableprops", Kind::Skip},
    {"nextfile", Kind::Skip},
    {"nonesttables", Kind::Skip},
    {"nonshppict", Kind::Skip},
    {"objalias", Kind::Skip},
    {"objclass", Kind::Skip},
    {"objdata", Kind::Skip},
    {"object", Kind::Skip},
    {"objname", Kind::Skip},
    {"objsect", Kind::Skip},
    {"objtime", Kind::Skip},
    {"operator", Kind::Skip},
    {"page", Kind::Paragraph},
    {"panose", Kind::Skip},
    {"par", Kind::Paragraph},
    {"passwordhash", Kind::Skip},
    {"pc", Kind::Pc},
    {"pca", Kind::Pca},
    {"pgdsctbl", Kind::Skip},
    {"pgptbl", Kind::Skip},
    {"pict", Kind::Skip},
    {"plain", Kind::Plain},
    {"pn", Kind::Skip},
    {"pnseclvl", Kind::Skip},
    {"pntext", Kind::Skip},
    {"pntxta", Kind::Skip},
    {"pntxtb", Kind::Skip},
    {"printim", Kind::Skip},
    {"private", Kind::Skip},
    {"protusertbl", Kind::Skip},
    {"qmspace", Kind::Character, u'\u2005'},
    {"rdblquote", Kind::Character, u'\u201D'},
    {"revtbl", Kind::Skip},
    {"revtim", Kind::Skip},
    {"row", Kind::Row},
    {"rquote", Kind::Character, u'\u2019'},
    {"rsidtbl", Kind::Skip},
    {"rtlmark", Kind::Nothing},
    {"rxe", Kind::Skip},
    {"sect", Kind::Paragraph},
    {"shp", Kind::Skip},
    {"shpinst", Kind::Skip},
    {"shppict", Kind::Skip},
    {"stylesheet", Kind::Skip},
    {"subject", Kind::Skip},
    {"tab", Kind::Character, u'\t'},
    {"tc", Kind::Skip},
    {"template", Kind::Skip},
    {"themedata", Kind::Skip},
    {"title", Kind::Skip},
    {"txe", Kind::Skip},
    {"u", Kind::Unicode},
    {"uc", Kind::UnicodeSkip},
    {"ud", Kind::UnicodeDest},
    {"upr", Kind::UnicodePair},
    {"userprops", Kind::Skip},
    {"v", Kind::Hidden},
    {"wgrffmtfilter", Kind::Skip},
    {"xe", Kind::Skip},
    {"xmlnstbl", Kind::Skip},
    {"zwj", Kind::Nothing},
    {"zwnj", Kind::Nothing},
});

static_assert(std::is_sorted(kKeywords.begin(), kKeywords.end(),
                             [](const Keyword& a, const Keyword& b) { return a.name < b.name; }));

const Keyword* findKeyword(std::string_view name) {
    const auto found =
        std::lower_bound(kKeywords.begin(), kKeywords.end(), name,
                         [](const Keyword& k, std::string_view n) { return k.name < n; });
    return found != kKeywords.end() && found->name == name ? &*found : nullptr;
}

// The code page a font's \fcharset stands for; 0 means the document's \ansicpg.
int codePageOfCharset(int charset) {
    switch (charset) {
    case 0: // ANSI
    case 2: // symbol fonts: their bytes are read as the ANSI page
        return 1252;
    case 77: // Mac
        return 10000;
    case 128: // Shift-JIS
        return 932;
    case 129: // Hangul
        return 949;
    case 134: // GB2312
        return 936;
    case 136: // Big5
        return 950;
    case 161: // Greek
        return 1253;
    case 162: // Turkish
        return 1254;
    case 163: // Vietnamese
        return 1258;
    case 177: // Hebrew
        return 1255;
    case 178: // Arabic
        return 1256;
    case 186: // Baltic
        return 1257;
    case 204: // Cyrillic
        return 1251;
    case 222: // Thai
        return 874;
    case 238: // Eastern European
        return 1250;
    case 254: // PC 437
        return 437;
    case 255: // OEM
        return 850;
    default: // 1 (default) and anything unknown
        return 0;
    }
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

struct FontInfo {
    int charsetCodePage = 0; // from \fcharset, 0 = none
    int codePage = 0;        // from \cpg, 0 = none
};

// The state a group inherits from its parent and loses at its closing brace.
struct Group {
    bool fontTable = false;     // inside \fonttbl: text names fonts and is not shown
    bool hidden = false;        // \v
    bool skipNextGroup = false; // \upr: its first subgroup is the 8-bit copy of \ud
    int unicodeSkip = 1;        // \uc
    int font = -1;              // \f; -1 = the default font
    // The code page of the font in effect, worked out when first needed.
    unsigned fontStamp = 0; // 0 = not worked out yet
    int codePage = 0;
    const char16_t* singleByte = nullptr; // nullptr for a multi-byte page
};

class RtfParser {
public:
    explicit RtfParser(QByteArrayView data)
        : m_pos(data.data()), m_end(data.data() + data.size()), m_nextText(data.data()) {}

    QString run();
    bool damaged() const { return m_damaged; }

private:
    void openGroup();
    void closeGroup();
    void skipGroup();
    void controlSymbol();
    void controlWord();
    void applyKeyword(const Keyword& keyword, bool hasParam, int param);
    void byte(unsigned char b);
    void character(char32_t c);
    void lineBreak(Kind kind);
    void flushPending();
    void resolveCodePage(Group& group);
    bool shown() const { return !m_groups.back().fontTable && !m_groups.back().hidden; }
    bool takeFallbackUnit();

    bool textFollows();

    const char* m_pos;
    const char* m_end;
    bool m_done = false;
    bool m_damaged = false;
    const char* m_nextText; // where textFollows() last found more than filler

    std::vector<Group> m_groups;
    int m_excessDepth = 0;  // groups beyond kMaxDepth that are open
    bool m_starred = false; // the previous token was \*
    int m_fallbackLeft = 0; // \uc units still to drop after a \u

    int m_ansiCodePage = 1252;
    int m_defaultFont = -1;
    std::unordered_map<int, FontInfo> m_fonts;
    int m_fontBeingDefined = INT_MIN;
    unsigned m_fontStamp = 1; // changes whenever a font's or the document's code page does

    std::u16string m_text;
    QByteArray m_pending; // bytes of a multi-byte code page, decoded together
    int m_pendingCodePage = 0;
    CodePageDecoder m_multiByteDecoder{0};
    std::size_t m_paragraphEnd = std::u16string::npos; // text size right after the last break
    std::size_t m_cellEnd = std::u16string::npos;      // text size right after the last cell
};

QString RtfParser::run() {
    m_text.reserve(std::size_t(m_end - m_pos) / 4);
    while (m_pos < m_end && !m_done) {
        const char c = *m_pos++;
        switch (c) {
        case '{':
            openGroup();
            break;
        case '}':
            closeGroup();
            break;
        case '\\':
            if (m_pos < m_end && isLetter(*m_pos))
                controlWord();
            else
                controlSymbol();
            break;
        case '\r':
        case '\n':
            break;
        default:
            m_starred = false;
            byte(static_cast<unsigned char>(c));
            break;
        }
    }
    if (!m_done)
        m_damaged = true; // the data ends inside the document
    flushPending();
    if (m_paragraphEnd == m_text.size() && m_text.size() >= 2)
        m_text.resize(m_text.size() - 2);
    return QString::fromStdU16String(m_text);
}

void RtfParser::openGroup() {
    m_starred = false;
    m_fallbackLeft = 0;
    if (m_groups.size() >= std::size_t(kMaxDepth)) {
        ++m_excessDepth;
        return;
    }
    if (m_groups.empty()) {
        m_groups.emplace_back();
        return;
    }
    Group& parent = m_groups.back();
    const bool skip = parent.skipNextGroup;
    parent.skipNextGroup = false;
    Group child = parent;
    m_groups.push_back(child);
    if (skip)
        skipGroup();
}

void RtfParser::closeGroup() {
    m_starred = false;
    m_fallbackLeft = 0;
    if (m_excessDepth > 0) {
        --m_excessDepth;
        return;
    }
    if (m_groups.empty())
        return;
    if (m_groups.size() == 1 && textFollows()) {
        // A closing brace too many: the document goes on after it, so read on.
        m_damaged = true;
        return;
    }
    m_groups.pop_back();
    if (m_groups.empty())
        m_done = true; // the document's own group is closed; anything after it is not read
}

// Whether anything follows but filler: blanks, line breaks, NULs, the old end-of-file mark
// (Ctrl+Z) and closing braces. What was found is kept, so that a run of stray braces is
// looked through once.
bool RtfParser::textFollows() {
    if (m_nextText < m_pos) {
        m_nextText = std::find_if(m_pos, m_end, [](char c) {
            return c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\0' && c != '\x1a' &&
                   c != '}';
        });
    }
    return m_nextText != m_end;
}

// Drops everything up to the brace that closes the current group, and closes it.
void RtfParser::skipGroup() {
    int depth = 1;
    while (m_pos < m_end) {
        const char c = *m_pos++;
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth == 0) {
                closeGroup();
                return;
            }
        } else if (c == '\\' && m_pos < m_end) {
            if (!isLetter(*m_pos)) {
                ++m_pos; // an escaped brace or backslash is not a brace
                continue;
            }
            const char* word = m_pos;
            while (m_pos < m_end && isLetter(*m_pos))
                ++m_pos;
            if (std::string_view(word, std::size_t(m_pos - word)) != "bin")
                continue;
            long long length = 0;
            while (m_pos < m_end && isDigit(*m_pos)) {
                length = std::min(length * 10 + (*m_pos - '0'), (long long)INT_MAX);
                ++m_pos;
            }
            if (m_pos < m_end && *m_pos == ' ')
                ++m_pos;
            m_pos += std::min(length, (long long)(m_end - m_pos));
        }
    }
}

void RtfParser::controlSymbol() {
    if (m_pos >= m_end)
        return;
    const char c = *m_pos++;
    if (c == '*') {
        m_starred = true;
        return;
    }
    m_starred = false;
    if (c == '\'') {
        int value = -1;
        if (m_pos < m_end && hexValue(*m_pos) >= 0) {
            value = hexValue(*m_pos++);
            if (m_pos < m_end && hexValue(*m_pos) >= 0)
                value = value * 16 + hexValue(*m_pos++);
        }
        if (takeFallbackUnit() || value < 0)
            return;
        byte(static_cast<unsigned char>(value));
        return;
    }
    if (takeFallbackUnit())
        return;
    switch (c) {
    case '\\':
    case '{':
    case '}':
        byte(static_cast<unsigned char>(c));
        break;
    case '~':
        character(U'\u00A0');
        break;
    case '_':
        character(U'-');
        break;
    case '\r':
    case '\n':
        lineBreak(Kind::Paragraph);
        break;
    default: // \- (optional hyphen), \: (index subentry), \| (formula) and the like
        break;
    }
}

void RtfParser::controlWord() {
    const char* start = m_pos;
    while (m_pos < m_end && isLetter(*m_pos))
        ++m_pos;
    const std::string_view name(start, std::min(std::size_t(m_pos - start), kMaxWordLength));

    bool hasParam = false;
    long long param = 0;
    if (m_pos < m_end && (isDigit(*m_pos) || *m_pos == '-')) {
        const bool negative = *m_pos == '-';
        const char* digits = m_pos + (negative ? 1 : 0);
        if (digits < m_end && isDigit(*digits)) {
            hasParam = true;
            m_pos = digits;
            while (m_pos < m_end && isDigit(*m_pos)) {
                param = std::min(param * 10 + (*m_pos - '0'), (long long)INT_MAX);
                ++m_pos;
            }
            if (negative)
                param = -param;
        }
    }
    if (m_pos < m_end && *m_pos == ' ')
        ++m_pos;

    const Keyword* keyword = findKeyword(name);
    const bool starred = m_starred;
    m_starred = false;
    if (keyword != nullptr && keyword->kind == Kind::Binary) {
        // The data is never shown; in a fallback it counts as one unit.
        takeFallbackUnit();
        m_pos += std::min(std::max(param, 0LL), (long long)(m_end - m_pos));
        return;
    }
    if (takeFallbackUnit())
        return;
    if (starred && (keyword == nullptr || keyword->kind != Kind::UnicodeDest)) {
        // A destination that a reader which does not know it may drop.
        skipGroup();
        return;
    }
    if (keyword != nullptr)
        applyKeyword(*keyword, hasParam, int(param));
}

void RtfParser::applyKeyword(const Keyword& keyword, bool hasParam, int param) {
    Group& group = m_groups.back();
    switch (keyword.kind) {
    case Kind::Skip:
        skipGroup();
        break;
    case Kind::FontTable:
        group.fontTable = true;
        break;
    case Kind::Font:
        if (group.fontTable) {
            m_fontBeingDefined = param;
            m_fonts.try_emplace(param);
            ++m_fontStamp;
        } else {
            group.font = param;
            group.fontStamp = 0;
        }
        break;
    case Kind::FontCharset:
        if (group.fontTable && m_fontBeingDefined != INT_MIN) {
            m_fonts[m_fontBeingDefined].charsetCodePage = codePageOfCharset(param);
            ++m_fontStamp;
        }
        break;
    case Kind::FontCodePage:
        if (group.fontTable && m_fontBeingDefined != INT_MIN) {
            m_fonts[m_fontBeingDefined].codePage = std::max(param, 0);
            ++m_fontStamp;
        }
        break;
    case Kind::AnsiCodePage:
        if (param > 0) {
            m_ansiCodePage = param;
            ++m_fontStamp;
        }
        break;
    case Kind::Ansi:
    case Kind::Mac:
    case Kind::Pc:
    case Kind::Pca:
        m_ansiCodePage = keyword.kind == Kind::Ansi  ? 1252
                         : keyword.kind == Kind::Mac ? 10000
                         : keyword.kind == Kind::Pc  ? 437
                                                     : 850;
        ++m_fontStamp;
        break;
    case Kind::DefaultFont:
        m_defaultFont = param;
        ++m_fontStamp;
        break;
    case Kind::Plain:
        group.font = -1;
        group.fontStamp = 0;
        group.hidden = false;
        break;
    case Kind::Hidden:
        group.hidden = !hasParam || param != 0;
        break;
    case Kind::UnicodeSkip:
        group.unicodeSkip = std::max(param, 0);
        break;
    case Kind::Unicode: {
        const long long value = param < 0 ? param + 65536LL : param;
        if (value >= 0)
            character(char32_t(value));
        m_fallbackLeft = group.unicodeSkip;
        break;
    }
    case Kind::UnicodePair:
        group.skipNextGroup = true;
        break;
    case Kind::Paragraph:
    case Kind::Line:
    case Kind::Row:
        lineBreak(keyword.kind);
        break;
    case Kind::Cell:
        if (shown()) {
            character(U'\t');
            m_cellEnd = m_text.size();
        }
        break;
    case Kind::Character:
        character(keyword.character);
        break;
    case Kind::UnicodeDest:
    case Kind::Nothing:
    case Kind::Binary:
        break;
    }
}

// Drops one unit of the fallback that follows \uN; returns whether it did.
bool RtfParser::takeFallbackUnit() {
    if (m_fallbackLeft <= 0)
        return false;
    --m_fallbackLeft;
    return true;
}

void RtfParser::resolveCodePage(Group& group) {
    const int font = group.font >= 0 ? group.font : m_defaultFont;
    int codePage = 0;
    if (const auto found = m_fonts.find(font); found != m_fonts.end())
        codePage =
            found->second.codePage != 0 ? found->second.codePage : found->second.charsetCodePage;
    if (codePage == 0)
        codePage = m_ansiCodePage;
    group.codePage = codePage;
    group.singleByte = singleByteCodePage(codePage);
    if (group.singleByte == nullptr && !isMultiByteCodePage(codePage))
        group.singleByte = singleByteCodePage(1252);
    group.fontStamp = m_fontStamp;
}

// A byte of text: a raw character of the source or a \'hh.
void RtfParser::byte(unsigned char b) {
    if (takeFallbackUnit() || !shown())
        return;
    if (b < 0x20) {
        if (b == '\t')
            character(U'\t');
        return; // other control characters are not text
    }
    Group& group = m_groups.back();
    if (group.fontStamp != m_fontStamp)
        resolveCodePage(group);
    if (!m_pending.isEmpty() && m_pendingCodePage != group.codePage)
        flushPending();
    if (group.singleByte == nullptr) {
        m_pending.append(char(b));
        m_pendingCodePage = group.codePage;
        return;
    }
    if (!m_pending.isEmpty())
        flushPending();
    m_text.push_back(b < 0x80 ? char16_t(b) : group.singleByte[b - 0x80]);
}

// A character given by a control word or by \uN.
void RtfParser::character(char32_t c) {
    if (!shown())
        return;
    if (c < 0x20 && c != U'\t')
        return;
    if (c > 0x10FFFF)
        return;
    flushPending();
    if (c > 0xFFFF) {
        m_text.push_back(char16_t(0xD800 + ((c - 0x10000) >> 10)));
        m_text.push_back(char16_t(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
        m_text.push_back(char16_t(c));
    }
}

void RtfParser::lineBreak(Kind kind) {
    if (!shown())
        return;
    flushPending();
    // A row's last cell ends at the row's break, not with a tab.
    if (kind == Kind::Row && m_cellEnd == m_text.size())
        m_text.pop_back();
    m_text.append(u"\r\n");
    if (kind != Kind::Line)
        m_paragraphEnd = m_text.size();
}

void RtfParser::flushPending() {
    if (m_pending.isEmpty())
        return;
    if (m_multiByteDecoder.codePage() != m_pendingCodePage)
        m_multiByteDecoder = CodePageDecoder(m_pendingCodePage);
    const QString decoded = m_multiByteDecoder.decode(m_pending);
    m_text.append(reinterpret_cast<const char16_t*>(decoded.constData()),
                  std::size_t(decoded.size()));
    m_pending.clear();
}

} // namespace

RtfResult readRtf(QByteArrayView rtf) {
    RtfResult result;
    if (!rtf.startsWith(QByteArrayView("{\\rtf"))) {
        result.error =
            QStringLiteral("Файл не является документом RTF: он не начинается с «{\\rtf».");
        return result;
    }
    result.ok = true;
    RtfParser parser(rtf);
    result.text = parser.run();
    result.damaged = parser.damaged();
    return result;
}
