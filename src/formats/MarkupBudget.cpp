#include "formats/MarkupBudget.h"

#include <cstring>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The characters of the UTF-8 text from `from` to `to`; none when it is only blanks.
qsizetype textCharacters(const char* from, const char* to) {
    while (from < to && isBlank(*from))
        ++from;
    qsizetype count = 0;
    for (; from < to; ++from)
        count += (static_cast<unsigned char>(*from) & 0xC0) != 0x80; // not a continuation
    return count;
}

// Where `delimiter` ends in [from, to), or `to` when it does not occur.
const char* after(const char* from, const char* to, QByteArrayView delimiter) {
    const qsizetype at = QByteArrayView(from, to - from).indexOf(delimiter);
    return at < 0 ? to : from + at + delimiter.size();
}

const char* afterTag(const char* tag, const char* to) {
    const auto* close = static_cast<const char*>(std::memchr(tag, '>', size_t(to - tag)));
    return close ? close + 1 : to;
}

// Whether the markup at `tag` is a comment, CDATA section, processing instruction or
// declaration rather than an element's tag.
bool isUnparsed(const char* tag, const char* end) {
    return tag + 1 < end && (tag[1] == '!' || tag[1] == '?');
}

// Where the comment, CDATA section, processing instruction or declaration at `tag` ends. A
// CDATA section's text is put in *cdata.
const char* pastUnparsed(const char* tag, const char* end, QByteArrayView* cdata) {
    const QByteArrayView rest(tag, end - tag);
    if (rest.startsWith("<!--"))
        return after(tag + 4, end, "-->");
    if (rest.startsWith("<![CDATA[")) {
        const char* past = after(tag + 9, end, "]]>");
        *cdata = QByteArrayView(tag + 9, (past == end ? end : past - 3) - (tag + 9));
        return past;
    }
    if (rest.startsWith("<?"))
        return after(tag + 2, end, "?>");
    return afterTag(tag, end);
}

const char* nextTag(const char* from, const char* end) {
    return static_cast<const char*>(std::memchr(from, '<', size_t(end - from)));
}

} // namespace

qsizetype countElements(QByteArrayView utf8) {
    qsizetype count = 0;
    const char* p = utf8.data();
    const char* const end = p + utf8.size();
    while (p < end) {
        const char* tag = nextTag(p, end);
        if (!tag)
            break;
        if (isUnparsed(tag, end)) {
            QByteArrayView cdata;
            p = pastUnparsed(tag, end, &cdata);
            continue;
        }
        if (tag + 1 < end && tag[1] != '/')
            ++count;
        p = tag + 1;
    }
    return count;
}

qsizetype countCharacters(QByteArrayView utf8, qsizetype enough) {
    qsizetype count = 0;
    const char* p = utf8.data();
    const char* const end = p + utf8.size();
    while (p < end && count < enough) {
        const char* tag = nextTag(p, end);
        count += textCharacters(p, tag ? tag : end);
        if (!tag)
            break;
        if (isUnparsed(tag, end)) {
            QByteArrayView cdata;
            p = pastUnparsed(tag, end, &cdata);
            count += textCharacters(cdata.begin(), cdata.end());
        } else {
            p = afterTag(tag, end);
        }
    }
    return count;
}

bool withinElements(QByteArrayView utf8, const MarkupBudget& budget) {
    const qsizetype beyond = countElements(utf8) - budget.freeElements;
    if (beyond <= 0)
        return true;
    if (budget.elementsPerCharacter <= 0)
        return false;
    const qsizetype needed =
        (beyond + budget.elementsPerCharacter - 1) / budget.elementsPerCharacter;
    return countCharacters(utf8, needed) >= needed;
}
