#include "table/Unitfrtable.h"

#include "platform/HelpContext.h"
#include "shell/SpeedRegulator.h"
#include "shell/Unitfrmain.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QTimer>
#include <QToolButton>

namespace {

const QColor DarkBlue(34, 50, 166);
const QColor CellFace(163, 185, 218);

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
            cell->setAccessibleName(QStringLiteral("Клетка ") + QString::number(i + 1) +
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

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(0);
}

void TTableForm::FormActivate() {
    if (Main.Closing || (Main.SpeedButton3 && Main.SpeedButton3->isEnabled()))
        return;
    Main.setStatusPanel(1, SpeedRegulator::recommendedWidthInCellsPanel(Main.RecommendWide));
    Main.setStatusPanel(3, QString());
    Main.HintPanelLeft = 0;
    Main.HintPanelRight = 0;
    if (Main.LastExercise != 2) {
        Main.LastExercise = 2;
        ShowTableAdvice();
    }
}

// The subtracted extent is the full pitch times the count, trailing gap included; the offsets
// go negative when the grid is larger than the window.
void TTableForm::CentreGrid() {
    const int pitch = CellSize + CellGap;
    BkGrPanel->move((Client->width() - pitch * Main.Column) / 2,
                    (Client->height() - pitch * Main.Row) / 2);
}

void TTableForm::StartTableRun() {
    // Filling and crossing out the numbers is not built yet: a run shows nothing.
}

void TTableForm::FinishTableRun() {
    Main.SetRunState(RunState::RunEnded);
    Timer1->stop();
}

void TTableForm::closeEvent(QCloseEvent* event) {
    // The window lives as long as the program.
    if (!Main.Closing)
        event->ignore();
}
