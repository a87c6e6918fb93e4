#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

// The pause that follows a group: none, the shorter one after a comma, semicolon, colon or dash,
// or the longer one at the end of a sentence.
enum class FlashPause : std::uint8_t { None, Comma, Sentence };

// One flash: a few whole words of the text, [start, end) in the text's positions.
struct FlashGroup {
    int start = 0;
    int end = 0;
    int chars = 0;          // characters on show: the words with one blank between them
    std::uint8_t words = 0; // words in the group (a number such as "10 000" is one word)
    FlashPause pause = FlashPause::None;
    bool sentenceStart = false;
};

// A text cut into the groups that flash reading shows, in the text's own positions, so that a
// group and the text window's reading place can be turned into each other.
//
// Words are the runs of characters between blanks (space, tab, CR, LF; a no-break space joins).
// These stay with their words:
// - a number written with blanks between its thousands ("10 000", "1 250 000");
// - a dash standing alone goes with the word before it ("Москва —", "идём? — спросила"), but
//   with the word after it when it opens the text or a line, or stands between a sentence's end
//   and a capital letter (the dash of a dialogue line);
// - quotes, brackets and other punctuation standing alone: opening ones with the word after,
//   the rest with the word before.
// A word ends a sentence when it ends in ".", "!", "?" or "…" (closing quotes and brackets
// aside) and what follows starts with a capital letter or a dash, or nothing follows, or a line
// break does; a single capital letter with a full stop is an initial and ends nothing. A word
// ending in ",", ";", ":" or a dash asks for the comma pause. A paragraph that ends without a
// mark, such as a heading or a title, ends a sentence when the next one begins with a capital
// or a digit. A line break is a CR or LF, or two blanks in a row: what a loaded text keeps of
// its line breaks.
// A group holds up to wordsPerGroup words and never reaches past a pause: a sentence's first
// word always starts a group.
class FlashGroups {
public:
    FlashGroups() = default;
    FlashGroups(QStringView text, int wordsPerGroup);

    int count() const { return int(Groups.size()); }
    bool isEmpty() const { return Groups.empty(); }
    const FlashGroup& at(int index) const { return Groups[size_t(index)]; }

    // The group on show at text position pos: the one that holds it, or else the next one;
    // count() past the last group.
    int indexAt(int pos) const;
    // The text position of group index: its start; the text's length from count() on.
    int positionOf(int index) const;

    // The start of the sentence group index stands in, or of the one before when index is the
    // first group of its sentence.
    int sentenceBack(int index) const;
    // The first group of the next sentence; index itself when no sentence follows.
    int sentenceForward(int index) const;

    // The words of a group as they are shown: blanks and line breaks between them become one
    // blank each.
    static QString shownText(QStringView text, const FlashGroup& group);

private:
    std::vector<FlashGroup> Groups;
    int TextLength = 0;
};
