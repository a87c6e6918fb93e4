#include "platform/ParagraphText.h"

void ParagraphText::startParagraph() {
    ParagraphStart = Text.size();
    if (!Text.isEmpty())
        Text += QStringLiteral("\r\n");
    ContentStart = Text.size();
    BlankBefore = true;
}

void ParagraphText::addFlowing(QStringView text) {
    for (const QChar c : text) {
        if (c.isSpace()) {
            if (!BlankBefore) {
                Text += QLatin1Char(' ');
                BlankBefore = true;
            }
            continue;
        }
        if (ParagraphStart < 0)
            startParagraph();
        Text += c;
        BlankBefore = false;
        HasText = true;
    }
}

void ParagraphText::addExact(QStringView text) {
    if (text.isEmpty())
        return;
    if (ParagraphStart < 0)
        startParagraph();
    for (const QChar c : text) {
        const bool blank = c.isSpace();
        Text += blank ? QChar(QLatin1Char(' ')) : c;
        BlankBefore = blank;
        HasText = HasText || !blank;
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
