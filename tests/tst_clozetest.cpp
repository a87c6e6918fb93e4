// The test on the user's own text, through the whole program: a run over a library book, the
// key refused until the passage is long enough, the questions answered, the result and the
// diary's record and chart.
#include "Controls.h"
#include "ProgramFixture.h"

#include "diary/DiaryCharts.h"
#include "diary/DiaryProgress.h"
#include "diary/DiaryStore.h"
#include "platform/RandomSource.h"
#include "readingview/ReadingView.h"
#include "shell/Unitfrmain.h"
#include "text/ClozeBuilder.h"
#include "text/Unitfranstext.h"
#include "text/Unitfrtext.h"
#include "text/Unittextresult.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

class ClozeTestFlow : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void bookPassageAnsweredAndKept();

private:
    // Starts the program of the fixture made and opens the book.
    void openBook(const QString& path);
    // Reads on until the run has passed at least `chars` characters (blanks and line breaks
    // not counted), then stops it.
    void readAndStop(int chars);
    void pressKey();

    std::unique_ptr<ProgramFixture> Fixture;
    TMainForm* Main = nullptr;
    TTextForm* Text = nullptr;
};

void ClozeTestFlow::cleanup() {
    closeUnexpectedDialogs();
    Fixture.reset();
}

void ClozeTestFlow::openBook(const QString& path) {
    Main = Fixture->startQuiet({{"SpeedTrackBarPosition", 300}, {"WideExpression", 12}})
               .windows()
               .MainForm;
    Text = Fixture->program().windows().TextForm;
    QApplication::setActiveWindow(Main);
    Main->OpenTextFile(path);
}

void ClozeTestFlow::readAndStop(int chars) {
    control<QToolButton>(Main, "SpeedButton2")->click();
    QVERIFY(Main->isRunning());
    const auto passed = [this] {
        return clozePassageLength(QStringView(Text->RichEdit1->text())
                                      .mid(Text->runStart(), Text->fieldEnd() - Text->runStart()));
    };
    while (Main->isRunning() && passed() < chars)
        Text->Timer1Timer();
    if (Main->isRunning())
        control<QToolButton>(Main, "SpeedButton3")->click();
}

