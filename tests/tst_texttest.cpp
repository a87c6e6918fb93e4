// The text speed test driven through the whole program: test mode over a loaded text, a test
// run stepped to its end, the questions and the result, and damaged test files.
#include "Controls.h"
#include "ProgramFixture.h"

#include "readingview/ReadingView.h"
#include "shell/TextMemory.h"
#include "shell/Unitfrmain.h"
#include "table/Unitfrtable.h"
#include "text/TestFile.h"
#include "text/Unitfranstext.h"
#include "text/Unitfrtext.h"
#include "text/Unittextresult.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <functional>

namespace {

// Answers every modal dialog that opens while it lives, in order: the n-th dialog goes to the
// n-th answer, and any dialog beyond the answers given is rejected. Nothing is left hanging,
// and the test can see afterwards which dialogs appeared.
class ModalLog : public QObject {
public:
    using Answer = std::function<void(QWidget*)>;

    explicit ModalLog(QList<Answer> answers = {}) : Answers(std::move(answers)) {
        connect(&Poll, &QTimer::timeout, this, &ModalLog::poll);
        Poll.start(10);
    }

    // The dialogs in the order they opened (a dialog built on the stack may be gone by now:
    // compare the pointers, do not follow them) and their class names.
    QList<const QWidget*> seen;
    QStringList classes;

private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        const qsizetype n = seen.size();
        seen.append(modal);
        classes.append(QString::fromLatin1(modal->metaObject()->className()));
        if (n < Answers.size())
            Answers[n](modal);
        if (modal->isVisible()) {
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else
                modal->close();
        }
    }

    QList<Answer> Answers;
    QTimer Poll;
};

// A test whose strings name it, with the right answers 0, 2, 1, 1, 0.
TestText makeTest(const QString& text, const QString& tag) {
    TestText test;
    test.text = text;
    for (int q = 0; q < TestQuestionCount; ++q) {
        test.questions[q] = QStringLiteral("Вопрос %1 к тексту %2?").arg(q + 1).arg(tag);
        for (int a = 0; a < TestAnswerCount; ++a)
            test.answers[q][a] =
                QStringLiteral("Ответ %1 на вопрос %2 (%3)").arg(a + 1).arg(q + 1).arg(tag);
    }
    test.right = {0, 2, 1, 1, 0};
    return test;
}

const QString RunText = QStringLiteral("  Утром над рекой стоял густой туман.\r\n"
                                       "\r\n"
                                       "Лодка медленно шла вдоль берега, и рыбаки молча\r\n"
                                       "смотрели на тёмную воду. Где-то далеко кричала птица.\r\n");

// Characters a reader reads: everything but blanks and line breaks.
int readableCount(const QString& text) {
    return int(std::count_if(text.cbegin(), text.cend(),
                             [](QChar c) { return c != u' ' && c != u'\r' && c != u'\n'; }));
}

// A text of many wrapped lines, CR LF between paragraphs.
QString longUserText() {
    QStringList paragraphs;
    for (int i = 1; i <= 120; ++i)
        paragraphs << QStringLiteral("Абзац %1: дорога шла через поле к лесу, и за лесом "
                                     "начиналась река, широкая и спокойная.")
                          .arg(i);
    return paragraphs.join(QStringLiteral("\r\n"));
}

// Where the user is in the text: what the window shows.
struct ViewState {
    QString text;
    int caret = 0;
    int topLine = 0;
    friend bool operator==(const ViewState&, const ViewState&) = default;
};

ViewState viewOf(const TTextForm* form) {
    return {form->RichEdit1->text(), form->RichEdit1->caretPosition(),
            form->RichEdit1->firstVisibleLine()};
}

char* toString(const ViewState& v) {
    return QTest::toString(QStringLiteral("text of %1 chars, caret %2, top line %3")
                               .arg(v.text.size())
                               .arg(v.caret)
                               .arg(v.topLine));
}

} // namespace

class TestTextTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void testModeKeepsTheUserTextAside_data();
    void testModeKeepsTheUserTextAside();
    void testModeLeftWhileTheTableIsInFront();
    void wholeRunAsksAndShowsTheResult();
    void cancelledQuestionsScoreNothing();
    void stopBeforeTheEndAsksNothing();
    void badTestDataLeavesTestMode_data();
    void badTestDataLeavesTestMode();
    void testFileLostDuringARunLeavesTestMode();
    void onlyConsecutiveFilesAreChosen();
    void closingInTestModeKeepsTheUserPlace_data();
    void closingInTestModeKeepsTheUserPlace();
    void questionsReadWhole_data();
    void questionsReadWhole();
    void arrowKeysChooseAnAnswer();

private:
    TMainForm* startQuiet(const QVariantMap& changes = {});
    QString testDir() const { return Fixture->programDir() + QStringLiteral("/Test"); }
    // Leaves only the given test files in the program's Test directory.
    void useOnlyTests(const QList<std::pair<int, TestText>>& tests);
    TTextForm* textForm() const { return Fixture->program().windows().TextForm; }
    TAnsTextForm* questions() const { return Fixture->program().windows().AnsTextForm; }
    TTextResultForm* result() const { return Fixture->program().windows().TextResultForm; }
    // Steps the running exercise to its end as its timer would; returns the calls made, the
    // last one being the step that found the end.
    int stepToEnd();

    std::unique_ptr<ProgramFixture> Fixture;
};

TMainForm* TestTextTest::startQuiet(const QVariantMap& changes) {
    Fixture = std::make_unique<ProgramFixture>();
    return Fixture->startQuiet(changes).windows().MainForm;
}

void TestTextTest::useOnlyTests(const QList<std::pair<int, TestText>>& tests) {
    QDir dir(testDir());
    for (const QString& name : dir.entryList(QDir::Files))
        QVERIFY(dir.remove(name));
    for (const auto& [number, test] : tests) {
        QString error;
        QVERIFY2(writeTestFile(testFilePath(Fixture->programDir(), number), test, &error),
                 qPrintable(error));
    }
}

int TestTextTest::stepToEnd() {
    TMainForm* m = Fixture->program().windows().MainForm;
    int calls = 0;
    while (m->isRunning() && calls < 100000) {
        textForm()->Timer1Timer();
        ++calls;
    }
    return calls;
}

void TestTextTest::cleanup() {
    closeUnexpectedDialogs();
    Fixture.reset();
}

void TestTextTest::testModeKeepsTheUserTextAside_data() {
    QTest::addColumn<int>("caret");      // -1: a few lines into the view
    QTest::addColumn<int>("anchorLine"); // the line the load puts at the top
    QTest::addColumn<int>("scroll");     // lines the user scrolls after loading
    QTest::newRow("at the top") << 0 << 0 << 0;
    QTest::newRow("scrolled, caret in view") << -1 << 0 << 25;
    QTest::newRow("loaded at a remembered place") << -1 << 30 << 0;
    QTest::newRow("loaded and scrolled, caret far below") << 9000 << 10 << 12;
    QTest::newRow("scrolled, caret above") << 40 << 0 << 60;
}

