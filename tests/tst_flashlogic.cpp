#include "ZipBuilder.h"
#include "flash/FlashGroups.h"
#include "flash/FlashRun.h"
#include "flash/FlashSettings.h"
#include "flash/FlashTiming.h"
#include "flash/RecognitionLetter.h"
#include "formats/TextDecoding.h"
#include "shell/TextFileReader.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The groups as shown, joined by " | ".
QString groupsOf(const QString& text, int words) {
    const FlashGroups groups(text, words);
    QStringList shown;
    for (int i = 0; i < groups.count(); ++i)
        shown << FlashGroups::shownText(text, groups.at(i));
    return shown.join(QStringLiteral(" | "));
}

// One mark per group for the pause after it: "-" none, "," comma, "." sentence.
QString pausesOf(const QString& text, int words) {
    const FlashGroups groups(text, words);
    QString marks;
    for (int i = 0; i < groups.count(); ++i) {
        const FlashPause p = groups.at(i).pause;
        marks += p == FlashPause::Sentence ? u'.' : p == FlashPause::Comma ? u',' : u'-';
    }
    return marks;
}

// A book of each kind: its one heading or title, then a paragraph.
QByteArray fb2Book(const QString& title, const QString& body) {
    return (QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><FictionBook><description>"
                           "<title-info><book-title>") +
            title + QStringLiteral("</book-title></title-info></description><body>") + body +
            QStringLiteral("</body></FictionBook>"))
        .toUtf8();
}

QByteArray epubBook(const QString& page) {
    return buildZip(
        {{QStringLiteral("mimetype"), "application/epub+zip", false},
         {QStringLiteral("META-INF/container.xml"),
          "<container><rootfiles><rootfile full-path=\"p.opf\"/></rootfiles></container>"},
         {QStringLiteral("p.opf"), "<package><manifest><item id=\"a\" href=\"a.xhtml\" "
                                   "media-type=\"application/xhtml+xml\"/></manifest><spine>"
                                   "<itemref idref=\"a\"/></spine></package>"},
         {QStringLiteral("a.xhtml"),
          (QStringLiteral("<html xmlns=\"http://www.w3.org/1999/xhtml\"><body>") + page +
           QStringLiteral("</body></html>"))
              .toUtf8()}});
}

QByteArray docxBook(const QString& body) {
    return buildZip({{QStringLiteral("word/document.xml"),
                      (QStringLiteral("<w:document xmlns:w=\"w\"><w:body>") + body +
                       QStringLiteral("</w:body></w:document>"))
                          .toUtf8()}});
}

QByteArray odtBook(const QString& text) {
    return buildZip(
        {{QStringLiteral("mimetype"), "application/vnd.oasis.opendocument.text", false},
         {QStringLiteral("content.xml"),
          (QStringLiteral("<office:document-content xmlns:office=\"o\" "
                          "xmlns:text=\"t\"><office:body><office:text>") +
           text + QStringLiteral("</office:text></office:body></office:document-content>"))
              .toUtf8()}});
}

const QString Story = QStringLiteral("Утро было тихим. Мы вышли рано, пока город спал.\r\n"
                                     "— Куда идём? — спросила Аня. А. С. Пушкин ждал нас у моста.");

} // namespace

class TestFlashLogic : public QObject {
    Q_OBJECT
private slots:
    void grouping_data();
    void grouping();
    void pauses_data();
    void pauses();
    void recognitionLetter_data();
    void recognitionLetter();
    void groupTime_data();
    void groupTime();
    void sentenceSteps_data();
    void sentenceSteps();
    void headingsEndGroupsInEveryFormat_data();
    void headingsEndGroupsInEveryFormat();
    void placeRoundTrip_data();
    void placeRoundTrip();
    void runCountsWhatWasShown();
    void figures_data();
    void figures();
    void settingsStandAlone();
};

