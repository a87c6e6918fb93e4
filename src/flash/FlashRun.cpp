#include "flash/FlashRun.h"

void FlashRun::begin(const QString& text, int place, int wordsPerGroup) {
    Text = text;
    Groups = FlashGroups(Text, wordsPerGroup);
    Index = Groups.indexAt(place);
    if (atEnd())
        Index = 0;
    CharsRead = 0;
    WordsRead = 0;
    ElapsedMs = 0;
}

void FlashRun::advance(int shownMs) {
    if (atEnd())
        return;
    CharsRead += current().chars;
    WordsRead += current().words;
    ElapsedMs += shownMs;
    ++Index;
}

int FlashRun::percent() const {
    if (Text.isEmpty())
        return 0;
    return int(qint64(place()) * 100 / Text.size());
}

FlashResult FlashRun::result(bool stopped) const {
    FlashResult r;
    r.CharsRead = CharsRead;
    r.WordsRead = WordsRead;
    r.ElapsedMs = ElapsedMs;
    r.Speed = ElapsedMs > 0 ? int(qint64(CharsRead) * 60000 / ElapsedMs) : 0;
    r.Stopped = stopped;
    return r;
}
