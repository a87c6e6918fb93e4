// The table exercise driven through the whole program: runs stepped tick by tick, Stop, the
// table test with its questions and result, the size picker under a real pointer, and a font
// change.
#include "Controls.h"
#include "ProgramFixture.h"

#include "platform/PacedTimer.h"
#include "shell/ProgramWindows.h"
#include "shell/Unitfrmain.h"
#include "table/TableGeometry.h"
#include "table/Unitdlgtable.h"
#include "table/Unitfranstable.h"
#include "table/Unitfrtable.h"
#include "table/Unittableresult.h"
#include "widgets/TCoolBar.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

const QColor DarkBlue(34, 50, 166);
const QColor LightBlue(163, 185, 218);

QColor background(const QWidget* widget) {
    return widget->palette().color(QPalette::Window);
}

} // namespace

class TestTable : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void wholeRunSteppedTickByTick();
    void speedChangeCountsFromTheNextNumber();
    void stopMidRunCoversEveryCell();
    void testRunAnswered_data();
    void testRunAnswered();
    void testRunOnTooFewCellsIsRefused();

    void pickerTakesTheSizeUnderThePointer();
    void pickerReleaseOutsideChangesNothing();
    void pickerClosesWhenThePointerGoesElsewhere();

    void fontChangeRelaysTheGrid();
    void gridFollowsTheClientAreaItEndsUpWith_data();
    void gridFollowsTheClientAreaItEndsUpWith();

private:
    // The table chosen, idle, Column x Row as given, random numbers from a fixed seed.
    void chooseTable(int columns, int rows, bool testMode = false);
    void start();
    // The captions of the visible cells, row by row.
    QStringList captions() const;
    int visibleCells() const;
    // The table window's cell in row i, column j.
    QLabel* cellAt(int i, int j) const {
        return control<QLabel>(Form, qPrintable(QStringLiteral("Cell_%1_%2").arg(i).arg(j)));
    }
    bool running() const { return control<QToolButton>(Main, "SpeedButton3")->isEnabled(); }

    std::unique_ptr<ProgramFixture> Fixture;
    TMainForm* Main = nullptr;
    TTableForm* Form = nullptr;
    TFormDlgTable* Picker = nullptr;
};

void TestTable::init() {
    Fixture = std::make_unique<ProgramFixture>();
    Program& program = Fixture->startQuiet();
    QVERIFY(program.isReady());
    Main = program.windows().MainForm;
    Form = program.windows().TableForm;
    Picker = program.windows().FormDlgTable;
}

void TestTable::cleanup() {
    closeUnexpectedDialogs();
    Fixture.reset();
}

void TestTable::chooseTable(int columns, int rows, bool testMode) {
    if (testMode != control<QToolButton>(Main, "SpeedButton14")->isChecked())
        control<QToolButton>(Main, "SpeedButton14")->click();
    QCOMPARE(control<QToolButton>(Main, "SpeedButton14")->isChecked(), testMode);
    Main->state().setTableSize(columns, rows);
    control<QToolButton>(Main, "SpeedButton5")->click();
    QCOMPARE(Main->ActiveMDIChild(), Form);
    Form->random().setFixedSeed(2026u);
}

void TestTable::start() {
    QVERIFY(control<QToolButton>(Main, "SpeedButton2")->isEnabled());
    control<QToolButton>(Main, "SpeedButton2")->click();
}

QStringList TestTable::captions() const {
    QStringList all;
    for (int i = 0; i < Main->state().Row(); ++i) {
        for (int j = 0; j < Main->state().Column(); ++j)
            all << cellAt(i, j)->text();
    }
    return all;
}

int TestTable::visibleCells() const {
    int shown = 0;
    for (int i = 0; i < TTableForm::GridSide; ++i) {
        for (int j = 0; j < TTableForm::GridSide; ++j)
            shown += cellAt(i, j)->isVisible() ? 1 : 0;
    }
    return shown;
}

