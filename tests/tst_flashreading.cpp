#include "Controls.h"
#include "ProgramFixture.h"

#include "flash/FlashDisplay.h"
#include "flash/FlashForm.h"
#include "platform/PacedTimer.h"
#include "readingview/ReadingView.h"
#include "shell/TextMemory.h"
#include "shell/Unitfrmain.h"
#include "text/Unitfrtext.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

Q_DECLARE_METATYPE(FlashResult)
Q_DECLARE_METATYPE(RunResult)

namespace {

const QString Walk = QStringLiteral(
    "Утро было тихим. Мы вышли рано, пока город спал. У моста нас ждали 10 000 огней. "
    "Река — широкая и тёмная — текла медленно. Домой мы вернулись к обеду.");

int at(const QString& word) {
    return int(Walk.indexOf(word));
}

} // namespace

class TestFlashReading : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void startPauseStepStopHandsThePlaceBack();
    void theTextsEndStopsWithTheFigures();
    void noTextShowsTheMessage();

private:
    // Starts the program with Walk opened in the text window, the text's place at `place`.
    void startWithWalk(int place);
    void chooseFlash();
    void key(int code);

    std::unique_ptr<ProgramFixture> Fixture;
    TMainForm* Main = nullptr;
    TTextForm* Text = nullptr;
    TFlashForm* Flash = nullptr;
    QString WalkPath;
};

void TestFlashReading::cleanup() {
    closeUnexpectedDialogs();
    Fixture.reset();
}