void TestFlashLogic::grouping_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("words");
    QTest::addColumn<QString>("groups");

    QTest::newRow("single words") << "Мама мыла раму" << 1 << "Мама | мыла | раму";
    QTest::newRow("threes") << "один два три четыре пять" << 3 << "один два три | четыре пять";
    QTest::newRow("a sentence end closes the group")
        << "Он ушёл. Она осталась дома одна." << 3 << "Он ушёл. | Она осталась дома | одна.";
    QTest::newRow("a comma closes the group")
        << "Однако, сказал он тихо" << 3 << "Однако, | сказал он тихо";
    QTest::newRow("hyphenated words")
        << "кто-то пришёл в Ростов-на-Дону" << 1 << "кто-то | пришёл | в | Ростов-на-Дону";
    QTest::newRow("thousands") << "стоит 10 000 рублей" << 1 << "стоит | 10 000 | рублей";
    QTest::newRow("millions with a comma")
        << "было 1 250 000, не меньше" << 1 << "было | 1 250 000, | не | меньше";
    QTest::newRow("a year and a count stay apart")
        << "в 1999 100 человек" << 1 << "в | 1999 | 100 | человек";
    QTest::newRow("no-break space joins") << "10\u00A0000 км" << 1 << "10\u00A0000 | км";
    QTest::newRow("dash goes with the word before")
        << "Москва — столица" << 1 << "Москва — | столица";
    QTest::newRow("dialogue dash goes with the word after")
        << "— Привет, — сказал он." << 1 << "— Привет, — | сказал | он.";
    QTest::newRow("dash after a sentence opens the next")
        << "Он ушёл. — Куда?" << 1 << "Он | ушёл. | — Куда?";
    QTest::newRow("dash after a line break") << "конец\r\n— Начало" << 1 << "конец | — Начало";
    QTest::newRow("lone quotes") << "он сказал « да » и ушёл" << 1
                                 << "он | сказал | « да » | и | ушёл";
    QTest::newRow("quotes on the words") << "«Война и мир»" << 3 << "«Война и мир»";
    QTest::newRow("lone ellipsis") << "и вот … он" << 1 << "и | вот … | он";
    QTest::newRow("line breaks and blanks collapse")
        << "  первая\r\n\r\nвторая   третья " << 3 << "первая вторая третья";
    QTest::newRow("only punctuation") << "« —" << 1 << "« —";
    QTest::newRow("only blanks") << " \r\n " << 1 << "";
}

void TestFlashLogic::grouping() {
    QFETCH(QString, text);
    QFETCH(int, words);
    QFETCH(QString, groups);
    QCOMPARE(groupsOf(text, words), groups);
}

void TestFlashLogic::pauses_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pauses");

    QTest::newRow("sentences") << "Он пришёл. Она ушла!"
                               << "-.-.";
    QTest::newRow("commas, colon, semicolon, dash") << "да, нет; так: это — всё"
                                                    << ",,,,-";
    QTest::newRow("lower case after a full stop goes on") << "т. е. всё"
                                                          << "---";
    QTest::newRow("initials end nothing") << "А. С. Пушкин жил"
                                          << "----";
    QTest::newRow("closing quote after the mark") << "«Иди.» Он пошёл"
                                                  << ".--";
    QTest::newRow("ellipsis before a capital") << "Ну… Ладно"
                                               << ".-";
    QTest::newRow("question, dash, lower case: one sentence") << "Куда? — спросила"
                                                              << ",-";
    QTest::newRow("line break after the mark") << "конец.\r\nначало"
                                               << ".-";
    QTest::newRow("text ends") << "Всё."
                               << ".";
}

void TestFlashLogic::pauses() {
    QFETCH(QString, text);
    QFETCH(QString, pauses);
    QCOMPARE(pausesOf(text, 1), pauses);
}

