#include "platform/HelpContext.h"
#include "platform/HelpViewer.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>

namespace {

QString helpDir() {
    return QStringLiteral(SKIMORA_HELP_DIR);
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(bytes);
}

// Every link target of an HTML page, in document order.
QStringList linksOf(const QString& html) {
    QTextDocument document;
    document.setHtml(html);
    QStringList links;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isAnchor() && !format.anchorHref().isEmpty() &&
                !links.contains(format.anchorHref()))
                links.append(format.anchorHref());
        }
    }
    return links;
}

QTextBrowser* browserOf(HelpViewer& viewer) {
    return viewer.findChild<QTextBrowser*>();
}

QToolButton* buttonNamed(HelpViewer& viewer, const QString& name) {
    const auto buttons = viewer.findChildren<QToolButton*>();
    for (QToolButton* button : buttons) {
        if (button->accessibleName() == name)
            return button;
    }
    return nullptr;
}

QString shownPage(HelpViewer& viewer) {
    return browserOf(viewer)->source().fileName();
}

QString shownTitle(HelpViewer& viewer) {
    return browserOf(viewer)->documentTitle();
}

// Clicks the first link of the shown page that points at target.
bool clickLink(QTextBrowser* browser, const QString& target) {
    QTextDocument* document = browser->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorHref() != target)
                continue;
            QTextCursor cursor(document);
            cursor.setPosition(fragment.position() + fragment.length() / 2);
            browser->ensureCursorVisible();
            const QRect rect = browser->cursorRect(cursor);
            QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, rect.center());
            return true;
        }
    }
    return false;
}

const QString contentsTitle = QStringLiteral("Справка Skimora: содержание");

} // namespace

// Takes the web and e-mail links the help window hands to the desktop.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};

class TestHelpViewer : public QObject {
    Q_OBJECT
private slots:
    void contextMapsToItsPage_data();
    void contextMapsToItsPage();
    void contentsLinksEveryPage();
    void pageIsSound_data();
    void pageIsSound();
    void contentsListFollowsContentsPage();
    void unknownContextShowsContents();
    void missingDirectoryShowsMessage();
    void missingPageShowsMessage();
    void contextsFileSkipsBadLines();
    void backForwardAndContentsButtons();
    void linkOpensTopic();
    void externalLinkGoesToDesktop();
    void escapeClosesWindow();
    void searchKeepsThePagesWithTheWords_data();
    void searchKeepsThePagesWithTheWords();
    void standsBesideOrOverItsOwner_data();
    void standsBesideOrOverItsOwner();
};

void TestHelpViewer::contextMapsToItsPage_data() {
    QTest::addColumn<int>("contextId");
    QTest::addColumn<int>("documentedId");
    QTest::addColumn<QString>("title");

    QTest::newRow("assistant and guide")
        << HelpContext::Course << 150 << QStringLiteral("Ассистент и руководство");
    QTest::newRow("font size list")
        << HelpContext::FontSize << 240 << QStringLiteral("Шрифт и размер шрифта");
    QTest::newRow("reading-field width")
        << HelpContext::ReadingFieldWidth << 260 << QStringLiteral("Ширина поля чтения");
    QTest::newRow("speed regulator")
        << HelpContext::SpeedRegulator << 280 << QStringLiteral("Регулятор скорости");
    QTest::newRow("table size picker")
        << HelpContext::TableSizePicker << 290 << QStringLiteral("Размер таблицы");
    QTest::newRow("text window") << HelpContext::TextWindow << 300
                                 << QStringLiteral("Чтение текста");
    QTest::newRow("text test questions")
        << HelpContext::TextQuestions << 340 << QStringLiteral("Вопросы к тесту по тексту");
    QTest::newRow("test on the user's own text")
        << HelpContext::ClozeTest << 350 << QStringLiteral("Тест на скорость чтения текста");
    QTest::newRow("field-of-view window")
        << HelpContext::FieldOfViewWindow << 360 << QStringLiteral("Тест на ширину поля зрения");
    QTest::newRow("field-of-view answer") << HelpContext::FieldOfViewAnswer << 390
                                          << QStringLiteral("Ответ в тесте на ширину поля зрения");
    QTest::newRow("table window") << HelpContext::TableWindow << 410
                                  << QStringLiteral("Чтение таблиц");
    QTest::newRow("table test questions")
        << HelpContext::TableQuestions << 440 << QStringLiteral("Вопросы к тесту по таблице");
    QTest::newRow("flash reading window")
        << HelpContext::FlashWindow << 520 << QStringLiteral("Чтение вспышками");
}

