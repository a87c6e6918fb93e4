#include "Controls.h"
#include "ProgramFixture.h"

#include "course/CourseMarkers.h"
#include "course/Unitassistant.h"
#include "course/Unitmarker.h"
#include "course/Unitscenario.h"
#include "course/Unitwizard.h"
#include "fieldofview/Unitfransstring.h"
#include "fieldofview/Unitfrstring.h"
#include "shell/ProgramWindows.h"
#include "shell/Unitbookmark.h"
#include "shell/Unitfrmain.h"
#include "table/Unitdlgtable.h"
#include "table/Unitfranstable.h"
#include "table/Unitfrtable.h"
#include "text/Unitfranstext.h"
#include "text/Unitfrtext.h"
#include "text/Unittextresult.h"
#include "widgets/TCSpinEdit.h"
#include "widgets/TCoolBar.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

namespace {

const QColor Grey(128, 128, 128);
const QColor Red(255, 0, 0);
const QColor Black(0, 0, 0);

// Answers the text stages' dialogs as a user going through the course would: the open dialog
// takes the course text, the resume question resumes, the text test's questions are answered
// rightly and its result closed. Warnings are answered and kept.
class DialogAnswerer : public QObject {
public:
    explicit DialogAnswerer(TTextForm* text, QString path) : Text(text), Path(std::move(path)) {
        connect(&Poll, &QTimer::timeout, this, &DialogAnswerer::poll);
        Poll.start(5);
    }

    QStringList warnings;
    int testsAnswered = 0;

private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        if (auto* open = qobject_cast<QFileDialog*>(modal)) {
            open->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(Path);
            static_cast<QDialog*>(open)->accept();
        } else if (auto* resume = qobject_cast<TBookmarkForm*>(modal)) {
            control<QPushButton>(resume, "BitBtn1")->click();
        } else if (auto* questions = qobject_cast<TAnsTextForm*>(modal)) {
            for (int q = 0; q < 5; ++q)
                questions->item(q, Text->testRecord().Answers[q])->click();
            ++testsAnswered;
            control<QPushButton>(questions, "BitBtn1")->click();
        } else if (auto* result = qobject_cast<TTextResultForm*>(modal)) {
            result->accept();
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            warnings << box->text();
            box->accept();
        }
    }

    TTextForm* Text;
    QString Path;
    QTimer Poll;
};

} // namespace

// The guide's frame sits right under the assistant's, their left edges together.
static bool docked(const QWidget* assistant, const QWidget* guide) {
    const QRect a = assistant->frameGeometry();
    return guide->frameGeometry().topLeft() == QPoint(a.left(), a.top() + a.height());
}

class TestCourseWindows : public QObject {
    Q_OBJECT
private slots:
    void cleanup();

    void courseStartsBesideTheFrame();
    void wholeLevelOneCycle();
    void stopInACourseRunMovesOnAndWarnsOnce();
    void restartBeginsAtLevelOne();
    void closingTheAssistantStoresAndFreesStart();
    void markersFollowTheControlsStillToSet();
    void guideDocksUnderTheAssistant();
    void frameMakesRoomForTheAssistant();
    void guideShowsItsLinesAndLegendWhole();
    void guideShowsEveryStageWholeBesideTheFrame();

private:
    void startCourse(const QVariantMap& changes = {});
    const CourseStage& stage() const { return *Main->course()->CurrentStage(); }
    QColor line(int n) const { return Windows.WizardForm->lineColour(n); }
    QString guideLine(int n) const {
        return control<QTextEdit>(Windows.WizardForm, "RichEdit1")
            ->document()
            ->findBlockByNumber(n)
            .text();
    }
    // Sets what the current stage asks for through the controls themselves; presses "Пуск".
    void startStage();
    void chooseKind(bool test, QToolButton* kind);
    void setColumnChars(int chars);
    // Step runs as their timers would: text for so many steps or to its end; field of view to
    // its end, the last pair given rightly or one off; table to its end, questions as offered.
    void stepText(int steps = 100000);
    void playLine(bool right);
    void playTable();

