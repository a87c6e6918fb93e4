#include "AdviceAnswers.h"
#include "Controls.h"
#include "FileSizeLimit.h"
#include "ProgramFixture.h"

#include "diary/DiaryStore.h"

#include "course/Unitassistant.h"
#include "course/Unitmarker.h"
#include "course/Unitwizard.h"
#include "dialogs/Unitabout.h"
#include "dialogs/Unitadvice.h"
#include "dialogs/Unitfrmessage.h"
#include "fieldofview/Unitfransstring.h"
#include "fieldofview/Unitfrstring.h"
#include "fieldofview/Unitstringresult.h"
#include "flash/FlashForm.h"
#include "platform/HelpViewer.h"
#include "platform/PacedTimer.h"
#include "readingview/ReadingView.h"
#include "schulte/SchulteForm.h"
#include "shell/Unitbookmark.h"
#include "shell/Unitfrmain.h"
#include "table/Unitdlgtable.h"
#include "table/Unitfranstable.h"
#include "table/Unitfrtable.h"
#include "table/Unittableresult.h"
#include "text/Unitfranstext.h"
#include "text/Unitfrtext.h"
#include "text/Unittextresult.h"
#include "widgets/TCSpinEdit.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMessageBox>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>

#include <optional>

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void missingStoreStopsTheProgram();
    void windowsAreCreatedOnceInOrder();
    void initialToolbarStates();
    void firstStartWithAnEmptyStore();
    void testModeEnablesTheFieldOfView();
    void fieldOfViewKeepsTestDown();
    void kindButtonsSwapTheActiveWindow();
    void runDisablesTheToolbar();
    void enterEscapeAndF1();
    void regulatorRaisesLowPositions_data();
    void regulatorRaisesLowPositions();
    void storedSpeedKeepsTheRegulatorsRule_data();
    void storedSpeedKeepsTheRegulatorsRule();
    void holdToRepeat();
    void repeatStopsWhenTheButtonLetsGo_data();
    void repeatStopsWhenTheButtonLetsGo();
    void speedLabelsStayApart();
    void statusBarHints();
    void adviceGlyph();
    void widthSpinIgnoresTypingAndStaysAtTen();
    void settingsSurviveARestart();
    void maximisedCloseKeepsLastNormalBounds();
    void cannotShrinkBelowTheColumn();
    void absurdStoredBoundsComeOnScreen_data();
    void absurdStoredBoundsComeOnScreen();
    void unwritableStoreIsReportedAtClose_data();
    void unwritableStoreIsReportedAtClose();
    void everyControlHasAnAccessibleName();
    void aboutBoxClosesOnlyByHand();
    void splashIgnoresKeysAndClosesByItself();
    void maximisedRunKeepsTheWindowMaximised();
    void boundsThatDoNotFitTheScreenAreBroughtOnIt();
    void closingDuringARunKeepsItAsStopped_data();
    void closingDuringARunKeepsItAsStopped();

private:
    std::unique_ptr<ProgramFixture> Fixture;
    TMainForm* startQuiet(const QVariantMap& changes = {});
};

TMainForm* TestMainWindow::startQuiet(const QVariantMap& changes) {
    Fixture = std::make_unique<ProgramFixture>();
    return Fixture->startQuiet(changes).windows().MainForm;
}

void TestMainWindow::cleanup() {
    closeUnexpectedDialogs();
    Fixture.reset();
}

void TestMainWindow::missingStoreStopsTheProgram() {
    Fixture = std::make_unique<ProgramFixture>();
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    onNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        text = box->text();
        title = box->windowTitle();
        icon = box->icon();
        box->accept();
    });
    Program& program = Fixture->start();
    QVERIFY(!program.isReady());
    QCOMPARE(text, QStringLiteral("Reinstall Skimora v6.0 ru"));
    QCOMPARE(title, QStringLiteral("Ошибка"));
    QCOMPARE(icon, QMessageBox::Critical);
    QVERIFY(!program.windows().TextForm);
    QVERIFY(!program.windows().MainForm->isVisible());
    // The program never creates the store itself.
    QVERIFY(!QFile::exists(Fixture->configFile()));
}

void TestMainWindow::windowsAreCreatedOnceInOrder() {
    TMainForm* main = startQuiet();
    const ProgramWindows& w = Fixture->program().windows();
    const QList<QMdiSubWindow*> children = main->mdiArea()->subWindowList(QMdiArea::CreationOrder);
    QCOMPARE(children.size(), 5);
    QCOMPARE(children[0], w.StringForm);
    QCOMPARE(children[1], w.TableForm);
    QCOMPARE(children[2], w.TextForm);
    QCOMPARE(children[3], w.SchulteForm); // the later kinds after the first three
    QCOMPARE(children[4], w.FlashForm);
    QCOMPARE(main->ActiveMDIChild(), w.TextForm);
    // The child in front is always maximised, whichever kind is chosen.
    QVERIFY(w.TextForm->isMaximized());
    control<QToolButton>(main, "SpeedButton5")->click();
    QVERIFY(w.TableForm->isMaximized());
    control<QToolButton>(main, "SpeedButton4")->click();
    QVERIFY(w.TextForm->isMaximized());
    // The exercise windows live as long as the program: their close boxes do nothing.
    for (QMdiSubWindow* child : children) {
        child->close();
        QVERIFY(child->isVisible());
    }
    QCOMPARE(main->mdiArea()->subWindowList().size(), 5);

    // The dialogs are the main window's children, in the order they were created.
    const QObjectList owned = main->children();
    const QList<QObject*> order{
        w.FormDlgTable,   w.AboutForm,        w.AnsTextForm,     w.AnsTableForm, w.AnsStringForm,
        w.TextResultForm, w.StringResultForm, w.TableResultForm, w.MessageForm,  w.AdviceForm,
        w.AssistantForm,  w.WizardForm,       w.MarkersForm,     w.BookmarkForm};
    qsizetype last = -1;
    for (QObject* window : order) {
        QVERIFY2(window, "every window exists");
        const qsizetype at = owned.indexOf(window);
        QVERIFY2(at > last, qPrintable(window->objectName()));
        last = at;
    }
    QCOMPARE(main->windowTitle().left(12), QStringLiteral("Skimora [ru]"));
    QCOMPARE(w.TextForm->windowTitle(), QStringLiteral("Чтение текста"));
}

