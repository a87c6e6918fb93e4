#include "ZipBuilder.h"
#include "formats/BookFile.h"
#include "formats/TextDecoding.h"
#include "formats/ZipArchive.h"
#include "shell/TextFileReader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

constexpr qint64 Limit = 1024 * 1024;

QByteArray fb2(const QString& body, const QString& encoding = QStringLiteral("UTF-8")) {
    const QString xml =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"") + encoding +
        QStringLiteral("\"?>\n<FictionBook xmlns=\"http://www.gribuser.ru/xml/fictionbook/2.0\" "
                       "xmlns:l=\"http://www.w3.org/1999/xlink\">\n<description><title-info>"
                       "<author><first-name>Анна</first-name><last-name>Лесная</last-name></author>"
                       "<book-title>Зимний сад</book-title><annotation><p>Не текст</p></annotation>"
                       "</title-info><document-info><author><nickname>верстальщик</nickname>"
                       "</author></document-info></description>\n") +
        body +
        QStringLiteral("\n<binary id=\"c.jpg\" content-type=\"image/jpeg\">AAAA</binary>"
                       "</FictionBook>");
    return encoding == u"UTF-8" ? xml.toUtf8() : encodeWindows1251(xml);
}

QByteArray xhtml(const QString& body) {
    return (QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE html>\n"
                           "<html xmlns=\"http://www.w3.org/1999/xhtml\"><head><title>Заголовок "
                           "окна</title><style>p{}</style></head><body>") +
            body + QStringLiteral("</body></html>"))
        .toUtf8();
}

// An EPUB whose manifest lists the documents in the order given and whose spine reads them
// in `spine` order (ids "d0", "d1" ...).
QByteArray epub(const QStringList& documents, const QString& spine,
                const QList<ZipEntry>& extra = {}) {
    QString manifest;
    for (int i = 0; i < documents.size(); ++i)
        manifest += QStringLiteral("<item id=\"d%1\" href=\"text/d%1.xhtml\" "
                                   "media-type=\"application/xhtml+xml\"/>")
                        .arg(i);
    const QString opf =
        QStringLiteral("<?xml version=\"1.0\"?><package xmlns=\"http://www.idpf.org/2007/opf\" "
                       "version=\"3.0\"><manifest>") +
        manifest +
        QStringLiteral("<item id=\"css\" href=\"s.css\" media-type=\"text/css\"/>"
                       "</manifest><spine>") +
        spine + QStringLiteral("</spine></package>");
    QList<ZipEntry> entries{
        {QStringLiteral("mimetype"), "application/epub+zip", false},
        {QStringLiteral("META-INF/container.xml"),
         "<?xml version=\"1.0\"?><container version=\"1.0\" "
         "xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\"><rootfiles><rootfile "
         "full-path=\"OEBPS/content.opf\" media-type=\"application/oebps-package+xml\"/>"
         "</rootfiles></container>"},
        {QStringLiteral("OEBPS/content.opf"), opf.toUtf8()},
    };
    for (int i = 0; i < documents.size(); ++i)
        entries.append({QStringLiteral("OEBPS/text/d%1.xhtml").arg(i), xhtml(documents.at(i))});
    return buildZip(entries + extra);
}

QByteArray docx(const QString& body, const QList<ZipEntry>& extra = {}) {
    const QString document =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
                       "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/"
                       "2006/main\" xmlns:mc=\"http://schemas.openxmlformats.org/"
                       "markup-compatibility/2006\"><w:body>") +
        body + QStringLiteral("<w:sectPr><w:pgSz w:w=\"11906\"/></w:sectPr></w:body></w:document>");
    return buildZip(
        QList<ZipEntry>{
            {QStringLiteral("[Content_Types].xml"), "<Types/>"},
            {QStringLiteral("_rels/.rels"),
             "<Relationships><Relationship Id=\"rId1\" Type=\"http://schemas."
             "openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
             "Target=\"word/document.xml\"/></Relationships>"},
            {QStringLiteral("word/document.xml"), document.toUtf8()},
            {QStringLiteral("word/header1.xml"),
             "<w:hdr xmlns:w=\"w\"><w:p><w:r><w:t>Колонтитул</w:t></w:r></w:p></w:hdr>"},
            {QStringLiteral("word/comments.xml"),
             "<w:comments xmlns:w=\"w\"><w:comment><w:p><w:r><w:t>Примечание</w:t>"
             "</w:r></w:p></w:comment></w:comments>"},
        } +
        extra);
}

