// The field-of-view test driven through the whole program: the test line and its grips, a run
// stepped to its end, the answer, the verdict and the recommendations it leaves behind.
#include "Controls.h"
#include "ProgramFixture.h"

#include "fieldofview/TestLine.h"
#include "fieldofview/Unitfransstring.h"
#include "fieldofview/Unitfrstring.h"
#include "fieldofview/Unitstringresult.h"
#include "platform/HelpViewer.h"
#include "platform/PacedTimer.h"
#include "shell/ProgramWindows.h"
#include "shell/Unitfrmain.h"
#include "text/Unitfrtext.h"
#include "widgets/TCSpinEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <cstdlib>
#include <functional>
#include <memory>

namespace {

// Answers the dialogs that open while it lives, by their object names; a dialog without an
// answer is rejected, so nothing hangs. Keeps the names in the order the dialogs opened.
class DialogAnswers : public QObject {
public:
    using Answer = std::function<void(QDialog*)>;

    explicit DialogAnswers(QHash<QString, Answer> answers) : Answers(std::move(answers)) {
        connect(&Poll, &QTimer::timeout, this, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            opened << dialog->objectName();
            if (const auto answer = Answers.value(dialog->objectName()))
                answer(dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        Poll.start(10);
    }

    QStringList opened;

private:
    QHash<QString, Answer> Answers;
    QTimer Poll;
};

// What the answer dialog looked like when it opened.
struct AnswerDialogSeen {
    QString offered;
    bool boxTicked = true;
    bool focusInAnswer = false;
};

// What the result dialog showed.
struct ResultSeen {
    QString verdict;
    QString answer;
    QString width;
    QString speed;
};

} // namespace

class TestFieldOfView : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void lineFollowsTheReadingFieldWidth();
    void helpContextsOpenTheirPages();
    void gripsChangeTheWidthTheTextWindowUses();
    void runFlashesPairsAtTheEnds();
    void speedAndWidthChangesApplyFromTheNextPair();
    void scoring_data();
    void scoring();
    void stopMidRunAsksNothing();
    void recommendationsSurviveARestart();
    void widestLineLeavesTheWindowAlone();

private:
    // Test mode on, the field-of-view exercise in front.
    void chooseFieldOfView();
    // Starts a run with a fixed seed and steps it until its time is up.
    void runToTheEnd();
    // Twice the line's centre less the width of the window's visible client area: 0 when centred,
    // one pixel either way for the odd pixel.
    int offCentre() const;
    int blanksIn(const QString& caption) const;

