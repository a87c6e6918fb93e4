// Tips per exercise kind: which tip comes when the user turns from one kind to another, the
// switches in the advice menu and in the dialog, and the places kept across a restart.

#include "AdviceAnswers.h"
#include "Controls.h"
#include "ProgramFixture.h"

#include "dialogs/AdviceTips.h"
#include "dialogs/Unitadvice.h"
#include "platform/HelpBrowser.h"
#include "platform/HelpViewer.h"
#include "shell/ProgramWindows.h"
#include "shell/Unitfrmain.h"
#include "table/Unitfrtable.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

const QVariantMap AllTipsOn{{"TextAdvice", 1}, {"StringAdvice", 1}, {"TableAdvice", 1}};

} // namespace

class TestAdvice : public QObject {
    Q_OBJECT
private slots:
    void cleanup();

    void firstTextTipComesOnceAfterStart();
    void kindsInTurnShowTheNextTipOfEach();
    void clearingTheBoxSwitchesOffEveryKind();
    void uncheckingOneKindStopsOnlyThatKind();
    void placesSurviveARestart();
    void helpOpensTheTopicOfTheKind_data();
    void helpOpensTheTopicOfTheKind();
    void menuOpensUnderTheButtonsRightEdge();
    void everyTipReadsWhole_data();
    void everyTipReadsWhole();

private:
    TMainForm* start(const QVariantMap& changes);
    TMainForm* restart();

    std::unique_ptr<AdviceAnswers> Answers;
    std::unique_ptr<ProgramFixture> Fixture;
};

TMainForm* TestAdvice::start(const QVariantMap& changes) {
    Answers = std::make_unique<AdviceAnswers>();
    Fixture = std::make_unique<ProgramFixture>();
    QVariantMap settings = AllTipsOn;
    for (auto it = changes.cbegin(); it != changes.cend(); ++it)
        settings[it.key()] = it.value();
    TMainForm* main = Fixture->startQuiet(settings).windows().MainForm;
    QCoreApplication::processEvents();
    return main;
}

TMainForm* TestAdvice::restart() {
    Fixture->close();
    Answers->Tips.clear();
    TMainForm* main = Fixture->start().windows().MainForm;
    QCoreApplication::processEvents();
    return main;
}

void TestAdvice::cleanup() {
    closeUnexpectedDialogs();
    Fixture.reset();
    Answers.reset();
}

void TestAdvice::firstTextTipComesOnceAfterStart() {
    TMainForm* m = start({{"CurrentTextAdvice", 1}});
    QCOMPARE(Answers->Tips, QStringList{TextAdviceTexts().at(1)});
    QCOMPARE(m->nextTip(ExerciseKind::Text), 2);

    // Laying the text window out again, or activating it again, shows no more.
    m->resize(m->width() + 40, m->height());
    control<QToolButton>(m, "SpeedButton4")->click();
    QCoreApplication::processEvents();
    QCOMPARE(Answers->Tips.size(), 1);
}

void TestAdvice::kindsInTurnShowTheNextTipOfEach() {
    TMainForm* m = start({});
    const QStringList& text = TextAdviceTexts();
    const QStringList& table = TableAdviceTexts();
    const QStringList& line = StringAdviceTexts();
    for (QToolButton* kind :
         {control<QToolButton>(m, "SpeedButton5"), control<QToolButton>(m, "SpeedButton4"),
          control<QToolButton>(m, "SpeedButton5"), control<QToolButton>(m, "SpeedButton4"),
          control<QToolButton>(m, "SpeedButton5")})
        kind->click();
    QCOMPARE(Answers->Tips, (QStringList{text[0], table[0], text[1], table[1], text[2], table[0]}));
    QCOMPARE(Answers->TickedWhenShown, QList<bool>(6, true));
    // Active again with no other kind in between, as when a dialog closes over it: no tip.
    Fixture->program().windows().TableForm->activate();
    control<QToolButton>(m, "SpeedButton5")->click();
    QCOMPARE(Answers->Tips.size(), 6);

    control<QToolButton>(m, "SpeedButton14")->click(); // the field of view is chosen in test mode
    control<QToolButton>(m, "SpeedButton6")->click();
    QCOMPARE(Answers->Tips.last(), line[0]);
    QCOMPARE(m->nextTip(ExerciseKind::Text), 0);
    QCOMPARE(m->nextTip(ExerciseKind::Table), 1);
    QCOMPARE(m->nextTip(ExerciseKind::FieldOfView), 1);
}

