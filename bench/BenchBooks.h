#pragma once

#include <QByteArray>
#include <QStringList>

// The same prose as files of each book kind, so that opening them can be set side by side
// with opening the same paragraphs as a plain text.
namespace BenchBooks {

// Paragraphs of about 1000 characters whose UTF-8 text with CR LF between them is about
// `textBytes` long.
QStringList paragraphs(qsizetype textBytes);

QByteArray txtFile(const QStringList& paragraphs);  // UTF-8, CR LF between paragraphs
QByteArray fb2File(const QStringList& paragraphs);  // sections of 50 paragraphs
QByteArray epubFile(const QStringList& paragraphs); // a chapter document per 50 paragraphs
QByteArray docxFile(const QStringList& paragraphs); // one run per paragraph

// Hostile books of about `bytes` of markup that hold no text, or next to none.
QByteArray emptyElementsFb2(qsizetype bytes); // <p/> after <p/>
QByteArray oneLetterFb2(qsizetype bytes);     // <p>ж</p> after <p>ж</p>: a letter a paragraph
QByteArray emptyRunsDocx(qsizetype bytes);    // document.xml of <w:r/>, packed very small

} // namespace BenchBooks