void TestFlashLogic::recognitionLetter_data() {
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("index");

    QTest::newRow("one letter") << "я" << 0;
    QTest::newRow("two letters: the first") << "он" << 0;
    QTest::newRow("three letters: the middle") << "дом" << 1;
    QTest::newRow("five letters: left of the middle") << "книга" << 1;
    QTest::newRow("six letters") << "читать" << 2;
    QTest::newRow("nine letters") << "известный" << 3;
    QTest::newRow("fourteen letters") << "преподавателем" << 4;
    QTest::newRow("nineteen letters") << "человеконенавистник" << 6;
    QTest::newRow("quotes and dash aside") << "«слово» —" << 2;
    QTest::newRow("dialogue dash aside") << "— Привет," << 4;
    QTest::newRow("blank inside a number: step left") << "10 000" << 1;
    QTest::newRow("three words") << "мы шли домой" << 4;
    QTest::newRow("no letters") << "— …" << -1;
}

void TestFlashLogic::recognitionLetter() {
    QFETCH(QString, shown);
    QFETCH(int, index);
    QCOMPARE(RecognitionLetter::indexIn(shown), index);
}

void TestFlashLogic::groupTime_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("charInterval");
    QTest::addColumn<int>("sentencePause");
    QTest::addColumn<int>("commaPause");
    QTest::addColumn<int>("ms");

    // (characters + 1) x interval, then the pause in per cent.
    QTest::newRow("plain word at 1000 per minute") << "слово и" << 60 << 200 << 150 << 360;
    QTest::newRow("plain word at 10000 per minute") << "слово и" << 6 << 200 << 150 << 36;
    QTest::newRow("sentence end doubled") << "Конец. Да" << 60 << 200 << 150 << 840;
    QTest::newRow("comma half as long again") << "итак, да" << 6 << 200 << 150 << 54;
    QTest::newRow("comma rounded down") << "да, нет" << 6 << 200 << 125 << 30;
    QTest::newRow("number with its blank") << "10 000 шт" << 6 << 200 << 150 << 42;
    QTest::newRow("no pause at 100 per cent") << "Конец. Да" << 60 << 100 << 100 << 420;
    // A word of a million letters at the lowest speed lasts a minute, not a negative time.
    const QString longWord = QString(1000000, QChar(u'я')) + QStringLiteral(". Да");
    QTest::newRow("very long word capped") << longWord << 6000 << 400 << 150 << 60000;
    QTest::newRow("just under the cap") << "слово и" << 9999 << 200 << 150 << 59994;
    QTest::newRow("pause capped") << "Конец. Да" << 9000 << 200 << 150 << 60000;
}

void TestFlashLogic::groupTime() {
    QFETCH(QString, text);
    QFETCH(int, charInterval);
    QFETCH(int, sentencePause);
    QFETCH(int, commaPause);
    QFETCH(int, ms);
    FlashSettings settings;
    settings.SentencePause = sentencePause;
    settings.CommaPause = commaPause;
    const FlashGroups groups(text, 1);
    QCOMPARE(FlashTiming::groupTime(charInterval, groups.at(0), settings), ms);
}

void TestFlashLogic::sentenceSteps_data() {
    QTest::addColumn<int>("words");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("back");
    QTest::addColumn<int>("forward");

    // Story in single words (20 groups): sentences start at groups 0, 3, 9 and 13.
    QTest::newRow("mid sentence: its start") << 1 << 6 << 3 << 9;
    QTest::newRow("at a sentence start: the one before") << 1 << 9 << 3 << 13;
    QTest::newRow("first sentence stays at 0") << 1 << 0 << 0 << 3;
    QTest::newRow("last sentence: forward stays") << 1 << 16 << 13 << 16;
    QTest::newRow("at the end: the last sentence") << 1 << 20 << 13 << 20;
    // In threes: "Утро было тихим." | "Мы вышли рано," | "пока город спал." |
    // "— Куда идём? —" | "спросила Аня." | "А. С. Пушкин" | "ждал нас у" | "моста."
    QTest::newRow("threes mid sentence") << 3 << 4 << 3 << 5;
    QTest::newRow("threes at a start") << 3 << 3 << 1 << 5;
}

