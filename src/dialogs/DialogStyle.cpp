#include "dialogs/DialogStyle.h"
#include "widgets/Colours.h"

#include <QPalette>
#include <QWidget>

void applyDialogStyle(QWidget* dialog) {
    QPalette pal = dialog->palette();
    pal.setColor(QPalette::Window, LightBlue);
    dialog->setPalette(pal);
    dialog->setAutoFillBackground(true);
    dialog->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}
