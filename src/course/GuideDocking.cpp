#include "course/GuideDocking.h"

#include <cstdlib>

namespace GuideDocking {

namespace {

int right(const QRect& r) {
    return r.left() + r.width();
}

int bottom(const QRect& r) {
    return r.top() + r.height();
}

bool near(int a, int b) {
    return std::abs(a - b) < SnapDistance;
}

bool underneath(const QRect& assistant, const QRect& guide) {
    return near(assistant.left(), guide.left()) && near(bottom(assistant), guide.top());
}

} // namespace

Placement followAssistant(const QRect& assistant, const QRect& guide, bool docked) {
    Placement placement{guide.topLeft(), docked || underneath(assistant, guide)};
    if (placement.Docked)
        placement.TopLeft = QPoint(assistant.left(), bottom(assistant));
    return placement;
}

Placement snapToAssistant(const QRect& a, const QRect& g) {
    int left = g.left();
    int top = g.top();
    if (near(right(a), g.left()))
        left = right(a);
    if (near(right(g), a.left()))
        left = a.left() - g.width();
    if (near(bottom(a), g.top()))
        top = bottom(a);
    if (near(bottom(g), a.top()))
        top = a.top() - g.height();
    if (near(g.left(), a.left()))
        left = a.left();
    return {QPoint(left, top), underneath(a, g)};
}

} // namespace GuideDocking