void TestTextTest::testModeKeepsTheUserTextAside() {
    QFETCH(int, caret);
    QFETCH(int, anchorLine);
    QFETCH(int, scroll);
    TMainForm* m = startQuiet();
    TTextForm* form = textForm();
    const QString text = longUserText();
    form->setLoadedText(text, 0, 0);
    const int top = anchorLine + scroll;
    QVERIFY(form->RichEdit1->lineCount() > top + 2 * form->RichEdit1->visibleLineCount());
    if (caret < 0)
        caret = form->RichEdit1->lineStart(top + 3) + 5;
    const int anchor = anchorLine > 0 ? form->RichEdit1->lineStart(anchorLine) + 1 : 0;
    form->setLoadedText(text, caret, anchor);
    QCOMPARE(form->RichEdit1->firstVisibleLine(), anchorLine);
    form->RichEdit1->scrollLines(scroll);
    QCOMPARE(form->RichEdit1->firstVisibleLine(), top);
    const ViewState before = viewOf(form);
    QCOMPARE(before.caret, caret);

    ModalLog dialogs;
    control<QToolButton>(m, "SpeedButton14")->click();
    QVERIFY(control<QToolButton>(m, "SpeedButton14")->isChecked());
    QCOMPARE(form->windowTitle(), QStringLiteral("Тест на скорость чтения текста"));
    // Until Start the window is empty, whatever happens meanwhile.
    QVERIFY(form->RichEdit1->text().isEmpty());
    QVERIFY(form->exerciseText().isEmpty());
    QTest::qWait(50);
    QVERIFY(form->RichEdit1->text().isEmpty());
    QVERIFY(!form->testRecord().Text.isEmpty());
    QVERIFY(!control<QToolButton>(m, "SpeedButton1")->isEnabled());

    control<QToolButton>(m, "SpeedButton14")->click();
    QVERIFY(!control<QToolButton>(m, "SpeedButton14")->isChecked());
    QCOMPARE(form->windowTitle(), QStringLiteral("Чтение текста"));
    QCOMPARE(viewOf(form), before);
    QCOMPARE(form->exerciseText(), text);
    QCOMPARE(form->textLength(), int(text.size()));
    QVERIFY(control<QToolButton>(m, "SpeedButton1")->isEnabled());
    QVERIFY(dialogs.seen.isEmpty());

    // Round trips do not drift.
    for (int i = 0; i < 3; ++i) {
        control<QToolButton>(m, "SpeedButton14")->click();
        control<QToolButton>(m, "SpeedButton14")->click();
    }
    QCOMPARE(viewOf(form), before);
}

void TestTextTest::testModeLeftWhileTheTableIsInFront() {
    TMainForm* m = startQuiet();
    TTextForm* form = textForm();
    const QString text = longUserText();
    form->setLoadedText(text, 0, 0);
    form->RichEdit1->scrollLines(33);
    form->RichEdit1->setCaretPosition(form->RichEdit1->lineStart(35) + 2);
    const ViewState before = viewOf(form);

    ModalLog dialogs;
    control<QToolButton>(m, "SpeedButton14")->click();
    control<QToolButton>(m, "SpeedButton5")->click(); // the table in front, test still down
    QCOMPARE(m->ActiveMDIChild(),
             static_cast<QMdiSubWindow*>(Fixture->program().windows().TableForm));
    control<QToolButton>(m, "SpeedButton14")->click();
    QVERIFY(!control<QToolButton>(m, "SpeedButton14")->isChecked());
    control<QToolButton>(m, "SpeedButton4")->click();
    QCOMPARE(m->ActiveMDIChild(), static_cast<QMdiSubWindow*>(form));
    QCOMPARE(form->windowTitle(), QStringLiteral("Чтение текста"));
    QCOMPARE(viewOf(form), before);
    QVERIFY(dialogs.seen.isEmpty());
}