void TestMainWindow::initialToolbarStates() {
    TMainForm* m = startQuiet();
    struct Row {
        QToolButton* button;
        QString caption;
        QString hint;
        bool enabled;
        bool down;
    };
    const QList<Row> rows{
        {control<QToolButton>(m, "SpeedButton1"), "Открыть", "Открыть (Ctrl+O)", true, false},
        {control<QToolButton>(m, "SpeedButton10"), "Выход", "Выход (Ctrl+Q)", true, false},
        {control<QToolButton>(m, "SpeedButton2"), "Пуск", "Пуск", true, false},
        {control<QToolButton>(m, "SpeedButton3"), "Стоп", "Стоп", false, false},
        {control<QToolButton>(m, "SpeedButton14"), "Тест", "Режим тестирования (Ctrl+T)", true,
         false},
        {control<QToolButton>(m, "SpeedButton4"), "Текст", "Чтение текста (Ctrl+1)", true, true},
        {control<QToolButton>(m, "SpeedButton6"), "Строка", "Тест на ширину поля зрения (Ctrl+2)",
         false, false},
        {control<QToolButton>(m, "SpeedButton5"), "Таблица", "Чтение таблиц (Ctrl+3)", true, false},
        {control<QToolButton>(m, "SpeedButton15"), "", "Размер таблицы (Ctrl+Shift+R)", false,
         false},
        {control<QToolButton>(m, "SpeedButton9"), "Помощь", "Содержание помощи", true, false},
        {control<QToolButton>(m, "SpeedButton16"), "О...", "О программе", true, false},
        {control<QToolButton>(m, "SpeedButton11"), "", "По левому краю (Ctrl+L)", true, true},
        {control<QToolButton>(m, "SpeedButton12"), "", "По центру (Ctrl+E)", true, false},
        {control<QToolButton>(m, "SpeedButton13"), "", "По правому краю (Ctrl+R)", true, false},
        {control<QToolButton>(m, "SpeedButton7"), "", "Динамическое чтение (Ctrl+Shift+N)", true,
         true},
        {control<QToolButton>(m, "SpeedButton8"), "", "Статическое чтение (Ctrl+Shift+S)", true,
         false},
        {control<QToolButton>(m, "SpeedButton19"), "", "Давать советы (Ctrl+Shift+H)", true, false},
        {control<QToolButton>(m, "SpeedButton20"), "", "Ассистент (Ctrl+Shift+A)", true, false},
    };
    for (const Row& row : rows) {
        const QByteArray name = row.button->objectName().toUtf8();
        QVERIFY2(row.button->text() == row.caption || row.caption.isEmpty(), name);
        QVERIFY2(row.button->toolTip() == row.hint, name);
        QVERIFY2(row.button->isEnabled() == row.enabled, name);
        QVERIFY2(row.button->isChecked() == row.down, name);
        QVERIFY2(row.button->autoRaise(), name);
    }
    QCOMPARE(control<QToolButton>(m, "SpeedButton1")->size(), QSize(50, 41));
    QCOMPARE(control<QComboBox>(m, "ComboBox1")->count(), 14);
    QCOMPARE(control<QComboBox>(m, "ComboBox1")->itemText(0), QStringLiteral("10"));
    QCOMPARE(control<QComboBox>(m, "ComboBox1")->itemText(13), QStringLiteral("72"));
    QCOMPARE(control<QComboBox>(m, "ComboBox1")->toolTip(),
             QStringLiteral("Размер Шрифта (Ctrl+Shift+P)"));
    QCOMPARE(control<QComboBox>(m, "ComboBox2")->toolTip(), QStringLiteral("Шрифт (Ctrl+Shift+F)"));
    QCOMPARE(control<TCSpinEdit>(m, "CSpinEdit1")->toolTip(), QStringLiteral("Ширина поля чтения"));
    QCOMPARE(control<QSlider>(m, "TrackBar1")->toolTip(), QStringLiteral("Регулятор скорости"));
    QCOMPARE(control<QSlider>(m, "TrackBar1")->maximum(), 1000);
    QCOMPARE(control<QLabel>(m, "Panel7/Label4")->text(), QStringLiteral("0"));
    QCOMPARE(control<QLabel>(m, "Panel7/Label5")->text(), QStringLiteral("10000"));
    QVERIFY(control<QAction>(m, "PopupMenu1/N1")->isCheckable());
}

