#include "shell/Unitbookmark.h"

#include "dialogs/DialogStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TBookmarkForm::TBookmarkForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("BookmarkForm"));
    setWindowTitle(QStringLiteral("Информация"));
    applyDialogStyle(this);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);

    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(QStringLiteral("Ранее вы уже загружали этот текст.\n"
                                           "Откуда вы хотели бы начать его чтение?"),
                            this);
    text->setObjectName(QStringLiteral("Label1"));
    text->setAlignment(Qt::AlignCenter);
    layout->addWidget(text);

    auto* buttons = new QHBoxLayout;
    BitBtn1 = new QPushButton(QStringLiteral("С последней остановки"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Сначала"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    layout->addLayout(buttons);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { done(1); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { done(2); });
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