QByteArray odt(const QString& text) {
    const QString content =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document-content "
                       "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                       "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
                       "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
                       "xmlns:dc=\"http://purl.org/dc/elements/1.1/\"><office:body><office:text>") +
        text + QStringLiteral("</office:text></office:body></office:document-content>");
    return buildZip({{QStringLiteral("mimetype"), "application/vnd.oasis.opendocument.text", false},
                     {QStringLiteral("content.xml"), content.toUtf8()},
                     {QStringLiteral("styles.xml"),
                      "<office:document-styles xmlns:office=\"o\" xmlns:text=\"t\"><text:p>Верхний "
                      "колонтитул</text:p></office:document-styles>"}});
}

const QString Spine01 = QStringLiteral("<itemref idref=\"d0\"/><itemref idref=\"d1\"/>");

// `xml` with a document type that declares `declarations`, put after its XML declaration in
// place of any document type it has.
QByteArray declaring(QByteArray xml, const QByteArray& declarations) {
    xml.replace("<!DOCTYPE html>", "");
    const qsizetype prolog = xml.startsWith("<?xml") ? xml.indexOf("?>") + 2 : 0;
    return xml.insert(prolog, "<!DOCTYPE root [" + declarations + "]>");
}

// The archive `zip` with its entry `name` changed by `change` (added when it is missing).
QByteArray withEntry(const QByteArray& zip, const QString& name,
                     const std::function<QByteArray(QByteArray)>& change) {
    ZipArchive archive(zip, Limit);
    QList<ZipEntry> entries;
    for (const QString& entry : archive.names()) {
        BookText ignored;
        const QByteArray data = archive.read(entry, &ignored).value_or(QByteArray());
        entries.append({entry, entry == name ? change(data) : data, entry != u"mimetype"});
    }
    if (!archive.contains(name))
        entries.append({name, change(QByteArray())});
    return buildZip(entries);
}

// Rows of refusesBadBooks: entity declarations, internal and external, in every XML part of
// every kind, refused in the same words before anything is expanded or fetched.
void addEntityDeclarationRows() {
    const QByteArray book =
        epub({QStringLiteral("<p>Текст</p>")}, QStringLiteral("<itemref idref=\"d0\"/>"));
    const QByteArray withContents =
        withEntry(withEntry(book, QStringLiteral("OEBPS/content.opf"),
                            [](QByteArray opf) {
                                return opf.replace("</manifest>",
                                                   "<item id=\"ncx\" href=\"toc.ncx\" media-type="
                                                   "\"application/x-dtbncx+xml\"/></manifest>");
                            }),
                  QStringLiteral("OEBPS/toc.ncx"),
                  [](const QByteArray&) { return QByteArray("<ncx><navMap/></ncx>"); });
    const QByteArray document = docx(QStringLiteral("<w:p><w:r><w:t>Текст</w:t></w:r></w:p>"));
    const QByteArray zippedFb2 =
        buildZip({{QStringLiteral("a.fb2"), fb2(QStringLiteral("<body><p>Текст</p></body>"))}});
    // What is made hostile: the archive, its entry, and the part's name in the refusal.
    struct Part {
        const char* what;
        const char* file;
        QByteArray archive;
        QString entry;
        QString named;
    };
    const QList<Part> parts{
        {"EPUB chapter", "a.epub", book, QStringLiteral("OEBPS/text/d0.xhtml"), {}},
        {"EPUB package", "a.epub", book, QStringLiteral("OEBPS/content.opf"), {}},
        {"EPUB container", "a.epub", book, QStringLiteral("META-INF/container.xml"), {}},
        {"EPUB table of contents", "a.epub", withContents, QStringLiteral("OEBPS/toc.ncx"), {}},
        {"DOCX document", "a.docx", document, QStringLiteral("word/document.xml"), {}},
        {"DOCX relationships", "a.docx", document, QStringLiteral("_rels/.rels"), {}},
        {"ODT content",
         "a.odt",
         odt(QStringLiteral("<text:p>Текст</text:p>")),
         QStringLiteral("content.xml"),
         {}},
        {"FB2 in a zip", "a.fb2.zip", zippedFb2, QStringLiteral("a.fb2"),
         QStringLiteral("FictionBook")},
    };
    const std::pair<const char*, QByteArray> kinds[] = {
        {"internal", "<!ENTITY a \"aaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">"},
        {"external", "<!ENTITY s SYSTEM \"file:///etc/passwd\">"},
    };
    for (const auto& [kind, declarations] : kinds) {
        const auto declare = [declarations](const QByteArray& xml) {
            return declaring(xml, declarations);
        };
        for (const Part& part : parts)
            QTest::addRow("entities declared in the %s, %s", part.what, kind)
                << part.file << withEntry(part.archive, part.entry, declare) << Limit
                << BookProblem::declaresEntities(part.named.isEmpty() ? part.entry : part.named)
                       .error;
        QTest::addRow("entities declared in an XHTML page, %s", kind)
            << "a.xhtml" << declare(xhtml(QStringLiteral("<p>Текст</p>"))) << Limit
            << BookProblem::declaresEntities(QStringLiteral("html")).error;
    }
}

} // namespace

