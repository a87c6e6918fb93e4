#include "table/Unitdlgtable.h"

#include "platform/HelpContext.h"
#include "table/SizePickerGrid.h"
#include "training/TrainingState.h"
#include "widgets/Colours.h"
#include "widgets/WidgetHelpers.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

#include <algorithm>

namespace {

constexpr int StatusHeight = 19;
constexpr int PanelBevel = 2; // raised outer and inner bevel, one pixel each
using SizePickerGrid::Origin;
using SizePickerGrid::Pitch;
using SizePickerGrid::SquareSide;

} // namespace

TFormDlgTable::TFormDlgTable(QWidget* frame, const QWidget* sizeButton, TrainingState& state)
    : QWidget(frame, Qt::Popup), SizeButton(sizeButton), State(state) {
    setObjectName(QStringLiteral("FormDlgTable"));
    setWindowTitle(QStringLiteral("Размер таблицы"));
    setAccessibleName(QStringLiteral("Размер таблицы"));
    setProperty("helpContext", HelpContext::TableSizePicker);
    setFixedSize(PickerWidth, PickerHeight);
    // Every pointer move reaches the window itself, with or without a button down.
    setMouseTracking(true);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::WinPanel | QFrame::Raised);
    Panel1->setAutoFillBackground(true);
    fillWith(Panel1, QPalette::Window, DarkBlue);
    Panel1->setGeometry(0, 0, PickerWidth, PickerHeight);
    Panel1->setEnabled(false);
    Panel1->setAttribute(Qt::WA_TransparentForMouseEvents);

    PanelStatus = new QLabel(Panel1);
    PanelStatus->setObjectName(QStringLiteral("PanelStatus"));
    PanelStatus->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PanelStatus->setLineWidth(1);
    PanelStatus->setAlignment(Qt::AlignCenter);
    PanelStatus->setAutoFillBackground(true);
    fillWith(PanelStatus, QPalette::Window, LightBlue);
    // The strip belongs to a disabled panel but reads in black all the same.
    QPalette statusPalette = PanelStatus->palette();
    statusPalette.setColor(QPalette::Disabled, QPalette::WindowText, Qt::black);
    PanelStatus->setPalette(statusPalette);
    PanelStatus->setGeometry(PanelBevel, PickerHeight - PanelBevel - StatusHeight,
                             PickerWidth - 2 * PanelBevel, StatusHeight);
    PanelStatus->setText(SizePickerGrid::statusText(0, 0));
    PanelStatus->setAccessibleDescription(QStringLiteral("Размер таблицы"));
    PanelStatus->setAttribute(Qt::WA_TransparentForMouseEvents);

    for (int i = 0; i < GridSide; ++i) {
        for (int j = 0; j < GridSide; ++j) {
            auto* square = new QFrame(this);
            square->setObjectName(QStringLiteral("PickerCell_%1_%2").arg(i).arg(j));
            square->setAccessibleName(QString::number(j + 1) + QStringLiteral(" x ") +
                                      QString::number(i + 1));
            square->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            square->setLineWidth(1);
            square->setAutoFillBackground(true);
            fillWith(square, QPalette::Window, DarkBlue);
            square->setGeometry(Pitch * j + Origin, Pitch * i + Origin, SquareSide, SquareSide);
            square->setEnabled(false);
            square->setAttribute(Qt::WA_TransparentForMouseEvents);
            PickerCells[i][j] = square;
        }
    }
}

void TFormDlgTable::showEvent(QShowEvent* event) {
    FormShow();
    QWidget::showEvent(event);
}

void TFormDlgTable::FormShow() {
    const QWidget* button = SizeButton;
    const QPoint corner = button->mapToGlobal(QPoint(0, 0));
    move(corner.x(), corner.y() + button->height()); // the size is fixed from the start
    hoverPresentSize();
    lightBlock(true);
}

void TFormDlgTable::hoverPresentSize() {
    HoverColumn = std::clamp(State.Column(), 1, GridSide) - 1;
    HoverRow = std::clamp(State.Row(), 1, GridSide) - 1;
}

void TFormDlgTable::lightBlock(bool lit) {
    Lit = lit;
    for (int i = 0; i < GridSide; ++i) {
        for (int j = 0; j < GridSide; ++j) {
            const bool on = lit && j <= HoverColumn && i <= HoverRow;
            fillWith(PickerCells[i][j], QPalette::Window, on ? LightBlue : DarkBlue);
        }
    }
    PanelStatus->setText(lit ? SizePickerGrid::statusText(HoverColumn + 1, HoverRow + 1)
                             : SizePickerGrid::statusText(0, 0));
}

void TFormDlgTable::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    FormMouseMove(at.x(), at.y());
}

void TFormDlgTable::FormMouseMove(int X, int Y) {
    // Outside the grid the last hover square is kept, though nothing is lit.
    const bool inside = SizePickerGrid::inside(X, Y);
    if (inside) {
        HoverColumn = SizePickerGrid::indexAt(X);
        HoverRow = SizePickerGrid::indexAt(Y);
    }
    lightBlock(inside);
}

void TFormDlgTable::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    FormMouseUp(at.x(), at.y());
}

// The size is the one of the last move inside the grid, not recomputed from the release point.
void TFormDlgTable::FormMouseUp(int X, int Y) {
    if (SizePickerGrid::inside(X, Y))
        takeHoverSize();
    hide();
}

void TFormDlgTable::takeHoverSize() {
    State.setTableSize(HoverColumn + 1, HoverRow + 1);
}

void TFormDlgTable::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        hide();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (Lit)
            takeHoverSize();
        hide();
        break;
    case Qt::Key_Left:
        moveHover(-1, 0);
        break;
    case Qt::Key_Right:
        moveHover(1, 0);
        break;
    case Qt::Key_Up:
        moveHover(0, -1);
        break;
    case Qt::Key_Down:
        moveHover(0, 1);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

// The arrows move the lit corner. With nothing lit (the pointer has left the grid) the first
// one lights the table's present size again.
void TFormDlgTable::moveHover(int columns, int rows) {
    if (Lit) {
        HoverColumn = std::clamp(HoverColumn + columns, 0, GridSide - 1);
        HoverRow = std::clamp(HoverRow + rows, 0, GridSide - 1);
    } else {
        hoverPresentSize();
    }
    lightBlock(true);
}

void TFormDlgTable::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    FormDeactivate();
}

// Every way of closing the picker passes here once, from hideEvent.
void TFormDlgTable::FormDeactivate() {
    if (isVisible()) {
        hide(); // comes back here through hideEvent
        return;
    }
    if (State.Closing())
        return;
    emit controlsChanged();
    // The focus goes back to the table window, which lays out the size just taken.
    emit closed();
}