void ClozeTestFlow::pressKey() {
    QTest::keyClick(Text->RichEdit1, Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
}

void ClozeTestFlow::bookPassageAnsweredAndKept() {
    Fixture = std::make_unique<ProgramFixture>();
    const QString path = Fixture->programDir() + QStringLiteral("/LIBRARY/river_journey.txt");
    QVERIFY(
        QFile::copy(QStringLiteral(SKIMORA_BUILT_PROGRAM_DIR "/LIBRARY/river_journey.txt"), path));
    openBook(path);
    QVERIFY(Text->RichEdit1->length() > 10000);
    QPushButton* button = Text->clozeButton();
    QVERIFY(!button->isEnabled());
    QVERIFY(button->toolTip().contains(QStringLiteral("1500")));

    // A run too short: still refused, and the hint says how far it got.
    readAndStop(ClozeMinPassage / 3);
    QVERIFY(!Text->lastPassage().text.isEmpty());
    QVERIFY(!button->isEnabled());
    QVERIFY(button->toolTip().startsWith(QStringLiteral("В последний раз прочитано ")));
    pressKey();
    QTest::qWait(50);
    QVERIFY(!QApplication::activeModalWidget());

    // Over 1500 characters of the book.
    readAndStop(ClozeMinPassage + 100);
    const ReadPassage passage = Text->lastPassage();
    QVERIFY(clozePassageLength(passage.text) >= ClozeMinPassage);
    QVERIFY(button->isEnabled());
    QVERIFY(button->toolTip().contains(QStringLiteral("Ctrl+Shift+T")));

    // The questions the window's random source builds from the passage.
    Text->random().setFixedSeed(11);
    RandomSource same;
    same.setFixedSeed(11);
    same.seedFromClock();
    const ClozeSet expected = buildCloze(passage.text, same);
    QVERIFY(expected.isReady());

    QStringList sentences, choices;
    QString title;
    QList<int> chosen;
    QString rightShown, percentShown, speedShown;
    onNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<TAnsTextForm*>(modal);
        QVERIFY(dialog);
        title = dialog->windowTitle();
        for (int q = 0; q < TestQuestionCount; ++q) {
            sentences << dialog->question(q);
            for (int i = 0; i < 3; ++i)
                choices << dialog->item(q, i)->text();
        }
        // Two right by mouse, one wrong, one left open, and the last by keyboard: the arrow
        // keys move between the answers and Enter confirms.
        const auto right = [&](int q) { return expected.questions[q].right; };
        dialog->item(0, right(0))->click();
        dialog->item(1, right(1))->click();
        dialog->item(2, (right(2) + 1) % 3)->click();
        // Each key goes to the answer the last one left the focus on.
        QRadioButton* at = dialog->item(4, 0);
        at->setFocus();
        QTest::keyClick(at, Qt::Key_Space);
        for (int i = 0; i < right(4); ++i) {
            QTest::keyClick(at, Qt::Key_Down);
            at = dialog->item(4, i + 1);
        }
        for (int q = 0; q < TestQuestionCount; ++q)
            chosen << dialog->chosen(q);
        QTest::keyClick(at, Qt::Key_Return);
        // The result comes once the questions have closed.
        onNextModal([&](QWidget* modal) {
            auto* result = qobject_cast<TTextResultForm*>(modal);
            QVERIFY(result);
            rightShown = control<QLabel>(result, "Label4")->text();
            percentShown = control<QLabel>(result, "LabelComprehensionValue")->text();
            speedShown = control<QLabel>(result, "Label6")->text();
            result->accept();
        });
    });
    pressKey();
    QTRY_VERIFY(!rightShown.isEmpty());

    QCOMPARE(title, QStringLiteral("Тест по своему тексту"));
    QStringList expectedSentences, expectedChoices;
    for (const ClozeQuestion& q : expected.questions) {
        expectedSentences << q.sentence;
        for (const QString& c : q.choices)
            expectedChoices << c;
    }
    QCOMPARE(sentences, expectedSentences);
    QCOMPARE(choices, expectedChoices);
    QCOMPARE(chosen.at(3), -1);
    QCOMPARE(chosen.at(4), expected.questions[4].right);
    QCOMPARE(rightShown, QStringLiteral("3 из 5"));
    QCOMPARE(percentShown, QStringLiteral("60 %"));
    QCOMPARE(speedShown, QString::number(passage.run.charsPerMinute) + QStringLiteral(" симв/мин"));

    // The diary keeps it under its own kind, with the book and the run's speed.
    DiaryStore& store = Fixture->program().diary();
    QCOMPARE(store.count(), 3); // two readings and the test
    const auto records = store.records({DiaryKind::ClozeTest, {}});
    QCOMPARE(records.size(), std::size_t(1));
    const RunResult kept = records.front().result;
    QCOMPARE(kept.kind, DiaryKind::ClozeTest);
    QCOMPARE(diaryKindName(kept.kind), QStringLiteral("Тест по своему тексту"));
    QCOMPARE(kept.textName, QStringLiteral("river_journey.txt"));
    QCOMPARE(kept.right, 3);
    QCOMPARE(kept.outOf, 5);
    QVERIFY(!kept.stopped);
    QCOMPARE(kept.charsPerMinute, passage.run.charsPerMinute);
    QCOMPARE(kept.wordsPerMinute, passage.run.wordsPerMinute);

    // Charted beside the text tests' comprehension.
    DiaryCharts charts;
    charts.showProgress(store.progress({}, 100), QDate::currentDate().addDays(-7),
                        QDate::currentDate());
    QList<QPointF> best;
    for (QChartView* view : charts.shownCharts()) {
        for (QAbstractSeries* series : view->chart()->series()) {
            if (series->name().startsWith(QStringLiteral("Тест по своему тексту")))
                best << qobject_cast<QLineSeries*>(series)->points();
        }
    }
    QCOMPARE(best.size(), 1);
    QCOMPARE(best.first().y(), 60.0);

    // The passage is used: the button and the key are refused until the next run.
    QVERIFY(!button->isEnabled());
    QVERIFY(button->toolTip().contains(QStringLiteral("уже пройден")));
    pressKey();
    QTest::qWait(50);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(store.count(), 3);
}

QTEST_MAIN(ClozeTestFlow)
#include "tst_clozetest.moc"
