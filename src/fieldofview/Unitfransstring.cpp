#include "fieldofview/Unitfransstring.h"

#include "dialogs/DialogStyle.h"
#include "platform/HelpContext.h"

#include "widgets/WidgetHelpers.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TAnsStringForm::TAnsStringForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AnsStringForm"));
    setWindowTitle(QStringLiteral("Вопросы к тесту"));
    setProperty("helpContext", HelpContext::FieldOfViewAnswer);
    applyDialogStyle(this);
    setFixedSize(248, 128);

    // Created in tab order: OK first.
    BitBtn1 = makeDialogButton(this, "BitBtn1", QStringLiteral("OK"), 40, 90);
    BitBtn1->setDefault(true);
    BitBtn2 = makeDialogButton(this, "BitBtn2", QStringLiteral("Отмена"), 133, 90);

    Label1 = new QLabel(QStringLiteral("Введите ответ:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAccessibleName(Label1->text());
    Label1->setGeometry(12, 14, 96, 16);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setAccessibleName(Label1->text());
    QPalette editPalette = Edit1->palette();
    editPalette.setColor(QPalette::Base, Qt::white);
    editPalette.setColor(QPalette::Text, Qt::black);
    Edit1->setPalette(editPalette);
    Edit1->setGeometry(112, 11, 120, 21);
    Label1->setBuddy(Edit1);

    CheckBox1 = new QCheckBox(QStringLiteral("Я смотрел на маркер"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setAccessibleName(CheckBox1->text());
    CheckBox1->setGeometry(12, 48, 220, 17);

    setTabOrder(BitBtn1, BitBtn2);
    setTabOrder(BitBtn2, Edit1);
    setTabOrder(Edit1, CheckBox1);

    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

// Every showing starts with the marker box cleared and the typing in the answer box, where
// the first key replaces the "0" offered there.
void TAnsStringForm::clearAnswer() {
    Edit1->setText(QStringLiteral("0"));
}

QString TAnsStringForm::answer() const {
    return Edit1->text();
}

bool TAnsStringForm::lookedAtMarker() const {
    return CheckBox1->isChecked();
}

void TAnsStringForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CheckBox1->setChecked(false);
    Edit1->setFocus();
    Edit1->selectAll();
}