void TestFlashReading::startWithWalk(int place) {
    Fixture = std::make_unique<ProgramFixture>();
    WalkPath =
        QDir::toNativeSeparators(Fixture->programDir() + QStringLiteral("/LIBRARY/walk.txt"));
    QFile file(WalkPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(Walk.toUtf8());
    file.close();
    Main = Fixture->startQuiet().windows().MainForm;
    Text = Fixture->program().windows().TextForm;
    Flash = Fixture->program().windows().FlashForm;
    Main->OpenTextFile(WalkPath);
    Text->RichEdit1->setCaretPosition(place);
}

void TestFlashReading::chooseFlash() {
    Main->kindEntry(ExerciseKind::Flash)->trigger();
    QCOMPARE(Main->state().ChosenKind(), ExerciseKind::Flash);
    QCOMPARE(Main->ActiveMDIChild(), Flash);
    QVERIFY(
        !control<QToolButton>(Main, "SpeedButton14")->isEnabled()); // no test mode for this kind
}

void TestFlashReading::key(int code) {
    QTest::keyClick(Flash->findChild<FlashDisplay*>(), Qt::Key(code));
}

void TestFlashReading::startPauseStepStopHandsThePlaceBack() {
    startWithWalk(at(QStringLiteral("моста")) + 2); // inside a word: that word
    chooseFlash();
    QSignalSpy finished(Flash, &TFlashForm::flashFinished);
    QSignalSpy kept(Flash, &ExerciseWindow::runFinished);
    control<QToolButton>(Main, "SpeedButton2")->click(); // Пуск
    QVERIFY(Flash->isRunning());
    QVERIFY(!control<QSpinBox>(Flash, "WordsSpin")->isEnabled());
    Flash->Timer1Timer();
    QCOMPARE(Flash->findChild<FlashDisplay*>()->group(), QStringLiteral("моста"));
    for (int step = 0; step < 3; ++step)
        Flash->Timer1Timer();
    QCOMPARE(Flash->findChild<FlashDisplay*>()->group(), QStringLiteral("10 000"));
    QCOMPARE(Text->RichEdit1->caretPosition(), at(QStringLiteral("10 000")));
    QCOMPARE(control<QProgressBar>(Flash, "Progress")->value(),
             at(QStringLiteral("10 000")) * 100 / int(Walk.size()));

    key(Qt::Key_Space);
    QVERIFY(Flash->isPaused());
    QVERIFY(!Flash->timer()->isActive());
    QVERIFY(control<QPushButton>(Flash, "BackButton")->isEnabled());
    key(Qt::Key_Left);
    QCOMPARE(Flash->findChild<FlashDisplay*>()->group(), QStringLiteral("У"));
    key(Qt::Key_Left);
    QCOMPARE(Flash->findChild<FlashDisplay*>()->group(), QStringLiteral("Мы"));
    control<QPushButton>(Flash, "ForwardButton")->click();
    QCOMPARE(Flash->findChild<FlashDisplay*>()->group(), QStringLiteral("У"));
    QCOMPARE(Text->RichEdit1->caretPosition(), at(QStringLiteral("У моста")));
    key(Qt::Key_Space);
    QVERIFY(!Flash->isPaused());
    QVERIFY(Flash->timer()->isActive());

    key(Qt::Key_Escape); // Стоп
    QVERIFY(!Main->isRunning());
    QVERIFY(!Flash->isRunning());
    QVERIFY(control<QToolButton>(Main, "SpeedButton2")->isEnabled());
    QVERIFY(control<QSpinBox>(Flash, "WordsSpin")->isEnabled());
    QCOMPARE(finished.count(), 1);
    const auto result = finished.at(0).at(0).value<FlashResult>();
    QCOMPARE(result.CharsRead, 5 + 3 + 5); // моста, нас, ждали
    QCOMPARE(result.WordsRead, 3);
    QVERIFY(result.Stopped);
    QVERIFY(control<QLabel>(Flash, "Figures")
                ->text()
                .startsWith(QStringLiteral("Прочитано: 13 симв., слов: 3")));
    QVERIFY(control<QLabel>(Flash, "Figures")
                ->text()
                .endsWith(QStringLiteral("фактическая скорость: ") + QString::number(result.Speed) +
                          QStringLiteral(" симв/мин")));
    // The diary keeps the regulator's speed and the speed reached each as what it is.
    QCOMPARE(kept.count(), 1);
    const auto record = kept.at(0).at(0).value<RunResult>();
    QCOMPARE(record.charsPerMinute, Main->state().speed());
    QCOMPARE(record.actualCharsPerMinute, result.Speed);
    QCOMPARE(record.durationMs, result.ElapsedMs);

    // The text exercise goes on from the same word, and so does the next opening of the book.
    control<QToolButton>(Main, "SpeedButton4")->click();
    QCOMPARE(Main->ActiveMDIChild(), Text);
    control<QToolButton>(Main, "SpeedButton2")->click();
    Text->Timer1Timer();
    QCOMPARE(Text->fieldStart(), at(QStringLiteral("У моста")));
    control<QToolButton>(Main, "SpeedButton3")->click();
    Fixture->close();
    const auto entry = TextMemory(Main->textMemoryPath()).find(WalkPath);
    QVERIFY(entry && entry->position);
    QCOMPARE(entry->position->caret, at(QStringLiteral("У моста")));
}

void TestFlashReading::theTextsEndStopsWithTheFigures() {
    startWithWalk(at(QStringLiteral("Река")));
    chooseFlash();
    control<QSpinBox>(Flash, "WordsSpin")->setValue(3);
    QCOMPARE(Fixture->storedValue(QStringLiteral("FlashWords")).toInt(), 3);
    QSignalSpy finished(Flash, &TFlashForm::flashFinished);
    QSignalSpy ended(Flash, &TFlashForm::runEnded);
    QStringList shown;
    control<QToolButton>(Main, "SpeedButton2")->click();
    for (int step = 0; step < 20 && Main->isRunning(); ++step) {
        Flash->Timer1Timer();
        if (Flash->isRunning())
            shown << Flash->findChild<FlashDisplay*>()->group();
    }
    QCOMPARE(shown,
             QStringList({QStringLiteral("Река —"), QStringLiteral("широкая и тёмная —"),
                          QStringLiteral("текла медленно."), QStringLiteral("Домой мы вернулись"),
                          QStringLiteral("к обеду.")}));
    QVERIFY(!Main->isRunning());
    QCOMPARE(ended.count(), 1);
    QCOMPARE(finished.count(), 1);
    QVERIFY(!finished.at(0).at(0).value<FlashResult>().Stopped);
    QCOMPARE(control<QProgressBar>(Flash, "Progress")->value(), 100);
    QVERIFY(Flash->findChild<FlashDisplay*>()->group().isEmpty());
    QCOMPARE(Text->RichEdit1->caretPosition(), int(Walk.size()));

    // Read to its end, the text starts again from its beginning.
    control<QToolButton>(Main, "SpeedButton2")->click();
    Flash->Timer1Timer();
    QCOMPARE(Flash->findChild<FlashDisplay*>()->group(), QStringLiteral("Утро было тихим."));
    control<QToolButton>(Main, "SpeedButton3")->click();
}

void TestFlashReading::noTextShowsTheMessage() {
    Fixture = std::make_unique<ProgramFixture>();
    Main = Fixture->startQuiet().windows().MainForm;
    Flash = Fixture->program().windows().FlashForm;
    chooseFlash();
    QString shown;
    onNextModal([&shown](QWidget* modal) {
        shown = modal->objectName();
        modal->close();
    });
    control<QToolButton>(Main, "SpeedButton2")->click();
    QCOMPARE(shown, QStringLiteral("MessageForm"));
    QVERIFY(!Main->isRunning());
    QVERIFY(!Flash->isRunning());
    QVERIFY(control<QToolButton>(Main, "SpeedButton2")->isEnabled());
}

QTEST_MAIN(TestFlashReading)
#include "tst_flashreading.moc"