void TestFlashLogic::sentenceSteps() {
    QFETCH(int, words);
    QFETCH(int, from);
    QFETCH(int, back);
    QFETCH(int, forward);
    const FlashGroups groups(Story, words);
    QCOMPARE(groups.sentenceBack(from), back);
    QCOMPARE(groups.sentenceForward(from), forward);
}

void TestFlashLogic::headingsEndGroupsInEveryFormat_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("groups"); // three words a group, as the text window hands it over
    QTest::addColumn<QString>("pauses");

    QTest::newRow("FB2: the book's title and a section's title")
        << "fox.fb2"
        << fb2Book(QStringLiteral("Проверка"),
                   QStringLiteral("<section><title><p>Глава первая</p></title><p>Лиса шла "
                                  "лесом.</p></section>"))
        << "Проверка | Глава первая | Лиса шла лесом."
        << "...";
    QTest::newRow("HTML heading")
        << "evening.html"
        << QStringLiteral("<html><body><h1>Вечер</h1><p>Река текла тихо.</p></body></html>")
               .toUtf8()
        << "Вечер | Река текла тихо."
        << "..";
    QTest::newRow("EPUB heading") << "morning.epub"
                                  << epubBook(
                                         QStringLiteral("<h2>Утро</h2><p>Солнце встало рано.</p>"))
                                  << "Утро | Солнце встало рано."
                                  << "..";
    QTest::newRow("DOCX heading")
        << "report.docx"
        << docxBook(QStringLiteral("<w:p><w:pPr><w:pStyle w:val=\"Heading1\"/></w:pPr><w:r><w:t>"
                                   "Итоги года</w:t></w:r></w:p><w:p><w:r><w:t>Мы выросли вдвое."
                                   "</w:t></w:r></w:p>"))
        << "Итоги года | Мы выросли вдвое."
        << "..";
    QTest::newRow("ODT heading ending in a number")
        << "winter.odt"
        << odtBook(QStringLiteral("<text:h text:outline-level=\"1\">Часть 2</text:h><text:p>"
                                  "Снег лёг рано.</text:p>"))
        << "Часть 2 | Снег лёг рано."
        << "..";
    QTest::newRow("RTF heading")
        << "intro.rtf"
        << encodeWindows1251(
               QStringLiteral("{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fcharset204 "
                              "Arial;}}{\\b Введение}\\par Текст идёт дальше.\\par}"))
        << "Введение | Текст идёт дальше."
        << "..";
    QTest::newRow("plain text, CR LF")
        << "rain.txt" << QStringLiteral("Глава 3\r\nДождь шёл весь день.").toUtf8()
        << "Глава 3 | Дождь шёл весь | день."
        << ".-.";
    QTest::newRow("plain text, LF and an empty line")
        << "end.txt" << QStringLiteral("Эпилог\n\nВсе вернулись домой.").toUtf8()
        << "Эпилог | Все вернулись домой."
        << "..";
    QTest::newRow("a line that goes on in lower case is no heading")
        << "road.txt" << QStringLiteral("Он шёл\r\nпо дороге домой.").toUtf8()
        << "Он шёл по | дороге домой."
        << "-.";
}

void TestFlashLogic::headingsEndGroupsInEveryFormat() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, groups);
    QFETCH(QString, pauses);
    QTemporaryDir dir;
    QFile file(dir.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const TextFileContent loaded = TextFileReader::read(file.fileName());
    QVERIFY2(loaded.ok, qPrintable(loaded.error));
    QCOMPARE(groupsOf(loaded.text, 3), groups);
    QCOMPARE(pausesOf(loaded.text, 3), pauses);
}