class TestBookReaders : public QObject {
    Q_OBJECT
private slots:
    void readsBooks_data();
    void readsBooks();
    void refusesBadBooks_data();
    void refusesBadBooks();
    void readsTheLibraryAsRecorded_data();
    void readsTheLibraryAsRecorded();
    void choosesKindByContent_data();
    void choosesKindByContent();
    void keepsMarkupWithinItsBudget_data();
    void keepsMarkupWithinItsBudget();
    void opensABookAsAText();
};

void TestBookReaders::readsBooks_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    const QByteArray nested = fb2(
        QStringLiteral("<body><title><p>Часть первая</p></title><section><title><p>Глава 1"
                       "</p></title><p>Утро  было\n  тихим<a l:href=\"#n1\" type=\"note\">[1]"
                       "</a>.</p><section><p>Вложенный <emphasis>раздел</emphasis>.</p>"
                       "</section></section><section><p>Конец.</p></section></body>"
                       "<body name=\"notes\"><section id=\"n1\"><p>Сноска</p></section></body>"));
    const QString nestedText = QStringLiteral(
        "Зимний сад\r\nАнна Лесная\r\nЧасть первая\r\nГлава 1\r\nУтро было тихим.\r\n"
        "Вложенный раздел.\r\nКонец.");
    QTest::newRow("FB2: title, author, nested sections; notes and pictures left out")
        << "garden.fb2" << nested << nestedText;
    QTest::newRow("FB2 declared in windows-1251")
        << "garden.fb2"
        << fb2(QStringLiteral("<body><section><p>Ёж и «ель»</p></section></body>"),
               QStringLiteral("windows-1251"))
        << "Зимний сад\r\nАнна Лесная\r\nЁж и «ель»";
    QTest::newRow("FB2: epigraph, poem, table, subtitle")
        << "verse.fb2"
        << fb2(QStringLiteral("<body><section><epigraph><p>Слово</p><text-author>Автор"
                              "</text-author></epigraph><poem><stanza><v>Строка один</v><v>Строка "
                              "два</v></stanza></poem><subtitle>* * *</subtitle><table><tr><td>А"
                              "</td><td>Б</td></tr></table></section></body>"))
        << "Зимний сад\r\nАнна Лесная\r\nСлово\r\nАвтор\r\nСтрока один\r\nСтрока два\r\n* * *"
           "\r\nА\r\nБ";
    // Found by fuzzing: an author begun inside a part of another author's name.
    QTest::newRow("FB2: an author inside a name")
        << "odd.fb2"
        << QStringLiteral("<FictionBook><description><title-info><author><first-name>Ив"
                          "<author>ан</author></first-name><last-name>Сом</last-name></author>"
                          "</title-info></description><body><p>Да</p></body></FictionBook>")
               .toUtf8()
        << "Сом\r\nДа";
    QTest::newRow(".fb2.zip") << "garden.fb2.zip"
                              << buildZip({{QStringLiteral("garden.fb2"), nested}}) << nestedText;
    QTest::newRow("a .txt that is a zip holding an FB2")
        << "garden.txt"
        << buildZip({{QStringLiteral("readme.nfo"), "x"}, {QStringLiteral("g.FB2"), nested}})
        << nestedText;
    QTest::newRow("EPUB: the spine's order, non-linear documents left out")
        << "book.epub"
        << epub({QStringLiteral("<p>Второй</p>"), QStringLiteral("<h1>Первый</h1><p>Текст</p>"),
                 QStringLiteral("<p>Обложка</p>")},
                QStringLiteral("<itemref idref=\"d1\"/><itemref idref=\"d2\" linear=\"no\"/>"
                               "<itemref idref=\"d0\"/>"))
        << "Первый\r\nТекст\r\nВторой";
    QTest::newRow("EPUB: escaped and relative paths, obfuscated fonts only")
        << "book.epub"
        << buildZip({{QStringLiteral("META-INF/container.xml"),
                      "<container><rootfiles><rootfile full-path=\"a/b/p.opf\"/></rootfiles>"
                      "</container>"},
                     {QStringLiteral("META-INF/encryption.xml"),
                      "<encryption><EncryptedData><EncryptionMethod Algorithm=\"http://www.idpf."
                      "org/2008/embedding\"/></EncryptedData></encryption>"},
                     {QStringLiteral("a/b/p.opf"),
                      "<package><manifest><item id=\"x\" href=\"../c/my%20text.xhtml#top\" "
                      "media-type=\"application/xhtml+xml\"/></manifest><spine><itemref "
                      "idref=\"x\"/></spine></package>"},
                     {QStringLiteral("a/c/my text.xhtml"), xhtml(QStringLiteral("<p>Найден</p>"))}})
        << "Найден";
    QTest::newRow("DOCX: paragraphs, runs, a table, a tab; no headers, comments or deletions")
        << "paper.docx"
        << docx(QStringLiteral(
               "<w:p><w:pPr><w:tabs><w:tab w:val=\"left\"/></w:tabs></w:pPr><w:r><w:t>Раз</w:t>"
               "</w:r><w:r><w:t xml:space=\"preserve\"> и  два</w:t></w:r><w:del><w:r><w:delText>"
               "удалено</w:delText></w:r></w:del><w:r><w:tab/><w:t>три</w:t></w:r></w:p>"
               "<w:tbl><w:tr><w:tc><w:p><w:r><w:t>Ячейка 1</w:t></w:r></w:p></w:tc><w:tc><w:p>"
               "<w:r><w:t>Ячейка 2</w:t></w:r></w:p></w:tc></w:tr></w:tbl><w:p/>"
               "<w:p><w:r><mc:AlternateContent><mc:Choice><w:t>Рамка</w:t></mc:Choice>"
               "<mc:Fallback><w:t>Рамка</w:t></mc:Fallback></mc:AlternateContent></w:r></w:p>"))
        << "Раз и  два три\r\nЯчейка 1\r\nЯчейка 2\r\nРамка";
    QTest::newRow("ODT: headings, blanks, a table; no comments, notes or headers")
        << "notes.odt"
        << odt(QStringLiteral(
               "<text:h>Глава</text:h><text:p>Слово<text:s text:c=\"3\"/>слово<text:tab/>конец"
               "<office:annotation><dc:creator>Я</dc:creator><text:p>Комментарий</text:p>"
               "</office:annotation><text:note><text:note-citation>1</text:note-citation>"
               "<text:note-body><text:p>Сноска</text:p></text:note-body></text:note></text:p>"
               "<table:table><table:table-row><table:table-cell><text:p>А</text:p>"
               "</table:table-cell><table:table-cell><text:p>Б</text:p></table:table-cell>"
               "</table:table-row></table:table><text:p>Строка<text:line-break/>вторая</text:p>"
               "<text:s text:c=\"999999999\"/>"))
        << "Глава\r\nСлово   слово конец\r\nА\r\nБ\r\nСтрока\r\nвторая";
    QTest::newRow("HTML: no head, scripts or styles; entities decoded")
        << "page.html"
        << QByteArray("<!DOCTYPE html><html><head><title>T</title><meta charset=\"utf-8\"><style>"
                      "p{color:red}</style></head><body><script>var a = '<p>x</p>';</script><h1>"
                      "\xD0\x97\xD0\xB0&nbsp;&laquo;\xD0\xBC\xD0\xB8\xD1\x80&raquo;</h1><!-- "
                      "<p>hidden</p> --><p>A &amp; B &lt;C&gt; &#1046;&#x436; &bogus; 5 < 6</p>"
                      "<table><tr><td>1</td><td>2</td></tr></table></body></html>")
        << QStringLiteral("За «мир»\r\nA & B <C> Жж &bogus; 5 < 6\r\n1 2");
    QTest::newRow("HTML: a head left open ends where the body begins")
        << "open.html" << QByteArray("<html><head><title>T</title><BODY><p>x</p>y") << "x\r\ny";
    QTest::newRow("HTML: charset from the meta, windows-1251")
        << "old.htm"
        << QByteArray("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                      "charset=windows-1251\"></head><body><p>\xCC\xE8\xF0</p></body></html>")
        << "Мир";
    QTest::newRow("HTML: no charset, bytes as in a plain text")
        << "guess.html" << QByteArray("<p>\xCC\xE8\xF0</p><p>\xC4\xEE\xEC</p>") << "Мир\r\nДом";
    QTest::newRow("HTML: UTF-8 mark beats the meta")
        << "mark.html"
        << QByteArray("\xEF\xBB\xBF<meta charset=\"windows-1251\"><p>\xD0\x9C\xD0\xB8\xD1\x80</p>")
        << "Мир";
}

