#include "Controls.h"
#include "ProgramFixture.h"

#include "formats/TextDecoding.h"
#include "platform/PacedTimer.h"
#include "readingview/ReadingView.h"
#include "shell/TextMemory.h"
#include "shell/Unitbookmark.h"
#include "shell/Unitfrmain.h"
#include "table/Unitfrtable.h"
#include "text/ReadingField.h"
#include "text/Unitfrtext.h"
#include "widgets/TCSpinEdit.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>

class TestTextWindow : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void openThroughTheDialog();
    void openDialogFilterFollowsTheStore_data();
    void openDialogFilterFollowsTheStore();
    void resumeQuestionBothWays();
    void badFilesKeepThePreviousText_data();
    void badFilesKeepThePreviousText();
    void malformedMemoryEntryStopsTheLoad();
    void runToTheEnd_data();
    void runToTheEnd();
    void stopMidWordLeavesTheCaretThere();
    void speedChangeTakesEffectAtTheNextStep();
    void runStartsAtTheStartOfAWord();
    void noTextShowsTheMessage();
    void switchingKindsKeepsTheView();
    void rulerSnapsAndLimitsTheWidthSpin();
    void tooLargeFontStepsDown();
    void closingDuringARunKeepsThePlace();
    void damagedRtfLoadsWithAWarning_data();
    void damagedRtfLoadsWithAWarning();
    void resizeKeepsTheWrapWhileTheColumnStays();

private:
    TMainForm* startQuiet(const QVariantMap& changes = {});
    QString writeFile(const QString& name, const QByteArray& bytes);
    void openFile(const QString& path, int bookmarkAnswer = 0);
    // Steps the running text exercise until it ends; returns the number of steps.
    int runToEnd(const std::function<void()>& afterStep = {});

    std::unique_ptr<ProgramFixture> Fixture;
    TMainForm* Main = nullptr;
    TTextForm* Text = nullptr;
};

namespace {

// Types the path into the open dialog, as a user would, so that the dialog need not have
// listed its folder yet.
void choose(QFileDialog* dialog, const QString& path) {
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(name);
    name->setText(path);
}

QString longText(int words) {
    static const QStringList vocabulary{"чтение", "быстро", "взгляд",     "строка", "внимание",
                                        "память", "слово",  "книга",      "путь",   "и",
                                        "мысль",  "навык",  "тренировка", "поле",   "зрения"};
    QString text;
    for (int i = 0; i < words; ++i) {
        text += vocabulary.at((i * 7 + i / 3) % vocabulary.size());
        text += (i % 23 == 22) ? QStringLiteral(".\r\n") : QStringLiteral(" ");
    }
    return text;
}

// The start of an RTF document in Windows-1251 with a Cyrillic font.
QByteArray rtfHead() {
    return R"({\rtf1\ansi\ansicpg1251{\fonttbl{\f0\fcharset204 Arial;}}\f0 )";
}

} // namespace

TMainForm* TestTextWindow::startQuiet(const QVariantMap& changes) {
    Fixture = std::make_unique<ProgramFixture>();
    Main = Fixture->startQuiet(changes).windows().MainForm;
    Text = Fixture->program().windows().TextForm;
    return Main;
}

void TestTextWindow::cleanup() {
    closeUnexpectedDialogs();
    Fixture.reset();
}

QString TestTextWindow::writeFile(const QString& name, const QByteArray& bytes) {
    const QString path = Fixture->programDir() + QStringLiteral("/LIBRARY/") + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(bytes);
    return path;
}

void TestTextWindow::openFile(const QString& path, int bookmarkAnswer) {
    onNextModal([path, bookmarkAnswer](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY2(dialog, "the open dialog comes first");
        choose(dialog, path);
        if (bookmarkAnswer != 0) {
            onNextModal([bookmarkAnswer](QWidget* question) {
                auto* bookmark = qobject_cast<TBookmarkForm*>(question);
                QVERIFY2(bookmark, "the resume question follows");
                (bookmarkAnswer == 1 ? control<QPushButton>(bookmark, "BitBtn1")
                                     : control<QPushButton>(bookmark, "BitBtn2"))
                    ->click();
            });
        }
        static_cast<QDialog*>(dialog)->accept();
    });
    control<QToolButton>(Main, "SpeedButton1")->click();
}

