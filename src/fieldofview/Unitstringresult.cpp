#include "fieldofview/Unitstringresult.h"

#include "dialogs/DialogStyle.h"
#include "widgets/Colours.h"
#include "widgets/WidgetHelpers.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr int NarrowestWidth = 264;
constexpr int CaptionLeft = 12;
constexpr int LabelHeight = 16;

QLabel* makeCaption(QWidget* parent, const char* name, const QString& text, int top) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setAccessibleName(text);
    label->setGeometry(CaptionLeft, top, label->sizeHint().width(), LabelHeight);
    return label;
}

// A value label is named by what it shows, so it carries no fixed accessible name. It stands
// on its caption's line; the constructor lines the values up once all captions exist.
QLabel* makeValue(QWidget* parent, const char* name, QLabel* caption) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setAccessibleDescription(caption->text());
    label->move(0, caption->y());
    return label;
}

} // namespace

TStringResultForm::TStringResultForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("StringResultForm"));
    setWindowTitle(QStringLiteral("Результат"));
    applyDialogStyle(this);

    Label7 = new QLabel(this);
    Label7->setObjectName(QStringLiteral("Label7"));
    Label7->setAccessibleDescription(QStringLiteral("Результат теста"));
    Label7->setAlignment(Qt::AlignCenter);
    setBold(Label7);
    setTextColour(Label7, Maroon);

    Label1 = makeCaption(this, "Label1", QStringLiteral("Правильный ответ:"), 36);
    setBold(Label1);
    Label1->resize(Label1->sizeHint().width(), LabelHeight); // bold is wider
    Label4 = makeValue(this, "Label4", Label1);
    setBold(Label4);
    setTextColour(Label4, Maroon);

    // The heading sits on the rule, its own background hiding the line behind it.
    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Label8 = new QLabel(QStringLiteral(" Рекомендуемые параметры: "), this);
    Label8->setObjectName(QStringLiteral("Label8"));
    Label8->setAccessibleName(Label8->text().trimmed());
    Label8->setAutoFillBackground(true);
    setTextColour(Label8, Maroon);
    Label8->adjustSize();
    Label8->move(CaptionLeft, 69 - Label8->height() / 2);

    Label2 = makeCaption(this, "Label2", QStringLiteral("Ширина поля чтения:"), 80);
    Label5 = makeValue(this, "Label5", Label2);
    setTextColour(Label5, Navy);
    Label3 = makeCaption(this, "Label3", QStringLiteral("Скорость чтения:"), 100);
    Label6 = makeValue(this, "Label6", Label3);
    setTextColour(Label6, Navy);

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setAccessibleName(BitBtn1->text());
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    // The values stand in one column right of the widest caption, wide enough for the
    // longest value; the dialog grows with them when the font is large.
    const int valueLeft =
        CaptionLeft + 8 + std::max({Label1->width(), Label2->width(), Label3->width()});
    const int valueWidth =
        Label6->fontMetrics().horizontalAdvance(QStringLiteral("10000 симв/мин")) + 4;
    const int width = std::max(NarrowestWidth, valueLeft + valueWidth + 12);
    for (QLabel* value : {Label4, Label5, Label6})
        value->setGeometry(valueLeft, value->y(), width - valueLeft - 8, LabelHeight);
    Label7->setGeometry(8, 8, width - 16, 20);
    Bevel1->setGeometry(8, 68, width - 16, 2);
    BitBtn1->setGeometry((width - 75) / 2, 130, 75, 25);
    setFixedSize(width, 168);
}

void TStringResultForm::fill(bool right, int answer, int recommendWide, int recommendSpeed) {
    Label7->setText(right ? QStringLiteral("ПРАВИЛЬНО!") : QStringLiteral("НЕПРАВИЛЬНО!"));
    Label4->setText(QString::number(answer));
    Label5->setText(QString::number(recommendWide) + QStringLiteral(" симв"));
    Label6->setText(QString::number(recommendSpeed) + QStringLiteral(" симв/мин"));
}
