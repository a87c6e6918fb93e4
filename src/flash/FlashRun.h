#pragma once

#include "flash/FlashGroups.h"
#include "flash/FlashResult.h"

#include <QString>

// One run of flash reading over a text: which group is on show, and what has been read.
class FlashRun {
public:
    // Cuts the text into groups and stands at the group that holds `place` (or the next one).
    // A place at or past the last group starts the text again from its beginning.
    void begin(const QString& text, int place, int wordsPerGroup);

    bool atEnd() const { return Index >= Groups.count(); }
    int index() const { return Index; }
    const FlashGroup& current() const { return Groups.at(Index); }
    QString currentText() const { return FlashGroups::shownText(Text, current()); }
    const FlashGroups& groups() const { return Groups; }

    // The group on show was read: it is counted, with the blanks after it, and the next one
    // comes.
    void advance();
    void sentenceBack() { Index = Groups.sentenceBack(Index); }
    void sentenceForward() { Index = Groups.sentenceForward(Index); }

    // The reading place: the text position of the group on show, the text's length at the end.
    int place() const { return Groups.positionOf(Index); }
    // How much of the text lies before the group on show, in per cent.
    int percent() const;

    // The run's figures after runMs of real run time (pauses left out).
    FlashResult result(bool stopped, qint64 runMs) const;

private:
    QString Text;
    FlashGroups Groups;
    int Index = 0;
    int CharsRead = 0;
    int CharsPassed = 0;
    int WordsRead = 0;
};