void TestHelpViewer::contextMapsToItsPage() {
    QFETCH(int, contextId);
    QFETCH(int, documentedId);
    QFETCH(QString, title);
    QCOMPARE(contextId, documentedId);

    HelpViewer viewer(helpDir());
    const QString page = viewer.pageForContext(contextId);
    QVERIFY2(!page.isEmpty(), "no page for this context id in contexts.txt");
    QVERIFY2(QFileInfo(QDir(helpDir()).filePath(page)).isFile(), qPrintable(page));

    QVERIFY(!viewer.isVisible());
    viewer.showTopic(contextId);
    QVERIFY(viewer.isVisible());
    QCOMPARE(viewer.windowTitle(), QStringLiteral("Справка Skimora"));
    QCOMPARE(shownPage(viewer), page);
    QCOMPARE(shownTitle(viewer), title);
}

void TestHelpViewer::contentsLinksEveryPage() {
    const QDir dir(helpDir());
    const QString html = QString::fromUtf8(readBytes(dir.filePath(HelpViewer::contentsPage())));
    QVERIFY(!html.isEmpty());
    const QStringList links = linksOf(html);

    for (const QString& link : links) {
        const QUrl url(link);
        QVERIFY2(url.isRelative(), qPrintable(link));
        QVERIFY2(QFileInfo(dir.filePath(url.path())).isFile(), qPrintable(link));
    }
    // No page of the help is out of reach of the contents.
    const QStringList pages = dir.entryList({QStringLiteral("*.html")}, QDir::Files);
    QVERIFY(pages.size() >= 18);
    for (const QString& page : pages) {
        if (page != HelpViewer::contentsPage())
            QVERIFY2(links.contains(page), qPrintable(page + " is not in the contents"));
    }
}

void TestHelpViewer::pageIsSound_data() {
    QTest::addColumn<QString>("page");
    const QStringList pages =
        QDir(helpDir()).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    for (const QString& page : pages)
        QTest::newRow(qPrintable(page)) << page;
}

// Every page is UTF-8 with its charset declared, has a title, takes the common
// style sheet, runs no scripts, and links only to files that exist.
void TestHelpViewer::pageIsSound() {
    QFETCH(QString, page);
    const QDir dir(helpDir());
    const QByteArray bytes = readBytes(dir.filePath(page));
    QVERIFY(!bytes.isEmpty());

    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString html = utf8(bytes);
    QVERIFY2(!utf8.hasError(), "the page is not valid UTF-8");
    QVERIFY(html.contains(QStringLiteral("<meta charset=\"utf-8\">"), Qt::CaseInsensitive));
    QVERIFY(html.contains(QStringLiteral("href=\"help.css\"")));
    QVERIFY(!html.contains(QStringLiteral("<script"), Qt::CaseInsensitive));
    QVERIFY(!html.contains(QStringLiteral("javascript:"), Qt::CaseInsensitive));

    QTextDocument document;
    document.setHtml(html);
    QVERIFY(!document.metaInformation(QTextDocument::DocumentTitle).trimmed().isEmpty());

    for (const QString& link : linksOf(html)) {
        const QUrl url(link);
        QVERIFY2(url.isRelative(), qPrintable(link));
        if (!url.path().isEmpty())
            QVERIFY2(QFileInfo(dir.filePath(url.path())).isFile(), qPrintable(link));
    }
}

