#include "flash/FlashSettings.h"

#include <QSettings>

#include <algorithm>

namespace {

int readInt(const QSettings& store, const char* name, int fallback, int low, int high) {
    bool ok = false;
    const int value = store.value(QLatin1String(name)).toInt(&ok);
    return ok ? std::clamp(value, low, high) : fallback;
}

} // namespace

FlashSettings readFlashSettings(const QSettings& store) {
    const FlashSettings defaults;
    FlashSettings s;
    s.WordsPerGroup = readInt(store, "FlashWords", defaults.WordsPerGroup, FlashSettings::MinWords,
                              FlashSettings::MaxWords);
    s.SentencePause = readInt(store, "FlashSentencePause", defaults.SentencePause,
                              FlashSettings::MinPause, FlashSettings::MaxPause);
    s.CommaPause = readInt(store, "FlashCommaPause", defaults.CommaPause, FlashSettings::MinPause,
                           FlashSettings::MaxPause);
    return s;
}

void writeFlashSettings(QSettings& store, const FlashSettings& settings) {
    store.setValue(QStringLiteral("FlashWords"), settings.WordsPerGroup);
    store.setValue(QStringLiteral("FlashSentencePause"), settings.SentencePause);
    store.setValue(QStringLiteral("FlashCommaPause"), settings.CommaPause);
}
