// libFuzzer entry point for the ODT reader: any archive is refused or read within its limit.
// Inputs that are not zip archives become the content part of an otherwise sound package, so
// that the XML handling is explored too, not only the archive checks.
#include "FuzzBook.h"
#include "ZipBuilder.h"
#include "formats/OfficeReaders.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    checkBook(readOdt(input, FuzzUnpackedLimit), FuzzUnpackedLimit);
    if (!input.startsWith("PK")) {
        const QByteArray package = buildZip(
            {{QStringLiteral("mimetype"), "application/vnd.oasis.opendocument.text", false},
             {QStringLiteral("content.xml"), input}});
        checkBook(readOdt(package, FuzzUnpackedLimit), FuzzUnpackedLimit);
    }
    return 0;
}