void TestHelpViewer::contentsListFollowsContentsPage() {
    HelpViewer viewer(helpDir());
    viewer.showContents();
    QCOMPARE(shownTitle(viewer), contentsTitle);

    auto* list = viewer.findChild<QListWidget*>();
    QVERIFY(list);
    const QStringList links =
        linksOf(QString::fromUtf8(readBytes(QDir(helpDir()).filePath(HelpViewer::contentsPage()))));
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(list->item(0)->data(Qt::UserRole).toString(), HelpViewer::contentsPage());

    // Each topic entry opens its page, in the order of the contents page, and the
    // page is called as the entry is. Section headings open nothing.
    int topic = 0;
    int headings = 0;
    for (int i = 1; i < list->count(); ++i) {
        QListWidgetItem* item = list->item(i);
        const QString before = shownPage(viewer);
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(item).center());
        if (item->data(Qt::UserRole).toString().isEmpty()) {
            ++headings;
            QVERIFY(item->font().bold());
            QCOMPARE(shownPage(viewer), before);
            continue;
        }
        QVERIFY(topic < links.size());
        QCOMPARE(shownPage(viewer), links.at(topic++));
        QCOMPARE(shownTitle(viewer), item->text());
        QCOMPARE(list->currentRow(), i);
    }
    QCOMPARE(topic, links.size());
    QTextDocument index;
    index.setHtml(
        QString::fromUtf8(readBytes(QDir(helpDir()).filePath(HelpViewer::contentsPage()))));
    int sections = 0;
    for (QTextBlock block = index.begin(); block.isValid(); block = block.next())
        sections += block.blockFormat().headingLevel() == 2 ? 1 : 0;
    QVERIFY(sections > 0);
    QCOMPARE(headings, sections);
}

void TestHelpViewer::unknownContextShowsContents() {
    HelpViewer viewer(helpDir());
    QVERIFY(viewer.pageForContext(9999).isEmpty());
    viewer.showTopic(9999);
    QVERIFY(viewer.isVisible());
    QCOMPARE(shownPage(viewer), HelpViewer::contentsPage());
    QCOMPARE(shownTitle(viewer), contentsTitle);

    viewer.showTopic(HelpContext::TextWindow);
    viewer.showTopic(0);
    QCOMPARE(shownTitle(viewer), contentsTitle);
}

void TestHelpViewer::missingDirectoryShowsMessage() {
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString absent = temp.filePath(QStringLiteral("no-help-here"));

    HelpViewer viewer(absent);
    QVERIFY(viewer.pageForContext(HelpContext::TextWindow).isEmpty());
    viewer.showContents();
    QVERIFY(viewer.isVisible());
    const QString text = browserOf(viewer)->toPlainText();
    QVERIFY2(text.contains(QStringLiteral("Файл справки не найден")), qPrintable(text));
    QVERIFY(
        text.contains(QDir::toNativeSeparators(QDir(absent).filePath(HelpViewer::contentsPage()))));

    viewer.showTopic(HelpContext::TableWindow);
    QVERIFY(browserOf(viewer)->toPlainText().contains(QStringLiteral("Файл справки не найден")));

    // The contents list still offers the way home.
    auto* list = viewer.findChild<QListWidget*>();
    QCOMPARE(list->count(), 1);
}

void TestHelpViewer::missingPageShowsMessage() {
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    writeFile(temp.filePath(QStringLiteral("contexts.txt")), "300 gone.html\n410 here.html\n");
    writeFile(temp.filePath(QStringLiteral("index.html")),
              "<html><head><meta charset=\"utf-8\"><title>Начало</title></head>"
              "<body><a href=\"here.html\">Есть</a> <a href=\"gone.html\">Нет</a></body></html>");
    writeFile(temp.filePath(QStringLiteral("here.html")),
              "<html><head><meta charset=\"utf-8\"><title>Есть</title></head>"
              "<body><p>Страница</p></body></html>");

    HelpViewer viewer(temp.path());
    viewer.showTopic(410);
    QCOMPARE(shownTitle(viewer), QStringLiteral("Есть"));
    viewer.showTopic(300);
    const QString text = browserOf(viewer)->toPlainText();
    QVERIFY2(text.contains(QStringLiteral("Файл справки не найден")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("gone.html")));

    // Going back from the message returns to the page shown before it.
    buttonNamed(viewer, QStringLiteral("Назад"))->click();
    QCOMPARE(shownTitle(viewer), QStringLiteral("Есть"));
}

void TestHelpViewer::contextsFileSkipsBadLines() {
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    writeFile(temp.filePath(QStringLiteral("contexts.txt")), "# comment line\n"
                                                             "\n"
                                                             "abc first.html\n"
                                                             "301\n"
                                                             "302 ../outside.html\n"
                                                             "303 /etc/passwd\n"
                                                             "305 two words.html\n"
                                                             "  304   spaced.html  \r\n"
                                                             "306 sub/page.html\n");
    HelpViewer viewer(temp.path());
    QCOMPARE(viewer.pageForContext(304), QStringLiteral("spaced.html"));
    QCOMPARE(viewer.pageForContext(306), QStringLiteral("sub/page.html"));
    QVERIFY(viewer.pageForContext(301).isEmpty());
    QVERIFY(viewer.pageForContext(302).isEmpty());
    QVERIFY(viewer.pageForContext(303).isEmpty());
    QVERIFY(viewer.pageForContext(305).isEmpty());
}

