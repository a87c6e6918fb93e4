#pragma once

class QSettings;

// The choices of flash reading, kept in the settings store between runs. Each value stands on
// its own: one that is missing or not a number takes its default, and one out of range is
// brought into it, without touching the others.
struct FlashSettings {
    static constexpr int MinWords = 1;
    static constexpr int MaxWords = 3;
    // Pauses are given in per cent of a group's own time: 100 is no longer than the group.
    static constexpr int MinPause = 100;
    static constexpr int MaxPause = 400;

    int WordsPerGroup = 1;
    int SentencePause = 200; // after the end of a sentence
    int CommaPause = 150;    // after a comma, semicolon, colon or dash

    bool operator==(const FlashSettings&) const = default;
};

// Stored as "FlashWords", "FlashSentencePause" and "FlashCommaPause".
FlashSettings readFlashSettings(const QSettings& store);
void writeFlashSettings(QSettings& store, const FlashSettings& settings);