void TestBookReaders::readsBooks() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    const std::optional<BookText> book = readBook(name, bytes, Limit);
    QVERIFY(book);
    QVERIFY2(book->ok, qPrintable(book->error));
    QCOMPARE(book->text, text);
}

void TestBookReaders::refusesBadBooks_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<QString>("reason");

    const QByteArray book =
        epub({QStringLiteral("<p>Текст</p>")}, QStringLiteral("<itemref idref=\"d0\"/>"));
    QTest::newRow("truncated archive")
        << "cut.epub" << book.first(book.size() / 2) << Limit << "архив ZIP не читается";
    QByteArray flipped =
        buildZip({{QStringLiteral("a.fb2"), fb2(QString(2000, QLatin1Char('x')))}});
    flipped[60] = char(flipped[60] ^ 0x55); // inside the deflated data
    QTest::newRow("damaged entry")
        << "bad.fb2.zip" << flipped << Limit << "\"a.fb2\" не распаковывается";
    QTest::newRow("malformed FB2") << "bad.fb2" << fb2(QStringLiteral("<body><p>Текст</body>"))
                                   << Limit << "ошибка разметки XML в \"FictionBook\", строка 4";
    QTest::newRow("malformed package")
        << "bad.epub"
        << buildZip({{QStringLiteral("META-INF/container.xml"),
                      "<container><rootfile full-path=\"p.opf\"/></container>"},
                     {QStringLiteral("p.opf"), "<package><manifest></package>"}})
        << Limit << "ошибка разметки XML в \"p.opf\", строка 1";
    QTest::newRow("entities declared (billion laughs)")
        << "laughs.fb2"
        << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE FictionBook [<!ENTITY a \"aaaaaaaa\">"
                      "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">]><FictionBook><body><p>&b;</p>"
                      "</body></FictionBook>")
        << Limit << "сущности XML";
    QTest::newRow("external entity")
        << "secret.fb2"
        << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE FictionBook [<!ENTITY s SYSTEM "
                      "\"file:///etc/passwd\">]><FictionBook><body><p>&s;</p></body></FictionBook>")
        << Limit << "сущности XML";
    QTest::newRow("unpacked text over the limit")
        << "big.docx"
        << docx(QStringLiteral("<w:p><w:r><w:t>%1</w:t></w:r></w:p>")
                    .arg(QString(5000, QLatin1Char('a'))))
        << qint64(4000) << "слишком велик: распакованный текст больше 4000 байт.";
    const QString chapter = QStringLiteral("<p>%1</p>").arg(QString(400 * 1024, QLatin1Char('a')));
    QTest::newRow("many chapters over the limit, which is named")
        << "many.epub"
        << epub({chapter, chapter, chapter},
                QStringLiteral("<itemref idref=\"d0\"/><itemref idref=\"d1\"/><itemref "
                               "idref=\"d2\"/>"))
        << Limit << "слишком велик: распакованный текст больше 1 МБ.";
    QTest::newRow("one chapter over the program's limit, which is named")
        << "long.epub"
        << epub({QStringLiteral("<p>%1</p>").arg(QString(33 * 1024 * 1024, QLatin1Char('a')))},
                QStringLiteral("<itemref idref=\"d0\"/>"))
        << TextFileReader::MaximumFileSize << "слишком велик: распакованный текст больше 32 МБ.";
    QTest::newRow("FB2 with an empty body")
        << "empty.fb2" << fb2(QStringLiteral("<body><section><p> </p></section></body>")) << Limit
        << "не содержит текста";
    QTest::newRow("DOCX with empty paragraphs")
        << "empty.docx" << docx(QStringLiteral("<w:p/><w:p></w:p>")) << Limit
        << "не содержит текста";
    QTest::newRow("web page of scripts only")
        << "s.html" << QByteArray("<script>alert(1)</script>") << Limit << "не содержит текста";
    QTest::newRow("encrypted EPUB")
        << "drm.epub"
        << epub({QStringLiteral("<p>x</p>")}, QStringLiteral("<itemref idref=\"d0\"/>"),
                {{QStringLiteral("META-INF/encryption.xml"),
                  "<encryption><EncryptedData><EncryptionMethod Algorithm=\"http://www.w3.org/"
                  "2001/04/xmlenc#aes128-cbc\"/></EncryptedData></encryption>"}})
        << Limit << "зашифрован";
    QTest::newRow("EPUB with rights")
        << "adept.epub"
        << epub({QStringLiteral("<p>x</p>")}, QStringLiteral("<itemref idref=\"d0\"/>"),
                {{QStringLiteral("META-INF/rights.xml"), "<rights/>"}})
        << Limit << "зашифрован";
    QTest::newRow("entry leaving the archive")
        << "evil.odt"
        << buildZip(
               {{QStringLiteral("content.xml"), "<a/>"}, {QStringLiteral("../../evil.sh"), "x"}})
        << Limit << "путь \"../../evil.sh\" ведёт за пределы архива";
    QTest::newRow("spine leaving the archive")
        << "evil.epub"
        << buildZip({{QStringLiteral("META-INF/container.xml"),
                      "<container><rootfile full-path=\"p.opf\"/></container>"},
                     {QStringLiteral("p.opf"),
                      "<package><manifest><item id=\"x\" href=\"../../etc/passwd\" "
                      "media-type=\"application/xhtml+xml\"/></manifest></package>"}})
        << Limit << "ведёт за пределы архива";
    QTest::newRow("EPUB without its container")
        << "bare.epub" << buildZip({{QStringLiteral("mimetype"), "application/epub+zip"}}) << Limit
        << "нет части \"META-INF/container.xml\"";
    QTest::newRow("EPUB that is no archive")
        << "plain.epub" << QByteArray("just words") << Limit << "должны быть архивом ZIP";
    QTest::newRow("archive of something else")
        << "photos.zip" << buildZip({{QStringLiteral("a.jpg"), "\xFF\xD8"}}) << Limit
        << "архив ZIP, в котором нет";
    QTest::newRow("unknown encoding")
        << "odd.fb2" << fb2(QString()).replace("UTF-8", "x-unheard-of") << Limit
        << "неизвестной кодировке \"x-unheard-of\"";
    addEntityDeclarationRows();
}