// 4 x 3 at 1000 characters a minute: 600 ms to the first number, then every 600 ms; each tick
// crosses out the next number in ascending order, one more tick ends the run.
void TestTable::wholeRunSteppedTickByTick() {
    chooseTable(4, 3);
    QCOMPARE(visibleCells(), 12);
    QCOMPARE(captions(), QStringList(12, QStringLiteral("*")));
    QCOMPARE(Main->statusPanel(1), QStringLiteral("Ш (рек):4 клет."));
    QCOMPARE(Main->state().CharInterval(), 60);

    start();
    QVERIFY(running());
    QVERIFY(Form->timer()->isActive());
    QCOMPARE(Form->timer()->interval(), 600);
    QStringList expected;
    for (int cell = 0; cell < 12; ++cell)
        expected << QString::number(Form->table().Numbers[cell]);
    QCOMPARE(captions(), expected);
    // A screen reader reads a cell by its caption.
    QLabel* first = cellAt(0, 0);
    QCOMPARE(QAccessible::queryAccessibleInterface(first)->text(QAccessible::Name), first->text());
    QStringList sorted = expected;
    std::sort(sorted.begin(), sorted.end(), [](auto& a, auto& b) { return a.toInt() < b.toInt(); });
    QCOMPARE(sorted.first(), QStringLiteral("1"));
    QCOMPARE(sorted.last(), QStringLiteral("12"));

    for (int k = 1; k <= 12; ++k) {
        Form->Timer1Timer();
        expected[expected.indexOf(QString::number(k))] = QStringLiteral("*");
        QCOMPARE(captions(), expected);
        QVERIFY(running());
    }
    Form->Timer1Timer();
    QVERIFY(!running());
    QVERIFY(control<QToolButton>(Main, "SpeedButton2")->isEnabled());
    QVERIFY(control<QToolButton>(Main, "SpeedButton15")->isEnabled());
    QVERIFY(!Form->timer()->isActive());
    QCOMPARE(captions(), QStringList(12, QStringLiteral("*")));
}

// The interval is read at every tick. The steps keep to a clock, so the timer holds the time
// left to the next deadline: a deadline 300 ms after the last one, not 600 ms.
void TestTable::speedChangeCountsFromTheNextNumber() {
    chooseTable(2, 2);
    start();
    Form->Timer1Timer();
    const int before = Form->timer()->interval();
    control<QSlider>(Main, "TrackBar1")
        ->setValue(200); // 2000 characters a minute: 30 ms a character
    QCOMPARE(Main->state().CharInterval(), 30);
    Form->Timer1Timer();
    QVERIFY2(Form->timer()->interval() <= before + 300,
             qPrintable(QString::number(Form->timer()->interval())));
    control<QToolButton>(Main, "SpeedButton3")->click();
}

void TestTable::stopMidRunCoversEveryCell() {
    chooseTable(5, 4, true);
    start();
    QCOMPARE(captions().count(QStringLiteral("X")), 3);
    for (int k = 0; k < 5; ++k)
        Form->Timer1Timer();
    control<QToolButton>(Main, "SpeedButton3")
        ->click(); // no question: the run did not go to its end
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(!running());
    QVERIFY(!Form->timer()->isActive());
    QCOMPARE(captions(), QStringList(20, QStringLiteral("*")));
}

void TestTable::testRunAnswered_data() {
    QTest::addColumn<QList<int>>("answerSlots"); // -1: leave "0"; 0..2: that missing number
    QTest::addColumn<QString>("extra");          // typed into the third box when not empty
    QTest::addColumn<QString>("score");
    QTest::addRow("all three, any order") << QList<int>{2, 0, 1} << ""
                                          << "3 из 3";
    QTest::addRow("one right, two zeros") << QList<int>{1, -1, -1} << ""
                                          << "1 из 3";
    QTest::addRow("one right typed thrice") << QList<int>{0, 0, 0} << ""
                                            << "1 из 3";
    QTest::addRow("two right, a word") << QList<int>{0, 2, -1} << "двадцать"
                                       << "2 из 3";
    QTest::addRow("Enter at once") << QList<int>{} << ""
                                   << "0 из 3";
}

