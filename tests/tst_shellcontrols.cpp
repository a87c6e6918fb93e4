// The main window's controls behave the same whichever way they are used: exercise windows
// change only through the kind buttons, held keys act once, labels tell accessibility what they
// show, and checkable buttons run their handlers however they change.
#include "Controls.h"
#include "ProgramFixture.h"

#include "fieldofview/Unitfrstring.h"
#include "flash/FlashForm.h"
#include "platform/PacedTimer.h"
#include "readingview/ReadingView.h"
#include "schulte/SchulteForm.h"
#include "shell/Unitfrmain.h"
#include "table/Unitfrtable.h"
#include "text/Unitfrtext.h"
#include "widgets/TCSpinEdit.h"
#include "widgets/TStatusBar.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMessageBox>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTest>
#include <QToolButton>

namespace {

const QString UserText = QStringLiteral("Один два три четыре пять шесть семь восемь девять десять");

void sendKey(QWidget* target, QEvent::Type type, int key, quint64 timestamp,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent event(type, key, modifiers);
    event.setTimestamp(timestamp);
    QApplication::sendEvent(target, &event);
}

// A key from the keyboard: it goes where the focus is, or to the active window.
void typeKey(QEvent::Type type, int key, quint64 timestamp) {
    QWidget* target = QApplication::focusWidget();
    sendKey(target ? target : QApplication::activeWindow(), type, key, timestamp);
}

QString accessibleName(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

} // namespace

class TestShellControls : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void ctrlTabKeepsTheChosenExercise();
    void titleBarCannotRestoreTheChild();
    void heldEnterActsOnce();
    void changingLabelsTellTheirText();
    void widthSpinIgnoresWheelAndPageKeys();
    void gripsAndRulerSitOnWhatIsVisible();
    void missingFaceIsNamedInTheFontBox();
    void testButtonByAccessibility();
    void checkableButtonsByCode();
    void speedTypedOrPagedByKeyboard();
    void stopWorksWhileAnotherWindowIsActive();
    void typedSpeedOutsideTheScaleIsRefused_data();
    void typedSpeedOutsideTheScaleIsRefused();
    void everyKindStartsAfterAFontSizeChange_data();
    void everyKindStartsAfterAFontSizeChange();

private:
    std::unique_ptr<ProgramFixture> Fixture;
    TMainForm* startQuiet(const QVariantMap& changes = {});
    const ProgramWindows& windows() { return Fixture->program().windows(); }
};

TMainForm* TestShellControls::startQuiet(const QVariantMap& changes) {
    Fixture = std::make_unique<ProgramFixture>();
    return Fixture->startQuiet(changes).windows().MainForm;
}

void TestShellControls::cleanup() {
    closeUnexpectedDialogs();
    Fixture.reset();
}

void TestShellControls::ctrlTabKeepsTheChosenExercise() {
    TMainForm* m = startQuiet();
    TTextForm* text = windows().TextForm;
    text->setLoadedText(UserText, 0, 0);
    control<QToolButton>(m, "SpeedButton2")->click();
    QVERIFY(m->isRunning());
    for (int key : {int(Qt::Key_Tab), int(Qt::Key_Backtab)}) {
        sendKey(text->RichEdit1, QEvent::KeyPress, key, 0, Qt::ControlModifier);
        sendKey(text->RichEdit1, QEvent::KeyRelease, Qt::Key_Control, 0);
        QCOMPARE(m->ActiveMDIChild(), text);
    }
    // However another child comes forward, the chosen one takes the front back.
    m->mdiArea()->setActiveSubWindow(windows().TableForm);
    QTRY_COMPARE(m->ActiveMDIChild(), text);
    QCOMPARE(m->mdiArea()->subWindowList(QMdiArea::StackingOrder).constLast(), text);
    QVERIFY(text->isMaximized());
    control<QToolButton>(m, "SpeedButton3")->click();
    QVERIFY(!m->isRunning());
    QVERIFY(!text->timer()->isActive());
    QVERIFY(control<QToolButton>(m, "SpeedButton2")->isEnabled());
    // The kind buttons still change it.
    control<QToolButton>(m, "SpeedButton5")->click();
    QCOMPARE(m->ActiveMDIChild(), windows().TableForm);
}

