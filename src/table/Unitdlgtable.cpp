#include "table/Unitdlgtable.h"

#include "platform/HelpContext.h"
#include "shell/Unitfrmain.h"

#include <QFrame>
#include <QLabel>

namespace {

const QColor DarkBlue(34, 50, 166);
const QColor LightBlue(163, 185, 218);
constexpr int StatusHeight = 19;
constexpr int PanelBevel = 2; // raised outer and inner bevel, one pixel each
constexpr int SquareSide = 9;
constexpr int SquarePitch = 10;
constexpr int GridOrigin = 5;

void fillWith(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

} // namespace

TFormDlgTable::TFormDlgTable(TMainForm& mainForm) : QWidget(&mainForm, Qt::Popup), Main(mainForm) {
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
    PanelStatus->setText(QStringLiteral("0 x 0"));
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
            square->setGeometry(SquarePitch * j + GridOrigin, SquarePitch * i + GridOrigin,
                                SquareSide, SquareSide);
            square->setEnabled(false);
            square->setAttribute(Qt::WA_TransparentForMouseEvents);
            PickerCells[i][j] = square;
        }
    }
}
