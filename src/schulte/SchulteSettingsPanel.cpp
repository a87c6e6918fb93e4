#include "schulte/SchulteSettingsPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QVBoxLayout>

namespace {

QCheckBox* makeCheckBox(const QString& caption, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setAccessibleName(caption);
    box->setFocusPolicy(Qt::TabFocus);
    return box;
}

QComboBox* makeList(const QString& name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setAccessibleName(name);
    box->setFocusPolicy(Qt::TabFocus);
    return box;
}

} // namespace

SchulteSettingsPanel::SchulteSettingsPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SchulteSettings"));
    setAutoFillBackground(true);

    SizeBox = makeList(QStringLiteral("Размер таблицы"), this);
    SizeBox->setObjectName(QStringLiteral("SizeBox"));
    for (int side = SchulteTable::MinSide; side <= SchulteTable::MaxSide; ++side)
        SizeBox->addItem(QString::number(side) + QStringLiteral(" x ") + QString::number(side),
                         side);
    VariantBox = makeList(QStringLiteral("Вариант"), this);
    VariantBox->setObjectName(QStringLiteral("VariantBox"));
    VariantBox->addItem(QStringLiteral("числа"), int(SchulteVariant::Numbers));
    VariantBox->addItem(QStringLiteral("красные и чёрные"), int(SchulteVariant::RedBlack));
    VariantBox->addItem(QStringLiteral("буквы"), int(SchulteVariant::Letters));
    VariantBox->setItemData(1,
                            QStringLiteral("Чёрные числа по возрастанию и красные по убыванию, "
                                           "по очереди: чёрное 1, красное наибольшее, чёрное 2…"),
                            Qt::ToolTipRole);
    VariantBox->setItemData(2, QStringLiteral("Русский алфавит по порядку, для таблиц до 5 x 5"),
                            Qt::ToolTipRole);

    MarkFoundBox = makeCheckBox(QStringLiteral("отмечать найденные"), this);
    MarkFoundBox->setObjectName(QStringLiteral("MarkFoundBox"));
    ReshuffleBox = makeCheckBox(QStringLiteral("перемешивать после каждого хода"), this);
    ReshuffleBox->setObjectName(QStringLiteral("ReshuffleBox"));
    DotBox = makeCheckBox(QStringLiteral("точка в центре"), this);
    DotBox->setObjectName(QStringLiteral("DotBox"));
    BestTime = new QLabel(this);
    BestTime->setObjectName(QStringLiteral("BestTime"));
    BestTime->setWordWrap(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Размер:"), SizeBox);
    form->addRow(QStringLiteral("Вариант:"), VariantBox);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(MarkFoundBox);
    column->addWidget(ReshuffleBox);
    column->addWidget(DotBox);
    column->addSpacing(8);
    column->addWidget(BestTime);
    column->addStretch(1);

    connect(SizeBox, &QComboBox::currentIndexChanged, this, &SchulteSettingsPanel::changed);
    connect(VariantBox, &QComboBox::currentIndexChanged, this, [this] {
        allowSizesFor(settings().Variant);
        emit changed();
    });
    for (QCheckBox* box : {MarkFoundBox, ReshuffleBox, DotBox})
        connect(box, &QCheckBox::toggled, this, &SchulteSettingsPanel::changed);
}

void SchulteSettingsPanel::setSettings(const SchulteSettings& s) {
    const QSignalBlocker quietSize(SizeBox);
    const QSignalBlocker quietVariant(VariantBox);
    const QSignalBlocker quietMark(MarkFoundBox);
    const QSignalBlocker quietShuffle(ReshuffleBox);
    const QSignalBlocker quietDot(DotBox);
    VariantBox->setCurrentIndex(VariantBox->findData(int(s.Variant)));
    allowSizesFor(s.Variant);
    SizeBox->setCurrentIndex(SizeBox->findData(s.Side));
    MarkFoundBox->setChecked(s.MarkFound);
    ReshuffleBox->setChecked(s.Reshuffle);
    DotBox->setChecked(s.FixationDot);
}

SchulteSettings SchulteSettingsPanel::settings() const {
    SchulteSettings s;
    s.Side = SizeBox->currentData().toInt();
    s.Variant = SchulteVariant(VariantBox->currentData().toInt());
    s.MarkFound = MarkFoundBox->isChecked();
    s.Reshuffle = ReshuffleBox->isChecked();
    s.FixationDot = DotBox->isChecked();
    return s;
}

void SchulteSettingsPanel::setBestTime(const QString& text) {
    BestTime->setText(text);
    BestTime->setAccessibleName(text);
}

void SchulteSettingsPanel::allowSizesFor(SchulteVariant variant) {
    auto* model = qobject_cast<QStandardItemModel*>(SizeBox->model());
    for (int row = 0; row < SizeBox->count(); ++row) {
        const bool fits = SchulteTable::fits(SizeBox->itemData(row).toInt(), variant);
        model->item(row)->setEnabled(fits);
        SizeBox->setItemData(
            row,
            fits ? QVariant() : QVariant(QStringLiteral("Букв алфавита на эту таблицу не хватает")),
            Qt::ToolTipRole);
        // A screen reader hears a list entry as enabled whatever its flags, so a size that
        // cannot be chosen says so, and why, in its name.
        SizeBox->setItemData(row,
                             fits ? QVariant()
                                  : QVariant(SizeBox->itemText(row) +
                                             QStringLiteral(" — недоступно: букв алфавита на эту "
                                                            "таблицу не хватает")),
                             Qt::AccessibleTextRole);
    }
    if (!SchulteTable::fits(SizeBox->currentData().toInt(), variant)) {
        const QSignalBlocker quiet(SizeBox);
        SizeBox->setCurrentIndex(SizeBox->findData(SchulteTable::largestSide(variant)));
    }
}