void TestTextTest::wholeRunAsksAndShowsTheResult() {
    TMainForm* m = startQuiet({{"SpeedTrackBarPosition", 334}, {"WideExpression", 10}});
    QCOMPARE(control<QSlider>(m, "TrackBar1")->value(), 334);
    QCOMPARE(m->state().CharInterval(), 17);
    QCOMPARE(m->state().ReadingFieldWidth(), 10);
    const TestText test = makeTest(RunText, QStringLiteral("о тумане"));
    useOnlyTests({{1, test}});
    TTextForm* form = textForm();
    const QString userText = longUserText();
    form->setLoadedText(userText, 777, 0);
    form->RichEdit1->scrollLines(9);
    const ViewState user = viewOf(form);

    control<QToolButton>(m, "SpeedButton14")->click();
    QVERIFY(control<QToolButton>(m, "SpeedButton14")->isChecked());
    QCOMPARE(form->testRecord().Text, RunText);
    QVERIFY(form->RichEdit1->text().isEmpty());

    control<QToolButton>(m, "SpeedButton2")->click();
    QVERIFY(m->isRunning());
    // The test text is shown from its first character, the view at the top.
    QCOMPARE(form->RichEdit1->text(), RunText);
    QCOMPARE(form->RichEdit1->firstVisibleLine(), 0);
    QCOMPARE(form->testRecord().Volume, readableCount(RunText));

    struct Asked {
        QString title;
        QStringList questions;
        QStringList answers;
        QList<int> chosen;
        bool anyChecked = true;
    } asked;
    struct Shown {
        QString label4, label5, label6;
    } shown;
    ModalLog dialogs({[&](QWidget* modal) {
                          auto* dialog = qobject_cast<TAnsTextForm*>(modal);
                          if (!dialog)
                              return;
                          asked.title = dialog->windowTitle();
                          asked.anyChecked = false;
                          for (int q = 0; q < TestQuestionCount; ++q) {
                              asked.questions << dialog->question(q);
                              asked.chosen << dialog->chosen(q);
                              for (int i = 0; i < 3; ++i) {
                                  const QRadioButton* item = dialog->item(q, i);
                                  asked.answers << item->text();
                                  asked.anyChecked = asked.anyChecked || item->isChecked();
                              }
                          }
                          // Right answers are 0, 2, 1, 1, 0: three right, one wrong, one left open.
                          dialog->item(0, 0)->click();
                          dialog->item(1, 2)->click();
                          dialog->item(2, 1)->click();
                          dialog->item(3, 0)->click();
                          control<QPushButton>(dialog, "BitBtn1")->click();
                      },
                      [&](QWidget* modal) {
                          auto* dialog = qobject_cast<TTextResultForm*>(modal);
                          if (!dialog)
                              return;
                          shown = {control<QLabel>(dialog, "Label4")->text(),
                                   control<QLabel>(dialog, "Label5")->text(),
                                   control<QLabel>(dialog, "Label6")->text()};
                          dialog->accept();
                      }});
    const int calls = stepToEnd();
    QVERIFY(!m->isRunning());

    QCOMPARE(dialogs.seen.size(), 2);
    QCOMPARE(dialogs.seen[0], static_cast<const QWidget*>(questions()));
    QCOMPARE(dialogs.seen[1], static_cast<const QWidget*>(result()));
    QCOMPARE(asked.title, QStringLiteral("Вопросы к тесту"));
    QStringList expectedQuestions, expectedAnswers;
    for (int q = 0; q < TestQuestionCount; ++q) {
        expectedQuestions << test.questions[q];
        for (const QString& a : test.answers[q])
            expectedAnswers << a;
    }
    QCOMPARE(asked.questions, expectedQuestions);
    QCOMPARE(asked.answers, expectedAnswers);
    QCOMPARE(asked.chosen, QList<int>({-1, -1, -1, -1, -1}));
    QVERIFY(!asked.anyChecked);

    // Every step but the last (which found the end) was counted: 10 characters in 17 × 10 ms.
    const int counted = calls - 1;
    QVERIFY(counted > 0);
    QCOMPARE(form->charsShown(), counted * 10);
    QCOMPARE(form->elapsedMs(), counted * 170);
    // Fields hold whole words of at most 10 characters, so the steps covered the whole text.
    QVERIFY(form->charsShown() >= readableCount(RunText));
    const int expectedSpeed = (counted * 10 * 6000 / (counted * 170)) * 10;
    QCOMPARE(expectedSpeed, 3520);
    QCOMPARE(form->charsShown() * 6000 / form->elapsedMs() * 10, expectedSpeed);

    QCOMPARE(shown.label4, QStringLiteral("3 из 5"));
    QCOMPARE(shown.label5, QString::number(readableCount(RunText)) + QStringLiteral(" симв"));
    QCOMPARE(shown.label6, QString::number(expectedSpeed) + QStringLiteral(" симв/мин"));
    QCOMPARE(form->testRecord().ScorePercent, 60);
    QCOMPARE(form->testRecord().Speed, expectedSpeed);
    QCOMPARE(form->testRecord().Volume, readableCount(RunText));

    // A new test is prepared and the window is empty again, still in test mode.
    QCOMPARE(form->testRecord().Text, RunText);
    QVERIFY(form->RichEdit1->text().isEmpty());
    QVERIFY(form->exerciseText().isEmpty());
    QVERIFY(control<QToolButton>(m, "SpeedButton14")->isChecked());
    QVERIFY(control<QToolButton>(m, "SpeedButton2")->isEnabled());
    QVERIFY(!control<QToolButton>(m, "SpeedButton3")->isEnabled());

    // Leaving test mode brings back the user's text where the user left it.
    control<QToolButton>(m, "SpeedButton14")->click();
    QVERIFY(!control<QToolButton>(m, "SpeedButton14")->isChecked());
    QCOMPARE(viewOf(form), user);
    QCOMPARE(form->exerciseText(), userText);
    QCOMPARE(dialogs.seen.size(), 2);
}

