// libFuzzer entry point for the RTF reader. Every input must be read without a crash, a hang
// or undefined behaviour, and the result must keep the reader's promises.

#include "formats/RtfReader.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void check(const RtfResult& result, qsizetype inputSize) {
    // Either text or an error, never both.
    if (result.ok != result.error.isEmpty())
        std::abort();
    if (!result.ok && (!result.text.isEmpty() || result.damaged))
        std::abort();
    // No construct of the format yields more than two characters for each byte read.
    if (result.text.size() > 2 * inputSize)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    check(readRtf(input), input.size());
    // Most random inputs are not RTF at all; read them once more as the body of a document
    // so that the parser sees them too.
    if (!input.startsWith("{\\rtf")) {
        const QByteArray document = "{\\rtf1\\ansi\\ansicpg1251 " + input;
        check(readRtf(document), document.size());
    }
    return 0;
}
