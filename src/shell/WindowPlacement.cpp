#include "shell/WindowPlacement.h"

#include <algorithm>

namespace {

// How much of the window, in pixels, stays on the area across and below its top edge.
constexpr qint64 Reach = 100;

// start clamped so that at least min(Reach, length) of [start, start + length) lies in
// [areaStart, areaStart + areaLength).
qint64 reachable(qint64 start, qint64 length, qint64 areaStart, qint64 areaLength) {
    const qint64 keep = std::min(Reach, length);
    return std::clamp(start, areaStart - (length - keep), areaStart + areaLength - keep);
}

} // namespace

QRect placeOnScreen(int left, int top, int width, int height, const QRect& area) {
    if (area.isEmpty())
        return QRect(left, top, std::max(width, 1), std::max(height, 1));
    // A window larger than the area fills it along that side.
    const bool tooWide = width > area.width();
    const bool tooHigh = height > area.height();
    const qint64 w = tooWide ? area.width() : std::max(width, 1);
    const qint64 h = tooHigh ? area.height() : std::max(height, 1);
    const qint64 x = tooWide ? area.left() : reachable(left, w, area.left(), area.width());
    // The title bar is at the top: the top edge itself stays on the area.
    const qint64 y = tooHigh ? area.top()
                             : std::clamp<qint64>(top, area.top(),
                                                  area.top() + area.height() - std::min(Reach, h));
    return QRect(int(x), int(y), int(w), int(h));
}