void TestTextTest::cancelledQuestionsScoreNothing() {
    TMainForm* m = startQuiet({{"SpeedTrackBarPosition", 334}});
    const TestText test = makeTest(RunText, QStringLiteral("о тумане"));
    useOnlyTests({{1, test}});
    TTextForm* form = textForm();
    control<QToolButton>(m, "SpeedButton14")->click();

    // A first run answered in full leaves choices in the dialog and a score.
    {
        ModalLog dialogs({[](QWidget* modal) {
            auto* dialog = qobject_cast<TAnsTextForm*>(modal);
            if (!dialog)
                return;
            for (int q = 0; q < TestQuestionCount; ++q)
                dialog->choose(q, 2);
            control<QPushButton>(dialog, "BitBtn1")->click();
        }});
        control<QToolButton>(m, "SpeedButton2")->click();
        stepToEnd();
        QCOMPARE(dialogs.seen.size(), 2);
        QCOMPARE(form->testRecord().ScorePercent, 20);
        QVERIFY(form->testRecord().Speed > 0);
    }

    QList<int> chosenAtOpen;
    ModalLog dialogs({[&](QWidget* modal) {
        auto* dialog = qobject_cast<TAnsTextForm*>(modal);
        if (!dialog)
            return;
        for (int q = 0; q < TestQuestionCount; ++q)
            chosenAtOpen << dialog->chosen(q);
        for (int q = 0; q < TestQuestionCount; ++q)
            dialog->choose(q, test.right[q]); // all right, then cancelled
        control<QPushButton>(dialog, "BitBtn2")->click();
    }});
    control<QToolButton>(m, "SpeedButton2")->click();
    QCOMPARE(form->testRecord().ScorePercent, 0);
    stepToEnd();
    QVERIFY(!m->isRunning());
    QCOMPARE(dialogs.seen.size(), 1); // the questions, and no result
    QCOMPARE(dialogs.seen[0], static_cast<const QWidget*>(questions()));
    QCOMPARE(chosenAtOpen, QList<int>({-1, -1, -1, -1, -1}));
    QCOMPARE(form->testRecord().ScorePercent, 0);
    QCOMPARE(form->testRecord().Speed, 0);
    // The next test is prepared as usual.
    QCOMPARE(form->testRecord().Text, RunText);
    QVERIFY(form->RichEdit1->text().isEmpty());
    QVERIFY(control<QToolButton>(m, "SpeedButton14")->isChecked());
    QVERIFY(control<QToolButton>(m, "SpeedButton2")->isEnabled());
}

void TestTextTest::stopBeforeTheEndAsksNothing() {
    TMainForm* m = startQuiet({{"SpeedTrackBarPosition", 334}});
    useOnlyTests({{1, makeTest(RunText, QStringLiteral("о тумане"))}});
    TTextForm* form = textForm();
    const QString userText = longUserText();
    form->setLoadedText(userText, 300, 0);
    const ViewState user = viewOf(form);
    control<QToolButton>(m, "SpeedButton14")->click();

    ModalLog dialogs;
    control<QToolButton>(m, "SpeedButton2")->click();
    for (int i = 0; i < 3; ++i)
        form->Timer1Timer();
    QVERIFY(m->isRunning());
    QCOMPARE(form->charsShown(), 30);
    control<QToolButton>(m, "SpeedButton3")->click();
    QVERIFY(!m->isRunning());
    QTest::qWait(50);
    QVERIFY(dialogs.seen.isEmpty());
    QCOMPARE(form->testRecord().ScorePercent, 0);
    QCOMPARE(form->testRecord().Speed, 0);
    QVERIFY(form->RichEdit1->text().isEmpty());
    QCOMPARE(form->testRecord().Text, RunText);
    QVERIFY(control<QToolButton>(m, "SpeedButton14")->isChecked());
    QVERIFY(control<QToolButton>(m, "SpeedButton14")->isEnabled());
    // Nothing of the test run leaks into the user's text.
    control<QToolButton>(m, "SpeedButton14")->click();
    QCOMPARE(viewOf(form), user);
}