void TestHelpViewer::backForwardAndContentsButtons() {
    HelpViewer viewer(helpDir());
    QToolButton* back = buttonNamed(viewer, QStringLiteral("Назад"));
    QToolButton* forward = buttonNamed(viewer, QStringLiteral("Вперёд"));
    QToolButton* home = buttonNamed(viewer, QStringLiteral("Содержание"));
    QVERIFY(back && forward && home);
    QVERIFY(!viewer.findChild<QListWidget*>()->accessibleName().isEmpty());
    QVERIFY(!browserOf(viewer)->accessibleName().isEmpty());

    viewer.showTopic(HelpContext::TextWindow);
    QVERIFY(!back->isEnabled());
    QVERIFY(!forward->isEnabled());
    viewer.showTopic(HelpContext::TableWindow);
    QVERIFY(back->isEnabled());

    back->click();
    QCOMPARE(shownTitle(viewer), QStringLiteral("Чтение текста"));
    QVERIFY(forward->isEnabled());
    QVERIFY(!back->isEnabled());
    forward->click();
    QCOMPARE(shownTitle(viewer), QStringLiteral("Чтение таблиц"));
    home->click();
    QCOMPARE(shownTitle(viewer), contentsTitle);
    back->click();
    QCOMPARE(shownTitle(viewer), QStringLiteral("Чтение таблиц"));
}

void TestHelpViewer::linkOpensTopic() {
    HelpViewer viewer(helpDir());
    viewer.resize(900, 700);
    viewer.showContents();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    QVERIFY(clickLink(browserOf(viewer), QStringLiteral("speed_regulator.html")));
    QCOMPARE(shownPage(viewer), QStringLiteral("speed_regulator.html"));
    QCOMPARE(shownTitle(viewer), QStringLiteral("Регулятор скорости"));

    // The contents list marks the page that is shown.
    auto* list = viewer.findChild<QListWidget*>();
    QCOMPARE(list->currentItem()->text(), QStringLiteral("Регулятор скорости"));
}

void TestHelpViewer::externalLinkGoesToDesktop() {
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    writeFile(temp.filePath(QStringLiteral("index.html")),
              "<html><head><meta charset=\"utf-8\"><title>Связь</title></head><body>"
              "<p><a href=\"mailto:help@example.org?subject=Skimora\">Письмо</a></p>"
              "<p><a href=\"https://example.org/ru\">Сайт</a></p></body></html>");
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");

    HelpViewer viewer(temp.path());
    viewer.showContents();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    QVERIFY(
        clickLink(browserOf(viewer), QStringLiteral("mailto:help@example.org?subject=Skimora")));
    QVERIFY(clickLink(browserOf(viewer), QStringLiteral("https://example.org/ru")));

    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(catcher.urls.size(), 2);
    QCOMPARE(catcher.urls.at(0), QUrl(QStringLiteral("mailto:help@example.org?subject=Skimora")));
    QCOMPARE(catcher.urls.at(1), QUrl(QStringLiteral("https://example.org/ru")));
    // The help page stays where it was.
    QCOMPARE(shownTitle(viewer), QStringLiteral("Связь"));
}

void TestHelpViewer::escapeClosesWindow() {
    HelpViewer viewer(helpDir());
    viewer.showTopic(HelpContext::Course);
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    QTest::keyClick(&viewer, Qt::Key_Escape);
    QVERIFY(!viewer.isVisible());
    viewer.showTopic(HelpContext::Course);
    QVERIFY(viewer.isVisible());
}