    std::unique_ptr<ProgramFixture> Fixture;
    std::unique_ptr<DialogAnswerer> Dialogs;
    TMainForm* Main = nullptr;
    ProgramWindows Windows;
    QTemporaryDir TextDir;
};

void TestCourseWindows::startCourse(const QVariantMap& changes) {
    Fixture = std::make_unique<ProgramFixture>();
    QVariantMap settings{{"Assistant", 1}};
    settings.insert(changes);
    Windows = Fixture->startQuiet(settings).windows();
    Main = Windows.MainForm;
    Windows.StringForm->random().setFixedSeed(2026);
    Windows.TableForm->random().setFixedSeed(2026);
    const QString path = TextDir.filePath(QStringLiteral("course.txt"));
    if (QFile file(path); file.open(QIODevice::WriteOnly))
        file.write("Короткий текст для этапа курса: глаза идут по строке, "
                   "а поле чтения движется вперёд слово за словом.\r\n");
    Dialogs = std::make_unique<DialogAnswerer>(Windows.TextForm, path);
}

void TestCourseWindows::cleanup() {
    Dialogs.reset();
    closeUnexpectedDialogs();
    Fixture.reset();
    Main = nullptr;
    Windows = ProgramWindows{};
}

void TestCourseWindows::chooseKind(bool test, QToolButton* kind) {
    // Test mode may not be released while the field of view is chosen: choose the kind first
    // when leaving it.
    if (!test && control<QToolButton>(Main, "SpeedButton6")->isChecked())
        kind->click();
    if (control<QToolButton>(Main, "SpeedButton14")->isChecked() != test)
        control<QToolButton>(Main, "SpeedButton14")->click();
    if (!kind->isChecked())
        kind->click();
}

