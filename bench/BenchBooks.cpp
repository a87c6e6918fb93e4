#include "BenchBooks.h"

#include "BenchTexts.h"
#include "ZipBuilder.h"

namespace BenchBooks {

namespace {

constexpr int ParagraphsPerChapter = 50;

QString escaped(const QString& text) {
    return text.toHtmlEscaped();
}

} // namespace

QStringList paragraphs(qsizetype textBytes) {
    // Russian prose takes about 1.85 UTF-8 bytes per character.
    const QString prose = BenchTexts::russianProse(qsizetype(double(textBytes) / 1.85));
    QStringList result;
    qsizetype at = 0;
    while (at < prose.size()) {
        qsizetype end = prose.indexOf(QStringLiteral(". "), at + 1000);
        end = end < 0 ? prose.size() : end + 1;
        result.append(prose.mid(at, end - at).trimmed());
        at = end;
    }
    return result;
}

QByteArray txtFile(const QStringList& paragraphs) {
    return paragraphs.join(QStringLiteral("\r\n")).toUtf8();
}

QByteArray fb2File(const QStringList& paragraphs) {
    QString xml = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<FictionBook xmlns=\"http://www.gribuser."
        "ru/xml/fictionbook/2.0\"><description><title-info><book-title>Проза</book-title>"
        "</title-info></description><body>\n");
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        if (i % ParagraphsPerChapter == 0)
            xml += i == 0 ? QStringLiteral("<section>\n") : QStringLiteral("</section><section>\n");
        xml += QStringLiteral("<p>") + escaped(paragraphs.at(i)) + QStringLiteral("</p>\n");
    }
    xml += QStringLiteral("</section></body></FictionBook>\n");
    return xml.toUtf8();
}

QByteArray epubFile(const QStringList& paragraphs) {
    QList<ZipEntry> entries{
        {QStringLiteral("mimetype"), "application/epub+zip", false},
        {QStringLiteral("META-INF/container.xml"),
         "<?xml version=\"1.0\"?><container version=\"1.0\" xmlns=\"urn:oasis:names:tc:"
         "opendocument:xmlns:container\"><rootfiles><rootfile full-path=\"OEBPS/p.opf\" "
         "media-type=\"application/oebps-package+xml\"/></rootfiles></container>"}};
    QString manifest;
    QString spine;
    for (qsizetype first = 0, n = 0; first < paragraphs.size();
         first += ParagraphsPerChapter, ++n) {
        QString page = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<html xmlns="
                                      "\"http://www.w3.org/1999/xhtml\"><head><title>Глава"
                                      "</title></head><body>\n");
        for (const QString& p : paragraphs.mid(first, ParagraphsPerChapter))
            page += QStringLiteral("<p>") + escaped(p) + QStringLiteral("</p>\n");
        page += QStringLiteral("</body></html>\n");
        const QString name = QStringLiteral("c%1.xhtml").arg(n);
        entries.append({QStringLiteral("OEBPS/") + name, page.toUtf8()});
        manifest += QStringLiteral("<item id=\"c%1\" href=\"%2\" media-type=\"application/"
                                   "xhtml+xml\"/>")
                        .arg(n)
                        .arg(name);
        spine += QStringLiteral("<itemref idref=\"c%1\"/>").arg(n);
    }
    entries.append({QStringLiteral("OEBPS/p.opf"),
                    (QStringLiteral("<?xml version=\"1.0\"?><package xmlns=\"http://www.idpf.org/"
                                    "2007/opf\" version=\"3.0\"><manifest>") +
                     manifest + QStringLiteral("</manifest><spine>") + spine +
                     QStringLiteral("</spine></package>"))
                        .toUtf8()});
    return buildZip(entries);
}

QByteArray docxFile(const QStringList& paragraphs) {
    QString xml = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<w:document xmlns:w="
        "\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>");
    for (const QString& p : paragraphs)
        xml += QStringLiteral("<w:p><w:pPr><w:jc w:val=\"both\"/></w:pPr><w:r><w:rPr><w:lang "
                              "w:val=\"ru-RU\"/></w:rPr><w:t>") +
               escaped(p) + QStringLiteral("</w:t></w:r></w:p>");
    xml += QStringLiteral("</w:body></w:document>");
    return buildZip({{QStringLiteral("[Content_Types].xml"), "<Types/>"},
                     {QStringLiteral("word/document.xml"), xml.toUtf8()}});
}

namespace {

QByteArray repeatedTo(const QByteArray& piece, qsizetype bytes) {
    return piece.repeated(bytes / piece.size());
}

QByteArray fb2Around(const QByteArray& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<FictionBook><body><section>" + body +
           "</section></body></FictionBook>\n";
}

} // namespace

QByteArray emptyElementsFb2(qsizetype bytes) {
    return fb2Around(repeatedTo("<p/>", bytes));
}

QByteArray oneLetterFb2(qsizetype bytes) {
    return fb2Around(repeatedTo("<p>ж</p>", bytes));
}

QByteArray emptyRunsDocx(qsizetype bytes) {
    const QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                           "<w:document xmlns:w=\"http://schemas.openxmlformats.org/"
                           "wordprocessingml/2006/main\"><w:body><w:p>" +
                           repeatedTo("<w:r/>", bytes) + "</w:p></w:body></w:document>";
    return buildZip({{QStringLiteral("[Content_Types].xml"), "<Types/>"},
                     {QStringLiteral("word/document.xml"), xml}});
}

} // namespace BenchBooks