// A test run played to its end asks for the three numbers left out; the result shows the
// score, the size, the speed at the end and the missing numbers in ascending order.
void TestTable::testRunAnswered() {
    QFETCH(QList<int>, answerSlots);
    QFETCH(QString, extra);
    QFETCH(QString, score);
    chooseTable(4, 3, true);
    const QString recommended = Main->statusPanel(0) + Main->statusPanel(1);
    start();
    QCOMPARE(captions().count(QStringLiteral("X")), 3);
    const auto missing = Form->table().MissingNumbers;
    control<QSlider>(Main, "TrackBar1")->setValue(150); // the speed at the end is the one reported

    QString shownScore, shownSize, shownSpeed, shownMissing;
    bool idleDuringQuestions = false;
    onNextModal([&](QWidget* modal) {
        auto* questions = qobject_cast<TAnsTableForm*>(modal);
        QVERIFY(questions);
        idleDuringQuestions = !running() && !Form->timer()->isActive();
        QCOMPARE(control<QLineEdit>(questions, "Edit1")->text(), QStringLiteral("0"));
        QCOMPARE(control<QLineEdit>(questions, "Edit3")->text(), QStringLiteral("0"));
        QCOMPARE(questions->focusWidget(),
                 control<QLineEdit>(questions, "Edit1")); // Enter there answers with OK
        const QList<QLineEdit*> edits = {control<QLineEdit>(questions, "Edit1"),
                                         control<QLineEdit>(questions, "Edit2"),
                                         control<QLineEdit>(questions, "Edit3")};
        for (int i = 0; i < answerSlots.size(); ++i) {
            if (answerSlots[i] < 0)
                continue;
            edits[i]->selectAll();
            QTest::keyClicks(edits[i], QString::number(missing[answerSlots[i]]));
        }
        if (!extra.isEmpty())
            edits[2]->setText(extra);
        if (score.isEmpty()) { // cancelled: no result
            QTest::keyClick(control<QLineEdit>(questions, "Edit2"), Qt::Key_Escape);
            return;
        }
        onNextModal([&](QWidget* next) {
            auto* result = qobject_cast<TTableResultForm*>(next);
            QVERIFY(result);
            shownScore = control<QLabel>(result, "Label4")->text();
            shownSize = control<QLabel>(result, "Label5")->text();
            shownSpeed = control<QLabel>(result, "Label8")->text();
            shownMissing = control<QLabel>(result, "Label6")->text();
            control<QPushButton>(result, "BitBtn1")->click();
        });
        QTest::keyClick(control<QPushButton>(questions, "BitBtn1"), Qt::Key_Return);
    });
    for (int k = 0; k <= 12; ++k)
        Form->Timer1Timer();

    QVERIFY(idleDuringQuestions);
    QCOMPARE(captions(), QStringList(12, QStringLiteral("*")));
    QCOMPARE(Main->statusPanel(0) + Main->statusPanel(1), recommended);
    QCOMPARE(Form->score(), score.left(1).toInt());
    QCOMPARE(shownScore, score);
    if (score.isEmpty())
        return;
    QCOMPARE(shownSize, QStringLiteral("4 x 3 клет."));
    QCOMPARE(shownSpeed, QStringLiteral("1500 симв/мин"));
    auto ascending = missing;
    std::sort(ascending.begin(), ascending.end());
    QCOMPARE(shownMissing,
             QStringLiteral("%1, %2, %3").arg(ascending[0]).arg(ascending[1]).arg(ascending[2]));
    QCOMPARE(captions(), QStringList(12, QStringLiteral("*")));
    QCOMPARE(Main->statusPanel(0) + Main->statusPanel(1), recommended);
    QCOMPARE(Main->state().Column(), 4);
    QCOMPARE(Main->state().Row(), 3);
}

// Two cells cannot leave three out: the message, then the frame is idle again by itself.
void TestTable::testRunOnTooFewCellsIsRefused() {
    chooseTable(2, 1, true);
    QString text, caption;
    onNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        text = box->text();
        caption = box->windowTitle();
        QCOMPARE(box->icon(), QMessageBox::Information);
        box->button(QMessageBox::Ok)->click();
    });
    start();
    QCOMPARE(text, QStringLiteral("Минимальный размер таблицы три клетки!"));
    QCOMPARE(caption, QStringLiteral("Information"));
    QVERIFY(!running());
    QVERIFY(control<QToolButton>(Main, "SpeedButton2")->isEnabled());
    QVERIFY(!Form->timer()->isActive());
    QCOMPARE(captions(), QStringList(2, QStringLiteral("*")));
    QCOMPARE(Main->state().Column(), 2);
    QCOMPARE(Main->state().Row(), 1);
}