void TestMainWindow::firstStartWithAnEmptyStore() {
    Fixture = std::make_unique<ProgramFixture>();
    Fixture->createStore();
    AdviceAnswers answers; // all tips are on: the first text tip comes after the splash
    TMainForm* m = Fixture->start().windows().MainForm;
    QTRY_COMPARE(answers.Tips.size(), 1);
    // Left 190 unless the screen is too narrow for the window there: then at its right edge.
    const QRect area = m->screen()->availableGeometry();
    QCOMPARE(m->pos(),
             QPoint(std::min(190, area.x() + area.width() - m->frameGeometry().width()), 117));
    QCOMPARE(m->size(), QSize(659, 499));
    QCOMPARE(m->state().FontName(), QStringLiteral("Arial"));
    QCOMPARE(m->state().FontSize(), 12);
    QCOMPARE(m->state().TextAlignment(), 0);
    QCOMPARE(control<TCSpinEdit>(m, "CSpinEdit1")->value(), 10);
    QCOMPARE(control<QSlider>(m, "TrackBar1")->value(), 100);
    QCOMPARE(m->state().CharInterval(), 60);
    QCOMPARE(m->state().Column(), 4);
    QCOMPARE(m->state().Row(), 3);
    QVERIFY(control<QAction>(m, "PopupMenu1/N1")->isChecked() &&
            control<QAction>(m, "PopupMenu1/N2")->isChecked() &&
            control<QAction>(m, "PopupMenu1/N3")->isChecked());
    QVERIFY(m->assistantAtStart());
    // The course starts after the splash and recommends its own first speed.
    QVERIFY(m->course());
    QCOMPARE(m->statusPanel(0), QStringLiteral("С (рек):900 симв/мин"));
    QCOMPARE(m->statusPanel(1), QStringLiteral("Ш (рек):10 симв"));
    QCOMPARE(m->statusPanel(2), QStringLiteral("С: 1000 симв/мин"));
    QCOMPARE(control<QLabel>(m, "Panel7/Label1")->text(), QStringLiteral("1000 симв/мин"));
    QCOMPARE(control<QToolButton>(m, "SpeedButton19")->property("adviceImage").toInt(), 0);
}

void TestMainWindow::testModeEnablesTheFieldOfView() {
    TMainForm* m = startQuiet();
    control<QToolButton>(m, "SpeedButton14")->click();
    QVERIFY(control<QToolButton>(m, "SpeedButton14")->isChecked());
    QVERIFY(control<QToolButton>(m, "SpeedButton6")->isEnabled());
    QVERIFY(!control<QToolButton>(m, "SpeedButton1")->isEnabled());
    QCOMPARE(Fixture->program().windows().TextForm->windowTitle(),
             QStringLiteral("Тест на скорость чтения текста"));
    control<QToolButton>(m, "SpeedButton14")->click();
    QVERIFY(!control<QToolButton>(m, "SpeedButton14")->isChecked());
    QVERIFY(!control<QToolButton>(m, "SpeedButton6")->isEnabled());
    QVERIFY(control<QToolButton>(m, "SpeedButton1")->isEnabled());
    QCOMPARE(Fixture->program().windows().TextForm->windowTitle(), QStringLiteral("Чтение текста"));
}

void TestMainWindow::fieldOfViewKeepsTestDown() {
    TMainForm* m = startQuiet();
    control<QToolButton>(m, "SpeedButton14")->click();
    control<QToolButton>(m, "SpeedButton6")->click();
    QVERIFY(m->state().ChosenKind() == ExerciseKind::FieldOfView);
    QCOMPARE(m->ActiveMDIChild(), Fixture->program().windows().StringForm);
    QCOMPARE(Fixture->program().windows().StringForm->windowTitle(),
             QStringLiteral("Тест на ширину поля зрения"));
    for (int i = 0; i < 3; ++i) {
        control<QToolButton>(m, "SpeedButton14")->click();
        QVERIFY(control<QToolButton>(m, "SpeedButton14")->isChecked());
    }
    QVERIFY(!control<QToolButton>(m, "SpeedButton1")->isEnabled());
    QVERIFY(!control<QToolButton>(m, "SpeedButton7")->isEnabled());
}

void TestMainWindow::kindButtonsSwapTheActiveWindow() {
    TMainForm* m = startQuiet();
    const ProgramWindows& w = Fixture->program().windows();
    control<QToolButton>(m, "SpeedButton5")->click();
    QCOMPARE(m->ActiveMDIChild(), w.TableForm);
    QVERIFY((m->state().ChosenKind() == ExerciseKind::Table) &&
            !(m->state().ChosenKind() == ExerciseKind::Text));
    QVERIFY(control<QToolButton>(m, "SpeedButton15")->isEnabled());
    QVERIFY(!control<TCSpinEdit>(m, "CSpinEdit1")->isEnabled());
    QCOMPARE(m->statusPanel(1), QStringLiteral("Ш (рек):4 клет."));
    QCOMPARE(m->statusPanel(3), QString());
    control<QToolButton>(m, "SpeedButton4")->click();
    QCOMPARE(m->ActiveMDIChild(), w.TextForm);
    QVERIFY(m->state().ChosenKind() == ExerciseKind::Text);
    QVERIFY(!control<QToolButton>(m, "SpeedButton15")->isEnabled());
    QCOMPARE(m->statusPanel(1), QStringLiteral("Ш (рек):10 симв"));
    QVERIFY(m->statusPanel(3).startsWith(QStringLiteral("Volume: ")));
}

void TestMainWindow::runDisablesTheToolbar() {
    TMainForm* m = startQuiet();
    TTextForm* text = Fixture->program().windows().TextForm;
    text->setLoadedText(QStringLiteral("Один два три четыре пять шесть семь восемь"), 0, 0);
    control<QToolButton>(m, "SpeedButton2")->click();
    QVERIFY(m->isRunning());
    for (QWidget* off : std::initializer_list<QWidget*>{
             control<QToolButton>(m, "SpeedButton1"), control<QToolButton>(m, "SpeedButton2"),
             control<QToolButton>(m, "SpeedButton4"), control<QToolButton>(m, "SpeedButton5"),
             control<QToolButton>(m, "SpeedButton14"), control<QComboBox>(m, "ComboBox1"),
             control<QComboBox>(m, "ComboBox2"), control<QToolButton>(m, "SpeedButton7"),
             control<QToolButton>(m, "SpeedButton11"), control<QToolButton>(m, "SpeedButton20")})
        QVERIFY2(!off->isEnabled(), qPrintable(off->objectName()));
    QVERIFY(control<QToolButton>(m, "SpeedButton3")->isEnabled());
    QVERIFY(control<QSlider>(m, "TrackBar1")->isEnabled());
    QVERIFY(control<TCSpinEdit>(m, "CSpinEdit1")->isEnabled());
    QVERIFY(!control<QFrame>(text, "WindowFormat")->isEnabled());
    QVERIFY(!control<QWidget>(text, "Panel1")->isEnabled());
    QCOMPARE(m->minimumWidth(), m->maximumWidth()); // no resizing during a run
    control<QToolButton>(m, "SpeedButton3")->click();
    QVERIFY(!m->isRunning());
    QVERIFY(control<QToolButton>(m, "SpeedButton1")->isEnabled());
    QVERIFY(control<QToolButton>(m, "SpeedButton2")->isEnabled());
    QVERIFY(!control<QToolButton>(m, "SpeedButton3")->isEnabled());
    QVERIFY(control<QFrame>(text, "WindowFormat")->isEnabled());
    QVERIFY(m->stopPressed());
    QVERIFY(m->maximumWidth() > m->minimumWidth());
}