void TestBookReaders::refusesBadBooks() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, limit);
    QFETCH(QString, reason);
    const std::optional<BookText> book = readBook(name, bytes, limit);
    QVERIFY(book);
    QVERIFY2(!book->ok, qPrintable(book->text.left(200)));
    QVERIFY(book->text.isEmpty());
    QVERIFY2(book->error.contains(reason), qPrintable(book->error));
}

void TestBookReaders::keepsMarkupWithinItsBudget_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason"); // empty when the book is read
    QTest::addColumn<int>("words");      // how often "Слово" stands in the text read

    // A part of empty elements, refused before its tree is built, beside a book of the same
    // size whose elements each hold a word.
    const QString word = QStringLiteral("Слово");
    const auto times = [](const QString& piece, int count) { return piece.repeated(count); };
    const QString fb2Empty = times(QStringLiteral("<p/>"), 59500);
    const QString fb2Words = times(QStringLiteral("<p>Слово</p>"), 14000);
    const QString markup = QStringLiteral("слишком много разметки для его текста (больше 20 "
                                          "элементов XML на каждый знак)");
    QTest::newRow("FB2 of empty elements")
        << "empty.fb2" << fb2(QStringLiteral("<body><section>%1</section></body>").arg(fb2Empty))
        << QStringLiteral("в \"FictionBook\" ") + markup << 0;
    QTest::newRow("FB2 as long, a word in each")
        << "words.fb2" << fb2(QStringLiteral("<body><section>%1</section></body>").arg(fb2Words))
        << QString() << 14000;
    QTest::newRow("FB2 whose empty elements are only a comment")
        << "note.fb2"
        << fb2(QStringLiteral("<body><section><!--%1--><p>Слово</p></section></body>")
                   .arg(fb2Empty))
        << QString() << 1;
    QTest::newRow("DOCX of empty runs")
        << "runs.docx" << docx(times(QStringLiteral("<w:r/>"), 51000))
        << QStringLiteral("в \"word/document.xml\" ") + markup << 0;
    QTest::newRow("DOCX as long, a word in each paragraph")
        << "words.docx"
        << docx(times(QStringLiteral("<w:p><w:r><w:t>Слово</w:t></w:r></w:p>"), 7100)) << QString()
        << 7100;
    QString letters;
    for (const QChar letter : word)
        letters += QStringLiteral("<w:r><w:rPr><w:b/><w:i/><w:sz w:val=\"24\"/></w:rPr><w:t>") +
                   letter + QStringLiteral("</w:t></w:r>");
    QTest::newRow("DOCX formatted letter by letter")
        << "letters.docx"
        << docx(times(QStringLiteral("<w:p>") + letters + QStringLiteral("</w:p>"), 2000))
        << QString() << 2000;
    QTest::newRow("ODT of empty spans")
        << "spans.odt" << odt(times(QStringLiteral("<text:span/>"), 30000))
        << QStringLiteral("в \"content.xml\" ") + markup << 0;
}

