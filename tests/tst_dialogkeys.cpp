// The keys a desktop user reaches for: Ctrl+O and Ctrl+Q on the main window, F1 in every
// dialog, and Enter in a tip shown again.
#include "Controls.h"
#include "ProgramFixture.h"

#include "dialogs/Unitadvice.h"
#include "platform/HelpBrowser.h"
#include "platform/HelpContext.h"
#include "platform/HelpViewer.h"
#include "readingview/ReadingView.h"
#include "shell/ProgramWindows.h"
#include "shell/Unitfrmain.h"
#include "text/Unitfrtext.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <memory>

class TestDialogKeys : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void ctrlOOpensAndCtrlQQuits();
    void f1OpensTheDialogsOwnTopic_data();
    void f1OpensTheDialogsOwnTopic();
    void tipShownAgainAnswersEnterWithOk();

private:
    QString pageShown() const;

    std::unique_ptr<ProgramFixture> Fixture;
    TMainForm* Main = nullptr;
};

void TestDialogKeys::init() {
    Fixture = std::make_unique<ProgramFixture>();
    QVERIFY(Fixture->copyHelpPages());
    Main = Fixture->startQuiet().windows().MainForm;
}

void TestDialogKeys::cleanup() {
    closeUnexpectedDialogs();
    Fixture.reset();
}

QString TestDialogKeys::pageShown() const {
    return Main->helpViewer()->findChild<HelpBrowser*>()->source().fileName();
}

void TestDialogKeys::ctrlOOpensAndCtrlQQuits() {
    QWidget* text = Fixture->program().windows().TextForm->RichEdit1;
    QString opened;
    onNextModal([&opened](QWidget* modal) {
        opened = modal->objectName();
        modal->close();
    });
    QTest::keyClick(text, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(opened, QStringLiteral("OpenDialog"));

    QVERIFY(Main->isVisible());
    QTest::keyClick(text, Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!Main->isVisible());
}

void TestDialogKeys::f1OpensTheDialogsOwnTopic_data() {
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<int>("context"); // 0: the contents
    QTest::newRow("text questions") << "AnsTextForm" << HelpContext::TextQuestions;
    QTest::newRow("test on the user's own text") << "ClozeForm" << HelpContext::ClozeTest;
    QTest::newRow("table questions") << "AnsTableForm" << HelpContext::TableQuestions;
    QTest::newRow("field-of-view answer") << "AnsStringForm" << HelpContext::FieldOfViewAnswer;
    QTest::newRow("a result, which has no topic") << "TableResultForm" << 0;
}

void TestDialogKeys::f1OpensTheDialogsOwnTopic() {
    QFETCH(QString, dialog);
    QFETCH(int, context);
    auto* shown = Main->findChild<QDialog*>(dialog);
    QVERIFY(shown);
    QString page;
    bool stayedOpen = false;
    onNextModal([&](QWidget* modal) {
        QTRY_VERIFY(modal->isActiveWindow());
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : modal, Qt::Key_F1);
        page = Main->helpViewer()->isVisible() ? pageShown() : QString();
        stayedOpen = modal->isVisible();
        Main->helpViewer()->close();
        modal->close();
    });
    shown->exec();
    const QString expected =
        context ? Main->helpViewer()->pageForContext(context) : HelpViewer::contentsPage();
    QVERIFY(!expected.isEmpty());
    QCOMPARE(page, expected);
    QVERIFY(stayedOpen);
}

// After Help was used, the next tip opens with OK as its focused default button: Enter
// closes it and opens no help.
void TestDialogKeys::tipShownAgainAnswersEnterWithOk() {
    TAdviceForm* advice = Fixture->program().windows().AdviceForm;
    Main->state().setLastExercise(0);
    onNextModal([&](QWidget*) {
        QTest::mouseClick(control<QPushButton>(advice, "BitBtn2"), Qt::LeftButton);
        Main->helpViewer()->close();
        control<QPushButton>(advice, "BitBtn1")->click();
    });
    advice->ShowAdvice(QStringLiteral("Первый совет"));
    QVERIFY(!Main->helpViewer()->isVisible());

    bool okReady = false;
    onNextModal([&](QWidget* modal) {
        okReady = modal->focusWidget() == control<QPushButton>(advice, "BitBtn1") &&
                  control<QPushButton>(advice, "BitBtn1")->isDefault();
        QTest::keyClick(modal->focusWidget() ? modal->focusWidget() : modal, Qt::Key_Return);
        if (modal->isVisible())
            control<QPushButton>(advice, "BitBtn1")->click();
    });
    advice->ShowAdvice(QStringLiteral("Второй совет"));
    QVERIFY(okReady);
    QVERIFY(!Main->helpViewer()->isVisible());
}

QTEST_MAIN(TestDialogKeys)
#include "tst_dialogkeys.moc"
