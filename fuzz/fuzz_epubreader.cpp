// libFuzzer entry point for the EPUB reader: any archive is refused or read within its limit.
// Inputs that are not zip archives become, by their first byte, either the package document
// (manifest, spine, paths) or a chapter of an otherwise sound book, so that the XML handling
// is explored too, not only the archive checks.
#include "FuzzBook.h"
#include "ZipBuilder.h"
#include "formats/EpubReader.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace {

const QByteArray Container = "<container><rootfiles><rootfile full-path=\"o/p.opf\"/></rootfiles>"
                             "</container>";
const QByteArray Package =
    "<package><manifest><item id=\"a\" href=\"a.xhtml\" media-type=\"application/xhtml+xml\"/>"
    "<item id=\"b\" href=\"t/b.xhtml\" media-type=\"application/xhtml+xml\"/></manifest><spine>"
    "<itemref idref=\"b\"/><itemref idref=\"a\"/></spine></package>";
const QByteArray Chapter = "<html><body><p>Глава</p></body></html>";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    checkBook(readEpub(input, FuzzUnpackedLimit), FuzzUnpackedLimit);
    if (!input.startsWith("PK") && !input.isEmpty()) {
        const bool asPackage = (input.at(0) & 1) != 0;
        const QByteArray book =
            buildZip({{QStringLiteral("META-INF/container.xml"), Container},
                      {QStringLiteral("o/p.opf"), asPackage ? input : Package},
                      {QStringLiteral("o/a.xhtml"), asPackage ? Chapter : input},
                      {QStringLiteral("o/t/b.xhtml"), Chapter}});
        checkBook(readEpub(book, FuzzUnpackedLimit), FuzzUnpackedLimit);
    }
    return 0;
}
