#include "table/Unitfrtable.h"

#include "exercise/ExerciseHost.h"
#include "platform/PacedTimer.h"
#include "table/TableScore.h"
#include "training/TrainingState.h"
#include "widgets/Colours.h"
#include "widgets/WidgetHelpers.h"

#include <QFrame>
#include <QLabel>
#include <QMessageBox>

namespace {

const QString Covered = QStringLiteral("*");
const QString LeftOut = QStringLiteral("X");

} // namespace

TTableForm::TTableForm(TrainingState& state, ExerciseHost& host)
    : ExerciseWindow(ExerciseKind::Table, state, host) {
    Client = makeDarkClient(QStringLiteral("TableFormClient"));

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
            fillWith(cell, QPalette::Window, LightBlue);
            fillWith(cell, QPalette::WindowText, Qt::black);
            cell->hide();
            Cells[i][j] = cell;
        }
    }

    connect(Timer1, &QTimer::timeout, this, &TTableForm::Timer1Timer);
}

void TTableForm::setDialogs(TAnsTableForm* questions, TTableResultForm* result) {
    AnsTableForm = questions;
    TableResultForm = result;
}

// The settings and the picker keep the size within 1..10; the grid never reads beyond it.
int TTableForm::columns() const {
    return TableGeometry::sideInRange(State.Column());
}

int TTableForm::rows() const {
    return TableGeometry::sideInRange(State.Row());
}

void TTableForm::FormActivate() {
    Host.setStatusPanel(3, QString());
    SizeGrid();
    CentreGrid();
    BkGrPanel->show();

    const QFont font(State.FontName(), State.FontSize());
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
}

void TTableForm::SizeGrid() {
    CellSize = TableGeometry::cellSizeFor(State.CharWidth());
    BkGrPanel->resize(TableGeometry::panelSize(CellSize, columns(), rows()));
}

void TTableForm::CentreGrid() {
    BkGrPanel->move(TableGeometry::centredOrigin(Client->size(), CellSize, columns(), rows()));
}

void TTableForm::StartTableRun() {
    Table.begin(rows() * columns());
    if (State.TestMode() && Table.CellCount < NumberTable::MissingCount) {
        QMessageBox box(QMessageBox::Information, QStringLiteral("Information"),
                        QStringLiteral("Минимальный размер таблицы три клетки!"), QMessageBox::Ok);
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
        // Nothing to run: back to rest, as after Stop.
        stop();
        return;
    }
    GenerateNumbers();
    const bool test = State.TestMode();
    for (int i = 0; i < rows(); ++i) {
        for (int j = 0; j < columns(); ++j) {
            const int number = Table.Numbers[i * columns() + j];
            Cells[i][j]->setText(test && number == 0 ? LeftOut : QString::number(number));
        }
    }
    Timer1->startPaced(firstCrossOutDelay(State.CharInterval(), columns()));
}

void TTableForm::GenerateNumbers() {
    Table.GenerateNumbers(State.TestMode(), Random);
}

void TTableForm::Timer1Timer() {
    // Read afresh at every step: a speed change during the run counts from the next number.
    const int interval = crossOutInterval(State.CharInterval(), State.ReadingFieldWidth());
    const int cell = Table.crossOutNext();
    if (cell < 0) {
        stop();
        return;
    }
    Cells[cell / columns()][cell % columns()]->setText(Covered);
    Timer1->scheduleNext(interval);
}

void TTableForm::FinishTableRun() {
    Score = 0;
    const bool test = State.TestMode();
    RunResult result = runResult();
    result.textName = TableScore::sizeText(State.Column(), State.Row());
    result.stopped = !Table.complete();
    if (test && Table.complete()) {
        if (AskTestQuestions()) {
            result.right = Score;
            result.outOf = NumberTable::MissingCount;
            result.shown = TableScore::missingText(Table.MissingNumbers);
        }
    } else {
        coverCells();
    }
    if (Table.Step > 0)
        emit runFinished(result);
    finishRun(true);
}

void TTableForm::coverCells() {
    for (int i = 0; i < rows(); ++i) {
        for (int j = 0; j < columns(); ++j)
            Cells[i][j]->setText(Covered);
    }
}

void TTableForm::resizeEvent(QResizeEvent* event) {
    ExerciseWindow::resizeEvent(event);
    if (BkGrPanel)
        CentreGrid();
}