void TestAdvice::clearingTheBoxSwitchesOffEveryKind() {
    TMainForm* m = start({{"TextAdvice", 0}});
    Answers->WhileOpen = [](TAdviceForm* dialog) {
        control<QCheckBox>(dialog, "CheckBox1")->click();
    };
    control<QToolButton>(m, "SpeedButton5")->click();
    QCOMPARE(Answers->Tips, QStringList{TableAdviceTexts()[0]});
    for (const QAction* item :
         {control<QAction>(m, "PopupMenu1/N1"), control<QAction>(m, "PopupMenu1/N2"),
          control<QAction>(m, "PopupMenu1/N3")})
        QVERIFY(!item->isChecked());
    QCOMPARE(control<QToolButton>(m, "SpeedButton19")->property("adviceImage").toInt(), 1);

    Answers->WhileOpen = nullptr;
    control<QToolButton>(m, "SpeedButton4")->click();
    control<QToolButton>(m, "SpeedButton5")->click();
    QCOMPARE(Answers->Tips.size(), 1);

    // Switched on again from the menu, the table goes on with its next tip, the box ticked.
    control<QAction>(m, "PopupMenu1/N3")->trigger();
    QCOMPARE(control<QToolButton>(m, "SpeedButton19")->property("adviceImage").toInt(), 0);
    control<QToolButton>(m, "SpeedButton4")->click();
    control<QToolButton>(m, "SpeedButton5")->click();
    QCOMPARE(Answers->Tips, (QStringList{TableAdviceTexts()[0], TableAdviceTexts()[1]}));
    QCOMPARE(Answers->TickedWhenShown, (QList<bool>{true, true}));
}

void TestAdvice::uncheckingOneKindStopsOnlyThatKind() {
    TMainForm* m = start({});
    control<QAction>(m, "PopupMenu1/N3")->trigger();
    QVERIFY(!control<QAction>(m, "PopupMenu1/N3")->isChecked());
    control<QToolButton>(m, "SpeedButton5")->click();
    control<QToolButton>(m, "SpeedButton4")->click();
    control<QToolButton>(m, "SpeedButton5")->click();
    QCOMPARE(Answers->Tips, (QStringList{TextAdviceTexts()[0], TextAdviceTexts()[1]}));
    QCOMPARE(m->nextTip(ExerciseKind::Table), 0);
    QVERIFY(control<QAction>(m, "PopupMenu1/N1")->isChecked() &&
            control<QAction>(m, "PopupMenu1/N2")->isChecked());
}

void TestAdvice::placesSurviveARestart() {
    TMainForm* m = start({{"CurrentStringAdvice", 3}, {"CurrentTableAdvice", 7}});
    control<QToolButton>(m, "SpeedButton5")->click(); // 7 is out of range: the first table tip
    control<QToolButton>(m, "SpeedButton14")->click();
    control<QToolButton>(m, "SpeedButton6")->click();
    QCOMPARE(Answers->Tips,
             (QStringList{TextAdviceTexts()[0], TableAdviceTexts()[0], StringAdviceTexts()[3]}));

    m = restart();
    QCOMPARE(Fixture->storedValue(QStringLiteral("CurrentTextAdvice")).toInt(), 1);
    QCOMPARE(Fixture->storedValue(QStringLiteral("CurrentStringAdvice")).toInt(), 0);
    QCOMPARE(Fixture->storedValue(QStringLiteral("CurrentTableAdvice")).toInt(), 1);
    control<QToolButton>(m, "SpeedButton5")->click();
    control<QToolButton>(m, "SpeedButton14")->click();
    control<QToolButton>(m, "SpeedButton6")->click();
    QCOMPARE(Answers->Tips,
             (QStringList{TextAdviceTexts()[1], TableAdviceTexts()[1], StringAdviceTexts()[0]}));
}