int TestTextWindow::runToEnd(const std::function<void()>& afterStep) {
    int steps = 0;
    while (Main->isRunning() && steps < 100000) {
        Text->Timer1Timer();
        ++steps;
        if (afterStep && Main->isRunning())
            afterStep();
    }
    return steps;
}

void TestTextWindow::openThroughTheDialog() {
    startQuiet();
    const QString path =
        writeFile(QStringLiteral("first.txt"),
                  QStringLiteral("Первая строка.\r\nВторая строка.\nТретья.").toUtf8());
    QString startDir;
    QString openCaption;
    onNextModal([&startDir, &openCaption, path](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog);
        startDir = dialog->directory().absolutePath();
        if (auto* box = dialog->findChild<QDialogButtonBox*>())
            openCaption = box->button(QDialogButtonBox::Open)->text();
        choose(dialog, path);
        static_cast<QDialog*>(dialog)->accept();
    });
    control<QToolButton>(Main, "SpeedButton1")->click();
    QCOMPARE(QDir(startDir), QDir(Fixture->programDir() + QStringLiteral("/LIBRARY")));
    QVERIFY2(openCaption.remove(QLatin1Char('&')) == QStringLiteral("Открыть"),
             qPrintable(openCaption)); // the standard dialogs speak Russian
    const QString expected = QStringLiteral("Первая строка.  Вторая строка. Третья.");
    QCOMPARE(Text->RichEdit1->text(), expected);
    QCOMPARE(Text->textLength(), int(expected.size()));
    QCOMPARE(Main->fileName(), QDir::toNativeSeparators(path));
    QCOMPARE(Main->statusPanel(3), QStringLiteral("Volume: 33 симв"));
    QCOMPARE(QDir(Fixture->storedValue(QStringLiteral("LastDir")).toString()),
             QDir(Fixture->programDir() + QStringLiteral("/LIBRARY")));
}

void TestTextWindow::openDialogFilterFollowsTheStore_data() {
    QTest::addColumn<QVariantMap>("stored");
    QTest::addColumn<QStringList>("shown"); // patterns of the filter the dialog starts with
    QTest::addColumn<int>("storedAfter");
    const QStringList everyKind{"*.txt", "*.rtf", "*.fb2",  "*.fb2.zip", "*.epub", "*.docx",
                                "*.odt", "*.htm", "*.html", "*.xhtml",   "*.xht"};
    QTest::newRow("new user: every kind read") << QVariantMap() << everyKind << 8;
    QTest::newRow("1: plain text") << QVariantMap{{"FilterIndex", 1}} << QStringList{"*.txt"} << 1;
    QTest::newRow("2: RTF") << QVariantMap{{"FilterIndex", 2}} << QStringList{"*.rtf"} << 2;
    QTest::newRow("3: all files") << QVariantMap{{"FilterIndex", 3}} << QStringList{"*"} << 3;
    QTest::newRow("4: FB2 after them")
        << QVariantMap{{"FilterIndex", 4}} << QStringList{"*.fb2", "*.fb2.zip"} << 4;
    QTest::newRow("unknown index: every kind")
        << QVariantMap{{"FilterIndex", 40}} << everyKind << 8;
}

void TestTextWindow::openDialogFilterFollowsTheStore() {
    QFETCH(QVariantMap, stored);
    QFETCH(QStringList, shown);
    QFETCH(int, storedAfter);
    startQuiet(stored);
    const QString path = writeFile(QStringLiteral("filter.txt"), QByteArray("Слово."));
    QStringList patterns;
    onNextModal([&patterns, path](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog);
        const QString filter = dialog->selectedNameFilter();
        patterns = filter.mid(filter.indexOf(u'(') + 1).chopped(1).split(u' ');
        choose(dialog, path);
        static_cast<QDialog*>(dialog)->accept();
    });
    control<QToolButton>(Main, "SpeedButton1")->click();
    QCOMPARE(patterns, shown);
    QCOMPARE(Fixture->storedValue(QStringLiteral("FilterIndex")).toInt(), storedAfter);
}