namespace {
// A stroke of a key, or one of its marked repeats while it is held.
void press(QWidget* target, int key, bool autoRepeat = false) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(target, &event);
    if (autoRepeat)
        return;
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}
} // namespace

void TestMainWindow::enterEscapeAndF1() {
    TMainForm* m = startQuiet();
    TTextForm* text = Fixture->program().windows().TextForm;
    text->setLoadedText(QStringLiteral("Один два три четыре пять шесть семь восемь"), 0, 0);
    QWidget* target = text->RichEdit1;

    press(target, Qt::Key_Escape); // nothing runs: nothing happens
    QVERIFY(!m->isRunning());
    press(target, Qt::Key_Return);
    QVERIFY(m->isRunning());
    press(target, Qt::Key_Return, true); // held down: ignored
    QVERIFY(m->isRunning());
    press(target, Qt::Key_Return); // Enter during a run stops it
    QVERIFY(!m->isRunning());
    press(target, Qt::Key_Enter);
    QVERIFY(m->isRunning());
    press(target, Qt::Key_Escape, true);
    QVERIFY(m->isRunning());
    press(target, Qt::Key_Escape);
    QVERIFY(!m->isRunning());

    press(target, Qt::Key_F1);
    QVERIFY(m->helpViewer()->isVisible());
    m->helpViewer()->close();
}

void TestMainWindow::regulatorRaisesLowPositions_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("shown");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<int>("interval");
    QTest::newRow("0") << 0 << 10 << "С: 100 симв/мин (Min)" << 600;
    QTest::newRow("10") << 10 << 10 << "С: 100 симв/мин (Min)" << 600;
    QTest::newRow("11") << 11 << 11 << "С: 110 симв/мин" << 545;
    QTest::newRow("334") << 334 << 334 << "С: 3340 симв/мин" << 17;
}

void TestMainWindow::regulatorRaisesLowPositions() {
    QFETCH(int, position);
    QFETCH(int, shown);
    QFETCH(QString, panel);
    QFETCH(int, interval);
    TMainForm* m = startQuiet();
    control<QSlider>(m, "TrackBar1")->setValue(position);
    QCOMPARE(control<QSlider>(m, "TrackBar1")->value(), shown);
    QCOMPARE(m->statusPanel(2), panel);
    QCOMPARE(m->state().CharInterval(), interval);
    QCOMPARE(control<QLabel>(m, "Panel7/Label1")->text(),
             QString::number(shown * 10) + QStringLiteral(" симв/мин"));
}

// The stored position reaches the speed only through the regulator: below its minimum it is
// raised, so no speed is ever worked out from a position of 0.
void TestMainWindow::storedSpeedKeepsTheRegulatorsRule_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("interval");
    QTest::newRow("0") << 0 << 10 << 600;
    QTest::newRow("negative") << -1 << 10 << 600;
    QTest::newRow("9") << 9 << 10 << 600;
    QTest::newRow("100") << 100 << 100 << 60;
    QTest::newRow("777") << 777 << 777 << 7;
    QTest::newRow("above the scale") << 5000 << 1000 << 6;
}

void TestMainWindow::storedSpeedKeepsTheRegulatorsRule() {
    QFETCH(int, stored);
    QFETCH(int, shown);
    QFETCH(int, interval);
    TMainForm* m = startQuiet({{"SpeedTrackBarPosition", stored}});
    QCOMPARE(control<QSlider>(m, "TrackBar1")->value(), shown);
    QCOMPARE(m->state().SpeedPosition(), shown);
    QCOMPARE(m->state().CharInterval(), interval);
}

void TestMainWindow::holdToRepeat() {
    TMainForm* m = startQuiet();
    control<QSlider>(m, "TrackBar1")->setValue(12);
    QTest::mousePress(control<QToolButton>(m, "SpeedButton18"), Qt::LeftButton);
    QVERIFY(control<QTimer>(m, "TimerSpeedRegulator")->isActive());
    QCOMPARE(control<QTimer>(m, "TimerSpeedRegulator")->interval(), 2);
    m->TimerSpeedRegulatorTimer();
    QCOMPARE(control<QSlider>(m, "TrackBar1")->value(), 11);
    QCOMPARE(control<QTimer>(m, "TimerSpeedRegulator")->interval(), 300);
    m->TimerSpeedRegulatorTimer();
    QCOMPARE(control<QSlider>(m, "TrackBar1")->value(), 10);
    QVERIFY(
        !control<QTimer>(m, "TimerSpeedRegulator")->isActive()); // stopped by itself at the bottom
    QTest::mouseRelease(control<QToolButton>(m, "SpeedButton18"), Qt::LeftButton);

    control<QSlider>(m, "TrackBar1")->setValue(999);
    QTest::mousePress(control<QToolButton>(m, "SpeedButton21"), Qt::LeftButton);
    m->TimerSpeedRegulatorTimer();
    m->TimerSpeedRegulatorTimer();
    QCOMPARE(control<QSlider>(m, "TrackBar1")->value(), 1000);
    QCOMPARE(control<QTimer>(m, "TimerSpeedRegulator")->interval(),
             16); // a window-message timer's fastest pace
    QTest::mouseRelease(control<QToolButton>(m, "SpeedButton21"), Qt::LeftButton);
    QVERIFY(!control<QTimer>(m, "TimerSpeedRegulator")->isActive());

    // A click released before the first tick, and a press through accessibility, step once.
    control<QSlider>(m, "TrackBar1")->setValue(500);
    QTest::mouseClick(control<QToolButton>(m, "SpeedButton18"), Qt::LeftButton);
    QCOMPARE(control<QSlider>(m, "TrackBar1")->value(), 499);
    QAccessibleInterface* faster =
        QAccessible::queryAccessibleInterface(control<QToolButton>(m, "SpeedButton21"));
    faster->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(control<QSlider>(m, "TrackBar1")->value(), 500);
    QVERIFY(!control<QTimer>(m, "TimerSpeedRegulator")->isActive());
}

