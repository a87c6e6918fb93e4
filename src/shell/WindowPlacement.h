#pragma once

#include <QRect>

// The main window's stored bounds brought onto the screen before the window is shown: never
// larger than the available area, and placed so that enough of it (its title bar included)
// lies on the area for the user to reach and move it. Bounds that already satisfy this are
// kept as they are. Works on values of any size, 2147483647 included.
QRect placeOnScreen(int left, int top, int width, int height, const QRect& area);
