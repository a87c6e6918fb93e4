#pragma once

#include "formats/BookText.h"
#include "formats/ParagraphText.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The visible text of an HTML or XHTML document, read leniently as browsers do: the head,
// scripts, styles and comments are left out, block elements (paragraphs, headings, list
// items, table rows, line breaks ...) end paragraphs, table cells are separated by blanks and
// character references (&amp; &nbsp; &#1078; &#x436;) are decoded.
void addHtmlText(QStringView html, ParagraphText& out);

// A web page file: the encoding comes from a byte order mark, else from the page's own
// declaration (<meta charset> or <?xml encoding?>), else it is guessed as for a plain text.
BookText readHtml(QByteArrayView bytes);

// The character a named reference (without & and ;) stands for, or 0 when the name is not one
// of those that books and web pages use.
char16_t namedCharacter(QStringView name);