void TestCourseWindows::setColumnChars(int chars) {
    QWidget* grip = control<QFrame>(Windows.TextForm, "MarginRight");
    const int wanted = chars * Main->state().CharWidth() + Main->state().EdgeWidth4();
    const int by = wanted - control<QFrame>(Windows.TextForm, "WindowFormat")->width();
    QTest::mousePress(grip, Qt::LeftButton, {}, QPoint(1, 3));
    QMouseEvent move(QEvent::MouseMove, QPointF(1 + by, 3), grip->mapToGlobal(QPointF(1 + by, 3)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grip, &move);
    QTest::mouseRelease(grip, Qt::LeftButton, {}, QPoint(1 + by, 3));
}

void TestCourseWindows::startStage() {
    const CourseStage& s = stage();
    switch (s.Kind) {
    case StageKind::TextReading:
    case StageKind::TextTest:
        chooseKind(s.Kind == StageKind::TextTest, control<QToolButton>(Main, "SpeedButton4"));
        if (s.Kind == StageKind::TextReading)
            control<QToolButton>(Main, "SpeedButton1")->click();
        if (s.ColumnWidth > Windows.TextForm->columnChars())
            setColumnChars(s.ColumnWidth);
        control<TCSpinEdit>(Main, "CSpinEdit1")->setValue(s.FieldWidth);
        setColumnChars(s.ColumnWidth);
        (s.Alignment == 0   ? control<QToolButton>(Main, "SpeedButton11")
         : s.Alignment == 1 ? control<QToolButton>(Main, "SpeedButton12")
                            : control<QToolButton>(Main, "SpeedButton13"))
            ->click();
        (s.ReadingMode == 0 ? control<QToolButton>(Main, "SpeedButton7")
                            : control<QToolButton>(Main, "SpeedButton8"))
            ->click();
        break;
    case StageKind::TableReading:
    case StageKind::TableTest:
        chooseKind(s.Kind == StageKind::TableTest, control<QToolButton>(Main, "SpeedButton5"));
        // The size picker, released over the square of that column and row.
        QTest::mouseClick(control<QToolButton>(Main, "SpeedButton15"), Qt::LeftButton);
        QTest::mouseMove(Windows.FormDlgTable, QPoint(10 * s.TableColumns, 10 * s.TableRows));
        QTest::mouseRelease(Windows.FormDlgTable, Qt::LeftButton, {},
                            QPoint(10 * s.TableColumns, 10 * s.TableRows));
        break;
    case StageKind::FieldOfViewTest:
        chooseKind(true, control<QToolButton>(Main, "SpeedButton6"));
        control<TCSpinEdit>(Main, "CSpinEdit1")->setValue(s.FieldWidth);
        break;
    case StageKind::Result:
        return;
    }
    control<QSlider>(Main, "TrackBar1")->setValue(s.StageSpeed / 10);
    QVERIFY2(control<QToolButton>(Main, "SpeedButton2")->isEnabled(),
             qPrintable(QString::number(int(s.Kind))));
    control<QToolButton>(Main, "SpeedButton2")->click();
    QVERIFY(Main->isRunning());
    QVERIFY(Windows.WizardForm->isHidden());
    QVERIFY(!Windows.AssistantForm->buttonsEnabled());
}

void TestCourseWindows::stepText(int steps) {
    for (int calls = 0; Main->isRunning() && calls < steps; ++calls)
        Windows.TextForm->Timer1Timer();
}

void TestCourseWindows::playLine(bool right) {
    TStringForm* form = Windows.StringForm;
    onNextModal([form, right](QWidget* modal) {
        auto* ask = qobject_cast<TAnsStringForm*>(modal);
        QVERIFY(ask);
        control<QLineEdit>(ask, "Edit1")
            ->setText(QString::number(form->answer() + (right ? 0 : 1)));
        control<QCheckBox>(ask, "CheckBox1")->setChecked(true);
        onNextModal([](QWidget* result) { static_cast<QDialog*>(result)->accept(); });
        control<QPushButton>(ask, "BitBtn1")->click();
    });
    for (int calls = 0; form->isRunning() && calls < 100000; ++calls)
        form->Timer1Timer();
}

void TestCourseWindows::playTable() {
    if (control<QToolButton>(Main, "SpeedButton14")->isChecked())
        onNextModal([](QWidget* questions) {
            QVERIFY(qobject_cast<TAnsTableForm*>(questions));
            onNextModal([](QWidget* result) { static_cast<QDialog*>(result)->accept(); });
            control<QPushButton>(questions, "BitBtn1")->click();
        });
    for (int calls = 0; Main->isRunning() && calls < 1000; ++calls)
        Windows.TableForm->Timer1Timer();
}

// --- Tests -----------------------------------------------------------------------------------

void TestCourseWindows::courseStartsBesideTheFrame() {
    startCourse({{"Left", 100}, {"Top", 60}});
    TAssistantForm* assistant = Windows.AssistantForm;
    TWizardForm* guide = Windows.WizardForm;
    QVERIFY(Main->course());
    QVERIFY(assistant->isVisible() && guide->isVisible());
    // Left of the frame would be off the screen: at the screen's edge instead.
    QCOMPARE(assistant->x(), 0);
    QCOMPARE(assistant->y(), control<TCoolBar>(Main, "CoolBar1")->mapToGlobal(QPoint(0, 0)).y() +
                                 control<TCoolBar>(Main, "CoolBar1")->height());
    QVERIFY(docked(assistant, guide));
    QCOMPARE(control<QLabel>(assistant, "LabelLevel")->text(), QStringLiteral("1"));
    QCOMPARE(control<QLabel>(assistant, "LabelSpeed")->text(), QStringLiteral("900-1800"));
    QCOMPARE(control<QLabel>(assistant, "LabelWidth")->text(), QStringLiteral("10-13"));
    QCOMPARE(control<QProgressBar>(assistant, "ProgressBar1")->maximum(), 15);
    QCOMPARE(control<QProgressBar>(assistant, "ProgressBar1")->value(), 1);
    QVERIFY(!control<QToolButton>(assistant, "SpeedButton2")->isEnabled());
    QVERIFY(!control<QToolButton>(Main, "SpeedButton20")->isEnabled());
    QCOMPARE(Main->statusPanel(0), QStringLiteral("С (рек):900 симв/мин"));
    QCOMPARE(Main->statusPanel(1), QStringLiteral("Ш (рек):10 симв"));
    QCOMPARE(guideLine(3), QStringLiteral("     *  ширина поля чтения: 11"));
    QCOMPARE(line(0), Red);
    QCOMPARE(line(5), Black);
    QVERIFY(!control<QToolButton>(Main, "SpeedButton2")->isEnabled());

    // Placed right of a frame that leaves room on its left.
    assistant->close();
    Main->move(400, 60);
    control<QToolButton>(Main, "SpeedButton20")->click();
    QCOMPARE(assistant->frameGeometry().left(),
             Main->frameGeometry().left() - assistant->frameGeometry().width());
}

void TestCourseWindows::wholeLevelOneCycle() {
    startCourse();
    TAssistantForm* assistant = Windows.AssistantForm;
    QList<int> progress;
    int speedMoved = 0;
    // Right at the first width asked, wrong one wider; at the second test the same; wrong at
    // the third.
    QList<bool> lineAnswers{true, false, true, false, false};
    for (int entered = 0; entered < 40 && stage().Kind != StageKind::Result; ++entered) {
        progress << control<QProgressBar>(assistant, "ProgressBar1")->value();
        const CourseStage& s = stage();
        startStage();
        if (s.Kind == StageKind::FieldOfViewTest) {
            playLine(lineAnswers.takeFirst());
        } else if (s.Kind == StageKind::TableReading || s.Kind == StageKind::TableTest) {
            playTable();
        } else if (s.Kind == StageKind::TextTest) {
            // Faster half-way through: the measured speed becomes the course speed.
            stepText(50);
            control<QSlider>(Main, "TrackBar1")
                ->setValue(control<QSlider>(Main, "TrackBar1")->value() + 20);
            stepText();
            speedMoved += Main->course()->CourseSpeed() > s.StageSpeed;
        } else {
            stepText();
        }
        QVERIFY(assistant->buttonsEnabled());
        QVERIFY(Windows.WizardForm->isVisible());
    }
    QCOMPARE(stage().Kind, StageKind::Result);
    QCOMPARE(progress, (QList<int>{1, 1, 2, 3, 4, 5, 6, 7, 8, 8, 9, 10, 11, 12, 13, 14, 15}));
    QCOMPARE(Dialogs->testsAnswered, 3);
    QCOMPARE(speedMoved, 3);
    QVERIFY(Dialogs->warnings.isEmpty());
    QCOMPARE(Main->course()->CourseWidth(), 12);
    const int speed = Main->course()->CourseSpeed();
    QVERIFY(speed > 900);

    // The result: full progress, Start disabled, only "След." goes on.
    QCOMPARE(control<QProgressBar>(assistant, "ProgressBar1")->value(), 15);
    QVERIFY(!control<QToolButton>(Main, "SpeedButton2")->isEnabled());
    QVERIFY(control<QToolButton>(assistant, "SpeedButton2")->isEnabled());
    QCOMPARE(guideLine(2), QStringLiteral("    * Скорость: ") + QString::number(speed));
    QCOMPARE(guideLine(3), QStringLiteral("    * Ширина: 12"));
    control<QToolButton>(assistant, "SpeedButton2")->click();
    QCOMPARE(stage().Kind, StageKind::FieldOfViewTest);
    QCOMPARE(stage().FieldWidth, 13);
    QCOMPARE(control<QProgressBar>(assistant, "ProgressBar1")->value(), 1);

    control<QToolButton>(assistant, "SpeedButton1")->click(); // "Стоп" ends the course
    QVERIFY(!Main->course());
    QCOMPARE(Fixture->storedValue(QStringLiteral("SpeedWiz")).toInt(), speed);
    QCOMPARE(Fixture->storedValue(QStringLiteral("WidthWiz")).toInt(), 12);
}

void TestCourseWindows::stopInACourseRunMovesOnAndWarnsOnce() {
    startCourse();
    startStage();
    playLine(false); // on to the text test
    startStage();
    stepText(5);
    control<QToolButton>(Main, "SpeedButton3")->click();
    QVERIFY(!Main->isRunning());
    QCOMPARE(stage().Kind, StageKind::TextReading);
    QCOMPARE(control<QProgressBar>(Windows.AssistantForm, "ProgressBar1")->value(), 3);
    QCOMPARE(Dialogs->warnings,
             QStringList{QStringLiteral(
                 "Не пропускайте упражнения! Это может свести ваши усилия к нулю.")});
    QCOMPARE(Main->course()->CourseSpeed(), 900); // stopped before its questions
    control<QToolButton>(Main, "SpeedButton4")->click();
    Main->RefreshCourseState();
    QCOMPARE(Dialogs->warnings.size(), 1);
}

void TestCourseWindows::restartBeginsAtLevelOne() {
    startCourse({{"SpeedWiz", 4600}, {"WidthWiz", 23}});
    TAssistantForm* assistant = Windows.AssistantForm;
    QCOMPARE(control<QLabel>(assistant, "LabelLevel")->text(), QStringLiteral("5"));
    QCOMPARE(control<QLabel>(assistant, "LabelSpeed")->text(), QStringLiteral("4500-5400"));
    QCOMPARE(control<QProgressBar>(assistant, "ProgressBar1")->maximum(), 17);
    QCOMPARE(stage().FieldWidth, 24);

    control<QToolButton>(assistant, "SpeedButton3")->click(); // "Сначала"
    QCOMPARE(control<QLabel>(assistant, "LabelLevel")->text(), QStringLiteral("1"));
    QCOMPARE(control<QLabel>(assistant, "LabelWidth")->text(), QStringLiteral("10-13"));
    QCOMPARE(control<QProgressBar>(assistant, "ProgressBar1")->maximum(), 15);
    QCOMPARE(stage().FieldWidth, 11);
    QVERIFY(!Main->state().RestartCourse());
    // Nothing is stored by the restart; closing stores the new course's values.
    QCOMPARE(Fixture->storedValue(QStringLiteral("SpeedWiz")).toInt(), 4600);
    assistant->close();
    QCOMPARE(Fixture->storedValue(QStringLiteral("SpeedWiz")).toInt(), 900);
    QCOMPARE(Fixture->storedValue(QStringLiteral("WidthWiz")).toInt(), 10);
}

void TestCourseWindows::closingTheAssistantStoresAndFreesStart() {
    startCourse();
    startStage();
    playLine(true); // right at 11
    QCOMPARE(Main->course()->CourseWidth(), 11);
    QVERIFY(!control<QToolButton>(Main, "SpeedButton2")->isEnabled());

    Windows.AssistantForm->close();
    QVERIFY(!Main->course());
    QVERIFY(Windows.WizardForm->isHidden());
    QVERIFY(control<QToolButton>(Main, "SpeedButton2")->isEnabled());
    QVERIFY(control<QToolButton>(Main, "SpeedButton20")->isEnabled());
    QCOMPARE(Fixture->storedValue(QStringLiteral("WidthWiz")).toInt(), 11);

    // A course running at exit starts again at the next start.
    control<QToolButton>(Main, "SpeedButton20")->click();
    QVERIFY(Main->course());
    Fixture->close();
    QCOMPARE(Fixture->storedValue(QStringLiteral("Assistant")).toInt(), 1);
}

void TestCourseWindows::markersFollowTheControlsStillToSet() {
    startCourse();
    CourseMarkers& markers = Main->courseMarkers();
    auto shownAt = [&](int slot, QWidget* target) {
        TMarkersForm* marker = markers.marker(slot);
        if (!marker || marker->target() != target || !control<QTimer>(marker, "Timer1")->isActive())
            return false;
        marker->FollowTarget();
        return marker->isVisible();
    };
    // The field-of-view stage: "Тест" and "Строка" still to press.
    QVERIFY(shownAt(0, control<QToolButton>(Main, "SpeedButton14")));
    QVERIFY(shownAt(1, control<QToolButton>(Main, "SpeedButton6")));
    QCOMPARE(markers.marker(0)->pos(),
             control<QToolButton>(Main, "SpeedButton14")->mapToGlobal(QPoint(0, 0)));

    control<QToolButton>(Main, "SpeedButton14")->click();
    QVERIFY(!markers.marker(0)->isVisible());
    QVERIFY(shownAt(1, control<QToolButton>(Main, "SpeedButton6")));
    control<QToolButton>(Main, "SpeedButton6")->click();
    QVERIFY(!markers.marker(1)->isVisible());
    QCOMPARE(line(0), Grey);
    QCOMPARE(line(2), Red);
    QCOMPARE(markers.marker(2)->target(), control<QFrame>(Windows.StringForm, "MarginLeft"));
    QVERIFY(shownAt(3, control<QWidget>(Main, "Panel7")));
    QCOMPARE(markers.marker(3)->pos(),
             control<QWidget>(Main, "Panel7")->mapToGlobal(QPoint(-5, -6)));

    // The marker keeps to its control when the frame moves.
    Main->move(Main->pos() + QPoint(30, 20));
    markers.marker(3)->FollowTarget();
    QCOMPARE(markers.marker(3)->pos(),
             control<QWidget>(Main, "Panel7")->mapToGlobal(QPoint(-5, -6)));

    // Blinking: thin and thick in turn.
    const int width = markers.marker(3)->penWidth();
    markers.marker(3)->FollowTarget();
    QCOMPARE(markers.marker(3)->penWidth(), 3 - width);

    // The guide's box switches them off and on, and is the stored choice.
    control<QCheckBox>(Windows.WizardForm, "CheckBoxShowRedMarkers")->click();
    QVERIFY(!Main->state().Markers());
    QVERIFY(!markers.marker(2)->isVisible() && !markers.marker(3)->isVisible());
    QVERIFY(!control<QTimer>(markers.marker(3), "Timer1")->isActive());
    control<QCheckBox>(Windows.WizardForm, "CheckBoxShowRedMarkers")->click();
    QVERIFY(shownAt(3, control<QWidget>(Main, "Panel7")));

    control<QSlider>(Main, "TrackBar1")->setValue(90);
    control<TCSpinEdit>(Main, "CSpinEdit1")->setValue(11);
    QVERIFY(!markers.marker(2)->isVisible() && !markers.marker(3)->isVisible());
    QVERIFY(shownAt(4, control<QToolButton>(Main, "SpeedButton2")));
    QVERIFY(control<QToolButton>(Main, "SpeedButton2")->isEnabled());
    QCOMPARE(line(5), Red);

    // Start hides them all.
    control<QToolButton>(Main, "SpeedButton2")->click();
    QVERIFY(!markers.marker(4)->isVisible());
    playLine(false);
}

void TestCourseWindows::guideDocksUnderTheAssistant() {
    startCourse({{"Left", 400}});
    TAssistantForm* assistant = Windows.AssistantForm;
    TWizardForm* guide = Windows.WizardForm;
    QVERIFY(assistant->guideDocked());

    assistant->move(assistant->pos() + QPoint(15, 25));
    QVERIFY(docked(assistant, guide));

    // Dragged 20 pixels away, it stays where it is put, and no longer follows.
    const QPoint away = guide->pos() + QPoint(20, 20);
    guide->move(away);
    QVERIFY(!assistant->guideDocked());
    QCOMPARE(guide->pos(), away);
    assistant->move(assistant->pos() + QPoint(-10, 0));
    QCOMPARE(guide->pos(), away);

    // Within 19 pixels of the corner it snaps back and follows again.
    const QRect frame = assistant->frameGeometry();
    guide->move(frame.left() + 19, frame.top() + frame.height() + 19);
    QVERIFY(assistant->guideDocked());
    QVERIFY(docked(assistant, guide));
    assistant->move(assistant->pos() + QPoint(5, 5));
    QVERIFY(docked(assistant, guide));
}

// A frame too near the screen's left edge for the assistant moves right, when the screen is
// wide enough for both side by side: the status bar's recommendations stay in sight.
void TestCourseWindows::frameMakesRoomForTheAssistant() {
    startCourse({{"Left", 100}, {"Top", 60}, {"Width", 520}});
    const QRect screen = Main->screen()->availableGeometry();
    const QRect assistant = Windows.AssistantForm->frameGeometry();
    const QRect frame = Main->frameGeometry();
    QVERIFY(screen.width() >= assistant.width() + frame.width());
    QVERIFY2(assistant.right() < frame.left(),
             qPrintable(QStringLiteral("assistant %1-%2, frame from %3")
                            .arg(assistant.left())
                            .arg(assistant.right())
                            .arg(frame.left())));
    QVERIFY(screen.contains(assistant) && screen.contains(frame));
    QVERIFY(docked(Windows.AssistantForm, Windows.WizardForm));
}

// The guide is as wide as its longest step, and its legend stands whole beside its marks.
void TestCourseWindows::guideShowsItsLinesAndLegendWhole() {
    startCourse();
    TWizardForm* guide = Windows.WizardForm;
    // The longest step any stage shows, among the lines of the first stage.
    QStringList lines =
        control<QTextEdit>(guide, "RichEdit1")->toPlainText().split(QLatin1Char('\n'));
    lines.insert(4, QStringLiteral("     *  режим чтения: Динамическое чтение"));
    guide->setSteps(lines);
    QCoreApplication::processEvents();
    QVERIFY(!control<QTextEdit>(guide, "RichEdit1")->horizontalScrollBar()->isVisible());
    const int longest =
        control<QTextEdit>(guide, "RichEdit1")->fontMetrics().horizontalAdvance(lines[4]);
    QVERIFY2(longest + 2 * control<QTextEdit>(guide, "RichEdit1")->document()->documentMargin() <=
                 control<QTextEdit>(guide, "RichEdit1")->viewport()->width(),
             qPrintable(QStringLiteral("%1 in %2")
                            .arg(longest)
                            .arg(control<QTextEdit>(guide, "RichEdit1")->viewport()->width())));
    const QList<QPair<QLabel*, QLabel*>> legend = {
        {control<QLabel>(guide, "Label3"), control<QLabel>(guide, "Shape3")},
        {control<QLabel>(guide, "Label1"), control<QLabel>(guide, "Shape2")},
        {control<QLabel>(guide, "Label2"), control<QLabel>(guide, "Shape1")}};
    for (const auto& [text, mark] : legend) {
        const int textRight = text->x() + text->fontMetrics().horizontalAdvance(text->text());
        QVERIFY2(textRight < mark->x(), qPrintable(text->text()));
        QVERIFY(guide->rect().contains(mark->geometry()));
    }
}

// Every stage's steps show whole, without scroll bars, and the guide covers no part of the
// frame beside it.
void TestCourseWindows::guideShowsEveryStageWholeBesideTheFrame() {
    startCourse({{"Left", 100}, {"Top", 60}, {"Width", 520}});
    TWizardForm* guide = Windows.WizardForm;
    QTextEdit* steps = control<QTextEdit>(guide, "RichEdit1");
    QList<StageKind> seen;
    for (int entered = 0; entered < 18 && stage().Kind != StageKind::Result; ++entered) {
        seen.append(stage().Kind);
        QCoreApplication::processEvents();
        const QByteArray where = "stage " + QByteArray::number(entered);
        QVERIFY2(guide->isVisible(), where);
        QVERIFY2(!steps->verticalScrollBar()->isVisible(), where);
        QVERIFY2(!steps->horizontalScrollBar()->isVisible(), where);
        const int margin = int(steps->document()->documentMargin());
        QVERIFY2(steps->document()->size().height() <= steps->viewport()->height(), where);
        const QFontMetrics metrics(steps->document()->defaultFont());
        for (const QString& text : steps->toPlainText().split(QLatin1Char('\n'))) {
            if (text.trimmed().count(QLatin1Char('-')) == text.trimmed().size())
                continue; // the rule under the steps runs off the edge
            QVERIFY2(metrics.horizontalAdvance(text) + 2 * margin <= steps->viewport()->width(),
                     qPrintable(text));
        }
        QVERIFY2(guide->rect().contains(control<QLabel>(guide, "Shape1")->geometry()), where);
        const QRect frame = Main->frameGeometry();
        QVERIFY2(!guide->frameGeometry().intersects(frame),
                 qPrintable(QStringLiteral("guide %1-%2, frame from %3")
                                .arg(guide->frameGeometry().left())
                                .arg(guide->frameGeometry().right())
                                .arg(frame.left())));
        Main->AdvanceCourse(true);
    }
    QVERIFY(seen.contains(StageKind::TextReading) && seen.contains(StageKind::TextTest));
}

QTEST_MAIN(TestCourseWindows)
#include "tst_coursewindows.moc"
