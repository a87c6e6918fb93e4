#include "formats/ParagraphText.h"

#include <algorithm>

namespace {

// White space as markup means it: ASCII blanks and controls, and the Unicode spaces.
bool isBlank(char16_t c) {
    if (c < 0x80)
        return c == u' ' || (c >= u'\t' && c <= u'\r');
    return c == 0x85 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 ||
           c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

} // namespace

void ParagraphText::startParagraph() {
    ParagraphStart = Text.size();
    if (!Text.isEmpty())
        Text += QStringLiteral("\r\n");
    ContentStart = Text.size();
    BlankBefore = true;
}

void ParagraphText::addFlowing(QStringView text) {
    if (text.isEmpty())
        return;
    // Written in place: at most every character and one paragraph break more.
    qsizetype length = Text.size();
    const qsizetype room = length + text.size() + 2;
    if (Text.capacity() < room)
        Text.reserve(std::max(room, 2 * Text.capacity()));
    Text.resize(room);
    char16_t* out = reinterpret_cast<char16_t*>(Text.data());
    for (const QChar c : text) {
        if (isBlank(c.unicode())) {
            if (!BlankBefore) {
                out[length++] = u' ';
                BlankBefore = true;
            }
            continue;
        }
        if (ParagraphStart < 0) {
            ParagraphStart = length;
            if (length > 0) {
                out[length++] = u'\r';
                out[length++] = u'\n';
            }
            ContentStart = length;
        }
        out[length++] = c.unicode();
        BlankBefore = false;
        HasText = true;
    }
    Text.truncate(length);
}

void ParagraphText::addExact(QStringView text) {
    if (text.isEmpty())
        return;
    if (ParagraphStart < 0)
        startParagraph();
    qsizetype length = Text.size();
    const qsizetype room = length + text.size();
    if (Text.capacity() < room)
        Text.reserve(std::max(room, 2 * Text.capacity()));
    Text.resize(room);
    char16_t* out = reinterpret_cast<char16_t*>(Text.data());
    for (const QChar c : text) {
        BlankBefore = isBlank(c.unicode());
        out[length++] = BlankBefore ? u' ' : c.unicode();
        HasText = HasText || !BlankBefore;
    }
}

void ParagraphText::endParagraph() {
    if (ParagraphStart < 0)
        return;
    qsizetype end = Text.size();
    while (end > ContentStart && Text.at(end - 1) == QLatin1Char(' '))
        --end;
    Text.truncate(end > ContentStart ? end : ParagraphStart);
    ParagraphStart = -1;
    BlankBefore = true;
}

QString ParagraphText::take() {
    endParagraph();
    return std::move(Text);
}
