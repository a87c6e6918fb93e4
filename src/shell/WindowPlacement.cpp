#include "shell/WindowPlacement.h"

#include <algorithm>

namespace {

struct Span {
    qint64 start;
    qint64 length; // inside the frame
};

// A span of the window along one side, with `decoration` pixels of frame around it, brought
// within [areaStart, areaStart + areaLength).
Span fitSpan(qint64 start, qint64 length, qint64 decoration, qint64 areaStart, qint64 areaLength) {
    const qint64 room = std::max<qint64>(areaLength - decoration, 1);
    const qint64 inner = std::clamp<qint64>(length, 1, room);
    const qint64 last = std::max(areaStart, areaStart + areaLength - (inner + decoration));
    return {std::clamp(start, areaStart, last), inner};
}

} // namespace

QRect placeOnScreen(int left, int top, int width, int height, const QRect& area,
                    const QMargins& frame) {
    if (area.isEmpty())
        return QRect(left, top, std::max(width, 1), std::max(height, 1));
    const Span x =
        fitSpan(left, width, qint64(frame.left()) + frame.right(), area.left(), area.width());
    const Span y =
        fitSpan(top, height, qint64(frame.top()) + frame.bottom(), area.top(), area.height());
    return QRect(int(x.start), int(y.start), int(x.length), int(y.length));
}
