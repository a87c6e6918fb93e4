#include "course/CourseWindowLook.h"
#include "widgets/Colours.h"

#include <QFont>
#include <QWidget>

namespace CourseWindowLook {

void applyBackground(QWidget& window) {
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, LightBlue);
    window.setPalette(palette);
    window.setAutoFillBackground(true);
}

void applyFace(QWidget& window) {
    // The face asked for, then the ones that measure like it where it is missing.
    QFont face(QStringLiteral("MS Sans Serif"));
    face.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial")});
    face.setPixelSize(11);
    window.setFont(face);
    for (QWidget* control : window.findChildren<QWidget*>()) {
        QFont own = face;
        own.setBold(control->font().bold());
        control->setFont(own);
    }
}

} // namespace CourseWindowLook
