#include "dialogs/Unitadvice.h"

#include "dialogs/DialogStyle.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int ClientWidth = 334;
constexpr int ClientHeight = 195;
constexpr int PanelHeight = 149;
constexpr int TipHeight = 104; // the tip stands in the lower part of the panel

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, int left) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(caption);
    button->setGeometry(left, 162, 75, 25);
    return button;
}

} // namespace

TAdviceForm::TAdviceForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AdviceForm"));
    setWindowTitle(QStringLiteral("Skimora Советы"));
    applyDialogStyle(this);
    setFixedSize(ClientWidth, ClientHeight);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(1);
    Panel1->setAutoFillBackground(true);
    QPalette white = Panel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    Panel1->setPalette(white);
    Panel1->setGeometry(0, 0, ClientWidth, PanelHeight);

    Label1 = new QLabel(Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAccessibleDescription(QStringLiteral("Совет"));
    Label1->setWordWrap(false);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette black = Label1->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    Label1->setPalette(black);
    Label1->setGeometry(1, PanelHeight - TipHeight, ClientWidth - 2, TipHeight - 1);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Bevel1->setGeometry(0, PanelHeight + 4, ClientWidth, 2);

    CheckBox1 = new QCheckBox(QStringLiteral("советовать"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setAccessibleName(CheckBox1->text());
    CheckBox1->setGeometry(8, 166, 120, 17);
    CheckBox1->setChecked(true);

    BitBtn1 = makeButton(this, "BitBtn1", QStringLiteral("OK"), 164);
    BitBtn1->setDefault(true);
    BitBtn2 = makeButton(this, "BitBtn2", QStringLiteral("Помощь"), 251);

    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}
