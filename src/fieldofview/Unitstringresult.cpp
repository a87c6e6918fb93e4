#include "fieldofview/Unitstringresult.h"

#include "dialogs/DialogStyle.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

const QColor Maroon(128, 0, 0);
const QColor Navy(0, 0, 128);
constexpr int DialogWidth = 264;
constexpr int CaptionLeft = 12;
constexpr int ValueLeft = 148;
constexpr int LabelHeight = 16;

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

void setBold(QLabel* label) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
}

QLabel* makeCaption(QWidget* parent, const char* name, const QString& text, int top) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setAccessibleName(text);
    label->setGeometry(CaptionLeft, top, ValueLeft - CaptionLeft - 4, LabelHeight);
    return label;
}

// A value label is named by what it shows, so it carries no fixed accessible name.
QLabel* makeValue(QWidget* parent, const char* name, const QString& description, int top) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setAccessibleDescription(description);
    label->setGeometry(ValueLeft, top, DialogWidth - ValueLeft - 8, LabelHeight);
    return label;
}

} // namespace

TStringResultForm::TStringResultForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("StringResultForm"));
    setWindowTitle(QStringLiteral("Результат"));
    applyDialogStyle(this);
    setFixedSize(DialogWidth, 168);

    Label7 = new QLabel(this);
    Label7->setObjectName(QStringLiteral("Label7"));
    Label7->setAccessibleDescription(QStringLiteral("Результат теста"));
    Label7->setAlignment(Qt::AlignCenter);
    Label7->setGeometry(8, 8, DialogWidth - 16, 20);
    setBold(Label7);
    setTextColour(Label7, Maroon);

    Label1 = makeCaption(this, "Label1", QStringLiteral("Правильный ответ:"), 36);
    setBold(Label1);
    Label4 = makeValue(this, "Label4", Label1->text(), 36);
    setBold(Label4);
    setTextColour(Label4, Maroon);

    // The heading sits on the rule, its own background hiding the line behind it.
    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Bevel1->setGeometry(8, 68, DialogWidth - 16, 2);
    Label8 = new QLabel(QStringLiteral(" Рекомендуемые параметры: "), this);
    Label8->setObjectName(QStringLiteral("Label8"));
    Label8->setAccessibleName(Label8->text().trimmed());
    Label8->setAutoFillBackground(true);
    setTextColour(Label8, Maroon);
    Label8->adjustSize();
    Label8->move(CaptionLeft, 69 - Label8->height() / 2);

    Label2 = makeCaption(this, "Label2", QStringLiteral("Ширина поля чтения:"), 80);
    Label5 = makeValue(this, "Label5", Label2->text(), 80);
    setTextColour(Label5, Navy);
    Label3 = makeCaption(this, "Label3", QStringLiteral("Скорость чтения:"), 100);
    Label6 = makeValue(this, "Label6", Label3->text(), 100);
    setTextColour(Label6, Navy);

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setAccessibleName(BitBtn1->text());
    BitBtn1->setDefault(true);
    BitBtn1->setGeometry((DialogWidth - 75) / 2, 130, 75, 25);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

void TStringResultForm::fill(bool right, int answer, int recommendWide, int recommendSpeed) {
    Label7->setText(right ? QStringLiteral("ПРАВИЛЬНО!") : QStringLiteral("НЕПРАВИЛЬНО!"));
    Label4->setText(QString::number(answer));
    Label5->setText(QString::number(recommendWide) + QStringLiteral(" симв"));
    Label6->setText(QString::number(recommendSpeed) + QStringLiteral(" симв/мин"));
}
