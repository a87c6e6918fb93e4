#pragma once

#include <QMargins>
#include <QRect>

// The main window's bounds brought wholly onto the screen's available area: left and top are
// the position of the window's frame, width and height the size inside it, and frame what the
// window manager adds around that size (nothing when it is not known yet). A window larger
// than the area is made as large as the area; one that lies partly off the area is moved onto
// it. Bounds that already fit are kept as they are. Works on values of any size, 2147483647
// included.
QRect placeOnScreen(int left, int top, int width, int height, const QRect& area,
                    const QMargins& frame = {});