void TestTextTest::badTestDataLeavesTestMode_data() {
    QTest::addColumn<QString>("damage");
    QTest::newRow("no Test directory") << QStringLiteral("no directory");
    QTest::newRow("no SKt1.tst, only SKt2.tst") << QStringLiteral("no first file");
    QTest::newRow("SKt1.tst truncated") << QStringLiteral("truncated");
    QTest::newRow("answer index 3") << QStringLiteral("answer 3");
    QTest::newRow("answer index -1") << QStringLiteral("answer -1");
    QTest::newRow("text of blanks and line breaks") << QStringLiteral("nothing to read");
}

void TestTextTest::badTestDataLeavesTestMode() {
    QFETCH(QString, damage);
    TMainForm* m = startQuiet();
    const TestText good = makeTest(RunText, QStringLiteral("о тумане"));
    if (damage == QLatin1String("no directory")) {
        QVERIFY(QDir(testDir()).removeRecursively());
    } else if (damage == QLatin1String("no first file")) {
        useOnlyTests({{2, good}});
    } else if (damage == QLatin1String("truncated")) {
        useOnlyTests({});
        const QByteArray bytes = encodeTestFile(good);
        QFile file(testFilePath(Fixture->programDir(), 1));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes.left(bytes.size() - 30)); // cuts into the right answers
        file.close();
    } else if (damage.startsWith(QLatin1String("answer"))) {
        TestText bad = good;
        bad.right[2] = damage.section(u' ', 1).toInt();
        useOnlyTests({{1, bad}});
    } else {
        TestText bad = good;
        bad.text = QStringLiteral("   \r\n  \r\n ");
        useOnlyTests({{1, bad}});
    }

    TTextForm* form = textForm();
    const QString userText = longUserText();
    form->setLoadedText(userText, 0, 0);
    form->RichEdit1->scrollLines(20);
    form->RichEdit1->setCaretPosition(form->RichEdit1->lineStart(22));
    const ViewState user = viewOf(form);

    QString message;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    ModalLog dialogs({[&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box)
            return;
        message = box->text();
        icon = box->icon();
        box->button(QMessageBox::Ok)->click();
    }});
    control<QToolButton>(m, "SpeedButton14")->click();
    QCOMPARE(dialogs.seen.size(), 1);
    QCOMPARE(icon, QMessageBox::Critical);
    QVERIFY2(message.count(QStringLiteral("SKt1.tst")) == 1, qPrintable(message));

    QVERIFY(!control<QToolButton>(m, "SpeedButton14")->isChecked());
    QVERIFY(control<QToolButton>(m, "SpeedButton14")->isEnabled());
    QVERIFY(control<QToolButton>(m, "SpeedButton1")->isEnabled());
    QVERIFY(!control<QToolButton>(m, "SpeedButton6")->isEnabled());
    QCOMPARE(form->windowTitle(), QStringLiteral("Чтение текста"));
    QCOMPARE(viewOf(form), user);
    QCOMPARE(form->exerciseText(), userText);

    // Start now reads the user's text, not a test.
    control<QToolButton>(m, "SpeedButton2")->click();
    QVERIFY(m->isRunning());
    QCOMPARE(form->RichEdit1->text(), userText);
    control<QToolButton>(m, "SpeedButton3")->click();
    QCOMPARE(dialogs.seen.size(), 1);
}