void TestTextWindow::resumeQuestionBothWays() {
    startQuiet();
    const QString first = writeFile(QStringLiteral("a.txt"), longText(3000).toUtf8());
    const QString second = writeFile(QStringLiteral("b.txt"), longText(100).toUtf8());
    openFile(first);
    QCOMPARE(Text->RichEdit1->caretPosition(), 0);
    Text->RichEdit1->scrollLines(40);
    const int top = Text->RichEdit1->firstVisibleLine();
    const int caret = Text->RichEdit1->lineStart(top + 3) + 2;
    Text->RichEdit1->setCaretPosition(caret);

    openFile(second); // saves where the first one stopped
    QCOMPARE(Text->RichEdit1->caretPosition(), 0);
    const auto entry = TextMemory(Main->textMemoryPath()).find(QDir::toNativeSeparators(first));
    QVERIFY(entry && entry->position);
    QCOMPARE(entry->position->caret, caret);

    openFile(first, 1); // "С последней остановки"
    QCOMPARE(Text->RichEdit1->caretPosition(), caret);
    QCOMPARE(Text->RichEdit1->firstVisibleLine(), top);

    openFile(first, 2); // "Сначала"
    QCOMPARE(Text->RichEdit1->caretPosition(), 0);
    QCOMPARE(Text->RichEdit1->firstVisibleLine(), 0);
}

void TestTextWindow::badFilesKeepThePreviousText_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("binary") << "image.txt" << QByteArray("GIF89a\0\0\x01\x02", 10);
    QTest::newRow("not RTF") << "fake.rtf" << QByteArray("just words");
}

void TestTextWindow::badFilesKeepThePreviousText() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    startQuiet();
    const QString good = writeFile(QStringLiteral("good.txt"), longText(500).toUtf8());
    openFile(good);
    Text->RichEdit1->scrollLines(5);
    Text->RichEdit1->setCaretPosition(77);
    const QString before = Text->RichEdit1->text();
    const int top = Text->RichEdit1->firstVisibleLine();

    const QString bad = writeFile(name, bytes);
    QString message;
    bool busyCursor = true;
    onNextModal([&message, &busyCursor, bad](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog);
        choose(dialog, bad);
        onNextModal([&message, &busyCursor](QWidget* error) {
            auto* box = qobject_cast<QMessageBox*>(error);
            QVERIFY2(box, "an error box");
            message = box->text();
            busyCursor = QApplication::overrideCursor() != nullptr;
            box->accept();
        });
        static_cast<QDialog*>(dialog)->accept();
    });
    control<QToolButton>(Main, "SpeedButton1")->click();
    QVERIFY(message.contains(name));
    QVERIFY2(!busyCursor, "the box is shown with the normal cursor");
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(Text->RichEdit1->text(), before);
    QCOMPARE(Text->RichEdit1->caretPosition(), 77);
    QCOMPARE(Text->RichEdit1->firstVisibleLine(), top);
    QCOMPARE(Main->fileName(), QDir::toNativeSeparators(good));
}

void TestTextWindow::malformedMemoryEntryStopsTheLoad() {
    startQuiet();
    const QString path = writeFile(QStringLiteral("c.txt"), longText(50).toUtf8());
    QFile memory(Main->textMemoryPath());
    QVERIFY(memory.open(QIODevice::WriteOnly));
    memory.write(QByteArray("\r\n") + encodeWindows1251(QDir::toNativeSeparators(path)) +
                 "^12x^0\r\n");
    memory.close();

    bool errorShown = false;
    int busyCursors = 0; // dialogs shown under the hourglass
    onNextModal([&errorShown, &busyCursors, path](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog);
        choose(dialog, path);
        onNextModal([&errorShown, &busyCursors](QWidget* question) {
            auto* bookmark = qobject_cast<TBookmarkForm*>(question);
            QVERIFY2(bookmark, question->metaObject()->className());
            busyCursors += QApplication::overrideCursor() != nullptr;
            onNextModal([&errorShown, &busyCursors](QWidget* error) {
                errorShown = qobject_cast<QMessageBox*>(error) != nullptr;
                busyCursors += QApplication::overrideCursor() != nullptr;
                error->close();
            });
            control<QPushButton>(bookmark, "BitBtn1")->click();
        });
        static_cast<QDialog*>(dialog)->accept();
    });
    control<QToolButton>(Main, "SpeedButton1")->click();
    QVERIFY(errorShown);
    QCOMPARE(busyCursors, 0);
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(Text->RichEdit1->length(), 0);
    QVERIFY(Main->fileName().isEmpty());
}

