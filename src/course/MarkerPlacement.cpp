#include "course/MarkerPlacement.h"

namespace MarkerPlacement {

QPoint offset(TargetSort sort, QSize marker) {
    switch (sort) {
    case TargetSort::Button:
        return {0, 0};
    case TargetSort::Panel:
        return {-marker.width() * 2 / 3, -marker.height() * 5 / 6};
    case TargetSort::SpinEdit:
        break;
    }
    return {-marker.width() / 2, -marker.height() / 2};
}

bool inView(bool onToolBar, QPoint targetPosInBar, QSize toolBar) {
    return !onToolBar ||
           (targetPosInBar.y() <= toolBar.height() && targetPosInBar.x() <= toolBar.width());
}

bool shown(const QRect& mainFrame, QPoint markerTopLeft, bool targetInView) {
    return mainFrame.top() + mainFrame.height() >= markerTopLeft.y() &&
           mainFrame.left() + mainFrame.width() >= markerTopLeft.x() && targetInView;
}

} // namespace MarkerPlacement