void TestFlashLogic::placeRoundTrip_data() {
    QTest::addColumn<int>("place");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("handedBack");

    const int second = int(Story.indexOf(u"Мы"));
    const int afterBreak = int(Story.indexOf(u"— Куда"));
    QTest::newRow("text start") << 0 << "Утро" << 0;
    QTest::newRow("a word's start") << second << "Мы" << second;
    QTest::newRow("inside a word: that word") << second + 1 << "Мы" << second;
    QTest::newRow("on a blank: the next word") << second - 1 << "Мы" << second;
    QTest::newRow("on the CR LF: the next line's word") << afterBreak - 2 << "— Куда" << afterBreak;
    QTest::newRow("past the last word: from the start") << int(Story.size()) << "Утро" << 0;
}

void TestFlashLogic::placeRoundTrip() {
    QFETCH(int, place);
    QFETCH(QString, shown);
    QFETCH(int, handedBack);
    FlashRun run;
    run.begin(Story, place, 1);
    QCOMPARE(run.currentText(), shown);
    QCOMPARE(run.place(), handedBack);
    QCOMPARE(run.groups().indexAt(run.place()), run.index());
}

void TestFlashLogic::runCountsWhatWasShown() {
    const QString text = QStringLiteral("Мы шли домой. Было поздно.");
    FlashRun run;
    run.begin(text, 0, 3);
    QCOMPARE(run.currentText(), QStringLiteral("Мы шли домой."));
    run.advance();
    QCOMPARE(run.percent(), int(text.indexOf(u"Было")) * 100 / int(text.size()));
    run.sentenceBack();
    QCOMPARE(run.index(), 0); // read again: counted again
    run.advance();
    run.advance();
    QVERIFY(run.atEnd());
    QCOMPARE(run.place(), int(text.size()));
    QCOMPARE(run.percent(), 100);
    const FlashResult r = run.result(false, 2280);
    QCOMPARE(r.CharsRead, 13 + 13 + 12);
    // The text passed over: each group with the blank that follows it.
    QCOMPARE(r.CharsPassed, 14 + 14 + 12);
    QCOMPARE(r.WordsRead, 3 + 3 + 2);
    QCOMPARE(r.ElapsedMs, 2280);
    QCOMPARE(r.Speed, 40 * 60000 / 2280);
    QVERIFY(!r.Stopped);
}

void TestFlashLogic::figures_data() {
    QTest::addColumn<int>("elapsedMs");
    QTest::addColumn<QString>("time");
    QTest::newRow("under a minute") << 45900 << "45 с";
    QTest::newRow("whole minutes") << 120000 << "2 мин 0 с";
    QTest::newRow("minutes and seconds") << 72500 << "1 мин 12 с";
}

void TestFlashLogic::figures() {
    QFETCH(int, elapsedMs);
    QFETCH(QString, time);
    const FlashResult r{1234, 1440, 210, elapsedMs, 1028, true};
    QCOMPARE(describeFlashResult(r), QStringLiteral("Прочитано: 1234 симв., слов: 210, время: ") +
                                         time +
                                         QStringLiteral(", фактическая скорость: 1028 симв/мин"));
}

void TestFlashLogic::settingsStandAlone() {
    QTemporaryDir dir;
    QSettings store(dir.filePath(QStringLiteral("s.conf")), QSettings::IniFormat);
    QCOMPARE(readFlashSettings(store), FlashSettings{});
    store.setValue(QStringLiteral("FlashWords"), 7);
    store.setValue(QStringLiteral("FlashSentencePause"), QStringLiteral("много"));
    store.setValue(QStringLiteral("FlashCommaPause"), 250);
    const FlashSettings read = readFlashSettings(store);
    QCOMPARE(read.WordsPerGroup, FlashSettings::MaxWords);       // brought into range
    QCOMPARE(read.SentencePause, FlashSettings{}.SentencePause); // not a number: its default
    QCOMPARE(read.CommaPause, 250);                              // kept
    FlashSettings changed{2, 300, 125};
    writeFlashSettings(store, changed);
    QCOMPARE(readFlashSettings(store), changed);
}

QTEST_GUILESS_MAIN(TestFlashLogic)
#include "tst_flashlogic.moc"
