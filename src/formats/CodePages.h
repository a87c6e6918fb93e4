#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

// Windows code pages, named by their numbers as the Windows API and RTF files name them.
//
// The single-byte pages are tables of our own and do not depend on how Qt was built:
// 437, 850, 866, 874, 1250 to 1258 and 10000 (Mac Roman). A byte that a page leaves
// undefined reads as the Unicode character with the same number (0x98 in 1251 as U+0098),
// so such bytes survive a round trip.
//
// The multi-byte pages 932, 936, 949, 950 and 65001 (UTF-8) go through Qt's converters;
// where the Qt build has no converter for one of them, its bytes above 0x7F read as '?'.
// Any other number reads as code page 1252.

// The upper half (bytes 0x80 to 0xFF) of a single-byte code page, 128 entries, or nullptr
// when the page is not one of the single-byte pages above.
const char16_t* singleByteCodePage(int codePage);

// True for the multi-byte pages above, whose characters may take more than one byte.
bool isMultiByteCodePage(int codePage);

// Decodes bytes written in one code page. It keeps the converter a multi-byte page needs,
// so that decoding many short runs of the same page stays cheap. Each run is decoded on its
// own: a character cut at the end of a run is not joined to the next run.
class CodePageDecoder {
public:
    explicit CodePageDecoder(int codePage);

    int codePage() const { return m_codePage; }
    QString decode(QByteArrayView bytes);

private:
    int m_codePage;
    const char16_t* m_singleByte = nullptr;
    QStringDecoder m_multiByte;
};

// Decodes bytes written in the given code page.
QString decodeCodePage(QByteArrayView bytes, int codePage);