void TestBookReaders::keepsMarkupWithinItsBudget() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    QFETCH(int, words);
    const std::optional<BookText> book = readBook(name, bytes, Limit);
    QVERIFY(book);
    if (reason.isEmpty())
        QVERIFY2(book->ok, qPrintable(book->error));
    else
        QVERIFY2(!book->ok && book->error.contains(reason), qPrintable(book->error));
    QCOMPARE(book->text.count(QStringLiteral("Слово")), words);
}

void TestBookReaders::readsTheLibraryAsRecorded_data() {
    QTest::addColumn<QString>("book");
    QTest::newRow("FB2 in windows-1251") << "winter_garden.fb2";
    QTest::newRow("EPUB 3") << "night_train.epub";
}

// The books shipped with the program read, character for character, as recorded.
void TestBookReaders::readsTheLibraryAsRecorded() {
    QFETCH(QString, book);
    QFile file(QStringLiteral(SKIMORA_LIBRARY_DIR "/") + book);
    QFile recorded(QStringLiteral(SKIMORA_LIBRARY_TEXT_DIR "/") + book + QStringLiteral(".txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(recorded.open(QIODevice::ReadOnly));
    const std::optional<BookText> text = readBook(book, file.readAll(), Limit);
    QVERIFY(text);
    QVERIFY2(text->ok, qPrintable(text->error));
    QCOMPARE(text->text, QString::fromUtf8(recorded.readAll()));
}

void TestBookReaders::choosesKindByContent_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<BookKind>("kind");
    const QByteArray zippedFb2 = buildZip({{QStringLiteral("b.fb2"), "<FictionBook/>"}});
    QTest::newRow("txt") << "a.txt" << QByteArray("words") << BookKind::None;
    QTest::newRow("txt holding HTML stays a text")
        << "a.txt" << QByteArray("<html><p>x") << BookKind::None;
    QTest::newRow("rtf") << "a.rtf" << QByteArray("{\\rtf1 x}") << BookKind::None;
    QTest::newRow("FB2 named .xml")
        << "a.xml" << QByteArray("\xEF\xBB\xBF<?xml version=\"1.0\"?><FictionBook>")
        << BookKind::Fb2;
    QTest::newRow("FB2 in UTF-16")
        << "a.book" << QByteArray("\xFF\xFE<\0F\0i\0c\0t\0i\0o\0n\0B\0o\0o\0k\0", 26)
        << BookKind::Fb2;
    QTest::newRow("zip named .fb2") << "a.fb2" << zippedFb2 << BookKind::Fb2Zip;
    QTest::newRow("EPUB named .zip") << "a.zip" << epub({}, QString()) << BookKind::Epub;
    QTest::newRow("DOCX named .doc") << "a.doc" << docx(QString()) << BookKind::Docx;
    QTest::newRow("ODT named .txt") << "a.txt" << odt(QString()) << BookKind::Odt;
    QTest::newRow("HTML without a known name")
        << "page" << QByteArray("\n <!DOCTYPE HTML><p>x") << BookKind::Html;
    QTest::newRow(".HTM in capitals") << "A.HTM" << QByteArray("x") << BookKind::Html;
    QTest::newRow("damaged archive")
        << "a.txt" << QByteArray("PK\x03\x04garbage") << BookKind::DamagedArchive;
    QTest::newRow("ODT that is no archive") << "a.odt" << QByteArray("x") << BookKind::NotAnArchive;
}

void TestBookReaders::choosesKindByContent() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(BookKind, kind);
    QCOMPARE(bookKind(name, bytes), kind);
}

void TestBookReaders::opensABookAsAText() {
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("garden.fb2")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(fb2(QStringLiteral("<body><p>Раз</p><p>Два</p></body>")));
    file.close();
    const TextFileContent content = TextFileReader::read(file.fileName());
    QVERIFY2(content.ok, qPrintable(content.error));
    QCOMPARE(content.text, QStringLiteral("Зимний сад  Анна Лесная  Раз  Два"));

    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(fb2(QStringLiteral("<body><p>Раз</body>")));
    file.close();
    const TextFileContent bad = TextFileReader::read(file.fileName());
    QVERIFY(!bad.ok);
    QCOMPARE(bad.error, QStringLiteral("Файл \"garden.fb2\" повреждён: ошибка разметки XML в "
                                       "\"FictionBook\", строка 4."));
}

QTEST_GUILESS_MAIN(TestBookReaders)
#include "tst_bookreaders.moc"
