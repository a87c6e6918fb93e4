#include "dialogs/DialogStyle.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

void applyDialogStyle(QWidget* dialog) {
    QPalette pal = dialog->palette();
    pal.setColor(QPalette::Window, QColor(163, 185, 218));
    dialog->setPalette(pal);
    dialog->setAutoFillBackground(true);
    dialog->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}
