#include "text/Unittextresult.h"

#include "dialogs/DialogStyle.h"
#include "widgets/Colours.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel* makeLabel(const char* name, const QString& text, bool bold, const QColor& colour,
                  QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, colour);
    label->setPalette(pal);
    return label;
}

QFrame* makeBevel(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

void TTextResultForm::fill(int right, int volume, int speed, int actualSpeed, int wordsPerMinute,
                           int comprehension) {
    Label4->setText(QString::number(right) + QStringLiteral(" из 5"));
    Label5->setText(QString::number(volume) + QStringLiteral(" симв"));
    Label6->setText(QString::number(speed) + QStringLiteral(" симв/мин"));
    LabelActualValue->setText(QString::number(actualSpeed) + QStringLiteral(" симв/мин"));
    LabelWordsValue->setText(QString::number(wordsPerMinute) + QStringLiteral(" слов/мин"));
    LabelComprehensionValue->setText(QString::number(comprehension) + QStringLiteral(" %"));
}

TTextResultForm::TTextResultForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TextResultForm"));
    setWindowTitle(QStringLiteral("Результат"));
    applyDialogStyle(this);

    Label1 = makeLabel("Label1", QStringLiteral("Правильных ответов:"), true, Qt::black, this);
    Label4 = makeLabel("Label4", QString(), true, Maroon, this);
    Label2 = makeLabel("Label2", QStringLiteral("Объем текста:"), false, Qt::black, this);
    Label5 = makeLabel("Label5", QString(), false, Navy, this);
    Label3 =
        makeLabel("Label3", QStringLiteral("Средняя скорость чтения:"), false, Qt::black, this);
    Label6 = makeLabel("Label6", QString(), false, Navy, this);
    LabelComprehension =
        makeLabel("LabelComprehension", QStringLiteral("Понимание:"), false, Qt::black, this);
    LabelComprehensionValue = makeLabel("LabelComprehensionValue", QString(), false, Maroon, this);
    LabelActual =
        makeLabel("LabelActual", QStringLiteral("Фактическая скорость:"), false, Qt::black, this);
    LabelActualValue = makeLabel("LabelActualValue", QString(), false, Navy, this);
    LabelWords = makeLabel("LabelWords", QStringLiteral("Слов в минуту:"), false, Qt::black, this);
    LabelWordsValue = makeLabel("LabelWordsValue", QString(), false, Navy, this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Label4, 0, 1);
    grid->addWidget(LabelComprehension, 1, 0);
    grid->addWidget(LabelComprehensionValue, 1, 1);
    grid->addWidget(makeBevel(this), 2, 0, 1, 2);
    grid->addWidget(Label2, 3, 0);
    grid->addWidget(Label5, 3, 1);
    grid->addWidget(Label3, 4, 0);
    grid->addWidget(Label6, 4, 1);
    grid->addWidget(LabelActual, 5, 0);
    grid->addWidget(LabelActualValue, 5, 1);
    grid->addWidget(LabelWords, 6, 0);
    grid->addWidget(LabelWordsValue, 6, 1);
    grid->addWidget(makeBevel(this), 7, 0, 1, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    grid->addWidget(buttons, 8, 0, 1, 2);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}