void TestTextWindow::runToTheEnd_data() {
    QTest::addColumn<bool>("dynamic");
    QTest::newRow("dynamic") << true;
    QTest::newRow("static") << false;
}

void TestTextWindow::runToTheEnd() {
    QFETCH(bool, dynamic);
    startQuiet();
    const QString text = longText(1500);
    Text->setLoadedText(text, 0, 0);
    (dynamic ? control<QToolButton>(Main, "SpeedButton7")
             : control<QToolButton>(Main, "SpeedButton8"))
        ->click();
    control<QToolButton>(Main, "SpeedButton2")->click();
    QVERIFY(Main->isRunning());
    const int n = Main->state().ReadingFieldWidth();
    int lastTop = 0;
    int previousEnd = 0;
    QString read;
    const int steps = runToEnd([&] {
        ReadingView* view = Text->RichEdit1;
        const int start = Text->fieldStart();
        const int end = Text->fieldEnd();
        // The field is black, starts on a word, and never goes back.
        QVERIFY(start >= previousEnd);
        QVERIFY(!ReadingField::isBlankOrBreak(text.at(start)));
        QCOMPARE(view->colorAt(start), QColor(Qt::black));
        QCOMPARE(view->colorAt(end - 1), QColor(Qt::black));
        if (start > 0)
            QCOMPARE(view->colorAt(start - 1), QColor(0xC0, 0xC0, 0xC0));
        const QString field = text.mid(start, end - start);
        QVERIFY2(field.trimmed().size() <= n || !field.trimmed().contains(QLatin1Char(' ')),
                 qPrintable(field));
        read += field + QLatin1Char(' ');
        previousEnd = end;
        // The view follows the field as the mode says.
        const int y = view->lineFromPosition(start);
        const int top = view->firstVisibleLine();
        const int visible = view->visibleLineCount();
        QVERIFY(y >= top && y < top + visible);
        if (dynamic)
            QVERIFY(top == lastTop || top - lastTop == visible);
        else
            QVERIFY(y - top <= visible / 2);
        lastTop = top;
    });
    QVERIFY(steps > 100);
    QVERIFY(!Main->isRunning());
    QVERIFY(lastTop > 0);
    // Every word was shown once, in order.
    QCOMPARE(read.simplified(),
             QString(text).replace(QLatin1String("\r\n"), QLatin1String(" ")).simplified());
    // Nothing black remains and the caret rests at the end.
    QCOMPARE(Text->RichEdit1->colorAt(text.size() - 3), QColor(0xC0, 0xC0, 0xC0));
    QVERIFY(control<QToolButton>(Main, "SpeedButton2")->isEnabled());
    QCOMPARE(Text->charsShown(), n * (steps - 1)); // the last step found the end and showed nothing
}

void TestTextWindow::stopMidWordLeavesTheCaretThere() {
    startQuiet();
    Text->setLoadedText(longText(300), 0, 0);
    control<QToolButton>(Main, "SpeedButton2")->click();
    for (int i = 0; i < 6; ++i)
        Text->Timer1Timer();
    const int fieldStart = Text->fieldStart();
    const int fieldEnd = Text->fieldEnd();
    control<QToolButton>(Main, "SpeedButton3")->click();
    QVERIFY(!Main->isRunning());
    QVERIFY(!Text->timer()->isActive());
    QCOMPARE(Text->RichEdit1->caretPosition(), fieldStart);
    QCOMPARE(Text->RichEdit1->selectionLength(), 0);
    for (int pos = fieldStart; pos < fieldEnd; ++pos)
        QCOMPARE(Text->RichEdit1->colorAt(pos), QColor(0xC0, 0xC0, 0xC0));
    QVERIFY(control<QWidget>(Text, "Panel1")->isEnabled());

    // The next run goes on from there.
    control<QToolButton>(Main, "SpeedButton2")->click();
    Text->Timer1Timer();
    QCOMPARE(Text->fieldStart(), fieldStart);
    control<QToolButton>(Main, "SpeedButton3")->click();
}

