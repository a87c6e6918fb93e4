#pragma once

#include <QColor>

// The colours the windows share.
inline const QColor DarkBlue(34, 50, 166);        // window and grid backgrounds
inline const QColor LightBlue(163, 185, 218);     // dialogs, table cells, the toolbar band
inline const QColor Silver(0xC0, 0xC0, 0xC0);     // text the reading field has not reached
inline const QColor GripColour(0xFF, 0xB6, 0x00); // the grips that size a column or line
inline const QColor Maroon(128, 0, 0);            // result captions
inline const QColor Navy(0, 0, 128);              // result values
