#pragma once

#include <QString>
#include <QStringView>

// Gathers the text of a document paragraph by paragraph. Within a paragraph, runs of white
// space from markup (source line breaks, indentation) become one blank; paragraphs are
// separated by CR LF; paragraphs of nothing but blanks leave nothing behind.
class ParagraphText {
public:
    // Text whose white space is markup: collapsed to single blanks.
    void addFlowing(QStringView text);
    // Text whose blanks count one by one (a word processor's runs).
    void addExact(QStringView text);
    void endParagraph();
    // Room for about `size` characters, so that a long text is not copied as it grows.
    void reserve(qsizetype size) { Text.reserve(size); }

    bool hasText() const { return HasText; }
    QString take();

private:
    void startParagraph();

    QString Text;
    qsizetype ParagraphStart = -1; // where the current paragraph's break begins, -1 when none
    qsizetype ContentStart = 0;    // where its text begins
    bool BlankBefore = true;       // the last character written was a blank
    bool HasText = false;
};