void TestMainWindow::repeatStopsWhenTheButtonLetsGo_data() {
    QTest::addColumn<QString>("what");
    QTest::newRow("a dialog opens over it") << "dialog";
    QTest::newRow("another window takes the focus") << "focus";
    QTest::newRow("released over another window") << "release";
    QTest::newRow("the button is hidden") << "hidden";
    QTest::newRow("the button is disabled") << "disabled";
}

// The repeat lasts only while its button holds the mouse: once anything else has it, no step
// comes any more, however long the timer had been running.
void TestMainWindow::repeatStopsWhenTheButtonLetsGo() {
    QFETCH(QString, what);
    TMainForm* m = startQuiet();
    m->activateWindow();
    QTRY_VERIFY(m->isActiveWindow());
    QToolButton* faster = control<QToolButton>(m, "SpeedButton21");
    QTest::mousePress(faster, Qt::LeftButton);
    m->TimerSpeedRegulatorTimer();
    m->TimerSpeedRegulatorTimer();
    QCOMPARE(control<QSlider>(m, "TrackBar1")->value(), 102);

    QDialog dialog(m);
    QWidget other;
    other.resize(100, 100);
    if (what == QLatin1String("dialog")) {
        dialog.open();
    } else if (what == QLatin1String("focus") || what == QLatin1String("release")) {
        other.show();
        other.activateWindow();
        QTRY_VERIFY(other.isActiveWindow());
        if (what == QLatin1String("release")) {
            m->activateWindow();
            QTRY_VERIFY(m->isActiveWindow());
            QTest::mouseRelease(&other, Qt::LeftButton);
        }
    } else if (what == QLatin1String("hidden")) {
        faster->hide();
    } else {
        faster->setEnabled(false);
    }
    for (int tick = 0; tick < 3; ++tick)
        m->TimerSpeedRegulatorTimer();
    QCOMPARE(control<QSlider>(m, "TrackBar1")->value(), 102);
    QVERIFY(!control<QTimer>(m, "TimerSpeedRegulator")->isActive());
    dialog.close();
}

namespace {
// Where a label paints its text, in its parent's coordinates; wider than the label when the
// text does not fit.
QRect paintedText(const QLabel* label) {
    const QRect inside = label->fontMetrics().boundingRect(label->contentsRect(),
                                                           int(label->alignment()), label->text());
    return inside.translated(label->pos());
}
} // namespace

// Every speed from 100 to 10000 is read whole under the bar, apart from the scale's ends.
void TestMainWindow::speedLabelsStayApart() {
    TMainForm* m = startQuiet();
    const QRect panel = control<QWidget>(m, "Panel7")->rect();
    for (int position = 10; position <= 1000; ++position) {
        control<QSlider>(m, "TrackBar1")->setValue(position);
        const QRect speed = paintedText(control<QLabel>(m, "Panel7/Label1"));
        const QRect low = paintedText(control<QLabel>(m, "Panel7/Label4"));
        const QRect high = paintedText(control<QLabel>(m, "Panel7/Label5"));
        const QString where = QStringLiteral("%1: %2-%3 between %4 and %5")
                                  .arg(control<QLabel>(m, "Panel7/Label1")->text())
                                  .arg(speed.left())
                                  .arg(speed.right())
                                  .arg(low.right())
                                  .arg(high.left());
        QVERIFY2(control<QLabel>(m, "Panel7/Label1")
                     ->contentsRect()
                     .translated(control<QLabel>(m, "Panel7/Label1")->pos())
                     .contains(speed),
                 qPrintable(where));
        QVERIFY2(speed.left() > low.right() && speed.right() < high.left(), qPrintable(where));
        QVERIFY2(panel.contains(speed) && panel.contains(high), qPrintable(where));
    }
}

void TestMainWindow::statusBarHints() {
    TMainForm* m = startQuiet();
    QWidget* bar = m->statusBar();
    m->StatusBar1MouseMove(20);
    QCOMPARE(bar->toolTip(), QStringLiteral("Рекомендуемая скорость проигрывания текста"));
    QCOMPARE(m->hintPanelRight(), 150);
    m->StatusBar1MouseMove(500);
    QCOMPARE(bar->toolTip(), QStringLiteral("Объем текста"));
    control<QToolButton>(m, "SpeedButton5")->click(); // the table window resets the hint edges
    QCOMPARE(m->hintPanelLeft(), 0);
    QCOMPARE(m->hintPanelRight(), 0);
    m->StatusBar1MouseMove(200);
    QCOMPARE(bar->toolTip(), QStringLiteral("Рекомендуемая ширина таблицы"));
    // Flash reading in front shows no volume, so its last panel has no hint.
    m->kindEntry(ExerciseKind::Flash)->trigger();
    m->StatusBar1MouseMove(20);
    QCOMPARE(bar->toolTip(), QStringLiteral("Рекомендуемая скорость проигрывания текста"));
    m->StatusBar1MouseMove(500);
    QCOMPARE(bar->toolTip(), QString());
}

