#include "formats/BookFile.h"

#include "formats/EpubReader.h"
#include "formats/Fb2Reader.h"
#include "formats/HtmlText.h"
#include "formats/OfficeReaders.h"
#include "formats/ZipArchive.h"

namespace {

// What a zip archive's entries say it is.
BookKind archiveKind(const QByteArray& bytes) {
    // Only the small mimetype entry is unpacked here.
    ZipArchive zip(bytes, 256);
    if (!zip.isOpen())
        return BookKind::DamagedArchive;
    BookText ignored;
    const QByteArray mimetype =
        zip.contains(QStringLiteral("mimetype"))
            ? zip.read(QStringLiteral("mimetype"), &ignored).value_or(QByteArray()).trimmed()
            : QByteArray();
    if (mimetype == "application/epub+zip" ||
        zip.contains(QStringLiteral("META-INF/container.xml")))
        return BookKind::Epub;
    if (mimetype == "application/vnd.oasis.opendocument.text")
        return BookKind::Odt;
    if (zip.contains(QStringLiteral("word/document.xml")) ||
        zip.contains(QStringLiteral("[Content_Types].xml")))
        return BookKind::Docx;
    if (zip.contains(QStringLiteral("content.xml")))
        return BookKind::Odt;
    for (const QString& name : zip.names()) {
        if (name.endsWith(QStringLiteral(".fb2"), Qt::CaseInsensitive))
            return BookKind::Fb2Zip;
    }
    return BookKind::UnknownArchive;
}

bool hasSuffix(const QString& fileName, std::initializer_list<const char*> suffixes) {
    for (const char* suffix : suffixes) {
        if (fileName.endsWith(QLatin1String(suffix), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace

BookKind bookKind(const QString& fileName, const QByteArray& bytes) {
    if (looksLikeZip(bytes))
        return archiveKind(bytes);
    if (hasSuffix(fileName, {".epub", ".docx", ".odt", ".zip"}))
        return BookKind::NotAnArchive;
    if (hasSuffix(fileName, {".txt"}) || fileName.endsWith(QStringLiteral(".rtf")))
        return BookKind::None;
    // The start of the file, as ASCII, without a byte order mark or UTF-16's zero bytes.
    QByteArray head = bytes.first(std::min<qsizetype>(bytes.size(), 4096));
    head.removeIf([](char c) { return c == '\0'; });
    const QString start = QString::fromLatin1(head).toLower();
    if (start.contains(QStringLiteral("<fictionbook")) || hasSuffix(fileName, {".fb2"}))
        return BookKind::Fb2;
    if (hasSuffix(fileName, {".htm", ".html", ".xhtml", ".xht"}))
        return BookKind::Html;
    const QString trimmed = start.mid(start.indexOf(QLatin1Char('<'))).left(64);
    if (start.indexOf(QLatin1Char('<')) >= 0 &&
        (trimmed.startsWith(QStringLiteral("<!doctype html")) ||
         trimmed.startsWith(QStringLiteral("<html"))))
        return BookKind::Html;
    return BookKind::None;
}

std::optional<BookText> readBook(const QString& fileName, const QByteArray& bytes,
                                 qint64 unpackedLimit) {
    switch (bookKind(fileName, bytes)) {
    case BookKind::None:
        return std::nullopt;
    case BookKind::Fb2:
        return readFb2(bytes);
    case BookKind::Fb2Zip:
        return readFb2Zip(bytes, unpackedLimit);
    case BookKind::Epub:
        return readEpub(bytes, unpackedLimit);
    case BookKind::Docx:
        return readDocx(bytes, unpackedLimit);
    case BookKind::Odt:
        return readOdt(bytes, unpackedLimit);
    case BookKind::Html:
        return readHtml(bytes);
    case BookKind::DamagedArchive:
        return BookProblem::damagedArchive();
    case BookKind::UnknownArchive:
        return BookProblem::unknownArchive();
    case BookKind::NotAnArchive:
        return BookProblem::notAnArchive();
    }
    return std::nullopt;
}
