#include "dialogs/Unitfrmessage.h"

#include "dialogs/DialogStyle.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

TMessageForm::TMessageForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("MessageForm"));
    setWindowTitle(QStringLiteral("Информация"));
    applyDialogStyle(this);
    setFixedSize(345, 87);

    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameShape(QFrame::Box);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(6, 6, 333, 75);

    Label1 = new QLabel(QStringLiteral("Текст отсутствует. Кликните по кнопке \"Открыть\" для "
                                       "загрузки текста."),
                        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setGeometry(32, 12, 297, 30);

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setAccessibleName(QStringLiteral("OK"));
    BitBtn1->setGeometry(134, 46, 75, 25);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}
