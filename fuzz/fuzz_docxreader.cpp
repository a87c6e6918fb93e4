// libFuzzer entry point for the DOCX reader: any archive is refused or read within its limit.
// Inputs that are not zip archives become the main document part of an otherwise sound
// package, so that the XML handling is explored too, not only the archive checks.
#include "FuzzBook.h"
#include "ZipBuilder.h"
#include "formats/OfficeReaders.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    checkBook(readDocx(input, FuzzUnpackedLimit), FuzzUnpackedLimit);
    if (!input.startsWith("PK")) {
        const QByteArray package = buildZip({{QStringLiteral("[Content_Types].xml"), "<Types/>"},
                                             {QStringLiteral("word/document.xml"), input}});
        checkBook(readDocx(package, FuzzUnpackedLimit), FuzzUnpackedLimit);
    }
    return 0;
}
