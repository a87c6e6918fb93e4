#pragma once

#include <QString>

class QSettings;

// The values the program keeps in its per-user settings store between runs.
struct StoredSettings {
    int Top = 117;
    int Left = 190;
    int Width = 659;
    int Height = 499;
    int WindowState = 0; // 0 normal, 1 minimised, 2 maximised
    QString FontName = QStringLiteral("Arial");
    int FontSize = 12;
    int TextAlignment = 0;
    int WideExpression = 10;
    int WidthFormatStr = 140;
    int SpeedTrackBarPosition = 100;
    int RecommendWide = 10;
    int RecommendSpeed = 1000;
    int Column = 4;
    int Row = 3;
    bool TextAdvice = true;
    bool StringAdvice = true;
    bool TableAdvice = true;
    int CurrentTextAdvice = 0;
    int CurrentStringAdvice = 0;
    int CurrentTableAdvice = 0;
    bool Assistant = true;
    bool Markers = true;

    bool operator==(const StoredSettings&) const = default;
};

// Reads every value in its fixed order. When any integer or flag is missing or not a number,
// all values take their defaults together. Values that are numbers but would break the
// program (a font size of 0, a table of 50 columns) are brought into their working range.
StoredSettings readStoredSettings(const QSettings& store);

// Writes the values that are written at close; the window bounds only when `withBounds`.
void writeStoredSettings(QSettings& store, const StoredSettings& s, bool withBounds);
void writeWindowBounds(QSettings& store, int top, int left, int width, int height);
