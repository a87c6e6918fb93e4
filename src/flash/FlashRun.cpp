#include "flash/FlashRun.h"

#include "training/ActualSpeed.h"

void FlashRun::begin(const QString& text, int place, int wordsPerGroup) {
    Text = text;
    Groups = FlashGroups(Text, wordsPerGroup);
    Index = Groups.indexAt(place);
    if (atEnd())
        Index = 0;
    CharsRead = 0;
    CharsPassed = 0;
    WordsRead = 0;
}

void FlashRun::advance() {
    if (atEnd())
        return;
    CharsRead += current().chars;
    // The group and what lies between it and the next one (or the text's end).
    const int from = current().start, to = Groups.positionOf(Index + 1);
    CharsPassed += ActualSpeed::passedCharacters(QStringView(Text).mid(from, to - from));
    WordsRead += current().words;
    ++Index;
}

int FlashRun::percent() const {
    if (Text.isEmpty())
        return 0;
    return int(qint64(place()) * 100 / Text.size());
}

FlashResult FlashRun::result(bool stopped, qint64 runMs) const {
    FlashResult r;
    r.CharsRead = CharsRead;
    r.CharsPassed = CharsPassed;
    r.WordsRead = WordsRead;
    r.ElapsedMs = runMs;
    r.Speed = ActualSpeed::charsPerMinute(CharsPassed, runMs);
    r.Stopped = stopped;
    return r;
}