void TestTextWindow::speedChangeTakesEffectAtTheNextStep() {
    startQuiet();
    Text->setLoadedText(longText(300), 0, 0);
    control<QToolButton>(Main, "SpeedButton2")->click();
    Text->Timer1Timer();
    QCOMPARE(Text->elapsedMs(), 60 * 10);
    control<QSlider>(Main, "TrackBar1")->setValue(334);
    QCOMPARE(Text->elapsedMs(), 600); // the running interval is not cut short
    Text->Timer1Timer();
    QCOMPARE(Text->elapsedMs(), 600 + 170);
    control<TCSpinEdit>(Main, "CSpinEdit1")->setValue(12);
    Text->Timer1Timer();
    QCOMPARE(Text->elapsedMs(), 600 + 170 + 17 * 12);
    QCOMPARE(Text->charsShown(), 10 + 10 + 12);
    QVERIFY(Text->fieldEnd() - Text->fieldStart() <= 12);
    control<QToolButton>(Main, "SpeedButton3")->click();
}

void TestTextWindow::runStartsAtTheStartOfAWord() {
    startQuiet();
    Text->setLoadedText(QStringLiteral("   альфа бета гамма дельта"), 0, 0);
    Text->RichEdit1->setCaretPosition(11); // inside "бета"
    control<QToolButton>(Main, "SpeedButton2")->click();
    QCOMPARE(Text->fieldStart(), 8); // backed up to the blank before the word
    Text->Timer1Timer();
    QCOMPARE(Text->RichEdit1->text().mid(Text->fieldStart(), Text->fieldEnd() - Text->fieldStart()),
             QStringLiteral("бета гамма"));
    control<QToolButton>(Main, "SpeedButton3")->click();

    Text->RichEdit1->setCaretPosition(0); // leading blanks are skipped
    control<QToolButton>(Main, "SpeedButton2")->click();
    Text->Timer1Timer();
    QCOMPARE(Text->fieldStart(), 3);
    control<QToolButton>(Main, "SpeedButton3")->click();
}

void TestTextWindow::noTextShowsTheMessage() {
    startQuiet();
    for (int press = 0; press < 2; ++press) {
        QString shown;
        bool openUsable = false;
        onNextModal([&](QWidget* modal) {
            shown = modal->objectName();
            // The message sends the user to "Открыть": the run is over and the button works.
            openUsable =
                control<QToolButton>(Main, "SpeedButton1")->isEnabled() && !Main->isRunning();
            modal->close();
        });
        control<QToolButton>(Main, "SpeedButton2")->click();
        QCOMPARE(shown, QStringLiteral("MessageForm"));
        QVERIFY(openUsable);
        QVERIFY(!Main->isRunning());
        QVERIFY(!Text->timer()->isActive());
    }
}

void TestTextWindow::switchingKindsKeepsTheView() {
    startQuiet();
    Text->setLoadedText(longText(3000), 0, 0);
    Text->RichEdit1->scrollLines(25);
    const int top = Text->RichEdit1->firstVisibleLine();
    control<QToolButton>(Main, "SpeedButton5")->click();
    QCOMPARE(Main->ActiveMDIChild(), Fixture->program().windows().TableForm);
    control<QToolButton>(Main, "SpeedButton4")->click();
    QCOMPARE(Main->ActiveMDIChild(), Text);
    QCOMPARE(Text->RichEdit1->firstVisibleLine(), top);

    // A font change re-wraps the text and keeps the same text at the top.
    const int firstChar = Text->RichEdit1->lineStart(top);
    control<QComboBox>(Main, "ComboBox1")
        ->setCurrentIndex(control<QComboBox>(Main, "ComboBox1")->findText(QStringLiteral("16")));
    Main->ComboBox1Change();
    const int newTop = Text->RichEdit1->firstVisibleLine();
    QVERIFY(Text->RichEdit1->lineStart(newTop) <= firstChar);
    QVERIFY(Text->RichEdit1->lineStart(newTop) + Text->RichEdit1->lineLength(newTop) >= firstChar);
}

