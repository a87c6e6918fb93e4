#pragma once

#include <QList>

class QWidget;

// The controls Tab reaches inside an area of a window (its descendants, not the area itself), in
// the window's tab order: shown, enabled and taking the focus by Tab.
QList<QWidget*> tabStops(const QWidget* area);

// The stop after current (forward) or before it, going round; the first or the last stop when
// current is none of them. nullptr when there are no stops.
QWidget* nextTabStop(const QList<QWidget*>& stops, QWidget* current, bool forward);
