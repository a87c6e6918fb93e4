#include "Controls.h"
#include "ProgramFixture.h"
#include "ZipBuilder.h"

#include "dialogs/Unitabout.h"
#include "readingview/ReadingView.h"
#include "shell/TextMemory.h"
#include "shell/Unitbookmark.h"
#include "shell/Unitfrmain.h"
#include "text/Unitfrtext.h"

#include <QClipboard>
#include <QDropEvent>
#include <QFile>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

// The ways a book reaches the text window besides the open dialog: the command line, a drop
// and the clipboard.
class TestBookOpening : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void commandLineThenDropAsksToResume();
    void dropIsRefusedDuringARun();
    void damagedBookKeepsTheText();
    void pasteMakesTheExerciseText();

private:
    void startWith(const QString& commandLineFile);
    QString writeFile(const QString& name, const QByteArray& bytes);
    // Drops a file onto the text window; returns whether the window took it.
    bool drop(const QString& path);

    std::unique_ptr<ProgramFixture> Fixture;
    TMainForm* Main = nullptr;
    TTextForm* Text = nullptr;
};

namespace {

QByteArray fb2Book() {
    QString body;
    for (int i = 1; i <= 200; ++i)
        body += QStringLiteral("<p>Абзац номер %1 о зимнем саде и его тропинках.</p>").arg(i);
    return (QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><FictionBook><description>"
                           "<title-info><book-title>Сад</book-title></title-info></description>"
                           "<body><section>") +
            body + QStringLiteral("</section></body></FictionBook>"))
        .toUtf8();
}

QByteArray epubBook() {
    return buildZip(
        {{QStringLiteral("META-INF/container.xml"),
          "<container><rootfiles><rootfile full-path=\"p.opf\"/></rootfiles></container>"},
         {QStringLiteral("p.opf"), "<package><manifest><item id=\"a\" href=\"a.xhtml\" "
                                   "media-type=\"application/xhtml+xml\"/></manifest><spine>"
                                   "<itemref idref=\"a\"/></spine></package>"},
         {QStringLiteral("a.xhtml"), QStringLiteral("<html><body><p>Река</p><p>Мост</p></body>"
                                                    "</html>")
                                         .toUtf8()}});
}

} // namespace

void TestBookOpening::cleanup() {
    closeUnexpectedDialogs();
    Fixture.reset();
}

void TestBookOpening::startWith(const QString& commandLineFile) {
    Fixture = std::make_unique<ProgramFixture>();
    Fixture->createStore(ProgramFixture::quietSettings());
    Program& program = Fixture->start(false);
    Main = program.windows().MainForm;
    Text = program.windows().TextForm;
    if (!commandLineFile.isEmpty())
        program.openAfterSplash(commandLineFile);
    bool splashSeen = false;
    onNextModal([&splashSeen](QWidget* modal) {
        auto* about = qobject_cast<TAboutForm*>(modal);
        QVERIFY2(about, "the splash comes first");
        splashSeen = true;
        about->Timer1Timer();
    });
    program.show();
    QTRY_VERIFY(splashSeen);
}

QString TestBookOpening::writeFile(const QString& name, const QByteArray& bytes) {
    QString path = Fixture->programDir() + QStringLiteral("/") + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(bytes);
    return path;
}

