#pragma once

#include <QByteArrayView>

// How much markup one XML part of a book may hold. A book's markup is there for its text: a
// part that is nearly all elements (millions of empty ones, say) would only fill memory with
// its parsed tree. Such a part is refused before it is parsed, by its count of elements for
// the text it holds; and however a part is made, its tree never grows past treeBytes.
struct MarkupBudget {
    // Elements a part may hold whatever its text: a cover page or a form is all markup.
    qsizetype freeElements = 10000;
    // Elements allowed beyond those for each character of text.
    qsizetype elementsPerCharacter = 20;
    // The most memory the parsed tree may take.
    qsizetype treeBytes = 64 * 1024 * 1024;
};

// What a part holds, counted without parsing it. Elements: its start tags, outside comments,
// CDATA sections and processing instructions. Characters: those of its text (character data and
// CDATA sections, in UTF-8; blanks alone between tags are not text), counted until there are
// `enough`.
qsizetype countElements(QByteArrayView utf8);
qsizetype countCharacters(QByteArrayView utf8, qsizetype enough);

// Whether the part's elements are within what the budget allows for its text. The text is
// counted only as far as the elements need it: a real book's first pages.
bool withinElements(QByteArrayView utf8, const MarkupBudget& budget);