void TestTextTest::testFileLostDuringARunLeavesTestMode() {
    TMainForm* m = startQuiet();
    useOnlyTests({{1, makeTest(RunText, QStringLiteral("о тумане"))}});
    TTextForm* form = textForm();
    const QString userText = longUserText();
    form->setLoadedText(userText, 1200, 0);
    form->RichEdit1->scrollLines(15);
    const ViewState user = viewOf(form);
    control<QToolButton>(m, "SpeedButton14")->click();
    control<QToolButton>(m, "SpeedButton2")->click();
    form->Timer1Timer();
    QVERIFY(QFile::remove(testFilePath(Fixture->programDir(), 1)));

    ModalLog dialogs({[](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            box->button(QMessageBox::Ok)->click();
    }});
    control<QToolButton>(m, "SpeedButton3")->click();
    QCOMPARE(dialogs.seen.size(), 1);
    QCOMPARE(dialogs.classes, QStringList{QStringLiteral("QMessageBox")});
    QVERIFY(!m->isRunning());
    QVERIFY(!control<QToolButton>(m, "SpeedButton14")->isChecked());
    QVERIFY(control<QToolButton>(m, "SpeedButton1")->isEnabled());
    QCOMPARE(form->windowTitle(), QStringLiteral("Чтение текста"));
    QCOMPARE(viewOf(form), user);
}

void TestTextTest::onlyConsecutiveFilesAreChosen() {
    startQuiet();
    QList<TestText> tests;
    for (const char* tag : {"один", "два", "четыре"})
        tests << makeTest(
            QStringLiteral("Текст номер %1 для проверки выбора.").arg(QString::fromUtf8(tag)),
            QString::fromUtf8(tag));
    tests[1].right = {2, 2, 1, 0, 1};
    tests[2].right = {1, 1, 1, 1, 1};
    useOnlyTests({{1, tests[0]}, {2, tests[1]}, {4, tests[2]}});
    TTextForm* form = textForm();

    // The choice is seeded from the clock in seconds: spread the calls over a few seconds.
    QElapsedTimer clock;
    clock.start();
    int calls = 0;
    ModalLog dialogs;
    while (clock.elapsed() < 3000) {
        QVERIFY(form->LoadTestText());
        ++calls;
        const QString text = form->testRecord().Text;
        const auto chosen = std::find_if(tests.cbegin(), tests.cbegin() + 2,
                                         [&](const TestText& t) { return t.text == text; });
        QVERIFY2(chosen != tests.cbegin() + 2, qPrintable(text));
        // The questions shown belong to the text chosen.
        for (int q = 0; q < TestQuestionCount; ++q) {
            QCOMPARE(questions()->question(q), chosen->questions[q]);
            QCOMPARE(questions()->item(q, 1)->text(), chosen->answers[q][1]);
        }
        QCOMPARE(form->testRecord().Answers, chosen->right);
        QTest::qWait(100);
    }
    QVERIFY(calls > 20);
    QVERIFY(dialogs.seen.isEmpty());
}

void TestTextTest::closingInTestModeKeepsTheUserPlace_data() {
    QTest::addColumn<bool>("duringARun");
    QTest::addColumn<bool>("tableInFront");
    QTest::newRow("during a test run") << true << false;
    QTest::newRow("between test runs") << false << false;
    QTest::newRow("with the table in front") << false << true;
}