void TestMainWindow::adviceGlyph() {
    TMainForm* m = startQuiet({{"StringAdvice", 1}, {"TableAdvice", 1}});
    control<QAction>(m, "PopupMenu1/N1")->trigger();
    for (QAction* item :
         {control<QAction>(m, "PopupMenu1/N1"), control<QAction>(m, "PopupMenu1/N2"),
          control<QAction>(m, "PopupMenu1/N3")}) {
        QCOMPARE(control<QToolButton>(m, "SpeedButton19")->property("adviceImage").toInt(), 0);
        item->trigger();
        QVERIFY(!item->isChecked());
    }
    QCOMPARE(control<QToolButton>(m, "SpeedButton19")->property("adviceImage").toInt(), 1);
    control<QAction>(m, "PopupMenu1/N2")->trigger();
    QCOMPARE(control<QToolButton>(m, "SpeedButton19")->property("adviceImage").toInt(), 0);
}

void TestMainWindow::widthSpinIgnoresTypingAndStaysAtTen() {
    TMainForm* m = startQuiet();
    control<TCSpinEdit>(m, "CSpinEdit1")->setFocus();
    QTest::keyClicks(control<TCSpinEdit>(m, "CSpinEdit1"), QStringLiteral("55abc"));
    QCOMPARE(control<TCSpinEdit>(m, "CSpinEdit1")->value(), 10);
    QTest::keyClick(control<TCSpinEdit>(m, "CSpinEdit1"), Qt::Key_Down);
    QCOMPARE(control<TCSpinEdit>(m, "CSpinEdit1")->value(), 10);
    QCOMPARE(m->state().ReadingFieldWidth(), 10);
    QTest::keyClick(control<TCSpinEdit>(m, "CSpinEdit1"), Qt::Key_Up);
    QCOMPARE(control<TCSpinEdit>(m, "CSpinEdit1")->value(), 11);
    QCOMPARE(m->state().ReadingFieldWidth(), 11);
    control<TCSpinEdit>(m, "CSpinEdit1")->setValue(3);
    QCOMPARE(control<TCSpinEdit>(m, "CSpinEdit1")->value(), 10);
}

void TestMainWindow::settingsSurviveARestart() {
    TMainForm* m = startQuiet();
    control<QSlider>(m, "TrackBar1")->setValue(250);
    control<QToolButton>(m, "SpeedButton12")->click();
    control<TCSpinEdit>(m, "CSpinEdit1")->setValue(14);
    control<QComboBox>(m, "ComboBox1")
        ->setCurrentIndex(control<QComboBox>(m, "ComboBox1")->findText(QStringLiteral("14")));
    m->ComboBox1Change();
    control<QAction>(m, "PopupMenu1/N3")->trigger();
    m->move(60, 70);
    m->resize(700, 520);
    QCoreApplication::processEvents();
    Fixture->close();
    QCOMPARE(Fixture->storedValue(QStringLiteral("SpeedTrackBarPosition")).toInt(), 250);
    QCOMPARE(Fixture->storedValue(QStringLiteral("TextAlignment")).toInt(), 2);
    QCOMPARE(Fixture->storedValue(QStringLiteral("WideExpression")).toInt(), 14);
    QCOMPARE(Fixture->storedValue(QStringLiteral("FontSize")).toInt(), 14);
    QCOMPARE(Fixture->storedValue(QStringLiteral("TableAdvice")).toInt(), 1);
    QCOMPARE(Fixture->storedValue(QStringLiteral("TextAdvice")).toInt(), 0);
    QCOMPARE(Fixture->storedValue(QStringLiteral("Width")).toInt(), 700);
    QCOMPARE(Fixture->storedValue(QStringLiteral("WindowState")).toInt(), 0);
    QCOMPARE(Fixture->storedValue(QStringLiteral("Assistant")).toInt(), 0);

    ProgramFixture& f = *Fixture;
    TMainForm* again = f.start().windows().MainForm;
    QCOMPARE(control<QSlider>(again, "TrackBar1")->value(), 250);
    QCOMPARE(again->statusPanel(2), QStringLiteral("С: 2500 симв/мин"));
    QVERIFY(control<QToolButton>(again, "SpeedButton12")->isChecked());
    QCOMPARE(again->state().TextAlignment(), 2);
    QCOMPARE(control<TCSpinEdit>(again, "CSpinEdit1")->value(), 14);
    QCOMPARE(control<QComboBox>(again, "ComboBox1")->currentText(), QStringLiteral("14"));
    QVERIFY(control<QAction>(again, "PopupMenu1/N3")->isChecked());
    QVERIFY(!control<QAction>(again, "PopupMenu1/N1")->isChecked());
    QCOMPARE(again->size(), QSize(700, 520));
    QCOMPARE(again->pos(), QPoint(60, 70));
}

void TestMainWindow::maximisedCloseKeepsLastNormalBounds() {
    TMainForm* m = startQuiet();
    m->resize(750, 560);
    QCoreApplication::processEvents();
    m->showMaximized();
    QCoreApplication::processEvents();
    Fixture->close();
    QCOMPARE(Fixture->storedValue(QStringLiteral("WindowState")).toInt(), 2);
    QCOMPARE(Fixture->storedValue(QStringLiteral("Width")).toInt(), 750); // the last normal width

    TMainForm* again = Fixture->start().windows().MainForm;
    QVERIFY(again->isMaximized());
    again->showNormal();
    QCoreApplication::processEvents();
    QCOMPARE(again->width(), 750);
}

void TestMainWindow::cannotShrinkBelowTheColumn() {
    TMainForm* m = startQuiet({{"WidthFormatStr", 500}});
    QVERIFY(m->state().MinWidthText() > 500);
    QCOMPARE(m->minimumWidth(), std::max(m->state().MinWidthText(), m->state().MinWidthString()));
    m->resize(200, 500);
    QCOMPARE(m->width(), m->minimumWidth());
}

