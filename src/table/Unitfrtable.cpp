#include "table/Unitfrtable.h"

#include "platform/HelpContext.h"
#include "platform/PacedTimer.h"
#include "shell/SpeedRegulator.h"
#include "shell/Unitfrmain.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QToolButton>

namespace {

const QColor DarkBlue(34, 50, 166);
const QColor CellFace(163, 185, 218);
const QString Covered = QStringLiteral("*");
const QString LeftOut = QStringLiteral("X");

void fillWith(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

} // namespace

TTableForm::TTableForm(TMainForm& mainForm) : Main(mainForm) {
    setObjectName(QStringLiteral("TableForm"));
    setWindowTitle(QStringLiteral("Чтение таблиц"));
    setProperty("helpContext", HelpContext::TableWindow);

    Client = new QWidget;
    Client->setObjectName(QStringLiteral("TableFormClient"));
    Client->setAutoFillBackground(true);
    fillWith(Client, QPalette::Window, DarkBlue);
    setWidget(Client);

    BkGrPanel = new QFrame(Client);
    BkGrPanel->setObjectName(QStringLiteral("BkGrPanel"));
    BkGrPanel->setAccessibleName(QStringLiteral("Таблица чисел"));
    BkGrPanel->setFrameStyle(QFrame::NoFrame);
    BkGrPanel->setAutoFillBackground(true);
    fillWith(BkGrPanel, QPalette::Window, DarkBlue);

    for (int i = 0; i < GridSide; ++i) {
        for (int j = 0; j < GridSide; ++j) {
            auto* cell = new QLabel(BkGrPanel);
            cell->setObjectName(QStringLiteral("Cell_%1_%2").arg(i).arg(j));
            // Read out by its caption, the number or "*"; where it sits is the description.
            cell->setAccessibleDescription(QStringLiteral("Клетка ") + QString::number(i + 1) +
                                           QStringLiteral(", ") + QString::number(j + 1));
            cell->setFrameStyle(QFrame::Panel | QFrame::Raised);
            cell->setLineWidth(1);
            cell->setAlignment(Qt::AlignCenter);
            cell->setAutoFillBackground(true);
            fillWith(cell, QPalette::Window, CellFace);
            fillWith(cell, QPalette::WindowText, Qt::black);
            cell->hide();
            Cells[i][j] = cell;
        }
    }

    Timer1 = new PacedTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, &TTableForm::Timer1Timer);
}

bool TTableForm::isTestMode() const {
    return Main.SpeedButton14->isChecked();
}

// The settings and the picker keep the size within 1..10; the grid never reads beyond it.
int TTableForm::columns() const {
    return TableGeometry::sideInRange(Main.Column);
}

int TTableForm::rows() const {
    return TableGeometry::sideInRange(Main.Row);
}

void TTableForm::FormActivate() {
    // The frame passes activations on while it shows its windows, before the table is chosen;
    // and a run keeps its numbers when the window is activated again while it goes on.
    if (Main.Closing || !Main.TableKindActive || Main.isRunning())
        return;
    Main.setStatusPanel(1, SpeedRegulator::recommendedWidthInCellsPanel(Main.RecommendWide));
    Main.setStatusPanel(3, QString());
    Main.HintPanelLeft = 0;
    Main.HintPanelRight = 0;
    SizeGrid();
    CentreGrid();
    BkGrPanel->show();

    const QFont font(Main.FontName, Main.FontSize);
    for (int i = 0; i < GridSide; ++i) {
        for (int j = 0; j < GridSide; ++j) {
            QLabel* cell = Cells[i][j];
            const bool inGrid = i < rows() && j < columns();
            if (inGrid) {
                cell->setFont(font);
                cell->setGeometry(
                    QRect(TableGeometry::cellOrigin(CellSize, i, j), QSize(CellSize, CellSize)));
                cell->setText(Covered);
            }
            cell->setVisible(inGrid);
        }
    }
    if (Main.LastExercise != 2) {
        // Set first: the window becomes active again when the advice closes, and must not
        // advise twice.
        Main.LastExercise = 2;
        ShowTableAdvice();
    }
}

void TTableForm::SizeGrid() {
    CellSize = TableGeometry::cellSizeFor(Main.CharWidth);
    BkGrPanel->resize(TableGeometry::panelSize(CellSize, columns(), rows()));
}

void TTableForm::CentreGrid() {
    BkGrPanel->move(TableGeometry::centredOrigin(Client->size(), CellSize, columns(), rows()));
}

void TTableForm::StartTableRun() {
    Table.begin(rows() * columns());
    if (isTestMode() && Table.CellCount < NumberTable::MissingCount) {
        QMessageBox box(QMessageBox::Information, QStringLiteral("Information"),
                        QStringLiteral("Минимальный размер таблицы три клетки!"), QMessageBox::Ok);
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
        // Nothing to run: back to rest, as after Stop.
        FinishTableRun();
        return;
    }
    GenerateNumbers();
    const bool test = isTestMode();
    for (int i = 0; i < rows(); ++i) {
        for (int j = 0; j < columns(); ++j) {
            const int number = Table.Numbers[i * columns() + j];
            Cells[i][j]->setText(test && number == 0 ? LeftOut : QString::number(number));
        }
    }
    Timer1->startPaced(firstCrossOutDelay(Main.CharInterval, columns()));
}

void TTableForm::GenerateNumbers() {
    Table.GenerateNumbers(isTestMode(), Random);
}

void TTableForm::Timer1Timer() {
    // Read afresh at every step: a speed change during the run counts from the next number.
    const int interval = crossOutInterval(Main.CharInterval, Main.ReadingFieldWidth);
    const int cell = Table.crossOutNext();
    if (cell < 0) {
        FinishTableRun();
        return;
    }
    Cells[cell / columns()][cell % columns()]->setText(Covered);
    Timer1->scheduleNext(interval);
}

void TTableForm::FinishTableRun() {
    Main.SetRunState(RunState::RunEnded);
    Timer1->stop();
    Score = 0;
    if (isTestMode() && Table.complete())
        AskTestQuestions();
    else
        coverCells();
    Main.CourseRunEnded(true);
}

void TTableForm::coverCells() {
    for (int i = 0; i < rows(); ++i) {
        for (int j = 0; j < columns(); ++j)
            Cells[i][j]->setText(Covered);
    }
}

void TTableForm::resizeEvent(QResizeEvent* event) {
    QMdiSubWindow::resizeEvent(event);
    if (BkGrPanel)
        CentreGrid();
}

void TTableForm::closeEvent(QCloseEvent* event) {
    // The window lives as long as the program.
    if (!Main.Closing)
        event->ignore();
}