// The pointer moves over the squares, the block lights up to it, a release takes the size and
// the table lays it out at once.
void TestTable::pickerTakesTheSizeUnderThePointer() {
    chooseTable(4, 3);
    QVERIFY(control<QToolButton>(Main, "SpeedButton15")->isEnabled());
    QTest::mouseClick(control<QToolButton>(Main, "SpeedButton15"), Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowExposed(Picker));
    QCOMPARE(Picker->pos(),
             control<QToolButton>(Main, "SpeedButton15")
                 ->mapToGlobal(QPoint(0, control<QToolButton>(Main, "SpeedButton15")->height())));
    QCOMPARE(Picker->size(), QSize(110, 129));
    // It opens on the table's present size, lit.
    QCOMPARE(control<QLabel>(Picker, "PanelStatus")->text(), QStringLiteral("4 x 3"));
    QCOMPARE(background(Picker->pickerCell(2, 3)), LightBlue);
    QCOMPARE(background(Picker->pickerCell(3, 3)), DarkBlue);
    QCOMPARE(background(Picker->pickerCell(2, 4)), DarkBlue);

    QTest::mouseMove(Picker, QPoint(47, 38));
    QCOMPARE(control<QLabel>(Picker, "PanelStatus")->text(), QStringLiteral("5 x 4"));
    QCOMPARE(background(Picker->pickerCell(3, 4)), LightBlue);
    QCOMPARE(background(Picker->pickerCell(0, 0)), LightBlue);
    QCOMPARE(background(Picker->pickerCell(4, 4)), DarkBlue);
    QCOMPARE(background(Picker->pickerCell(3, 5)), DarkBlue);

    QTest::mouseMove(Picker, QPoint(105, 38)); // the right edge is outside
    QCOMPARE(control<QLabel>(Picker, "PanelStatus")->text(), QStringLiteral("0 x 0"));
    QCOMPARE(background(Picker->pickerCell(0, 0)), DarkBlue);
    QTest::mouseMove(Picker, QPoint(104, 104));
    QCOMPARE(control<QLabel>(Picker, "PanelStatus")->text(), QStringLiteral("10 x 10"));
    QCOMPARE(background(Picker->pickerCell(9, 9)), LightBlue);
    QTest::mouseMove(Picker, QPoint(50, 40));
    QTest::mousePress(Picker, Qt::LeftButton, {}, QPoint(50, 40));
    QTest::mouseRelease(Picker, Qt::LeftButton, {}, QPoint(50, 40));

    QVERIFY(Picker->isHidden());
    QCOMPARE(Main->state().Column(), 5);
    QCOMPARE(Main->state().Row(), 4);
    QCOMPARE(visibleCells(), 20);
    QCOMPARE(control<QFrame>(Form, "BkGrPanel")->size(),
             TableGeometry::panelSize(Form->cellSize(), 5, 4));

    // Shown again: the size just taken, lit.
    QTest::mouseClick(control<QToolButton>(Main, "SpeedButton15"), Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowExposed(Picker));
    QCOMPARE(control<QLabel>(Picker, "PanelStatus")->text(), QStringLiteral("5 x 4"));
    QCOMPARE(background(Picker->pickerCell(3, 4)), LightBlue);
    QCOMPARE(background(Picker->pickerCell(4, 4)), DarkBlue);
    QCOMPARE(Picker->hoverColumn(), 4);

    // The keys move the lit corner from there.
    QTest::keyClick(Picker, Qt::Key_Down);
    QCOMPARE(control<QLabel>(Picker, "PanelStatus")->text(), QStringLiteral("5 x 5"));
    QTest::keyClick(Picker, Qt::Key_Left);
    QTest::keyClick(Picker, Qt::Key_Up);
    QTest::keyClick(Picker, Qt::Key_Up);
    QCOMPARE(control<QLabel>(Picker, "PanelStatus")->text(), QStringLiteral("4 x 3"));
    QTest::keyClick(Picker, Qt::Key_Return);
    QVERIFY(Picker->isHidden());
    QCOMPARE(Main->state().Column(), 4);
    QCOMPARE(visibleCells(), 12);
}

