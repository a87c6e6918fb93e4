#pragma once

#include <QFile>
#include <QSettings>
#include <QVariantMap>

// Settings that keep a program quiet under test: every value present (so none falls back to
// the defaults), no guided course, no advice.
inline QVariantMap quietSettings() {
    return {{"Top", 100},
            {"Left", 100},
            {"Width", 800},
            {"Height", 600},
            {"WindowState", 0},
            {"FontName", "Liberation Sans"},
            {"FontSize", 12},
            {"TextAlignment", 0},
            {"WideExpression", 10},
            {"WidthFormatStr", 300},
            {"SpeedTrackBarPosition", 100},
            {"RecommendWide", 10},
            {"RecommendSpeed", 1000},
            {"Column", 4},
            {"Row", 3},
            {"TextAdvice", 0},
            {"StringAdvice", 0},
            {"TableAdvice", 0},
            {"CurrentTextAdvice", 0},
            {"CurrentStringAdvice", 0},
            {"CurrentTableAdvice", 0},
            {"Assistant", 0},
            {"Markers", 1}};
}

// Creates the settings store at path with these values (an empty store when there are none).
inline bool writeStore(const QString& path, const QVariantMap& values) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    file.close();
    QSettings store(path, QSettings::IniFormat);
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        store.setValue(it.key(), it.value());
    return true;
}