void TestHelpViewer::searchKeepsThePagesWithTheWords_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("found");    // among the pages listed, the first one first
    QTest::addColumn<QStringList>("notFound"); // none of them listed
    const QString opening = QStringLiteral("opening_texts.html");
    QTest::newRow("book kinds") << "FB2 EPUB DOCX ODT" << QStringList{opening}
                                << QStringList{"table_size.html", "index.html"};
    QTest::newRow("another ending") << "книга" << QStringList{opening} << QStringList();
    QTest::newRow("drag and drop")
        << "перетащить мышью" << QStringList{opening} << QStringList{"font_size.html"};
    QTest::newRow("pasting") << "вставка из буфера обмена" << QStringList{opening} << QStringList();
    QTest::newRow("command line") << "командная строка" << QStringList{opening} << QStringList();
    QTest::newRow("letter case and ё")
        << "ЕЩЕ РАЗ ENTER" << QStringList{"getting_started.html"} << QStringList{"table_size.html"};
    QTest::newRow("no such word") << "абракадабра" << QStringList() << QStringList{opening};
    QTest::newRow("a key") << "F2" << QStringList{"keys.html", "speed_regulator.html"}
                           << QStringList{"table_size.html"};
}

void TestHelpViewer::searchKeepsThePagesWithTheWords() {
    QFETCH(QString, typed);
    QFETCH(QStringList, found);
    QFETCH(QStringList, notFound);
    HelpViewer viewer(helpDir());
    viewer.showContents();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    auto* search = viewer.findChild<QLineEdit*>();
    auto* list = viewer.findChild<QListWidget*>();
    QVERIFY2(search, "the help has a search field");
    const int everyEntry = list->count();
    QTest::keyClick(&viewer, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(search->hasFocus());
    for (const QChar c : typed) // typed key by key, Cyrillic included
        QTest::sendKeyEvent(QTest::Click, search, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QCOMPARE(search->text(), typed);

    QStringList listed;
    for (int i = 0; i < list->count(); ++i) {
        if (!list->item(i)->isHidden())
            listed.append(list->item(i)->data(Qt::UserRole).toString());
    }
    for (const QString& page : found)
        QVERIFY2(listed.contains(page), qPrintable(listed.join(u' ')));
    for (const QString& page : notFound)
        QVERIFY2(!listed.contains(page), qPrintable(listed.join(u' ')));
    auto* nothing = viewer.findChild<QLabel*>();
    QCOMPARE(nothing && nothing->isVisible(), listed.isEmpty());

    // Enter opens the first page found; an empty field shows the whole list again.
    QTest::keyClick(search, Qt::Key_Return);
    QCOMPARE(shownPage(viewer), listed.isEmpty() ? HelpViewer::contentsPage() : listed.first());
    search->clear();
    int shown = 0;
    for (int i = 0; i < list->count(); ++i)
        shown += list->item(i)->isHidden() ? 0 : 1;
    QCOMPARE(shown, everyEntry);
}

void TestHelpViewer::standsBesideOrOverItsOwner_data() {
    QTest::addColumn<double>("ownerLeft"); // as fractions of the screen's width
    QTest::addColumn<double>("ownerWidth");
    QTest::addColumn<double>("helpWidth");
    QTest::addColumn<int>("side"); // 1 right of the owner, -1 left of it, 0 over it
    QTest::newRow("room on the right") << 0.05 << 0.4 << 0.4 << 1;
    QTest::newRow("room on the left only") << 0.5 << 0.4 << 0.4 << -1;
    QTest::newRow("no room beside") << 0.3 << 0.4 << 0.5 << 0;
}

void TestHelpViewer::standsBesideOrOverItsOwner() {
    QFETCH(double, ownerLeft);
    QFETCH(double, ownerWidth);
    QFETCH(double, helpWidth);
    QFETCH(int, side);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget owner;
    owner.setGeometry(area.left() + int(area.width() * ownerLeft), area.top() + 60,
                      int(area.width() * ownerWidth), area.height() / 2);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    HelpViewer viewer(helpDir(), &owner);
    viewer.resize(int(area.width() * helpWidth), area.height() / 2);
    viewer.showContents();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));

    const QRect frame = owner.frameGeometry();
    const QRect help = viewer.frameGeometry();
    QVERIFY(area.contains(help));
    if (side > 0)
        QCOMPARE(help.left(), frame.right() + 1);
    else if (side < 0)
        QCOMPARE(help.right(), frame.left() - 1);
    else
        QVERIFY(help.intersects(frame));
    QCOMPARE(help.top(), frame.top());
}

QTEST_MAIN(TestHelpViewer)
#include "tst_helpviewer.moc"
