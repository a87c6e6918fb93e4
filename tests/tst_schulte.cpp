// The Schulte tables driven through the whole program: the kind chosen through the tool bar's
// drop-down, a 3 x 3 run by mouse with one wrong click, one by keys alone, each ending in the
// result dialog.
#include "Controls.h"
#include "ProgramFixture.h"

#include "schulte/SchulteCell.h"
#include "schulte/SchulteForm.h"
#include "schulte/SchulteGrid.h"
#include "schulte/SchulteResultForm.h"
#include "schulte/SchulteSettingsPanel.h"
#include "shell/ProgramWindows.h"
#include "shell/Unitfrmain.h"
#include "widgets/MoreButton.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

Q_DECLARE_METATYPE(SchulteResult)

class TestSchulte : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void runByMouseWithOneSlip();
    void runByKeysAlone();
    void fixationRingLeavesTheMiddleCaptionWhole();
    void lettersRefuseTheLargeSizesAloud();

private:
    void startWith(const QVariantMap& settings);
    // What the result dialog shows, line by line, when the run's last find opens it.
    void expectResult(QStringList* lines, bool* newBest);

    std::unique_ptr<ProgramFixture> Fixture;
    TMainForm* Main = nullptr;
    TSchulteForm* Form = nullptr;
};

void TestSchulte::init() {
    qRegisterMetaType<SchulteResult>();
    Fixture = std::make_unique<ProgramFixture>();
}

void TestSchulte::cleanup() {
    closeUnexpectedDialogs();
    Fixture.reset();
}

void TestSchulte::startWith(const QVariantMap& settings) {
    Program& program = Fixture->startQuiet(settings);
    QVERIFY(program.isReady());
    Main = program.windows().MainForm;
    Form = program.windows().SchulteForm;
}

void TestSchulte::expectResult(QStringList* lines, bool* newBest) {
    onNextModal([lines, newBest](QWidget* modal) {
        auto* result = qobject_cast<TSchulteResultForm*>(modal);
        QVERIFY(result);
        for (const QLabel* value :
             {control<QLabel>(result, "TableValue"), control<QLabel>(result, "TimeValue"),
              control<QLabel>(result, "MistakesValue"), control<QLabel>(result, "PerCellValue"),
              control<QLabel>(result, "BestValue")})
            *lines << value->text();
        *newBest = control<QLabel>(result, "NewBest")->isVisible();
        control<QPushButton>(result, "OkButton")->click();
    });
}

// Numbers, 3 x 3: chosen from the drop-down's menu, started with Пуск, 1, a wrong 3, then 2..9
// clicked in order (5 pressed the way a screen reader does).
void TestSchulte::runByMouseWithOneSlip() {
    startWith({{"SchulteSize", 3}, {"SchulteVariant", 0}});
    Main->kindEntry(ExerciseKind::Schulte)->trigger();
    QCOMPARE(Main->ActiveMDIChild(), Form);
    QVERIFY(control<MoreButton>(Main, "MoreKinds")->isChecked());
    QVERIFY(
        !control<QToolButton>(Main, "SpeedButton14")->isEnabled()); // no test mode for this kind
    QVERIFY(!control<QToolButton>(Main, "SpeedButton4")->isChecked());

    Form->random().setFixedSeed(20261207u);
    QSignalSpy results(Form, &TSchulteForm::resultReady);
    QSignalSpy ended(Form, &ExerciseWindow::runEnded);
    control<QToolButton>(Main, "SpeedButton2")->click();
    QCOMPARE(Main->statusPanel(3), QStringLiteral("Найдите: 1"));
    QVERIFY(!Main->kindEntry(ExerciseKind::Schulte)->isEnabled());

    const auto cellOf = [this](const char* caption) {
        return Form->findChild<SchulteGrid*>()->cell(
            Form->run().cellOf({QString::fromUtf8(caption), false}));
    };
    QTest::mouseClick(cellOf("1"), Qt::LeftButton);
    QCOMPARE(Main->statusPanel(3), QStringLiteral("Найдите: 2"));
    QTest::mouseClick(cellOf("3"), Qt::LeftButton);
    QCOMPARE(Main->statusPanel(3), QStringLiteral("Найдите: 2"));
    QCOMPARE(Form->run().mistakes(), 1);

    QStringList lines;
    bool newBest = false;
    for (const char* caption : {"2", "3", "4"})
        QTest::mouseClick(cellOf(caption), Qt::LeftButton);
    // A screen reader finds a cell as a button named by its caption, and presses it.
    QAccessibleInterface* five = QAccessible::queryAccessibleInterface(cellOf("5"));
    QCOMPARE(five->role(), QAccessible::Button);
    QCOMPARE(five->text(QAccessible::Name), QStringLiteral("5"));
    five->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(Main->statusPanel(3), QStringLiteral("Найдите: 6")); // an animated click
    for (const char* caption : {"6", "7", "8"})
        QTest::mouseClick(cellOf(caption), Qt::LeftButton);
    expectResult(&lines, &newBest);
    QTest::mouseClick(cellOf("9"), Qt::LeftButton);
    QTRY_VERIFY(!lines.isEmpty());

    QCOMPARE(results.count(), 1);
    // Schulte tables are no stage of the course: a course running stays at its stage.
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.at(0).at(0).toBool(), false);
    const auto result = results.at(0).at(0).value<SchulteResult>();
    QCOMPARE(result.Found, 9);
    QCOMPARE(result.Mistakes, 1);
    QVERIFY(!result.Stopped);
    QCOMPARE(lines.at(0), QStringLiteral("3 x 3, числа"));
    QCOMPARE(lines.at(2), QStringLiteral("1"));
    QCOMPARE(lines.at(4), lines.at(1)); // the first run is the best
    QVERIFY(newBest);
    QCOMPARE(Fixture->storedValue("SchulteBest3x3Numbers").toLongLong(), result.TimeMs);

    // Idle again, the kind still chosen: Start on, Stop off, the test still off.
    QVERIFY(control<QToolButton>(Main, "SpeedButton2")->isEnabled());
    QVERIFY(!control<QToolButton>(Main, "SpeedButton3")->isEnabled());
    QVERIFY(!control<QToolButton>(Main, "SpeedButton14")->isEnabled());
    QVERIFY(Main->kindEntry(ExerciseKind::Schulte)->isEnabled());
    QCOMPARE(Main->statusPanel(3), QString());

    // Back to the table: the test button returns and the drop-down lets go.
    control<QToolButton>(Main, "SpeedButton5")->click();
    QVERIFY(!control<MoreButton>(Main, "MoreKinds")->isChecked());
    QVERIFY(!Main->kindEntry(ExerciseKind::Schulte)->isChecked());
    QVERIFY(control<QToolButton>(Main, "SpeedButton14")->isEnabled());
}