void TestAdvice::helpOpensTheTopicOfTheKind_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("testMode");
    QTest::addColumn<QString>("page");
    QTest::addRow("text") << "SpeedButton4" << false << "text_window.html";
    QTest::addRow("field of view") << "SpeedButton6" << true << "field_of_view.html";
    QTest::addRow("table") << "SpeedButton5" << false << "table_window.html";
}

void TestAdvice::helpOpensTheTopicOfTheKind() {
    QFETCH(QString, kind);
    QFETCH(bool, testMode);
    QFETCH(QString, page);
    TMainForm* m = start({});
    QVERIFY(Fixture->copyHelpPages());
    if (kind == QLatin1String("SpeedButton4"))
        control<QToolButton>(m, "SpeedButton5")
            ->click(); // away from the text, so that turning back shows a text tip
    if (testMode)
        control<QToolButton>(m, "SpeedButton14")->click();
    QString shown, afterClick;
    bool stayedOpen = false;
    Answers->WhileOpen = [&](TAdviceForm* dialog) {
        control<QPushButton>(dialog, "BitBtn2")->click();
        stayedOpen = dialog->isVisible();
        HelpViewer* help = m->helpViewer();
        shown = help->findChild<HelpBrowser*>()->source().fileName();
        // The help window takes clicks while the tip is open.
        QToolButton* contents = nullptr;
        for (auto* button : help->findChildren<QToolButton*>())
            if (button->accessibleName() == QStringLiteral("Содержание"))
                contents = button;
        QVERIFY(contents && help->windowHandle());
        QTest::mouseClick(help->windowHandle(), Qt::LeftButton, {},
                          contents->mapTo(help, contents->rect().center()));
        afterClick = help->findChild<HelpBrowser*>()->source().fileName();
    };
    m->findChild<QToolButton*>(kind)->click();
    QCOMPARE(shown, page);
    QCOMPARE(afterClick, HelpViewer::contentsPage());
    QVERIFY(stayedOpen);
    QVERIFY(m->helpViewer()->isVisible());
}

void TestAdvice::menuOpensUnderTheButtonsRightEdge() {
    TMainForm* m = start({{"TextAdvice", 0}, {"Left", 20}, {"Top", 20}, {"Width", 660}});
    QToolButton* button = control<QToolButton>(m, "SpeedButton19");
    QVERIFY(!control<QMenu>(m, "PopupMenu1")->isVisible());
    button->click();
    QTRY_VERIFY(control<QMenu>(m, "PopupMenu1")->isVisible());
    const QRect menu = control<QMenu>(m, "PopupMenu1")->geometry();
    const QPoint corner = button->mapToGlobal(QPoint(button->width(), button->height()));
    QCOMPARE(menu.right() + 1, corner.x());
    QCOMPARE(menu.top(), corner.y());

    // Checking an item from the open menu switches that kind on again.
    control<QAction>(m, "PopupMenu1/N1")->trigger();
    QVERIFY(control<QAction>(m, "PopupMenu1/N1")->isChecked());
    control<QMenu>(m, "PopupMenu1")->close();
}

void TestAdvice::everyTipReadsWhole_data() {
    QTest::addColumn<QString>("tip");
    int n = 0;
    for (const QStringList* tips : {&TextAdviceTexts(), &StringAdviceTexts(), &TableAdviceTexts()})
        for (const QString& tip : *tips)
            QTest::addRow("tip %d", n++) << tip;
}

// Every line of every tip stands whole inside the tip's place in the panel.
void TestAdvice::everyTipReadsWhole() {
    QFETCH(QString, tip);
    start({{"TextAdvice", 0}});
    TAdviceForm* dialog = Fixture->program().windows().AdviceForm;
    control<QLabel>(dialog, "Label1")->setText(tip);
    const QFontMetrics metrics = control<QLabel>(dialog, "Label1")->fontMetrics();
    const QRect needed =
        metrics.boundingRect(control<QLabel>(dialog, "Label1")->contentsRect(),
                             int(control<QLabel>(dialog, "Label1")->alignment()), tip);
    QVERIFY2(control<QLabel>(dialog, "Label1")->contentsRect().contains(needed),
             qPrintable(QStringLiteral("%1 x %2 needed").arg(needed.width()).arg(needed.height())));
}

QTEST_MAIN(TestAdvice)
#include "tst_advice.moc"
