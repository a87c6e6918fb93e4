#include "text/Unitfranstext.h"

#include "dialogs/DialogStyle.h"
#include "platform/HelpContext.h"
#include "widgets/TWrapRadioButton.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
const QSize DialogSize(338, 352); // for questions and answers of one line each
const QSize GroupSize(325, 57);
} // namespace

TAnsTextForm::TAnsTextForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AnsTextForm"));
    setWindowTitle(QStringLiteral("Вопросы к тесту"));
    setProperty("helpContext", HelpContext::TextQuestions);
    applyDialogStyle(this);

    // Five questions one under the other, each with its three answers, in groups of 325 x 57
    // pixels; long questions and answers wrap, and their group and the dialog grow as far as
    // the texts need.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 7, 6);
    layout->setSpacing(5);
    for (int q = 0; q < 5; ++q) {
        auto* box = new QGroupBox(this);
        box->setObjectName(QStringLiteral("RadioGroup%1").arg(q + 1));
        box->setFixedSize(GroupSize);
        auto* column = new QVBoxLayout(box);
        column->setContentsMargins(8, 1, 6, 1);
        column->setSpacing(0);
        Questions[q] = new QLabel(box);
        Questions[q]->setWordWrap(true);
        QFont bold = Questions[q]->font();
        bold.setBold(true);
        Questions[q]->setFont(bold);
        column->addWidget(Questions[q]);
        Groups[q] = new QButtonGroup(box);
        for (int i = 0; i < 3; ++i) {
            auto* item = new TWrapRadioButton(box);
            item->setObjectName(QStringLiteral("RadioGroup%1Item%2").arg(q + 1).arg(i));
            column->addWidget(item);
            Groups[q]->addButton(item, i);
            Items[q][i] = item;
        }
        RadioGroups[q] = box;
        layout->addWidget(box);
    }
    auto* buttons = new QHBoxLayout;
    OkButton = new QPushButton(QStringLiteral("OK"), this);
    OkButton->setObjectName(QStringLiteral("BitBtn1"));
    OkButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Отмена"), this);
    CancelButton->setObjectName(QStringLiteral("BitBtn2"));
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addWidget(CancelButton);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    setFixedWidth(DialogSize.width());
}

void TAnsTextForm::setQuestion(int q, const QString& question,
                               const std::array<QString, 3>& answers) {
    Questions.at(q)->setText(question);
    RadioGroups.at(q)->setAccessibleName(question);
    for (int i = 0; i < 3; ++i) {
        Items.at(q)[i]->setText(answers[i]);
        Items.at(q)[i]->setAccessibleName(answers[i]);
    }
    fitGroup(q);
    setFixedHeight(std::max(DialogSize.height(), layout()->totalHeightForWidth(width())));
}

// Each text as tall as its wrapped lines, the group as tall as its texts, never below 57.
void TAnsTextForm::fitGroup(int q) {
    QGroupBox* box = RadioGroups.at(q);
    box->ensurePolished(); // the face the dialog is shown with decides the lines
    const QMargins margins = box->layout()->contentsMargins();
    const int textWidth = box->contentsRect().width() - margins.left() - margins.right();
    int height = box->height() - box->contentsRect().height() + margins.top() + margins.bottom();
    QList<QWidget*> texts{Questions.at(q)};
    for (QRadioButton* item : Items.at(q))
        texts << item;
    for (QWidget* text : texts) {
        text->ensurePolished();
        text->setFixedHeight(text->heightForWidth(textWidth));
        height += text->height();
    }
    box->setFixedHeight(std::max(GroupSize.height(), height));
}

QString TAnsTextForm::question(int q) const {
    return Questions.at(q)->text();
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
