// libFuzzer entry point for the FB2 reader, as a plain file and as a .fb2.zip archive.
#include "FuzzBook.h"
#include "formats/Fb2Reader.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    checkBook(readFb2(input), input.size());
    checkBook(readFb2Zip(input, FuzzUnpackedLimit), FuzzUnpackedLimit);
    return 0;
}
