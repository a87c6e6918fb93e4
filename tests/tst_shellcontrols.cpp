// The main window's controls behave the same whichever way they are used: exercise windows
// change only through the kind buttons, held keys act once, labels tell accessibility what they
// show, and checkable buttons run their handlers however they change.
#include "ProgramFixture.h"

#include "fieldofview/Unitfrstring.h"
#include "platform/PacedTimer.h"
#include "readingview/ReadingView.h"
#include "shell/Unitfrmain.h"
#include "table/Unitfrtable.h"
#include "text/Unitfrtext.h"
#include "widgets/TCSpinEdit.h"
#include "widgets/TStatusBar.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
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
    m->SpeedButton2->click();
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
    m->SpeedButton3->click();
    QVERIFY(!m->isRunning());
    QVERIFY(!text->Timer1->isActive());
    QVERIFY(m->SpeedButton2->isEnabled());
    // The kind buttons still change it.
    m->SpeedButton5->click();
    QCOMPARE(m->ActiveMDIChild(), windows().TableForm);
}

void TestShellControls::titleBarCannotRestoreTheChild() {
    TMainForm* m = startQuiet();
    m->SpeedButton14->click();
    for (QToolButton* kind : {m->SpeedButton5, m->SpeedButton6, m->SpeedButton4}) {
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
    m->SpeedButton3->click();
}

void TestShellControls::changingLabelsTellTheirText() {
    TMainForm* m = startQuiet();
    TTextForm* text = windows().TextForm;
    text->setLoadedText(UserText, 0, 0);
    m->TrackBar1->setValue(250);
    QCOMPARE(m->Label1->text(), QStringLiteral("2500 симв/мин"));
    QCOMPARE(accessibleName(m->Label1), m->Label1->text());
    for (int i = 0; i < 4; ++i) {
        auto* panel = m->StatusBar1->findChild<QLabel*>(QStringLiteral("Panel%1").arg(i));
        QVERIFY(panel);
        QCOMPARE(accessibleName(panel), m->statusPanel(i));
    }
    QCOMPARE(accessibleName(m->StatusBar1->findChild<QLabel*>(QStringLiteral("Panel2"))),
             QStringLiteral("С: 2500 симв/мин"));
    QCOMPARE(accessibleName(text->Label1), text->Label1->text());
    QTest::keyClick(m->CSpinEdit1, Qt::Key_Up);
    QAccessibleInterface* spin = QAccessible::queryAccessibleInterface(m->CSpinEdit1);
    QCOMPARE(spin->text(QAccessible::Value), QStringLiteral("11"));
    QCOMPARE(spin->valueInterface()->currentValue().toInt(), 11);
}

void TestShellControls::widthSpinIgnoresWheelAndPageKeys() {
    TMainForm* m = startQuiet();
    TCSpinEdit* spin = m->CSpinEdit1;
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
    QVERIFY(text->MarginLeft->width() >= 4);
    QCOMPARE(text->MarginRight->width(), text->MarginLeft->width());
    QCOMPARE(text->MarginRight->geometry().right(), text->WindowFormat->width() - 1);
    // The widest column ends left of the scroll bar, and the ruler's centre is the centre of
    // the text window's visible client area.
    const QWidget* body = text->widget();
    const QRect ruler(text->WindowFormat->mapTo(body, QPoint(0, 0)), text->WindowFormat->size());
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
    QCOMPARE(m->ComboBox2->currentIndex(), -1);
    const QString used = QFontInfo(QFont(missing)).family();
    const QString shown = missing + QStringLiteral(" (") + used + ')';
    QCOMPARE(m->ComboBox2->placeholderText(), shown);
    QCOMPARE(QAccessible::queryAccessibleInterface(m->ComboBox2)->text(QAccessible::Description),
             shown);
    Fixture->close();
    QCOMPARE(Fixture->storedValue(QStringLiteral("FontName")).toString(), missing);

    // A face that is installed is simply selected.
    const QString installed = QFontDatabase::families().value(0);
    m = startQuiet({{QStringLiteral("FontName"), installed}});
    QCOMPARE(m->ComboBox2->currentText(), installed);
    QVERIFY(m->ComboBox2->accessibleDescription().isEmpty());
}

void TestShellControls::testButtonByAccessibility() {
    TMainForm* m = startQuiet();
    TTextForm* text = windows().TextForm;
    text->setLoadedText(UserText, 7, 0);
    QAccessibleActionInterface* test =
        QAccessible::queryAccessibleInterface(m->SpeedButton14)->actionInterface();
    QVERIFY(test->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    test->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(m->SpeedButton14->isChecked());
    QVERIFY(m->TestToggled);
    QVERIFY(m->SpeedButton6->isEnabled()); // the test mode's own state was applied
    QCOMPARE(text->windowTitle(), QStringLiteral("Тест на скорость чтения текста"));
    QVERIFY(text->ExerciseText.isEmpty());
    QVERIFY(!text->TestRecord.Text.isEmpty()); // a test text is ready to play
    test->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(!m->SpeedButton14->isChecked());
    QVERIFY(!m->SpeedButton6->isEnabled());
    QCOMPARE(text->ExerciseText, UserText);
    QCOMPARE(text->RichEdit1->caretPosition(), 7);

    // A click runs the handler once: on and off again gives the user's text back.
    QTest::mouseClick(m->SpeedButton14, Qt::LeftButton);
    QTest::mouseClick(m->SpeedButton14, Qt::LeftButton);
    QCOMPARE(text->ExerciseText, UserText);
}

void TestShellControls::checkableButtonsByCode() {
    TMainForm* m = startQuiet();
    m->SpeedButton5->setChecked(true);
    QVERIFY(m->state().ChosenKind() == ExerciseKind::Table);
    QCOMPARE(m->ActiveMDIChild(), windows().TableForm);
    QVERIFY(m->SpeedButton15->isEnabled());
    QAccessible::queryAccessibleInterface(m->SpeedButton4)
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(m->state().ChosenKind() == ExerciseKind::Text);
    QCOMPARE(m->ActiveMDIChild(), windows().TextForm);
    m->SpeedButton12->setChecked(true);
    QCOMPARE(m->state().TextAlignment(), 2);
    QAccessible::queryAccessibleInterface(m->SpeedButton13)
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
    QSpinBox* entry = m->Panel7->findChild<QSpinBox*>(QStringLiteral("SpeedEntry"));
    QVERIFY(entry && entry->isHidden());

    QTest::mouseDClick(m->Label1, Qt::LeftButton);
    QVERIFY(entry->isVisible());
    QCOMPARE(entry->value(), 1000);
    QCOMPARE(QApplication::focusWidget(), entry);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("905"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(entry->isHidden());
    QVERIFY(!m->isRunning());
    QCOMPARE(m->TrackBar1->value(), 91);
    QCOMPARE(m->Label1->text(), QStringLiteral("910 симв/мин"));
    QCOMPARE(m->statusPanel(2), QStringLiteral("С: 910 симв/мин"));
    QCOMPARE(m->state().CharInterval(), 6000 / 91);

    // From the keyboard alone: F2, a speed beyond the scale, then Escape leaves it alone.
    QWidget* text = windows().TextForm->RichEdit1;
    QTest::keyClick(text, Qt::Key_F2);
    QVERIFY(entry->isVisible());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("3000"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(entry->isHidden());
    QCOMPARE(m->TrackBar1->value(), 91);
    QTest::keyClick(text, Qt::Key_F2);
    QTest::keyClicks(QApplication::focusWidget(),
                     QStringLiteral("99999")); // the entry takes no more than 9999
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    QCOMPARE(m->statusPanel(2), QStringLiteral("С: 10000 симв/мин"));

    QTest::keyClick(text, Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(m->statusPanel(2), QStringLiteral("С: 9000 симв/мин"));
    m->TrackBar1->setValue(50);
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
    m->SpeedButton2->click();
    QVERIFY(m->isRunning());
    // Another program has the focus: the frame and its exercise windows are told so.
    QApplication::setActiveWindow(nullptr);
    QTRY_VERIFY(!m->isActiveWindow());
    for (QWidget* w : QList<QWidget*>{windows().TextForm, m->mdiArea()}) {
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(w, &deactivate);
    }
    QTest::mouseClick(m->SpeedButton3, Qt::LeftButton);
    QVERIFY(!m->isRunning());
    QVERIFY(!windows().TextForm->Timer1->isActive());
}

QTEST_MAIN(TestShellControls)
#include "tst_shellcontrols.moc"