    std::unique_ptr<ProgramFixture> Fixture;
    TMainForm* Main = nullptr;
    TStringForm* Form = nullptr;
    ProgramWindows Windows;
};

void TestFieldOfView::init() {
    Fixture = std::make_unique<ProgramFixture>();
    Program& program = Fixture->startQuiet({{"WideExpression", 14}});
    QVERIFY(program.isReady());
    Windows = program.windows();
    Main = Windows.MainForm;
    Form = Windows.StringForm;
}

void TestFieldOfView::cleanup() {
    closeUnexpectedDialogs();
    Fixture.reset();
    Main = nullptr;
    Form = nullptr;
    Windows = ProgramWindows{};
}

void TestFieldOfView::chooseFieldOfView() {
    control<QToolButton>(Main, "SpeedButton14")->click();
    QVERIFY(control<QToolButton>(Main, "SpeedButton6")->isEnabled());
    control<QToolButton>(Main, "SpeedButton6")->click();
    QCOMPARE(Main->ActiveMDIChild(), Form);
}

void TestFieldOfView::runToTheEnd() {
    Form->random().setFixedSeed(4242);
    control<QToolButton>(Main, "SpeedButton2")->click();
    QVERIFY(Form->isRunning());
    int steps = 0;
    while (Form->isRunning() && steps < 100000) {
        Form->Timer1Timer();
        ++steps;
    }
    QVERIFY(!Form->isRunning());
}

int TestFieldOfView::offCentre() const {
    return control<QLabel>(Form, "WindowString")->geometry().center().x() * 2 -
           Form->widget()->width();
}

int TestFieldOfView::blanksIn(const QString& caption) const {
    return int(caption.count(QLatin1Char(' ')));
}

void TestFieldOfView::lineFollowsTheReadingFieldWidth() {
    Main->state().setRecommendation(Main->state().RecommendSpeed(), 17);
    Main->setStatusPanel(3, QStringLiteral("Volume: 10 симв"));
    chooseFieldOfView();
    QCOMPARE(Main->statusPanel(1), QStringLiteral("Ш (рек):17 симв"));
    QCOMPARE(Main->statusPanel(3), QString());
    QCOMPARE(Main->state().LastExercise(), 1);
    QLabel* line = control<QLabel>(Form, "WindowString");
    QVERIFY(line->isVisible());
    QCOMPARE(line->width(), Main->state().CharWidth() * 14 + Main->state().EdgeWidth4());
    QCOMPARE(line->height(), Main->state().CharHeight() + 4);
    QCOMPARE(line->text(), QStringLiteral("14 симв."));
    QCOMPARE(control<TCSpinEdit>(Main, "CSpinEdit1")->value(), 14);
    QCOMPARE(control<TCSpinEdit>(Main, "CSpinEdit1")->maximum(), 10000);
    // Centred in the window's visible client area, where the text window's ruler is centred
    // too; grips at the ends, the marker (hidden) in the middle.
    QVERIFY2(std::abs(offCentre()) <= 2, qPrintable(QString::number(offCentre())));
    QCOMPARE(line->y(), (line->parentWidget()->height() - line->height()) / 2);
    QCOMPARE(control<QFrame>(Form, "MarginRight")->geometry().right(), line->width() - 1);
    QCOMPARE(control<QLabel>(Form, "ImageCenter")->geometry().center(), line->rect().center());
    QVERIFY(control<QLabel>(Form, "ImageCenter")->isHidden());

    // The width spin moves the line, and never below ten characters.
    QTest::keyClick(control<TCSpinEdit>(Main, "CSpinEdit1"), Qt::Key_Up);
    QCOMPARE(Main->state().ReadingFieldWidth(), 15);
    QCOMPARE(line->text(), QStringLiteral("15 симв."));
    QCOMPARE(line->width(), Main->state().CharWidth() * 15 + Main->state().EdgeWidth4());
    // It reaches past the text window's column: here the line itself is the limit.
    const int wide = Windows.TextForm->columnChars() + 5;
    control<TCSpinEdit>(Main, "CSpinEdit1")->setValue(wide);
    QCOMPARE(line->text(), QString::number(wide) + QStringLiteral(" симв."));
    control<TCSpinEdit>(Main, "CSpinEdit1")->setValue(4);
    QCOMPARE(Main->state().ReadingFieldWidth(), 10);
    QCOMPARE(line->text(), QStringLiteral("10 симв."));
    QCOMPARE(line->width(), Main->state().CharWidth() * 10 + Main->state().EdgeWidth4());

    // A larger font makes the same ten characters wider.
    control<QComboBox>(Main, "ComboBox1")
        ->setCurrentIndex(control<QComboBox>(Main, "ComboBox1")->findText(QStringLiteral("24")));
    Main->ComboBox1Change();
    QCOMPARE(line->font().pointSize(), 24);
    QCOMPARE(line->width(), Main->state().CharWidth() * 10 + Main->state().EdgeWidth4());
}

void TestFieldOfView::helpContextsOpenTheirPages() {
    HelpViewer help(QStringLiteral(SKIMORA_BUILT_PROGRAM_DIR "/help"));
    QCOMPARE(help.pageForContext(Form->property("helpContext").toInt()),
             QStringLiteral("field_of_view.html"));
    QCOMPARE(help.pageForContext(Windows.AnsStringForm->property("helpContext").toInt()),
             QStringLiteral("field_of_view_answer.html"));
}

void TestFieldOfView::gripsChangeTheWidthTheTextWindowUses() {
    chooseFieldOfView();
    const int cw = Main->state().CharWidth();
    QFrame* right = control<QFrame>(Form, "MarginRight");
    // Drag the right grip 20 characters outwards.
    QTest::mousePress(right, Qt::LeftButton, {}, QPoint(1, 2));
    QMouseEvent move(QEvent::MouseMove, QPointF(20 * cw + 1, 2),
                     right->mapToGlobal(QPointF(20 * cw + 1, 2)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(right, &move);
    QVERIFY(Form->isDragging());
    QTest::mouseRelease(right, Qt::LeftButton, {}, QPoint(1, 2));
    QVERIFY(!Form->isDragging());
    QCOMPARE(Main->state().ReadingFieldWidth(), 34);
    QCOMPARE(control<TCSpinEdit>(Main, "CSpinEdit1")->value(), 34);
    QCOMPARE(control<QLabel>(Form, "WindowString")->text(), QStringLiteral("34 симв."));
    QCOMPARE(control<QLabel>(Form, "WindowString")->width(), 34 * cw + Main->state().EdgeWidth4());

    // The left grip pulled far inwards stops at ten characters.
    Form->MarginLeftMouseDown();
    Form->MarginLeftMouseMove(1000);
    Form->MarginLeftMouseUp();
    QCOMPARE(Main->state().ReadingFieldWidth(), 10);
    Form->MarginLeftMouseDown();
    Form->MarginLeftMouseMove(-30 * cw);
    Form->MarginLeftMouseUp();
    QCOMPARE(Main->state().ReadingFieldWidth(), 40);
    QVERIFY2(std::abs(offCentre()) <= 2, qPrintable(QString::number(offCentre())));

    // The text window's column, narrower before, now takes a 40-character field.
    const int columnBefore = Windows.TextForm->columnChars();
    QVERIFY(columnBefore < 40);
    control<QToolButton>(Main, "SpeedButton4")->click();
    QCOMPARE(Main->ActiveMDIChild(), Windows.TextForm);
    QCOMPARE(control<TCSpinEdit>(Main, "CSpinEdit1")->value(), 40);
    QVERIFY(Windows.TextForm->columnChars() >= 40);
}

void TestFieldOfView::runFlashesPairsAtTheEnds() {
    chooseFieldOfView();
    control<TCSpinEdit>(Main, "CSpinEdit1")
        ->setValue(40); // a long line: many blanks between the numbers
    Form->random().setFixedSeed(99);
    control<QToolButton>(Main, "SpeedButton2")->click();
    QVERIFY(control<QLabel>(Form, "ImageCenter")->isVisible());
    QVERIFY(Form->timer()->isActive());
    const QRegularExpression pair(QStringLiteral("^([1-9][0-9]) +([1-9][0-9])$"));
    const QFontMetricsF metrics(control<QLabel>(Form, "WindowString")->font(),
                                control<QLabel>(Form, "WindowString"));
    const int blanks = TestLine::blankCount(
        control<QLabel>(Form, "WindowString")->width(), metrics.horizontalAdvance(QLatin1Char('0')),
        metrics.horizontalAdvance(QLatin1Char(' ')), Main->state().EdgeWidth4());
    QVERIFY(blanks > 0);
    for (int i = 0; i < 10; ++i) {
        Form->Timer1Timer();
        const QString caption = control<QLabel>(Form, "WindowString")->text();
        const auto match = pair.match(caption);
        QVERIFY2(match.hasMatch(), qPrintable(caption));
        QCOMPARE(blanksIn(caption), blanks);
        QCOMPARE(Form->answer(), match.captured(1).toInt() * 100 + match.captured(2).toInt());
        QVERIFY(match.captured(1).toInt() <= 98 && match.captured(2).toInt() <= 98);
        // The numbers fill the line to its ends.
        const qreal textWidth = metrics.horizontalAdvance(caption);
        const int inside =
            control<QLabel>(Form, "WindowString")->width() - Main->state().EdgeWidth4();
        QVERIFY2(textWidth <= inside, qPrintable(QString::number(textWidth)));
        QVERIFY(textWidth > inside - 2 * metrics.horizontalAdvance(QLatin1Char(' ')));
    }
    QVERIFY(control<QLabel>(Form, "ImageCenter")->isVisible());
    control<QToolButton>(Main, "SpeedButton3")->click();
}

void TestFieldOfView::speedAndWidthChangesApplyFromTheNextPair() {
    chooseFieldOfView();
    DialogAnswers answers({});
    control<QToolButton>(Main, "SpeedButton2")->click();
    for (int i = 0; i < 6; ++i)
        Form->Timer1Timer();
    const int blanks = blanksIn(control<QLabel>(Form, "WindowString")->text());

    // The width spin stays usable: the line widens at once, the next pair spreads with it.
    QVERIFY(control<TCSpinEdit>(Main, "CSpinEdit1")->isEnabled());
    QTest::keyClick(control<TCSpinEdit>(Main, "CSpinEdit1"), Qt::Key_Up);
    QCOMPARE(control<QLabel>(Form, "WindowString")->width(),
             Main->state().CharWidth() * 15 + Main->state().EdgeWidth4());
    QCOMPARE(control<QLabel>(Form, "ImageCenter")->geometry().center(),
             control<QLabel>(Form, "WindowString")->rect().center());
    QVERIFY(control<QLabel>(Form, "ImageCenter")->isVisible());
    Form->Timer1Timer();
    QVERIFY(blanksIn(control<QLabel>(Form, "WindowString")->text()) > blanks);
    QCOMPARE(Main->minimumSize(), Main->maximumSize()); // the frame keeps its size meanwhile

    QVERIFY(control<QSlider>(Main, "TrackBar1")->isEnabled());
    control<QSlider>(Main, "TrackBar1")->setValue(1000);
    int pairs = 7;
    while (Form->isRunning()) {
        Form->Timer1Timer();
        pairs += Form->isRunning() ? 1 : 0;
    }
    // Seven pairs of 360 ms, then 36 ms a pair for the rest of the 8000 to 9999 ms.
    QVERIFY2(pairs >= 7 + (8000 - 1 - 7 * 360) / 36 && pairs <= 8 + (9999 - 1 - 6 * 360) / 36,
             qPrintable(QString::number(pairs)));
    QCOMPARE(answers.opened, QStringList{QStringLiteral("AnsStringForm")});
}

void TestFieldOfView::scoring_data() {
    QTest::addColumn<QString>("typed"); // "right", "wrong" or literal text
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("verdict"); // empty: no result dialog
    QTest::addColumn<bool>("recommended");
    QTest::newRow("right, eyes on the marker") << "right" << true << true << "ПРАВИЛЬНО!" << true;
    QTest::newRow("wrong") << "wrong" << true << true << "НЕПРАВИЛЬНО!" << false;
    QTest::newRow("not a number") << "31-75" << true << true << "НЕПРАВИЛЬНО!" << false;
    QTest::newRow("right, box not ticked") << "right" << false << true << "" << false;
    QTest::newRow("right, cancelled") << "right" << true << false << "" << false;
}

// A run at 2500 chars/min over 14 characters, answered by keyboard as the user does.
void TestFieldOfView::scoring() {
    QFETCH(QString, typed);
    QFETCH(bool, ticked);
    QFETCH(bool, ok);
    QFETCH(QString, verdict);
    QFETCH(bool, recommended);
    chooseFieldOfView();
    control<QSlider>(Main, "TrackBar1")->setValue(250);
    control<QCheckBox>(Windows.AnsStringForm, "CheckBox1")
        ->setChecked(true); // left ticked from an earlier test

    AnswerDialogSeen asked;
    ResultSeen shown;
    DialogAnswers answers({
        {QStringLiteral("AnsStringForm"),
         [&](QDialog* dialog) {
             auto* ask = static_cast<TAnsStringForm*>(dialog);
             asked = {control<QLineEdit>(ask, "Edit1")->text(),
                      control<QCheckBox>(ask, "CheckBox1")->isChecked(),
                      ask->focusWidget() == control<QLineEdit>(ask, "Edit1")};
             const int answer = Form->answer();
             const QString text = typed == QLatin1String("right")   ? QString::number(answer)
                                  : typed == QLatin1String("wrong") ? QString::number(answer + 1)
                                                                    : typed;
             QTest::keyClicks(control<QLineEdit>(ask, "Edit1"), text);
             if (ticked)
                 control<QCheckBox>(ask, "CheckBox1")->click();
             QTest::keyClick(control<QLineEdit>(ask, "Edit1"),
                             ok ? Qt::Key_Return : Qt::Key_Escape);
         }},
        {QStringLiteral("StringResultForm"),
         [&](QDialog* dialog) {
             auto* result = static_cast<TStringResultForm*>(dialog);
             shown = {control<QLabel>(result, "Label7")->text(),
                      control<QLabel>(result, "Label4")->text(),
                      control<QLabel>(result, "Label5")->text(),
                      control<QLabel>(result, "Label6")->text()};
             control<QPushButton>(result, "BitBtn1")->click();
         }},
    });
    runToTheEnd();

    QCOMPARE(asked.offered, QStringLiteral("0"));
    QVERIFY(!asked.boxTicked);
    QVERIFY(asked.focusInAnswer);
    QCOMPARE(control<QLabel>(Form, "WindowString")->text(), QStringLiteral("14 симв."));
    QVERIFY(control<QLabel>(Form, "ImageCenter")->isHidden());
    QVERIFY(control<QToolButton>(Main, "SpeedButton2")->isEnabled());
    if (verdict.isEmpty()) {
        QCOMPARE(answers.opened, QStringList{QStringLiteral("AnsStringForm")});
    } else {
        QCOMPARE(answers.opened, (QStringList{QStringLiteral("AnsStringForm"),
                                              QStringLiteral("StringResultForm")}));
        QCOMPARE(shown.verdict, verdict);
        QCOMPARE(shown.answer, QString::number(Form->answer()));
        QCOMPARE(shown.width, recommended ? QStringLiteral("14 симв") : QStringLiteral("10 симв"));
        QCOMPARE(shown.speed,
                 recommended ? QStringLiteral("2500 симв/мин") : QStringLiteral("1000 симв/мин"));
    }
    QCOMPARE(Main->state().RecommendWide(), recommended ? 14 : 10);
    QCOMPARE(Main->state().RecommendSpeed(), recommended ? 2500 : 1000);
    QCOMPARE(Main->statusPanel(0), recommended ? QStringLiteral("С (рек):2500 симв/мин")
                                               : QStringLiteral("С (рек):1000 симв/мин"));
    QCOMPARE(Main->statusPanel(1),
             recommended ? QStringLiteral("Ш (рек):14 симв") : QStringLiteral("Ш (рек):10 симв"));
    QCOMPARE(Main->state().LastTests().LineScorePercent, recommended ? 100 : 0);
}

void TestFieldOfView::stopMidRunAsksNothing() {
    chooseFieldOfView();
    DialogAnswers answers({});
    control<QToolButton>(Main, "SpeedButton2")->click();
    for (int i = 0; i < 5; ++i)
        Form->Timer1Timer();
    QVERIFY(control<QLabel>(Form, "WindowString")->text().contains(QLatin1Char(' ')));
    QTest::keyClick(control<TCSpinEdit>(Main, "CSpinEdit1"), Qt::Key_Escape); // Escape = Stop
    QVERIFY(!Form->isRunning());
    QVERIFY(!Form->timer()->isActive());
    QVERIFY(control<QLabel>(Form, "ImageCenter")->isHidden());
    QCOMPARE(control<QLabel>(Form, "WindowString")->text(), QStringLiteral("14 симв."));
    QVERIFY(control<QToolButton>(Main, "SpeedButton2")->isEnabled());
    QVERIFY(!control<QToolButton>(Main, "SpeedButton3")->isEnabled());
    QCOMPARE(control<QLineEdit>(Windows.AnsStringForm, "Edit1")->text(), QStringLiteral("0"));
    QTest::qWait(50);
    QVERIFY(answers.opened.isEmpty());
    QCOMPARE(Main->state().RecommendSpeed(), 1000);
}

void TestFieldOfView::recommendationsSurviveARestart() {
    chooseFieldOfView();
    control<QSlider>(Main, "TrackBar1")->setValue(300);
    auto answers = std::make_unique<DialogAnswers>(QHash<QString, DialogAnswers::Answer>{
        {QStringLiteral("AnsStringForm"),
         [&](QDialog* dialog) {
             auto* ask = static_cast<TAnsStringForm*>(dialog);
             control<QLineEdit>(ask, "Edit1")->setText(QString::number(Form->answer()));
             control<QCheckBox>(ask, "CheckBox1")->setChecked(true);
             control<QPushButton>(ask, "BitBtn1")->click();
         }},
        {QStringLiteral("StringResultForm"), [](QDialog* dialog) { dialog->accept(); }},
    });
    runToTheEnd();
    QCOMPARE(Main->statusPanel(0), QStringLiteral("С (рек):3000 симв/мин"));
    answers.reset(); // the splash of the next start is the fixture's

    Fixture->close();
    QCOMPARE(Fixture->storedValue(QStringLiteral("RecommendSpeed")).toInt(), 3000);
    QCOMPARE(Fixture->storedValue(QStringLiteral("RecommendWide")).toInt(), 14);
    Program& again = Fixture->start();
    QVERIFY(again.isReady());
    Main = again.windows().MainForm;
    QCOMPARE(Main->statusPanel(0), QStringLiteral("С (рек):3000 симв/мин"));
    QCOMPARE(Main->statusPanel(1), QStringLiteral("Ш (рек):14 симв"));
}

// The widest line is as wide as the text window's ruler can be: it takes the room left inside
// the exercise window's frame, so the frame never has to grow for it.
void TestFieldOfView::widestLineLeavesTheWindowAlone() {
    Main->resize(659, Main->height());
    chooseFieldOfView();
    control<TCSpinEdit>(Main, "CSpinEdit1")->setValue(100);
    QCoreApplication::processEvents();
    QCOMPARE(Main->width(), 659);
    QVERIFY(Main->state().MinWidthString() <= 659);
    QLabel* line = control<QLabel>(Form, "WindowString");
    // As wide as whole characters allow within the room the text window's ruler has.
    const int room = Main->width() - 2 * (Main->state().FrameWidth() + Main->state().ScrollWidth() +
                                          Main->state().EdgeWidth());
    QVERIFY2(line->width() <= room && line->width() > room - Main->state().CharWidth(),
             qPrintable(QStringLiteral("%1 of %2").arg(line->width()).arg(room)));
    QVERIFY(line->geometry().right() < Form->widget()->width());
    Fixture->close();
    QCOMPARE(Fixture->storedValue(QStringLiteral("Width")).toInt(), 659);
}

QTEST_MAIN(TestFieldOfView)
#include "tst_fieldofview.moc"
