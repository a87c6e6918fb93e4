#include "table/Unittableresult.h"

#include "dialogs/DialogStyle.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

const QColor Maroon(128, 0, 0);
const QColor Navy(0, 0, 128);
constexpr int CaptionLeft = 12;
constexpr int ValueLeft = 140;
constexpr int LabelWidth = 124;
constexpr int LabelHeight = 16;

QLabel* makeCaption(QWidget* parent, const char* name, const QString& text, int top, bool bold) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setAccessibleName(text);
    label->setGeometry(CaptionLeft, top, LabelWidth, LabelHeight);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

// A value label is named by what it shows, so it carries no fixed accessible name.
QLabel* makeValue(QWidget* parent, const char* name, const QString& description, int top,
                  const QColor& colour, bool bold) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setAccessibleDescription(description);
    label->setGeometry(ValueLeft, top, LabelWidth - 8, LabelHeight);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

QFrame* makeRule(QWidget* parent, const char* name, int top) {
    auto* rule = new QFrame(parent);
    rule->setObjectName(QLatin1String(name));
    rule->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    rule->setGeometry(8, top, 248, 2);
    return rule;
}

} // namespace

TTableResultForm::TTableResultForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TableResultForm"));
    setWindowTitle(QStringLiteral("Результат"));
    applyDialogStyle(this);
    setFixedSize(264, 160);

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

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setAccessibleName(BitBtn1->text());
    BitBtn1->setDefault(true);
    BitBtn1->setGeometry(94, 122, 75, 25);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}