void TestTextTest::closingInTestModeKeepsTheUserPlace() {
    QFETCH(bool, duringARun);
    QFETCH(bool, tableInFront);
    TMainForm* m = startQuiet({{"SpeedTrackBarPosition", 334}});
    useOnlyTests({{1, makeTest(RunText, QStringLiteral("о тумане"))}});
    TTextForm* form = textForm();
    const QString path = QDir::toNativeSeparators(Fixture->programDir() + "/LIBRARY/book.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(longUserText().toUtf8());
    file.close();
    m->OpenTextFile(path); // as the open dialog leaves it
    form->setLoadedText(longUserText(), 5000, 0);
    form->RichEdit1->scrollLines(30);
    const int anchor = form->RichEdit1->lineStart(30) + 1;

    ModalLog dialogs;
    control<QToolButton>(m, "SpeedButton14")->click();
    if (duringARun) {
        control<QToolButton>(m, "SpeedButton2")->click();
        for (int i = 0; i < 3; ++i)
            form->Timer1Timer();
        QVERIFY(m->isRunning());
    }
    if (tableInFront)
        control<QToolButton>(m, "SpeedButton5")->click();
    Fixture->close();
    QVERIFY(dialogs.seen.isEmpty());
    const auto entry = TextMemory(m->textMemoryPath()).find(path);
    QVERIFY2(entry && entry->position, "the user's place is kept");
    QCOMPARE(entry->position->caret, 5000);
    QCOMPARE(entry->position->anchor, anchor);
}

void TestTextTest::questionsReadWhole_data() {
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("answer");
    QTest::newRow("short texts") << QStringLiteral("Куда шёл поезд?") << QStringLiteral("На север");
    QTest::newRow("long texts")
        << QStringLiteral("Что увидел путник, когда поднялся на холм за старой мельницей и "
                          "оглянулся на деревню, в которой провёл всю свою долгую жизнь?")
        << QStringLiteral("Реку, которая огибала деревню с трёх сторон и уходила за лес, "
                          "туда, где начиналась дорога к городу");
}

// Short questions keep the dialog's own size; long ones wrap, and their group and the dialog
// grow until every line of every question and answer is inside.
void TestTextTest::questionsReadWhole() {
    QFETCH(QString, question);
    QFETCH(QString, answer);
    startQuiet();
    TAnsTextForm* dialog = questions();
    for (int q = 0; q < TestQuestionCount; ++q)
        dialog->setQuestion(q, question, {answer, answer, answer});
    dialog->show();
    QCoreApplication::processEvents();
    const bool fits = question.size() < 30;
    // The dialog's own size holds as far as the face's lines allow; only height is added.
    QCOMPARE(dialog->width(), 338);
    QVERIFY(dialog->height() >= 352);
    for (int q = 0; q < TestQuestionCount; ++q) {
        const QGroupBox* group = dialog->group(q);
        QCOMPARE(group->width(), 325);
        QVERIFY(group->height() >= 57);
        if (!fits)
            QVERIFY(group->height() > 100);
    }
    for (int q = 0; q < TestQuestionCount; ++q) {
        QGroupBox* group = dialog->group(q);
        QVERIFY(dialog->rect().contains(group->geometry()));
        QList<QWidget*> texts{group->findChild<QLabel*>()};
        for (int i = 0; i < 3; ++i)
            texts << dialog->item(q, i);
        for (QWidget* text : texts) {
            // Inside its group, and as tall as its wrapped lines need.
            QVERIFY(group->contentsRect().contains(text->geometry()));
            QVERIFY2(text->height() >= text->heightForWidth(text->width()),
                     qPrintable(QStringLiteral("%1 of %2")
                                    .arg(text->height())
                                    .arg(text->heightForWidth(text->width()))));
        }
    }
    QVERIFY(dialog->rect().contains(control<QPushButton>(dialog, "BitBtn1")->geometry()));
    dialog->hide();
}

// As in any radio group: the arrow keys choose the next or the previous answer of the question
// in focus, going round, and leave the other questions alone.
void TestTextTest::arrowKeysChooseAnAnswer() {
    startQuiet();
    TAnsTextForm* dialog = questions();
    for (int q = 0; q < TestQuestionCount; ++q)
        dialog->setQuestion(q, QStringLiteral("Вопрос"), {"один", "два", "три"});
    dialog->clearChoices();
    dialog->show();
    QApplication::setActiveWindow(dialog);
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    dialog->item(1, 0)->setFocus(Qt::TabFocusReason);
    const QList<std::pair<Qt::Key, int>> steps{
        {Qt::Key_Down, 1}, {Qt::Key_Down, 2},  {Qt::Key_Down, 0}, {Qt::Key_Up, 2},
        {Qt::Key_Left, 1}, {Qt::Key_Right, 2}, {Qt::Key_Right, 0}};
    for (const auto& [key, answer] : steps) {
        QTest::keyClick(QApplication::focusWidget(), key);
        QCOMPARE(dialog->chosen(1), answer);
        QCOMPARE(QApplication::focusWidget(), dialog->item(1, answer));
    }
    for (int q : {0, 2, 3, 4})
        QCOMPARE(dialog->chosen(q), -1);
    dialog->hide();
}

QTEST_MAIN(TestTextTest)
#include "tst_texttest.moc"
