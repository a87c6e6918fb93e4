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

} // namespace

MarkupCount countMarkup(QByteArrayView utf8) {
    MarkupCount count;
    const char* p = utf8.data();
    const char* const end = p + utf8.size();
    while (p < end) {
        const auto* tag = static_cast<const char*>(std::memchr(p, '<', size_t(end - p)));
        count.characters += textCharacters(p, tag ? tag : end);
        if (!tag)
            break;
        const QByteArrayView rest(tag, end - tag);
        if (rest.startsWith("<!--")) {
            p = after(tag + 4, end, "-->");
        } else if (rest.startsWith("<![CDATA[")) {
            p = after(tag + 9, end, "]]>");
            count.characters += textCharacters(tag + 9, p == end ? end : p - 3);
        } else if (rest.startsWith("<?")) {
            p = after(tag + 2, end, "?>");
        } else {
            if (rest.size() > 1 && rest.at(1) != '/' && rest.at(1) != '!')
                ++count.elements;
            const auto* close = static_cast<const char*>(std::memchr(tag, '>', size_t(end - tag)));
            p = close ? close + 1 : end;
        }
    }
    return count;
}

bool withinElements(const MarkupCount& count, const MarkupBudget& budget) {
    return count.elements <= budget.freeElements + budget.elementsPerCharacter * count.characters;
}