void TestShellControls::titleBarCannotRestoreTheChild() {
    TMainForm* m = startQuiet();
    control<QToolButton>(m, "SpeedButton14")->click();
    for (QToolButton* kind :
         {control<QToolButton>(m, "SpeedButton5"), control<QToolButton>(m, "SpeedButton6"),
          control<QToolButton>(m, "SpeedButton4")}) {
        kind->click();
        QMdiSubWindow* child = m->ActiveMDIChild();
        QVERIFY(child->isMaximized());
        QVERIFY(!(child->windowFlags() &
                  (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        // Nothing in the system menu moves, sizes, restores, minimises, pins or closes the
        // child, and its title bar has no close button: it could only refuse.
        const QList<QAction*> items =
            child->systemMenu() ? child->systemMenu()->actions() : QList<QAction*>();
        const auto usable = std::count_if(items.cbegin(), items.cend(), [](QAction* item) {
            return item->isVisible() && item->isEnabled() && !item->isSeparator();
        });
        QCOMPARE(usable, 0);
        QStyleOptionTitleBar bar;
        bar.initFrom(child);
        bar.titleBarFlags = child->windowFlags();
        bar.titleBarState = int(child->windowState());
        bar.subControls = QStyle::SC_All;
        QVERIFY(
            child->style()
                ->subControlRect(QStyle::CC_TitleBar, &bar, QStyle::SC_TitleBarCloseButton, child)
                .isEmpty());
    }
    TTextForm* text = windows().TextForm;
    QStyleOptionTitleBar option;
    option.initFrom(text);
    const int titleHeight = text->style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, text);
    const QPoint title(text->width() / 2, titleHeight / 2);
    // A double-click: the first click, then the second that the system reports as double.
    QTest::mouseMove(text, title);
    QTest::mouseClick(text, Qt::LeftButton, {}, title);
    QTest::mouseDClick(text, Qt::LeftButton, {}, title);
    QVERIFY(text->isMaximized());
    QCOMPARE(m->ActiveMDIChild(), text);
}

void TestShellControls::heldEnterActsOnce() {
    TMainForm* m = startQuiet();
    TTextForm* text = windows().TextForm;
    text->setLoadedText(UserText, 0, 0);
    QApplication::setActiveWindow(m);
    text->RichEdit1->setFocus();

    typeKey(QEvent::KeyPress, Qt::Key_Return, 1000);
    QVERIFY(m->isRunning());
    // Auto-repeat as release-and-press pairs with no repeat mark, then a press with no release.
    for (quint64 t : {1500, 1540, 1580}) {
        typeKey(QEvent::KeyRelease, Qt::Key_Return, t);
        typeKey(QEvent::KeyPress, Qt::Key_Return, t);
        QVERIFY(m->isRunning());
    }
    typeKey(QEvent::KeyPress, Qt::Key_Return, 1620);
    QVERIFY(m->isRunning());
    typeKey(QEvent::KeyRelease, Qt::Key_Return, 1700);
    typeKey(QEvent::KeyPress, Qt::Key_Return, 1900); // a new stroke
    QVERIFY(!m->isRunning());
    typeKey(QEvent::KeyRelease, Qt::Key_Return, 1980);

    typeKey(QEvent::KeyPress, Qt::Key_Return, 3000);
    QVERIFY(m->isRunning());
    typeKey(QEvent::KeyRelease, Qt::Key_Return, 3080);
    typeKey(QEvent::KeyPress, Qt::Key_Escape, 3200);
    QVERIFY(!m->isRunning());
    typeKey(QEvent::KeyRelease, Qt::Key_Escape, 3500);
    typeKey(QEvent::KeyPress, Qt::Key_Escape, 3500); // repeat: nothing to stop anyway
    typeKey(QEvent::KeyRelease, Qt::Key_Escape, 3600);
    typeKey(QEvent::KeyPress, Qt::Key_Return, 3700);
    QVERIFY(m->isRunning());
    control<QToolButton>(m, "SpeedButton3")->click();
}

void TestShellControls::changingLabelsTellTheirText() {
    TMainForm* m = startQuiet();
    TTextForm* text = windows().TextForm;
    text->setLoadedText(UserText, 0, 0);
    control<QSlider>(m, "TrackBar1")->setValue(250);
    QCOMPARE(control<QLabel>(m, "Panel7/Label1")->text(), QStringLiteral("2500 симв/мин"));
    QCOMPARE(accessibleName(control<QLabel>(m, "Panel7/Label1")),
             control<QLabel>(m, "Panel7/Label1")->text());
    for (int i = 0; i < 4; ++i) {
        auto* panel = control<TStatusBar>(m, "StatusBar1")
                          ->findChild<QLabel*>(QStringLiteral("Panel%1").arg(i));
        QVERIFY(panel);
        QCOMPARE(accessibleName(panel), m->statusPanel(i));
    }
    QCOMPARE(
        accessibleName(
            control<TStatusBar>(m, "StatusBar1")->findChild<QLabel*>(QStringLiteral("Panel2"))),
        QStringLiteral("С: 2500 симв/мин"));
    QCOMPARE(accessibleName(control<QLabel>(text, "Label1")),
             control<QLabel>(text, "Label1")->text());
    QTest::keyClick(control<TCSpinEdit>(m, "CSpinEdit1"), Qt::Key_Up);
    QAccessibleInterface* spin =
        QAccessible::queryAccessibleInterface(control<TCSpinEdit>(m, "CSpinEdit1"));
    QCOMPARE(spin->text(QAccessible::Value), QStringLiteral("11"));
    QCOMPARE(spin->valueInterface()->currentValue().toInt(), 11);
}

void TestShellControls::widthSpinIgnoresWheelAndPageKeys() {
    TMainForm* m = startQuiet();
    TCSpinEdit* spin = control<TCSpinEdit>(m, "CSpinEdit1");
    spin->setValue(20);
    spin->setFocus();
    const QPointF centre(spin->width() / 2.0, spin->height() / 2.0);
    for (int delta : {120, -120}) {
        QWheelEvent wheel(centre, spin->mapToGlobal(centre), {}, QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(spin, &wheel);
        QCOMPARE(spin->value(), 20);
    }
    for (int key : {int(Qt::Key_PageUp), int(Qt::Key_PageDown)}) {
        QTest::keyClick(spin, Qt::Key(key));
        QCOMPARE(spin->value(), 20);
    }
    QTest::keyClick(spin, Qt::Key_Down);
    QCOMPARE(spin->value(), 19);
    QCOMPARE(m->state().ReadingFieldWidth(), 19);
}

void TestShellControls::gripsAndRulerSitOnWhatIsVisible() {
    TMainForm* m = startQuiet({{QStringLiteral("WidthFormatStr"), 100000}});
    TTextForm* text = windows().TextForm;
    text->setLoadedText(UserText, 0, 0);
    QVERIFY(control<QFrame>(text, "MarginLeft")->width() >= 4);
    QCOMPARE(control<QFrame>(text, "MarginRight")->width(),
             control<QFrame>(text, "MarginLeft")->width());
    QCOMPARE(control<QFrame>(text, "MarginRight")->geometry().right(),
             control<QFrame>(text, "WindowFormat")->width() - 1);
    // The widest column ends left of the scroll bar, and the ruler's centre is the centre of
    // the text window's visible client area.
    const QWidget* body = text->widget();
    const QRect ruler(control<QFrame>(text, "WindowFormat")->mapTo(body, QPoint(0, 0)),
                      control<QFrame>(text, "WindowFormat")->size());
    QVERIFY(std::abs(ruler.center().x() * 2 - body->width()) <= 2);
    const QWidget* viewport = text->RichEdit1->viewport();
    const int scrollLeft = text->RichEdit1->verticalScrollBar()->mapTo(body, QPoint(0, 0)).x();
    const int columnRight = viewport->mapTo(body, QPoint(text->RichEdit1->columnRight(), 0)).x();
    QVERIFY2(columnRight <= scrollLeft, qPrintable(QString::number(columnRight - scrollLeft)));
    QCOMPARE(ruler.right() - m->state().EdgeWidth() + 1,
             viewport->mapTo(body, QPoint(text->RichEdit1->columnRight(), 0)).x());
}

void TestShellControls::missingFaceIsNamedInTheFontBox() {
    const QString missing = QStringLiteral("Нет Такого Шрифта");
    TMainForm* m = startQuiet({{QStringLiteral("FontName"), missing}});
    QCOMPARE(control<QComboBox>(m, "ComboBox2")->currentIndex(), -1);
    const QString used = QFontInfo(QFont(missing)).family();
    const QString shown = missing + QStringLiteral(" (") + used + ')';
    QCOMPARE(control<QComboBox>(m, "ComboBox2")->placeholderText(), shown);
    QCOMPARE(QAccessible::queryAccessibleInterface(control<QComboBox>(m, "ComboBox2"))
                 ->text(QAccessible::Description),
             shown);
    Fixture->close();
    QCOMPARE(Fixture->storedValue(QStringLiteral("FontName")).toString(), missing);

    // A face that is installed is simply selected.
    const QString installed = QFontDatabase::families().value(0);
    m = startQuiet({{QStringLiteral("FontName"), installed}});
    QCOMPARE(control<QComboBox>(m, "ComboBox2")->currentText(), installed);
    QVERIFY(control<QComboBox>(m, "ComboBox2")->accessibleDescription().isEmpty());
}

void TestShellControls::testButtonByAccessibility() {
    TMainForm* m = startQuiet();
    TTextForm* text = windows().TextForm;
    text->setLoadedText(UserText, 7, 0);
    QAccessibleActionInterface* test =
        QAccessible::queryAccessibleInterface(control<QToolButton>(m, "SpeedButton14"))
            ->actionInterface();
    QVERIFY(test->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    test->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(control<QToolButton>(m, "SpeedButton14")->isChecked());
    QVERIFY(m->testToggled());
    QVERIFY(control<QToolButton>(m, "SpeedButton6")
                ->isEnabled()); // the test mode's own state was applied
    QCOMPARE(text->windowTitle(), QStringLiteral("Тест на скорость чтения текста"));
    QVERIFY(text->exerciseText().isEmpty());
    QVERIFY(!text->testRecord().Text.isEmpty()); // a test text is ready to play
    test->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(!control<QToolButton>(m, "SpeedButton14")->isChecked());
    QVERIFY(!control<QToolButton>(m, "SpeedButton6")->isEnabled());
    QCOMPARE(text->exerciseText(), UserText);
    QCOMPARE(text->RichEdit1->caretPosition(), 7);

    // A click runs the handler once: on and off again gives the user's text back.
    QTest::mouseClick(control<QToolButton>(m, "SpeedButton14"), Qt::LeftButton);
    QTest::mouseClick(control<QToolButton>(m, "SpeedButton14"), Qt::LeftButton);
    QCOMPARE(text->exerciseText(), UserText);
}

void TestShellControls::checkableButtonsByCode() {
    TMainForm* m = startQuiet();
    control<QToolButton>(m, "SpeedButton5")->setChecked(true);
    QVERIFY(m->state().ChosenKind() == ExerciseKind::Table);
    QCOMPARE(m->ActiveMDIChild(), windows().TableForm);
    QVERIFY(control<QToolButton>(m, "SpeedButton15")->isEnabled());
    QAccessible::queryAccessibleInterface(control<QToolButton>(m, "SpeedButton4"))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(m->state().ChosenKind() == ExerciseKind::Text);
    QCOMPARE(m->ActiveMDIChild(), windows().TextForm);
    control<QToolButton>(m, "SpeedButton12")->setChecked(true);
    QCOMPARE(m->state().TextAlignment(), 2);
    QAccessible::queryAccessibleInterface(control<QToolButton>(m, "SpeedButton13"))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(m->state().TextAlignment(), 1);
    QCOMPARE(windows().TextForm->RichEdit1->alignment(), Qt::AlignRight);
}

// A speed typed in the entry over the caption, or paged by a thousand, lands on the bar as
// a drag of the bar would: caption, status bar and time per character follow. Enter and
// Escape in the entry belong to it, not to the run.
void TestShellControls::speedTypedOrPagedByKeyboard() {
    TMainForm* m = startQuiet();
    windows().TextForm->setLoadedText(UserText, 0, 0);
    m->activateWindow();
    QTRY_VERIFY(m->isActiveWindow());
    QSpinBox* entry =
        control<QWidget>(m, "Panel7")->findChild<QSpinBox*>(QStringLiteral("SpeedEntry"));
    QVERIFY(entry && entry->isHidden());

    QTest::mouseDClick(control<QLabel>(m, "Panel7/Label1"), Qt::LeftButton);
    QVERIFY(entry->isVisible());
    QCOMPARE(entry->value(), 1000);
    QCOMPARE(QApplication::focusWidget(), entry);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("905"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(entry->isHidden());
    QVERIFY(!m->isRunning());
    QCOMPARE(control<QSlider>(m, "TrackBar1")->value(), 91);
    QCOMPARE(control<QLabel>(m, "Panel7/Label1")->text(), QStringLiteral("910 симв/мин"));
    QCOMPARE(m->statusPanel(2), QStringLiteral("С: 910 симв/мин"));
    QCOMPARE(m->state().CharInterval(), 6000 / 91);

    // From the keyboard alone: F2, a speed beyond the scale, then Escape leaves it alone.
    QWidget* text = windows().TextForm->RichEdit1;
    QTest::keyClick(text, Qt::Key_F2);
    QVERIFY(entry->isVisible());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("3000"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(entry->isHidden());
    QCOMPARE(control<QSlider>(m, "TrackBar1")->value(), 91);
    QTest::keyClick(text, Qt::Key_F2);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("10000")); // the top of the scale
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    QCOMPARE(m->statusPanel(2), QStringLiteral("С: 10000 симв/мин"));

    QTest::keyClick(text, Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(m->statusPanel(2), QStringLiteral("С: 9000 симв/мин"));
    control<QSlider>(m, "TrackBar1")->setValue(50);
    QTest::keyClick(text, Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(m->statusPanel(2), QStringLiteral("С: 100 симв/мин (Min)"));
    QTest::keyClick(text, Qt::Key_PageUp, Qt::ControlModifier);
    QCOMPARE(m->statusPanel(2), QStringLiteral("С: 1100 симв/мин"));
}

// A drag from another program leaves that program active; the first click back on Stop must
// still find the exercise window in front, though the frame is not active yet.
void TestShellControls::stopWorksWhileAnotherWindowIsActive() {
    TMainForm* m = startQuiet();
    windows().TextForm->setLoadedText(UserText, 0, 0);
    control<QToolButton>(m, "SpeedButton2")->click();
    QVERIFY(m->isRunning());
    // Another program has the focus: the frame and its exercise windows are told so.
    QApplication::setActiveWindow(nullptr);
    QTRY_VERIFY(!m->isActiveWindow());
    for (QWidget* w : QList<QWidget*>{windows().TextForm, m->mdiArea()}) {
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(w, &deactivate);
    }
    QTest::mouseClick(control<QToolButton>(m, "SpeedButton3"), Qt::LeftButton);
    QVERIFY(!m->isRunning());
    QVERIFY(!windows().TextForm->timer()->isActive());
}

void TestShellControls::typedSpeedOutsideTheScaleIsRefused_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("byEnter"); // Enter, or a click elsewhere in the window
    QTest::newRow("20000") << "20000" << true;
    QTest::newRow("55") << "55" << true;
    QTest::newRow("0") << "0" << true;
    QTest::newRow("99 left by a click") << "99" << false;
    QTest::newRow("10001 left by a click") << "10001" << false;
}

// A speed off the scale is neither cut short nor dropped: the user is told the range and the
// entry stays open on what was typed, to be corrected or cancelled.
void TestShellControls::typedSpeedOutsideTheScaleIsRefused() {
    QFETCH(QString, typed);
    QFETCH(bool, byEnter);
    TMainForm* m = startQuiet();
    windows().TextForm->setLoadedText(UserText, 0, 0);
    m->activateWindow();
    QTRY_VERIFY(m->isActiveWindow());
    auto* entry = control<QWidget>(m, "Panel7")->findChild<QSpinBox*>(QStringLiteral("SpeedEntry"));
    QWidget* view = windows().TextForm->RichEdit1;
    QTest::keyClick(view, Qt::Key_F2);
    QVERIFY(entry->isVisible());
    QTest::keyClicks(entry, typed);
    QCOMPARE(entry->text(), typed);

    QString said;
    onNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        said = box->text();
        QCOMPARE(box->icon(), QMessageBox::Warning);
        box->button(QMessageBox::Ok)->click();
    });
    if (byEnter)
        QTest::keyClick(entry, Qt::Key_Return);
    else
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(20, 20));
    QTRY_VERIFY_WITH_TIMEOUT(!said.isEmpty(), 7000); // beyond the wait for the dialog
    QVERIFY2(said.contains(QStringLiteral("от 100 до 10000")), qPrintable(said));
    QVERIFY(!m->isRunning());
    QCOMPARE(control<QSlider>(m, "TrackBar1")->value(), 100);
    QVERIFY(entry->isVisible());
    QCOMPARE(entry->text(), typed);
    QTRY_COMPARE(QApplication::focusWidget(), entry);

    // Corrected, it is taken.
    entry->selectAll();
    QTest::keyClicks(entry, QStringLiteral("2000"));
    QTest::keyClick(entry, Qt::Key_Return);
    QVERIFY(entry->isHidden());
    QCOMPARE(control<QSlider>(m, "TrackBar1")->value(), 200);
}

void TestShellControls::everyKindStartsAfterAFontSizeChange_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("way");
    for (const char* kind : {"text", "table", "Schulte", "flash"}) {
        for (const char* way : {"keys", "list", "opened and closed"})
            QTest::addRow("%s, %s", kind, way)
                << QString::fromLatin1(kind) << QString::fromLatin1(way);
    }
}

// The size list keeps the keyboard focus after a change, made with the list closed or open, or
// after only opening it; the run's first "Пуск" takes the focus from the list, and must still
// start the chosen kind, and Escape end it.
void TestShellControls::everyKindStartsAfterAFontSizeChange() {
    QFETCH(QString, kind);
    QFETCH(QString, way);
    TMainForm* m = startQuiet();
    const ProgramWindows& w = windows();
    w.TextForm->setLoadedText(UserText, 0, 0);
    m->activateWindow();
    QTRY_VERIFY(m->isActiveWindow());
    ExerciseWindow* chosen = w.TextForm;
    if (kind == QLatin1String("table")) {
        control<QToolButton>(m, "SpeedButton5")->click();
        chosen = w.TableForm;
    } else if (kind == QLatin1String("Schulte")) {
        m->kindEntry(ExerciseKind::Schulte)->trigger();
        chosen = w.SchulteForm;
    } else if (kind == QLatin1String("flash")) {
        m->kindEntry(ExerciseKind::Flash)->trigger();
        chosen = w.FlashForm;
    }
    QTRY_COMPARE(m->ActiveMDIChild(), chosen);

    QComboBox* sizes = control<QComboBox>(m, "ComboBox1");
    const int before = sizes->currentIndex();
    if (way == QLatin1String("keys")) {
        sizes->setFocus();
        QTest::keyClick(sizes, Qt::Key_Down);
        QCOMPARE(sizes->currentIndex(), before + 1);
    } else {
        QTest::mouseClick(sizes, Qt::LeftButton);
        QAbstractItemView* list = sizes->view();
        QTRY_VERIFY(list->isVisible());
        if (way == QLatin1String("list")) {
            QTest::keyClick(list, Qt::Key_Down);
            QTest::keyClick(list, Qt::Key_Return);
            QTRY_COMPARE(sizes->currentIndex(), before + 1);
        } else {
            QTest::keyClick(list, Qt::Key_Escape);
            QCOMPARE(sizes->currentIndex(), before);
        }
        QTRY_VERIFY(!list->isVisible());
    }
    QCOMPARE(QApplication::focusWidget(), sizes);

    QTest::mouseClick(control<QToolButton>(m, "SpeedButton2"), Qt::LeftButton);
    QVERIFY(m->isRunning());
    QCOMPARE(m->ActiveMDIChild(), chosen);
    if (chosen == w.TableForm)
        QVERIFY(w.TableForm->timer()->isActive());
    else if (chosen == w.SchulteForm)
        QVERIFY(w.SchulteForm->isRunning());
    else if (chosen == w.FlashForm)
        QVERIFY(w.FlashForm->isRunning());
    else
        QVERIFY(w.TextForm->timer()->isActive());
    // Nothing else runs behind it.
    for (ExerciseWindow* other : std::initializer_list<ExerciseWindow*>{
             w.TextForm, w.TableForm, w.StringForm, w.SchulteForm, w.FlashForm}) {
        if (other != chosen)
            QVERIFY2(!other->timer()->isActive(), qPrintable(other->objectName()));
    }
    QCoreApplication::processEvents();
    QCOMPARE(m->ActiveMDIChild(), chosen);

    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : m, Qt::Key_Escape);
    QVERIFY(!m->isRunning());
    for (ExerciseWindow* any : std::initializer_list<ExerciseWindow*>{
             w.TextForm, w.TableForm, w.StringForm, w.SchulteForm, w.FlashForm})
        QVERIFY2(!any->timer()->isActive(), qPrintable(any->objectName()));
    QVERIFY(control<QToolButton>(m, "SpeedButton2")->isEnabled());
}

QTEST_MAIN(TestShellControls)
#include "tst_shellcontrols.moc"
