#include "text/Unitfranstext.h"

#include "dialogs/DialogStyle.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TAnsTextForm::TAnsTextForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AnsTextForm"));
    setWindowTitle(QStringLiteral("Вопросы к тесту"));
    setProperty("helpContext", 340);
    applyDialogStyle(this);
    setFixedSize(338, 352);

    const std::array<int, 5> tops{6, 68, 130, 192, 254};
    for (int q = 0; q < 5; ++q) {
        auto* box = new QGroupBox(this);
        box->setObjectName(QStringLiteral("RadioGroup%1").arg(q + 1));
        box->setGeometry(6, tops[q], 325, 57);
        auto* layout = new QVBoxLayout(box);
        layout->setContentsMargins(8, 2, 4, 2);
        layout->setSpacing(0);
        Groups[q] = new QButtonGroup(box);
        for (int i = 0; i < 3; ++i) {
            auto* item = new QRadioButton(box);
            item->setObjectName(QStringLiteral("RadioGroup%1Item%2").arg(q + 1).arg(i));
            layout->addWidget(item);
            Groups[q]->addButton(item, i);
            Items[q][i] = item;
        }
        RadioGroups[q] = box;
    }
    OkButton = new QPushButton(QStringLiteral("OK"), this);
    OkButton->setObjectName(QStringLiteral("BitBtn1"));
    OkButton->setGeometry(88, 318, 75, 25);
    OkButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Отмена"), this);
    CancelButton->setObjectName(QStringLiteral("BitBtn2"));
    CancelButton->setGeometry(175, 318, 75, 25);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TAnsTextForm::setQuestion(int q, const QString& question,
                               const std::array<QString, 3>& answers) {
    RadioGroups.at(q)->setTitle(question);
    RadioGroups.at(q)->setAccessibleName(question);
    for (int i = 0; i < 3; ++i) {
        Items.at(q)[i]->setText(answers[i]);
        Items.at(q)[i]->setAccessibleName(answers[i]);
    }
}

void TAnsTextForm::clearChoices() {
    for (QButtonGroup* group : Groups) {
        group->setExclusive(false);
        for (QAbstractButton* b : group->buttons())
            b->setChecked(false);
        group->setExclusive(true);
    }
}

int TAnsTextForm::chosen(int q) const {
    return Groups.at(q)->checkedId();
}

void TAnsTextForm::choose(int q, int item) {
    Items.at(q).at(item)->setChecked(true);
}
