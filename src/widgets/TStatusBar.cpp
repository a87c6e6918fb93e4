#include "widgets/TStatusBar.h"

#include <QLabel>
#include <QMouseEvent>

TStatusBar::TStatusBar(const std::array<int, 4>& widths, QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(false);
    setMouseTracking(true);
    setStyleSheet(QStringLiteral("QStatusBar::item { border: none; }"));
    for (int i = 0; i < 4; ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i));
        // The last panel gives way when the window is narrower than all four.
        if (i < 3)
            panel->setFixedWidth(widths[i]);
        else
            panel->setMaximumWidth(widths[i]);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setContentsMargins(2, 0, 2, 0);
        panel->setAttribute(Qt::WA_TransparentForMouseEvents);
        addWidget(panel, i < 3 ? 0 : 1);
        Panels[i] = panel;
    }
}

void TStatusBar::setPanelText(int panel, const QString& text) {
    Panels.at(panel)->setText(text); // which is also what accessibility reads
}

QString TStatusBar::panelText(int panel) const {
    return Panels.at(panel)->text();
}

void TStatusBar::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->position().toPoint().x());
    QStatusBar::mouseMoveEvent(event);
}
