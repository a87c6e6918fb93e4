#include "table/Unitfranstable.h"

#include "dialogs/DialogStyle.h"
#include "platform/HelpContext.h"

#include "widgets/WidgetHelpers.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLineEdit* makeEdit(QWidget* parent, const char* name, int number, int left) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setAccessibleName(QStringLiteral("Пропущенное число ") + QString::number(number));
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    edit->setPalette(palette);
    edit->setGeometry(left, 24, 60, 21);
    return edit;
}

} // namespace

TAnsTableForm::TAnsTableForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AnsTableForm"));
    setWindowTitle(QStringLiteral("Вопросы к тесту"));
    setProperty("helpContext", HelpContext::TableQuestions);
    applyDialogStyle(this);
    setFixedSize(248, 116);

    GroupBox1 = new QGroupBox(QStringLiteral("Введите пропущенные числа:"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setAccessibleName(GroupBox1->title());
    GroupBox1->setGeometry(8, 8, 232, 60);
    Edit1 = makeEdit(GroupBox1, "Edit1", 1, 12);
    Edit2 = makeEdit(GroupBox1, "Edit2", 2, 86);
    Edit3 = makeEdit(GroupBox1, "Edit3", 3, 160);

    // Tab goes through the three numbers first, then to OK and Cancel.
    BitBtn1 = makeDialogButton(this, "BitBtn1", QStringLiteral("OK"), 40, 80);
    BitBtn1->setDefault(true);
    BitBtn2 = makeDialogButton(this, "BitBtn2", QStringLiteral("Отмена"), 133, 80);
    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, Edit3);
    setTabOrder(Edit3, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);

    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

// The dialog opens with the focus in the first number; Enter there answers with OK.
void TAnsTableForm::clearAnswers() {
    for (QLineEdit* edit : {Edit1, Edit2, Edit3})
        edit->setText(QStringLiteral("0"));
}

std::array<QString, 3> TAnsTableForm::answers() const {
    return {Edit1->text(), Edit2->text(), Edit3->text()};
}

void TAnsTableForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Edit1->setFocus();
    Edit1->selectAll();
}