void TestMainWindow::absurdStoredBoundsComeOnScreen_data() {
    QTest::addColumn<QVariantMap>("bounds");
    QTest::newRow("larger than the screen")
        << QVariantMap{{"Left", 190}, {"Top", 117}, {"Width", 5000}, {"Height", 4000}};
    QTest::newRow("far off to the left and below")
        << QVariantMap{{"Left", -20000}, {"Top", 30000}, {"Width", 659}, {"Height", 499}};
    QTest::newRow("largest integers") << QVariantMap{
        {"Left", 2147483647}, {"Top", -2147483647}, {"Width", 2147483647}, {"Height", 2147483647}};
}

void TestMainWindow::absurdStoredBoundsComeOnScreen() {
    QFETCH(QVariantMap, bounds);
    TMainForm* m = startQuiet(bounds);
    const QRect area = m->screen()->availableGeometry();
    QVERIFY(m->width() <= area.width());
    QVERIFY(m->height() <= area.height());
    // The title bar's top edge, and enough of it to take hold of, are on the screen.
    QVERIFY(m->frameGeometry().top() >= area.top());
    const QRect titleBar(m->frameGeometry().topLeft(), QSize(m->frameGeometry().width(), 1));
    QVERIFY(area.intersected(titleBar).width() >= 100);
}

void TestMainWindow::unwritableStoreIsReportedAtClose_data() {
    QTest::addColumn<bool>("diskFull");
    QTest::newRow("a folder where the store was") << false;
    QTest::newRow("disk full") << true;
}

void TestMainWindow::unwritableStoreIsReportedAtClose() {
    QFETCH(bool, diskFull);
    TMainForm* m = startQuiet();
    std::optional<FileSizeLimit> full;
    if (diskFull) {
        full.emplace(100); // the store file fills the disk after 100 bytes
    } else {
        QVERIFY(QFile::remove(Fixture->configFile()));
        QVERIFY(QDir().mkpath(Fixture->configFile()));
    }
    int boxes = 0;
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    onNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        ++boxes;
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        box->accept();
    });
    Fixture->close();
    full.reset();
    QCOMPARE(boxes, 1);
    QCOMPARE(title, QStringLiteral("Предупреждение"));
    QCOMPARE(icon, QMessageBox::Warning);
    QVERIFY2(text.contains(QStringLiteral("Skimora v6.0 ru.conf")), qPrintable(text));
    QVERIFY(!m->isVisible()); // the program ends as usual
}

void TestMainWindow::everyControlHasAnAccessibleName() {
    TMainForm* m = startQuiet();
    for (QWidget* control : m->findChildren<QWidget*>()) {
        const bool isControl = qobject_cast<QAbstractButton*>(control) ||
                               qobject_cast<QComboBox*>(control) ||
                               qobject_cast<QSlider*>(control) || qobject_cast<QSpinBox*>(control);
        if (!isControl || control->window() != m ||
            control->objectName().startsWith(QLatin1String("qt_")) ||
            control->objectName().isEmpty())
            continue;
        QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
    }
}

void TestMainWindow::aboutBoxClosesOnlyByHand() {
    TMainForm* m = startQuiet();
    TAboutForm* about = Fixture->program().windows().AboutForm;
    bool closeVisible = false;
    bool timerOff = false;
    onNextModal([&](QWidget* modal) {
        QCOMPARE(modal, about);
        closeVisible = control<QToolButton>(about, "SpeedButton1")->isVisible();
        timerOff = !control<QTimer>(about, "Timer1")->isActive();
        QTest::keyClick(about, Qt::Key_Escape);
    });
    control<QToolButton>(m, "SpeedButton16")->click();
    QVERIFY(closeVisible);
    QVERIFY(timerOff);
    QVERIFY(!about->isVisible());
}

void TestMainWindow::splashIgnoresKeysAndClosesByItself() {
    Fixture = std::make_unique<ProgramFixture>();
    Fixture->createStore(ProgramFixture::quietSettings());
    Program& program = Fixture->start(false);
    TAboutForm* about = program.windows().AboutForm;
    bool stayedAfterKeys = false;
    bool closeHidden = false;
    onNextModal([&](QWidget* modal) {
        QCOMPARE(modal, about);
        closeHidden = !control<QToolButton>(about, "SpeedButton1")->isVisible();
        QVERIFY(control<QTimer>(about, "Timer1")->isActive());
        QCOMPARE(control<QTimer>(about, "Timer1")->interval(), 2000);
        QTest::keyClick(about, Qt::Key_Escape);
        QTest::keyClick(about, Qt::Key_Return);
        stayedAfterKeys = about->isVisible();
    });
    program.show();
    QTRY_VERIFY_WITH_TIMEOUT(stayedAfterKeys, 3000);
    QVERIFY(closeHidden);
    QTRY_VERIFY_WITH_TIMEOUT(!about->isVisible(), 4000); // closed by its own timer
    QVERIFY(!control<QTimer>(about, "Timer1")->isActive());
}

namespace {
// The stored bounds with the window's frame around them, as the window manager shows them.
QRect storedFrame(const ProgramFixture& fixture, const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    const auto value = [&](const char* name) {
        return fixture.storedValue(QLatin1String(name)).toInt();
    };
    return QRect(value("Left"), value("Top"), value("Width") + frame.width() - client.width(),
                 value("Height") + frame.height() - client.height());
}
} // namespace

