#include "flash/FlashSettings.h"

#include "platform/StoredNumber.h"

#include <QSettings>

using StoredNumber::OutOfRange;

FlashSettings readFlashSettings(const QSettings& store) {
    const FlashSettings defaults;
    FlashSettings s;
    const StoredNumber::Range words{FlashSettings::MinWords, FlashSettings::MaxWords,
                                    OutOfRange::Nearest};
    const StoredNumber::Range pause{FlashSettings::MinPause, FlashSettings::MaxPause,
                                    OutOfRange::Nearest};
    s.WordsPerGroup =
        StoredNumber::read(store, QStringLiteral("FlashWords"), defaults.WordsPerGroup, words);
    s.SentencePause = StoredNumber::read(store, QStringLiteral("FlashSentencePause"),
                                         defaults.SentencePause, pause);
    s.CommaPause =
        StoredNumber::read(store, QStringLiteral("FlashCommaPause"), defaults.CommaPause, pause);
    return s;
}

void writeFlashSettings(QSettings& store, const FlashSettings& settings) {
    store.setValue(QStringLiteral("FlashWords"), settings.WordsPerGroup);
    store.setValue(QStringLiteral("FlashSentencePause"), settings.SentencePause);
    store.setValue(QStringLiteral("FlashCommaPause"), settings.CommaPause);
}
