#include "dialogs/Unitadvice.h"

#include "dialogs/DialogHelp.h"
#include "dialogs/DialogStyle.h"
#include "platform/HelpContext.h"
#include "platform/HelpViewer.h"
#include "training/ExerciseKinds.h"
#include "training/TrainingState.h"

#include "widgets/WidgetHelpers.h"

#include <QCheckBox>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int ClientWidth = 334;
constexpr int ClientHeight = 195;
constexpr int PanelHeight = 149;
constexpr int TipHeight = 104; // the tip stands in the lower part of the panel

} // namespace

TAdviceForm::TAdviceForm(QWidget* parent, const TrainingState& state,
                         std::function<HelpViewer*()> helpViewer)
    : QDialog(parent), State(state), Help(std::move(helpViewer)) {
    setObjectName(QStringLiteral("AdviceForm"));
    setWindowTitle(QStringLiteral("Skimora Советы"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
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
    Label1->setTextFormat(Qt::PlainText);
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

    BitBtn1 = makeDialogButton(this, "BitBtn1", QStringLiteral("OK"), 164, 162);
    BitBtn1->setDefault(true);
    BitBtn2 = makeDialogButton(this, "BitBtn2", QStringLiteral("Помощь"), 251, 162);

    // The frame's small face, in which the longest tips fit the panel. The frame's style sheet
    // reaches this dialog and keeps a face set on the dialog from passing to its controls, so
    // each control is given the face itself.
    QFont face;
    face.setFamilies(parent->font().families());
    face.setPixelSize(parent->font().pixelSize());
    for (QWidget* control : findChildren<QWidget*>())
        control->setFont(face);

    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &TAdviceForm::BitBtn2Click);
}

bool TAdviceForm::ShowAdvice(const QString& tip) {
    Label1->setText(tip);
    // OK answers Enter at every showing, also after the help button had the focus.
    BitBtn1->setDefault(true);
    BitBtn1->setFocus();
    exec();
    return CheckBox1->isChecked();
}

// Ticked at every showing, not at every activation: coming back from the help window must
// not undo the user's choice.
void TAdviceForm::showEvent(QShowEvent* event) {
    CheckBox1->setChecked(true);
    QDialog::showEvent(event);
}

void TAdviceForm::BitBtn2Click() {
    // The page of the kind whose tip this is: the kind activated last.
    const std::optional<ExerciseKind> kind = exerciseKindFromCode(State.LastExercise());
    if (!kind || describe(*kind).Tips < 0)
        return;
    DialogHelp::showOver(*Help(), this, describe(*kind).HelpContext);
}