void TestTextWindow::rulerSnapsAndLimitsTheWidthSpin() {
    startQuiet({{"WidthFormatStr", 301}});
    const int w = control<QFrame>(Text, "WindowFormat")->width();
    QCOMPARE((w - Main->state().EdgeWidth4()) % Main->state().CharWidth(), 0);
    QCOMPARE(Text->columnChars(), (w - Main->state().EdgeWidth4()) / Main->state().CharWidth());
    QCOMPARE(control<QLabel>(Text, "Label1")->text(),
             QString::number(Text->columnChars()) + QStringLiteral(" симв."));
    QCOMPARE(control<TCSpinEdit>(Main, "CSpinEdit1")->maximum(), Text->columnChars());
    // Centred in what the maximised window shows inside its frame.
    QCOMPARE(control<QFrame>(Text, "WindowFormat")->x(),
             (Main->width() - 2 * Main->state().FrameWidth() - w) / 2);

    // Dragging the right grip outward widens the column about its centre.
    QWidget* grip = control<QFrame>(Text, "MarginRight");
    QTest::mousePress(grip, Qt::LeftButton, {}, QPoint(1, 3));
    QMouseEvent move(QEvent::MouseMove, QPointF(41, 3), grip->mapToGlobal(QPointF(41, 3)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grip, &move);
    QCOMPARE(control<QFrame>(Text, "WindowFormat")->width(), w + 41);
    QTest::mouseRelease(grip, Qt::LeftButton, {}, QPoint(1, 3));
    const int snapped = control<QFrame>(Text, "WindowFormat")->width();
    QVERIFY(snapped <= w + 41 && snapped > w);
    QCOMPARE((snapped - Main->state().EdgeWidth4()) % Main->state().CharWidth(), 0);
    QCOMPARE(
        Main->state().MinWidthText(),
        2 * (Main->state().FrameWidth() + Main->state().ScrollWidth() + Main->state().EdgeWidth()) +
            snapped);
}

void TestTextWindow::tooLargeFontStepsDown() {
    startQuiet({{"Width", 700}, {"WideExpression", 40}, {"WidthFormatStr", 600}});
    QString warning;
    onNextModal([&warning](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), QStringLiteral("Предупреждение"));
        warning = box->text();
        box->accept();
    });
    control<QComboBox>(Main, "ComboBox1")
        ->setCurrentIndex(control<QComboBox>(Main, "ComboBox1")->findText(QStringLiteral("72")));
    Main->ComboBox1Change();
    QVERIFY(warning.startsWith(QStringLiteral("Максимальный размер для этого шрифта - ")));
    const int size = control<QComboBox>(Main, "ComboBox1")->currentText().toInt();
    QVERIFY(size < 72);
    QVERIFY(
        warning.contains(QStringLiteral(" - ") + QString::number(size) + QStringLiteral(".\n")));
    QCOMPARE(Main->state().FontSize(), size);
    QVERIFY(40 * Main->state().CharWidth() + Main->state().EdgeWidth4() <= Main->width() ||
            size == 11);
}

void TestTextWindow::closingDuringARunKeepsThePlace() {
    startQuiet();
    const QString path = writeFile(QStringLiteral("d.txt"), longText(400).toUtf8());
    openFile(path);
    control<QToolButton>(Main, "SpeedButton2")->click();
    for (int i = 0; i < 25; ++i)
        Text->Timer1Timer();
    const int stoppedAt = Text->fieldStart();
    Fixture->close();
    QVERIFY(!Text->timer()->isActive());
    const auto entry = TextMemory(Main->textMemoryPath()).find(QDir::toNativeSeparators(path));
    QVERIFY(entry && entry->position);
    QCOMPARE(entry->position->caret, stoppedAt);
}

