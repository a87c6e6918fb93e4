#pragma once

#include <QByteArrayView>
#include <QString>

// What readRtf() gives back.
//  - ok is false only when the data is not RTF at all (it does not begin with "{\rtf");
//    error then holds a sentence in Russian that can be shown to the user as it is, and text
//    is empty.
//  - Otherwise ok is true and error is empty, also for damaged documents, which set damaged:
//    a document cut short gives the text read up to the point where it ends; a closing brace
//    that closes the document's own group while text still follows is passed over, and the
//    rest is read as part of the document. Blanks, NULs and braces after the document's end
//    are no damage.
struct RtfResult {
    bool ok = false;
    bool damaged = false;
    QString text;
    QString error;
};

// Reads an RTF document and returns the plain text a rich-edit control shows for it.
//
//  - Paragraph, section and page breaks, \line and \row become CR LF; the paragraph mark that
//    closes the document's last paragraph is the document's own end and adds nothing.
//    \tab and \cell become a tab.
//  - Bytes written as \'hh or as raw 8-bit characters are decoded in the code page of the
//    font in effect: the font table's \cpg or \fcharset (204 = Windows-1251, 0 = Windows-1252,
//    ...), or the document's \ansicpg for fonts without a charset and text without a font.
//  - \uN gives the character N (a negative N counts from 65536), after which the \ucN
//    fallback units that follow are dropped.
//  - Destinations that are not shown are dropped: font, colour, style, list and revision
//    tables, document information, pictures, objects, shapes, headers, footers, footnotes,
//    annotations, field instructions (a field shows its result) and every \* destination
//    that is not understood. Hidden text (\v) is dropped too.
//  - CR and LF in the source are ignored, as RTF says.
//
// Any input is safe: nesting deeper than a fixed limit is read at that limit, \bin lengths
// are bounded by the data, and the time taken grows linearly with the size of the data.
RtfResult readRtf(QByteArrayView rtf);