// A run keeps the frame's size, and a maximised frame stays maximised through it: a window
// whose smallest and largest sizes are equal is one the window manager will not keep
// maximised, so the size is held fixed only in the normal state.
void TestMainWindow::maximisedRunKeepsTheWindowMaximised() {
    TMainForm* m = startQuiet({{"WindowState", 2}});
    QTRY_VERIFY(m->isMaximized());
    const QRect maximised = m->geometry();
    const QRect area = m->screen()->availableGeometry();
    Fixture->program().windows().TextForm->setLoadedText(
        QStringLiteral("Один два три четыре пять шесть семь восемь"), 0, 0);
    control<QToolButton>(m, "SpeedButton2")->click();
    QVERIFY(m->isRunning());
    QCoreApplication::processEvents();
    QVERIFY(m->isMaximized());
    QCOMPARE(m->geometry(), maximised);
    QVERIFY(m->minimumSize() != m->maximumSize());
    // Leaving the maximised state during the run is refused.
    m->showNormal();
    QTRY_VERIFY(m->isMaximized());
    QCOMPARE(m->geometry(), maximised);

    control<QToolButton>(m, "SpeedButton3")->click();
    QVERIFY(!m->isRunning());
    QVERIFY(m->isMaximized());
    QCOMPARE(m->geometry(), maximised);
    Fixture->close();
    QCOMPARE(Fixture->storedValue(QStringLiteral("WindowState")).toInt(), 2);
    QVERIFY(area.contains(storedFrame(*Fixture, *m)));
}

// Bounds that do not fit the screen's available area are brought onto it at start, and are
// never stored.
void TestMainWindow::boundsThatDoNotFitTheScreenAreBroughtOnIt() {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    // A maximised window's size kept as if it were the normal one, at an offset.
    TMainForm* m = startQuiet({{"Left", area.left() + 225},
                               {"Top", area.top() + 137},
                               {"Width", area.width()},
                               {"Height", area.height() - 19},
                               {"WindowState", 0}});
    QVERIFY(!m->isMaximized());
    QTRY_VERIFY2(area.contains(m->frameGeometry()),
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(m->frameGeometry().x())
                                .arg(m->frameGeometry().y())
                                .arg(m->frameGeometry().width())
                                .arg(m->frameGeometry().height())));

    // Moved partly off the area by hand, it is stored whole on it.
    m->resize(600, 400);
    m->move(area.right() - 300, area.bottom() - 200);
    QCoreApplication::processEvents();
    Fixture->close();
    const QRect stored = storedFrame(*Fixture, *m);
    QVERIFY(area.contains(stored));
    QCOMPARE(stored.size(), m->frameGeometry().size());
}

void TestMainWindow::closingDuringARunKeepsItAsStopped_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("diaryKind");
    QTest::addColumn<bool>("byKey"); // Ctrl+Q, or the window's close box
    QTest::newRow("text, Ctrl+Q") << "text" << int(DiaryKind::TextReading) << true;
    QTest::newRow("text, close box") << "text" << int(DiaryKind::TextReading) << false;
    QTest::newRow("table") << "table" << int(DiaryKind::TableReading) << true;
    QTest::newRow("field of view") << "field of view" << int(DiaryKind::FieldOfViewTest) << false;
    QTest::newRow("Schulte") << "Schulte" << int(DiaryKind::Schulte) << true;
    QTest::newRow("flash") << "flash" << int(DiaryKind::FlashReading) << false;
}

// The program closed in the middle of a run: the run goes to the diary as stopped, the reading
// place is kept, and no course is started next time, as none ran.
void TestMainWindow::closingDuringARunKeepsItAsStopped() {
    QFETCH(QString, kind);
    QFETCH(int, diaryKind);
    QFETCH(bool, byKey);
    TMainForm* m = startQuiet();
    const ProgramWindows& w = Fixture->program().windows();
    const QString path = QDir(Fixture->programDir()).filePath(QStringLiteral("walk.txt"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("Один два три четыре пять шесть семь восемь девять десять "
                                  "одиннадцать двенадцать тринадцать четырнадцать")
                       .toUtf8());
    }
    m->OpenTextFile(path);
    QVERIFY(w.TextForm->RichEdit1->length() > 0);
    std::function<void()> step = [&] { w.TextForm->Timer1Timer(); };
    if (kind == QLatin1String("table")) {
        control<QToolButton>(m, "SpeedButton5")->click();
        step = [&] { w.TableForm->Timer1Timer(); };
    } else if (kind == QLatin1String("field of view")) {
        control<QToolButton>(m, "SpeedButton14")->click();
        control<QToolButton>(m, "SpeedButton6")->click();
        step = [&] { w.StringForm->Timer1Timer(); };
    } else if (kind == QLatin1String("Schulte")) {
        m->kindEntry(ExerciseKind::Schulte)->trigger();
        step = [] {};
    } else if (kind == QLatin1String("flash")) {
        m->kindEntry(ExerciseKind::Flash)->trigger();
        step = [&] { w.FlashForm->Timer1Timer(); };
    }
    control<QToolButton>(m, "SpeedButton2")->click();
    QVERIFY(m->isRunning());
    for (int i = 0; i < 3; ++i)
        step();
    QVERIFY(m->isRunning());
    QVERIFY(!control<QToolButton>(m, "SpeedButton20")
                 ->isEnabled()); // "Ассистент" is off during every run
    QCOMPARE(Fixture->program().diary().count(), 0);

    if (byKey) {
        QApplication::setActiveWindow(m);
        QTest::keyClick(m, Qt::Key_Q, Qt::ControlModifier);
    } else {
        m->close();
    }
    QVERIFY(!m->isVisible());
    QCOMPARE(Fixture->storedValue(QStringLiteral("Assistant")).toInt(), 0);
    const std::vector<DiaryRecord> kept = Fixture->program().diary().records();
    QCOMPARE(kept.size(), size_t(1));
    QCOMPARE(int(kept.front().result.kind), diaryKind);
    QVERIFY(kept.front().result.stopped);
    for (ExerciseWindow* any : std::initializer_list<ExerciseWindow*>{
             w.TextForm, w.TableForm, w.StringForm, w.SchulteForm, w.FlashForm})
        QVERIFY2(!any->timer()->isActive(), qPrintable(any->objectName()));
    if (kind == QLatin1String("text") || kind == QLatin1String("flash")) {
        QFile file(m->textMemoryPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains(QFileInfo(path).fileName().toUtf8()));
    }
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
