// The drop-down "Ещё" and the windows it opens, as a keyboard and screen reader user meets
// them: its entries on the accessibility tree, its arrow clear of the caption, F1 in each
// window opening that window's own help page.
#include "Controls.h"
#include "ProgramFixture.h"

#include "diary/TDiaryForm.h"
#include "flash/FlashDisplay.h"
#include "flash/FlashForm.h"
#include "platform/HelpBrowser.h"
#include "platform/HelpContext.h"
#include "platform/HelpViewer.h"
#include "readingview/ReadingView.h"
#include "schulte/SchulteForm.h"
#include "schulte/SchulteGrid.h"
#include "shell/ProgramWindows.h"
#include "shell/Unitfrmain.h"
#include "text/Unitfrtext.h"
#include "widgets/MoreButton.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QTest>

#include <memory>

namespace {

// The bounding box of the pixels in which two pictures of the same size differ.
QRect differenceBetween(const QImage& a, const QImage& b) {
    QRect box;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

} // namespace

class TestMoreKinds : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void entriesAreMenuItemsToScreenReaders();
    void arrowLeavesTheCaptionClear();
    void f1OpensTheWindowsOwnPage_data();
    void f1OpensTheWindowsOwnPage();

private:
    std::unique_ptr<ProgramFixture> Fixture;
    TMainForm* Main = nullptr;
};

void TestMoreKinds::init() {
    Fixture = std::make_unique<ProgramFixture>();
    QVERIFY(Fixture->copyHelpPages());
    Main = Fixture->startQuiet().windows().MainForm;
}

void TestMoreKinds::cleanup() {
    closeUnexpectedDialogs();
    Fixture.reset();
}

// The entries are found under the button, with the menu closed, as menu items named by their
// captions; pressing one chooses its kind.
void TestMoreKinds::entriesAreMenuItemsToScreenReaders() {
    QAccessibleInterface* button =
        QAccessible::queryAccessibleInterface(control<MoreButton>(Main, "MoreKinds"));
    QVERIFY(button);
    QCOMPARE(button->role(), QAccessible::ButtonMenu);
    QCOMPARE(button->text(QAccessible::Name), QStringLiteral("Ещё"));
    QCOMPARE(button->childCount(), 1);
    QAccessibleInterface* menu = button->child(0);
    QVERIFY(menu);
    QCOMPARE(menu->role(), QAccessible::PopupMenu);
    QCOMPARE(button->indexOfChild(menu), 0);
    QStringList names;
    for (int i = 0; i < menu->childCount(); ++i) {
        QCOMPARE(menu->child(i)->role(), QAccessible::MenuItem);
        names << menu->child(i)->text(QAccessible::Name);
    }
    QCOMPARE(names, QStringList({QStringLiteral("Шульте"), QStringLiteral("Вспышки"),
                                 QStringLiteral("Дневник")}));

    menu->child(1)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(Main->state().ChosenKind(), ExerciseKind::Flash);
    QCOMPARE(button->text(QAccessible::Name), QStringLiteral("Вспышки"));
    QVERIFY(button->state().checked);
}

// With the longest caption on the button, the arrow that marks the drop-down covers none of it.
void TestMoreKinds::arrowLeavesTheCaptionClear() {
    MoreButton* button = control<MoreButton>(Main, "MoreKinds");
    Main->kindEntry(ExerciseKind::Flash)->trigger();
    QCOMPARE(button->text(), QStringLiteral("Вспышки"));
    const QImage whole = button->grab().toImage();

    button->setText(QString());
    const QImage noCaption = button->grab().toImage();
    button->setText(QStringLiteral("Вспышки"));
    QMenu* menu = button->menu();
    button->setMenu(nullptr);
    const QImage noArrow = button->grab().toImage();
    button->setMenu(menu);

    const QRect caption = differenceBetween(whole, noCaption);
    const QRect arrow = differenceBetween(whole, noArrow);
    QVERIFY(!caption.isEmpty());
    QVERIFY(!arrow.isEmpty());
    QVERIFY2(!arrow.intersects(caption), qPrintable(QStringLiteral("arrow %1,%2 %3x%4, caption "
                                                                   "%5,%6 %7x%8")
                                                        .arg(arrow.x())
                                                        .arg(arrow.y())
                                                        .arg(arrow.width())
                                                        .arg(arrow.height())
                                                        .arg(caption.x())
                                                        .arg(caption.y())
                                                        .arg(caption.width())
                                                        .arg(caption.height())));
    QVERIFY(QRect(QPoint(0, 0), whole.size()).contains(arrow));
}

void TestMoreKinds::f1OpensTheWindowsOwnPage_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("context"); // 0: the contents
    QTest::newRow("Schulte tables") << "schulte" << HelpContext::SchulteWindow;
    QTest::newRow("flash reading") << "flash" << HelpContext::FlashWindow;
    QTest::newRow("diary") << "diary" << HelpContext::Diary;
    QTest::newRow("the text window opens the contents") << "text" << 0;
}

void TestMoreKinds::f1OpensTheWindowsOwnPage() {
    QFETCH(QString, window);
    QFETCH(int, context);
    const ProgramWindows& windows = Fixture->program().windows();
    Main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Main));
    QWidget* focus = nullptr;
    if (window == u"schulte") {
        Main->kindEntry(ExerciseKind::Schulte)->trigger();
        focus = windows.SchulteForm->findChild<SchulteGrid*>();
    } else if (window == u"flash") {
        Main->kindEntry(ExerciseKind::Flash)->trigger();
        focus = windows.FlashForm->findChild<FlashDisplay*>();
    } else if (window == u"text") {
        focus = windows.TextForm->RichEdit1;
    } else {
        Main->diaryEntry()->trigger();
        QVERIFY(QTest::qWaitForWindowActive(windows.DiaryForm));
        focus = control<QComboBox>(windows.DiaryForm, "ComboRange");
    }
    focus->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), focus);
    QTest::keyClick(focus, Qt::Key_F1);

    HelpViewer* help = Main->helpViewer();
    QVERIFY(help->isVisible());
    const QString expected = context ? help->pageForContext(context) : HelpViewer::contentsPage();
    QVERIFY(!expected.isEmpty());
    QCOMPARE(help->findChild<HelpBrowser*>()->source().fileName(), expected);
}

QTEST_MAIN(TestMoreKinds)
#include "tst_morekinds.moc"
