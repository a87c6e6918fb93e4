// libFuzzer entry point for the ODT reader: any archive is refused or read within its limit.
#include "FuzzBook.h"
#include "platform/OfficeReaders.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    checkBook(readOdt(input, FuzzUnpackedLimit), FuzzUnpackedLimit);
    return 0;
}
