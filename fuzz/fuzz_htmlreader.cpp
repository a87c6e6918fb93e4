// libFuzzer entry point for the web page reader.
#include "FuzzBook.h"
#include "formats/HtmlText.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    // A decoded byte is at most one UTF-16 unit, or two for a character outside the BMP
    // written as a four-byte sequence or a reference.
    checkBook(readHtml(input), 2 * input.size());
    return 0;
}