void TestTable::pickerReleaseOutsideChangesNothing() {
    chooseTable(4, 3);
    QTest::mouseClick(control<QToolButton>(Main, "SpeedButton15"), Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowExposed(Picker));
    QTest::mouseMove(Picker, QPoint(20, 20));
    QTest::mousePress(Picker, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseMove(Picker, QPoint(50, 115)); // over the status strip
    QCOMPARE(control<QLabel>(Picker, "PanelStatus")->text(), QStringLiteral("0 x 0"));
    QTest::mouseRelease(Picker, Qt::LeftButton, {}, QPoint(50, 115));
    QVERIFY(Picker->isHidden());
    QCOMPARE(Main->state().Column(), 4);
    QCOMPARE(Main->state().Row(), 3);
    QCOMPARE(visibleCells(), 12);

    QTest::mouseClick(control<QToolButton>(Main, "SpeedButton15"), Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowExposed(Picker));
    QTest::mouseMove(Picker, QPoint(20, 20));
    QTest::keyClick(Picker, Qt::Key_Escape);
    QVERIFY(Picker->isHidden());
    QCOMPARE(Main->state().Column(), 4);
}

void TestTable::pickerClosesWhenThePointerGoesElsewhere() {
    chooseTable(4, 3);
    QTest::mouseClick(control<QToolButton>(Main, "SpeedButton15"), Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowExposed(Picker));
    QTest::mouseMove(Picker, QPoint(95, 95));
    QCOMPARE(control<QLabel>(Picker, "PanelStatus")->text(), QStringLiteral("10 x 10"));
    // A click in the table window, away from the picker, as the window system delivers it.
    QWidget* elsewhere = Form->widget();
    const QPoint inFrame = elsewhere->mapTo(Main, elsewhere->rect().bottomRight() - QPoint(5, 5));
    QTest::mouseClick(Main->windowHandle(), Qt::LeftButton, {}, inFrame);
    QTRY_VERIFY(Picker->isHidden());
    QCOMPARE(Main->state().Column(), 4);
    QCOMPARE(Main->state().Row(), 3);

    // Losing the focus to another window closes it as well.
    QTest::mouseClick(control<QToolButton>(Main, "SpeedButton15"), Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowExposed(Picker));
    QWidget other;
    other.show();
    other.activateWindow();
    QTRY_VERIFY(Picker->isHidden());
    QCOMPARE(Main->state().Column(), 4);
}

// A bigger font makes bigger cells; every cell is three digit widths wide, the width of 100.
void TestTable::fontChangeRelaysTheGrid() {
    chooseTable(10, 10);
    const int before = Form->cellSize();
    QCOMPARE(before, 3 * Main->state().CharWidth());
    const int index = control<QComboBox>(Main, "ComboBox1")->findText(QStringLiteral("24"));
    QVERIFY(index >= 0);
    control<QComboBox>(Main, "ComboBox1")->setCurrentIndex(index);
    emit control<QComboBox>(Main, "ComboBox1")->activated(index);

    QCOMPARE(Main->state().FontSize(), 24);
    QCOMPARE(Form->cellSize(), 3 * Main->state().CharWidth());
    QVERIFY(Form->cellSize() > before);
    QLabel* last = cellAt(9, 9);
    QCOMPARE(last->font().pointSize(), 24);
    QCOMPARE(last->size(), QSize(Form->cellSize(), Form->cellSize()));
    QVERIFY(last->fontMetrics().horizontalAdvance(QStringLiteral("100")) <= Form->cellSize());
    QCOMPARE(last->text(), QStringLiteral("*"));
    QCOMPARE(control<QFrame>(Form, "BkGrPanel")->pos(),
             TableGeometry::centredOrigin(Form->widget()->size(), Form->cellSize(), 10, 10));
}

void TestTable::gridFollowsTheClientAreaItEndsUpWith_data() {
    QTest::addColumn<QString>("fontSize");
    QTest::addColumn<int>("height");
    QTest::newRow("small cells") << QStringLiteral("12") << 560;
    // Taller than the window before the bars take fewer rows, whole afterwards.
    QTest::newRow("cells that fit only afterwards") << QStringLiteral("72") << 600;
}

// Widening the frame lets the tool bars take fewer rows, and the table window grows once the
// frame has laid them out again: the grid is centred on the area it has in the end.
void TestTable::gridFollowsTheClientAreaItEndsUpWith() {
    QFETCH(QString, fontSize);
    QFETCH(int, height);
    Main->resize(659, height);
    chooseTable(4, 3);
    const int index = control<QComboBox>(Main, "ComboBox1")->findText(fontSize);
    control<QComboBox>(Main, "ComboBox1")->setCurrentIndex(index);
    emit control<QComboBox>(Main, "ComboBox1")->activated(index);
    QCoreApplication::processEvents();
    const int barsBefore = control<TCoolBar>(Main, "CoolBar1")->height();

    Main->resize(900, height);
    QTRY_VERIFY(control<TCoolBar>(Main, "CoolBar1")->height() < barsBefore);
    QCoreApplication::processEvents();
    const QWidget* client = Form->widget();
    const QPoint centred = TableGeometry::centredOrigin(client->size(), Form->cellSize(), 4, 3);
    QCOMPARE(control<QFrame>(Form, "BkGrPanel")->pos(), centred);
    QVERIFY(centred.y() >= 0);
    QVERIFY(control<QFrame>(Form, "BkGrPanel")->geometry().bottom() < client->height());
}

QTEST_MAIN(TestTable)
#include "tst_table.moc"