bool TestBookOpening::drop(const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QWidget* target = Text->RichEdit1->viewport();
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

void TestBookOpening::commandLineThenDropAsksToResume() {
    // The files exist before the program starts, as they do for a command line.
    QTemporaryDir before;
    const QString book = before.filePath(QStringLiteral("garden.fb2"));
    const QString river = before.filePath(QStringLiteral("river.epub"));
    for (const auto& [path, bytes] : {std::pair{book, fb2Book()}, std::pair{river, epubBook()}}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    startWith(book);
    QTRY_COMPARE(Main->fileName(), QDir::toNativeSeparators(book));
    QVERIFY(Text->RichEdit1->text().startsWith(QStringLiteral("Сад  Абзац номер 1 о зимнем")));
    QVERIFY(!Text->RichEdit1->text().contains(QLatin1Char('\n')));
    Text->RichEdit1->setCaretPosition(500);

    QVERIFY(drop(river));
    QTRY_COMPARE(Main->fileName(), QDir::toNativeSeparators(river));
    QCOMPARE(Text->RichEdit1->text(), QStringLiteral("Река  Мост"));

    bool asked = false;
    onNextModal([&asked](QWidget* modal) {
        auto* question = qobject_cast<TBookmarkForm*>(modal);
        QVERIFY2(question, "the resume question");
        asked = true;
        control<QPushButton>(question, "BitBtn1")->click(); // "С последней остановки"
    });
    QVERIFY(drop(book));
    QTRY_VERIFY(asked);
    QTRY_COMPARE(Main->fileName(), QDir::toNativeSeparators(book));
    QCOMPARE(Text->RichEdit1->caretPosition(), 500);
}

void TestBookOpening::dropIsRefusedDuringARun() {
    startWith(QString());
    const QString book = writeFile(QStringLiteral("garden.fb2"), fb2Book());
    Main->PasteText(QStringLiteral("Короткий текст для пробежки глазами."));
    control<QToolButton>(Main, "SpeedButton2")->click();
    QVERIFY(Main->isRunning());
    QVERIFY(!drop(book));
    control<QToolButton>(Main, "SpeedButton3")->click();
    QVERIFY(drop(book));
    QTRY_COMPARE(Main->fileName(), QDir::toNativeSeparators(book));
}

void TestBookOpening::damagedBookKeepsTheText() {
    startWith(QString());
    const QString river = writeFile(QStringLiteral("river.epub"), epubBook());
    QVERIFY(drop(river));
    QTRY_COMPARE(Text->RichEdit1->text(), QStringLiteral("Река  Мост"));
    const QByteArray whole = epubBook();
    const QString cut = writeFile(QStringLiteral("cut.epub"), whole.first(whole.size() - 30));
    QString message;
    onNextModal([&message](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY2(box, "an error box");
        message = box->text();
        box->accept();
    });
    QVERIFY(drop(cut));
    QTRY_VERIFY(!message.isEmpty());
    QCOMPARE(message, QStringLiteral("Файл \"cut.epub\" повреждён: архив ZIP не читается (он "
                                     "обрезан или испорчен)."));
    QCOMPARE(Text->RichEdit1->text(), QStringLiteral("Река  Мост"));
    QCOMPARE(Main->fileName(), QDir::toNativeSeparators(river));
}

void TestBookOpening::pasteMakesTheExerciseText() {
    startWith(QString());
    const QString river = writeFile(QStringLiteral("river.epub"), epubBook());
    Main->OpenTextFile(river);
    Text->RichEdit1->setCaretPosition(6);

    QApplication::clipboard()->setText(QStringLiteral("Первая строка\r\nвторая\nтретья"));
    Text->activateWindow();
    Text->RichEdit1->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(Main));
    QTest::keyClick(Text->RichEdit1, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Text->RichEdit1->text(), QStringLiteral("Первая строка  вторая третья"));
    QCOMPARE(Text->RichEdit1->caretPosition(), 0);
    QVERIFY(Main->fileName().isEmpty());
    // The book's place was kept before the pasted text replaced it.
    const auto entry = TextMemory(Main->textMemoryPath()).find(QDir::toNativeSeparators(river));
    QVERIFY(entry && entry->position);
    QCOMPARE(entry->position->caret, 6);

    // During a run Ctrl+V does nothing.
    control<QToolButton>(Main, "SpeedButton2")->click();
    QApplication::clipboard()->setText(QStringLiteral("Другое"));
    QTest::keyClick(Text->RichEdit1, Qt::Key_V, Qt::ControlModifier);
    control<QToolButton>(Main, "SpeedButton3")->click();
    QCOMPARE(Text->RichEdit1->text(), QStringLiteral("Первая строка  вторая третья"));
}

QTEST_MAIN(TestBookOpening)
#include "tst_bookopening.moc"
