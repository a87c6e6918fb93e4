#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where a marker sits next to its target control, and whether it shows.
namespace MarkerPlacement {

// The sorts of control a marker knows how to point at.
enum class TargetSort { Button, Panel, SpinEdit };

// The marker's top-left corner in the target's own coordinates, for a marker of the given
// size: on a button's corner, above and left of a panel's corner, centred on a spin edit's
// corner.
QPoint offset(TargetSort sort, QSize marker);

// A control on a tool bar is in view only while its top and left lie within the bar.
bool inView(bool onToolBar, QPoint targetPosInBar, QSize toolBar);

// The marker shows while its corner is not beyond the main window's right or bottom edge and
// its target is in view.
bool shown(const QRect& mainFrame, QPoint markerTopLeft, bool targetInView);

} // namespace MarkerPlacement
