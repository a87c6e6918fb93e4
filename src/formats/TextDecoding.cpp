#include "formats/TextDecoding.h"

#include "formats/CodePages.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <utility>

namespace {

bool startsWith(const QByteArray& bytes, std::initializer_list<unsigned char> mark) {
    if (bytes.size() < qsizetype(mark.size()))
        return false;
    return std::equal(mark.begin(), mark.end(), bytes.cbegin(),
                      [](unsigned char m, char b) { return m == static_cast<unsigned char>(b); });
}

// The characters of the upper half of Windows-1251 with their bytes, sorted by character.
using ReverseEntry = std::pair<char16_t, unsigned char>;

std::array<ReverseEntry, 128> makeReverse1251() {
    const char16_t* high = singleByteCodePage(1251);
    std::array<ReverseEntry, 128> entries{};
    for (int i = 0; i < 128; ++i)
        entries[i] = {high[i], static_cast<unsigned char>(0x80 + i)};
    std::sort(entries.begin(), entries.end());
    return entries;
}

} // namespace

QString decodeText(const QByteArray& bytes) {
    if (startsWith(bytes, {0xEF, 0xBB, 0xBF}))
        return QString::fromUtf8(QByteArrayView(bytes).sliced(3));
    if (startsWith(bytes, {0xFF, 0xFE}) || startsWith(bytes, {0xFE, 0xFF})) {
        const bool littleEndian = static_cast<unsigned char>(bytes[0]) == 0xFF;
        QStringDecoder decoder(littleEndian ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                               QStringDecoder::Flag::Stateless);
        return decoder.decode(QByteArrayView(bytes).sliced(2));
    }
    // Checking stops at the first byte that is not UTF-8, which in a Windows-1251 text comes
    // early; only the encoding found is decoded.
    if (QByteArrayView(bytes).isValidUtf8())
        return QString::fromUtf8(bytes);
    return decodeWindows1251(bytes);
}

QString decodeWindows1251(QByteArrayView bytes) {
    return decodeCodePage(bytes, 1251);
}

QByteArray encodeWindows1251(QStringView text) {
    static const std::array<ReverseEntry, 128> reverse = makeReverse1251();
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            bytes.append(static_cast<char>(c));
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode()))
            ++i;
        const auto found = std::lower_bound(reverse.begin(), reverse.end(), ReverseEntry{c, 0});
        if (found != reverse.end() && found->first == c)
            bytes.append(static_cast<char>(found->second));
        else
            bytes.append('?');
    }
    return bytes;
}