// Red-black, 3 x 3, by the keyboard alone: F10 opens the drop-down, Down and Enter choose the
// kind, Enter starts, digits name the cells, the colour that is due picks among equal numbers;
// then Escape stops a second run.
void TestSchulte::runByKeysAlone() {
    startWith({{"SchulteSize", 3}, {"SchulteVariant", 1}, {"SchulteBest3x3RedBlack", 999999}});
    bool menuSeen = false;
    QTimer::singleShot(50, this, [&menuSeen] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        menuSeen = true;
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QTest::keyClick(Main, Qt::Key_F10);
    QTRY_VERIFY(menuSeen);
    QTRY_COMPARE(Main->ActiveMDIChild(), Form);

    Form->random().setFixedSeed(7u);
    QTRY_COMPARE(QApplication::focusWidget(),
                 Form->findChild<SchulteGrid*>()); // the keys go to the table
    QTest::keyClick(Form->findChild<SchulteGrid*>(), Qt::Key_Return);
    QVERIFY(Form->isRunning());
    QCOMPARE(Main->statusPanel(3), QStringLiteral("Найдите: чёрное 1"));
    QTest::qWait(20); // the table shows, the user looks

    QWidget* grid = Form->findChild<SchulteGrid*>();
    QTest::keyClicks(grid, QStringLiteral("14"));
    QCOMPARE(Main->statusPanel(3), QStringLiteral("Найдите: чёрное 2"));
    QTest::keyClicks(grid, QStringLiteral("5")); // black 5 is not due: a mistake
    QCOMPARE(Form->run().mistakes(), 1);
    QTest::keyClicks(grid, QStringLiteral("2332"));
    QCOMPARE(Main->statusPanel(3), QStringLiteral("Найдите: чёрное 4"));

    QStringList lines;
    bool newBest = false;
    QTest::keyClicks(grid, QStringLiteral("41"));
    expectResult(&lines, &newBest);
    QTest::keyClicks(grid, QStringLiteral("5"));
    QTRY_VERIFY(!lines.isEmpty());
    QCOMPARE(lines.at(0), QStringLiteral("3 x 3, красные и чёрные"));
    QCOMPARE(lines.at(2), QStringLiteral("1"));
    QCOMPARE(lines.at(4), lines.at(1)); // faster than the stored best
    QVERIFY(newBest);
    QVERIFY(!Form->isRunning());

    // Escape stops the next run: no dialog, a stopped result, the best time kept.
    const QString best = Fixture->storedValue("SchulteBest3x3RedBlack").toString();
    QSignalSpy results(Form, &TSchulteForm::resultReady);
    QTest::keyClick(Form->findChild<SchulteGrid*>(), Qt::Key_Return);
    QVERIFY(Form->isRunning());
    QTest::keyClicks(grid, QStringLiteral("1"));
    QTest::keyClick(Form->findChild<SchulteGrid*>(), Qt::Key_Escape);
    QVERIFY(!Form->isRunning());
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(results.count(), 1);
    const auto stopped = results.at(0).at(0).value<SchulteResult>();
    QVERIFY(stopped.Stopped);
    QCOMPARE(stopped.Found, 1);
    QCOMPARE(Fixture->storedValue("SchulteBest3x3RedBlack").toString(), best);
    QVERIFY(control<QToolButton>(Main, "SpeedButton2")->isEnabled());
}

// 5 x 5 with the fixation mark: the middle cell's caption keeps every pixel it has without the
// mark, and the mark stays centred on the cell.
void TestSchulte::fixationRingLeavesTheMiddleCaptionWhole() {
    startWith({{"SchulteSize", 5}, {"SchulteVariant", 0}, {"SchulteFixationDot", 1}});
    Main->kindEntry(ExerciseKind::Schulte)->trigger();
    for (const unsigned seed : {1u, 2u, 3u}) {
        Form->random().setFixedSeed(seed);
        control<QToolButton>(Main, "SpeedButton2")->click();
        QVERIFY(Form->isRunning());
        SchulteCell* middle = Form->findChild<SchulteGrid*>()->cell(12);
        QVERIFY(!middle->text().isEmpty());
        const QImage marked = middle->grab().toImage();
        Form->findChild<SchulteGrid*>()->setFixationDot(false);
        const QImage plain = middle->grab().toImage();
        Form->findChild<SchulteGrid*>()->setFixationDot(true);
        control<QToolButton>(Main, "SpeedButton3")->click();

        // The caption: what differs from the face inside the cell's edges.
        const QRgb face = plain.pixel(3, 3);
        QRect caption;
        QRect mark;
        for (int y = 2; y < plain.height() - 2; ++y) {
            for (int x = 2; x < plain.width() - 2; ++x) {
                if (plain.pixel(x, y) != face)
                    caption |= QRect(x, y, 1, 1);
                if (plain.pixel(x, y) != marked.pixel(x, y))
                    mark |= QRect(x, y, 1, 1);
            }
        }
        QVERIFY(!caption.isEmpty());
        QVERIFY(!mark.isEmpty());
        for (int y = caption.top(); y <= caption.bottom(); ++y) {
            for (int x = caption.left(); x <= caption.right(); ++x)
                QVERIFY2(
                    plain.pixel(x, y) == marked.pixel(x, y),
                    qPrintable(middle->text() + QStringLiteral(" covered at %1,%2").arg(x).arg(y)));
        }
        const QPointF offCentre = QRectF(mark).center() - QRectF(middle->rect()).center();
        QVERIFY(qAbs(offCentre.x()) <= 1.5 && qAbs(offCentre.y()) <= 1.5);
    }
}

// Letters go up to 5 x 5: the larger sizes cannot be chosen, and a screen reader hears why.
void TestSchulte::lettersRefuseTheLargeSizesAloud() {
    startWith({{"SchulteSize", 4}, {"SchulteVariant", 0}});
    Main->kindEntry(ExerciseKind::Schulte)->trigger();
    QComboBox* sizes = control<QComboBox>(Form, "SizeBox");
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(sizes)->child(0);
    QVERIFY(list);
    const auto entries = [list] {
        QStringList heard;
        for (int i = 0; i < list->childCount(); ++i) {
            QAccessibleInterface* entry = list->child(i);
            heard << entry->text(QAccessible::Name) +
                         (entry->state().disabled ? QStringLiteral(" [off]") : QString());
        }
        return heard;
    };
    const QStringList plain{"3 x 3", "4 x 4", "5 x 5", "6 x 6", "7 x 7", "8 x 8", "9 x 9"};
    QCOMPARE(entries(), plain);

    control<QComboBox>(Form, "VariantBox")->setCurrentIndex(2); // letters
    const QStringList heard = entries();
    QCOMPARE(heard.mid(0, 3), plain.mid(0, 3));
    for (int i = 3; i < heard.size(); ++i) {
        QVERIFY2(heard.at(i).startsWith(plain.at(i)), qPrintable(heard.at(i)));
        QVERIFY2(heard.at(i).endsWith(u"[off]") || heard.at(i).contains(u"букв"),
                 qPrintable(heard.at(i)));
    }
    control<QComboBox>(Form, "VariantBox")
        ->setCurrentIndex(0); // numbers again: every size, plainly
    QCOMPARE(entries(), plain);
}

QTEST_MAIN(TestSchulte)
#include "tst_schulte.moc"
