#include "widgets/TabStops.h"

#include <QWidget>

QList<QWidget*> tabStops(const QWidget* area) {
    QList<QWidget*> stops;
    // The focus chain runs round every widget of the window, the area among them.
    for (QWidget* w = area->nextInFocusChain(); w && w != area; w = w->nextInFocusChain()) {
        if (area->isAncestorOf(w) && w->isVisible() && w->isEnabled() && !w->focusProxy() &&
            (w->focusPolicy() & Qt::TabFocus))
            stops.append(w);
    }
    return stops;
}

QWidget* nextTabStop(const QList<QWidget*>& stops, QWidget* current, bool forward) {
    if (stops.isEmpty())
        return nullptr;
    const auto at = stops.indexOf(current);
    if (at < 0)
        return forward ? stops.first() : stops.last();
    const auto count = stops.size();
    return stops.at((at + (forward ? 1 : count - 1)) % count);
}
