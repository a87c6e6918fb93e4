#include "schulte/SchulteResultForm.h"

#include "dialogs/DialogStyle.h"
#include "platform/HelpContext.h"
#include "schulte/SchulteResult.h"
#include "widgets/Colours.h"
#include "widgets/WidgetHelpers.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel* addLine(QGridLayout* grid, const QString& caption, const QColor& colour) {
    const int row = grid->rowCount();
    auto* name = new QLabel(caption);
    auto* value = new QLabel;
    value->setAccessibleDescription(caption);
    setTextColour(value, colour);
    grid->addWidget(name, row, 0);
    grid->addWidget(value, row, 1);
    return value;
}

void setValue(QLabel* label, const QString& text) {
    label->setText(text);
    label->setAccessibleName(text);
}

} // namespace

TSchulteResultForm::TSchulteResultForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SchulteResultForm"));
    setWindowTitle(QStringLiteral("Результат"));
    setProperty("helpContext", HelpContext::SchulteResult);
    applyDialogStyle(this);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(12);
    TableValue = addLine(grid, QStringLiteral("Таблица:"), Navy);
    TimeValue = addLine(grid, QStringLiteral("Время:"), Maroon);
    setBold(TimeValue);
    MistakesValue = addLine(grid, QStringLiteral("Ошибок:"), Navy);
    PerCellValue = addLine(grid, QStringLiteral("Секунд на клетку:"), Navy);
    BestValue = addLine(grid, QStringLiteral("Лучшее время:"), Navy);
    TableValue->setObjectName(QStringLiteral("TableValue"));
    TimeValue->setObjectName(QStringLiteral("TimeValue"));
    MistakesValue->setObjectName(QStringLiteral("MistakesValue"));
    PerCellValue->setObjectName(QStringLiteral("PerCellValue"));
    BestValue->setObjectName(QStringLiteral("BestValue"));
    NewBest = new QLabel(QStringLiteral("Это ваше лучшее время для такой таблицы!"));
    NewBest->setObjectName(QStringLiteral("NewBest"));
    NewBest->setAccessibleName(NewBest->text());
    grid->addWidget(NewBest, grid->rowCount(), 0, 1, 2);
    OkButton = new QPushButton(QStringLiteral("OK"));
    OkButton->setObjectName(QStringLiteral("OkButton"));
    OkButton->setAccessibleName(OkButton->text());
    OkButton->setDefault(true);
    grid->addWidget(OkButton, grid->rowCount(), 0, 1, 2, Qt::AlignHCenter);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TSchulteResultForm::showResult(const SchulteResult& r) {
    setValue(TableValue, SchulteFigures::tableName(r.Side, r.Variant));
    setValue(TimeValue, SchulteFigures::seconds(r.TimeMs) + QStringLiteral(" с"));
    setValue(MistakesValue, QString::number(r.Mistakes));
    setValue(PerCellValue,
             SchulteFigures::secondsPerCell(r.TimeMs, r.Cells) + QStringLiteral(" с"));
    setValue(BestValue, SchulteFigures::seconds(r.BestMs) + QStringLiteral(" с"));
    NewBest->setVisible(r.isNewBest());
}
