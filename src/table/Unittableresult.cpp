#include "table/Unittableresult.h"

#include "dialogs/DialogStyle.h"
#include "widgets/Colours.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr int Margin = 12;
constexpr int ColumnGap = 10;
constexpr int LabelHeight = 16;
// The widest values the lines can show.
const QString WidestValues[] = {QStringLiteral("3 из 3"), QStringLiteral("10 x 10 клет."),
                                QStringLiteral("10000 симв/мин"), QStringLiteral("100, 100, 100")};

void setBold(QLabel* label, bool bold) {
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
}

QLabel* makeCaption(QWidget* parent, const char* name, const QString& text, int top, bool bold) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setAccessibleName(text);
    setBold(label, bold);
    label->move(Margin, top);
    label->resize(label->sizeHint().width(), LabelHeight);
    return label;
}

// A value label is named by what it shows, so it carries no fixed accessible name.
QLabel* makeValue(QWidget* parent, const char* name, const QString& description, int top,
                  const QColor& colour, bool bold) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setAccessibleDescription(description);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    setBold(label, bold);
    label->move(0, top);
    return label;
}

QFrame* makeRule(QWidget* parent, const char* name, int top) {
    auto* rule = new QFrame(parent);
    rule->setObjectName(QLatin1String(name));
    rule->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    rule->move(8, top);
    return rule;
}

} // namespace

void TTableResultForm::fill(const QString& score, const QString& size, const QString& speed,
                            const QString& missing) {
    Label4->setText(score);
    Label5->setText(size);
    Label8->setText(speed);
    Label6->setText(missing);
}

TTableResultForm::TTableResultForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TableResultForm"));
    setWindowTitle(QStringLiteral("Результат"));
    applyDialogStyle(this);

    Label1 = makeCaption(this, "Label1", QStringLiteral("Правильных ответов:"), 12, true);
    Label4 = makeValue(this, "Label4", Label1->text(), 12, Maroon, true);
    Bevel1 = makeRule(this, "Bevel1", 34);
    Label2 = makeCaption(this, "Label2", QStringLiteral("Размер таблицы:"), 42, false);
    Label5 = makeValue(this, "Label5", Label2->text(), 42, Navy, false);
    Label7 = makeCaption(this, "Label7", QStringLiteral("Скорость чтения:"), 62, false);
    Label8 = makeValue(this, "Label8", Label7->text(), 62, Navy, false);
    Label3 = makeCaption(this, "Label3", QStringLiteral("Отсутствуют числа:"), 82, false);
    Label6 = makeValue(this, "Label6", Label3->text(), 82, Navy, false);
    Bevel2 = makeRule(this, "Bevel2", 104);

    // Values start after the widest caption and leave room for the widest value.
    const QLabel* captions[] = {Label1, Label2, Label7, Label3};
    QLabel* values[] = {Label4, Label5, Label8, Label6};
    int valueLeft = 0;
    for (const QLabel* caption : captions)
        valueLeft = std::max(valueLeft, caption->geometry().right() + 1 + ColumnGap);
    int valueWidth = 0;
    for (int line = 0; line < 4; ++line)
        valueWidth =
            std::max(valueWidth, values[line]->fontMetrics().horizontalAdvance(WidestValues[line]));
    for (QLabel* value : values)
        value->setGeometry(valueLeft, value->y(), valueWidth + 4, LabelHeight);
    const int width = valueLeft + valueWidth + 4 + Margin;
    setFixedSize(width, 160);
    Bevel1->resize(width - 16, 2);
    Bevel2->resize(width - 16, 2);

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setAccessibleName(BitBtn1->text());
    BitBtn1->setDefault(true);
    BitBtn1->setGeometry((width - 75) / 2, 122, 75, 25);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}