void TestTextWindow::damagedRtfLoadsWithAWarning_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("shown");
    const QByteArray head = rtfHead();
    QTest::newRow("a brace too many")
        << head + R"({\'cf\'e5\'f0\'e2\'fb\'e9.}\par}{\'c2\'f2\'ee\'f0\'EE\'e9.}\par})"
        << QStringLiteral("Первый.  Второй.");
    QTest::newRow("cut short") << head + R"(\'cf\'e5\'f0\'e2\'fb\'e9.\par \'c2\'f2)"
                               << QStringLiteral("Первый.  Вт");
}

void TestTextWindow::damagedRtfLoadsWithAWarning() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, shown);
    startQuiet();
    const QString path = writeFile(QStringLiteral("broken.rtf"), rtf);
    QString title;
    QString message;
    bool busyCursor = true;
    onNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog);
        choose(dialog, path);
        onNextModal([&](QWidget* warning) {
            auto* box = qobject_cast<QMessageBox*>(warning);
            QVERIFY2(box, "a warning box");
            title = box->windowTitle();
            message = box->text();
            busyCursor = QApplication::overrideCursor() != nullptr;
            box->accept();
        });
        static_cast<QDialog*>(dialog)->accept();
    });
    control<QToolButton>(Main, "SpeedButton1")->click();
    QCOMPARE(title, QStringLiteral("Предупреждение"));
    QVERIFY2(message.contains(QStringLiteral("\"broken.rtf\" повреждён")), qPrintable(message));
    QVERIFY(message.contains(QStringLiteral("только та часть текста")));
    QVERIFY(!busyCursor);
    QCOMPARE(Text->RichEdit1->text(), shown);
    QCOMPARE(Main->fileName(), QDir::toNativeSeparators(path));

    // An intact file loads without a word.
    const QString intact = writeFile(QStringLiteral("whole.rtf"), rtfHead() + R"(\'cf\'e5\'f0})");
    openFile(intact);
    QCOMPARE(Text->RichEdit1->text(), QStringLiteral("Пер"));
    QVERIFY(!QApplication::activeModalWidget());
}

void TestTextWindow::resizeKeepsTheWrapWhileTheColumnStays() {
    startQuiet();
    openFile(writeFile(QStringLiteral("long.txt"), longText(6000).toUtf8()));
    Text->RichEdit1->scrollLines(120);
    const int top = Text->RichEdit1->firstVisibleLine();
    const int lines = Text->RichEdit1->lineCount();
    const quint64 wrapped = Text->RichEdit1->layoutRevision();
    const int column = control<QFrame>(Text, "WindowFormat")->width();

    for (const QSize size : {Main->size() + QSize(60, 80), Main->size()}) {
        Main->resize(size);
        QTRY_COMPARE(Main->size(), size);
        QCOMPARE(control<QFrame>(Text, "WindowFormat")->width(), column);
        QCOMPARE(Text->RichEdit1->lineCount(), lines);
        QCOMPARE(Text->RichEdit1->firstVisibleLine(), top);
        QCOMPARE(Text->RichEdit1->layoutRevision(), wrapped); // not wrapped again
    }

    // Another font size wraps the text again, and the same text stays at the top.
    const int topStart = Text->RichEdit1->lineStart(top);
    control<QComboBox>(Main, "ComboBox1")
        ->setCurrentIndex(control<QComboBox>(Main, "ComboBox1")->findText(QStringLiteral("14")));
    Main->ComboBox1Change();
    QVERIFY(Text->RichEdit1->lineCount() > lines);
    QVERIFY(Text->RichEdit1->layoutRevision() > wrapped);
    QCOMPARE(Text->RichEdit1->firstVisibleLine(), Text->RichEdit1->lineFromPosition(topStart));
}

QTEST_MAIN(TestTextWindow)
#include "tst_textwindow.moc"
