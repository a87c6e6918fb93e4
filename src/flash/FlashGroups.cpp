#include "flash/FlashGroups.h"

#include <algorithm>

namespace {

// A no-break space and its narrow kin keep their neighbours together ("10 000", "т. е.").
bool isBlank(QChar c) {
    if (c == u'\u00A0' || c == u'\u2007' || c == u'\u202F')
        return false;
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c.isSpace();
}

bool isLineBreak(QChar c) {
    return c == u'\r' || c == u'\n';
}

bool isDash(QChar c) {
    return c == u'-' || (c >= u'\u2010' && c <= u'\u2015') || c == u'\u2212';
}

bool isOpening(QChar c) {
    return c == u'«' || c == u'„' || c == u'‚' || c == u'‘' || c == u'(' || c == u'[' || c == u'{';
}

bool isClosing(QChar c) {
    return c == u'»' || c == u'“' || c == u'”' || c == u'"' || c == u'\'' || c == u'’' ||
           c == u')' || c == u']' || c == u'}';
}

bool isSentenceMark(QChar c) {
    return c == u'.' || c == u'!' || c == u'?' || c == u'…';
}

bool hasLetterOrDigit(QStringView s) {
    return std::any_of(s.begin(), s.end(), [](QChar c) { return c.isLetterOrNumber(); });
}

bool hasLetter(QStringView s) {
    return std::any_of(s.begin(), s.end(), [](QChar c) { return c.isLetter(); });
}

// A word without its closing quotes and brackets.
QStringView withoutClosing(QStringView s) {
    while (!s.isEmpty() && isClosing(s.back()))
        s.chop(1);
    return s;
}

qsizetype digitsAt(QStringView s, qsizetype from) {
    qsizetype k = from;
    while (k < s.size() && s[k].isDigit())
        ++k;
    return k - from;
}

qsizetype digitsBefore(QStringView s) {
    qsizetype k = s.size();
    while (k > 0 && s[k - 1].isDigit())
        --k;
    return s.size() - k;
}

// "10" of "10 000": no letters, ending in one to three digits.
bool isNumberHead(QStringView s) {
    const qsizetype tail = digitsBefore(s);
    return !hasLetter(s) && tail >= 1 && tail <= 3;
}

// "000" or "000," of "10 000": three digits first and no letters after them.
bool isThousands(QStringView s) {
    return digitsAt(s, 0) == 3 && !hasLetter(s);
}

bool endsWithSentenceMark(QStringView s) {
    const QStringView bare = withoutClosing(s);
    return !bare.isEmpty() && isSentenceMark(bare.back());
}

// "А." of "А. С. Пушкин".
bool isInitial(QStringView s) {
    QStringView bare = withoutClosing(s);
    while (!bare.isEmpty() && isSentenceMark(bare.back()))
        bare.chop(1);
    while (!bare.isEmpty() && isOpening(bare.front()))
        bare = bare.mid(1);
    return bare.size() == 1 && bare.front().isUpper();
}

// Whether a sentence may begin with s: its first letter, past quotes and a dialogue dash, is a
// capital.
bool opensSentence(QStringView s) {
    for (const QChar c : s) {
        if (c.isLetterOrNumber())
            return c.isUpper();
    }
    return false;
}

bool asksCommaPause(QStringView s) {
    const QStringView bare = withoutClosing(s);
    if (bare.isEmpty())
        return false;
    const QChar last = bare.back();
    return last == u',' || last == u';' || last == u':' || isDash(last);
}

// Whether a paragraph may begin with s: its first letter or digit, past quotes and a dialogue
// dash, is a capital or a digit.
bool opensParagraph(QStringView s) {
    for (const QChar c : s) {
        if (c.isLetterOrNumber())
            return c.isUpper() || c.isDigit();
    }
    return false;
}

struct Span {
    int start = 0;
    int end = 0;
    bool afterBreak = false; // a line break stands between it and what came before
};

// The loaded text has every CR and LF turned into a blank, so a line break (CR LF) is left as
// two blanks in a row; a lone LF leaves one, so there only an empty line shows.
std::vector<Span> blankSeparatedRuns(QStringView text) {
    std::vector<Span> runs;
    bool lineBreak = false;
    int k = 0;
    const int n = int(text.size());
    while (k < n) {
        if (isBlank(text[k])) {
            lineBreak = lineBreak || isLineBreak(text[k]) || (k > 0 && isBlank(text[k - 1]));
            ++k;
            continue;
        }
        const int start = k;
        while (k < n && !isBlank(text[k]))
            ++k;
        runs.push_back({start, k, lineBreak});
        lineBreak = false;
    }
    return runs;
}

// Joins the runs into words by the rules above.
std::vector<Span> wordsOf(QStringView text) {
    const auto piece = [text](const Span& s) { return text.mid(s.start, s.end - s.start); };
    std::vector<Span> words;
    Span waiting; // punctuation that goes with the next word
    bool isWaiting = false;
    const std::vector<Span> runs = blankSeparatedRuns(text);
    for (size_t i = 0; i < runs.size(); ++i) {
        const Span& run = runs[i];
        const QStringView s = piece(run);
        const bool hasPrevious = !words.empty();
        if (hasLetterOrDigit(s)) {
            if (!isWaiting && hasPrevious && !run.afterBreak && isThousands(s) &&
                isNumberHead(piece(words.back()))) {
                words.back().end = run.end;
            } else if (isWaiting) {
                words.push_back({waiting.start, run.end, waiting.afterBreak});
                isWaiting = false;
            } else {
                words.push_back(run);
            }
            continue;
        }
        bool forward = false;
        if (isDash(s.front()))
            forward = !hasPrevious || run.afterBreak ||
                      (endsWithSentenceMark(piece(words.back())) && i + 1 < runs.size() &&
                       opensSentence(piece(runs[i + 1])));
        else
            forward = std::all_of(s.begin(), s.end(), isOpening) || !hasPrevious;
        if (isWaiting) {
            waiting.end = run.end;
        } else if (forward) {
            waiting = run;
            isWaiting = true;
        } else {
            words.back().end = run.end;
        }
    }
    if (isWaiting) {
        if (words.empty())
            words.push_back(waiting);
        else
            words.back().end = waiting.end;
    }
    return words;
}

FlashPause pauseAfter(QStringView text, const std::vector<Span>& words, size_t i) {
    const QStringView word = text.mid(words[i].start, words[i].end - words[i].start);
    if (endsWithSentenceMark(word) && !isInitial(word)) {
        if (i + 1 == words.size() || words[i + 1].afterBreak)
            return FlashPause::Sentence;
        const Span& next = words[i + 1];
        if (opensSentence(text.mid(next.start, next.end - next.start)))
            return FlashPause::Sentence;
    }
    if (asksCommaPause(word))
        return FlashPause::Comma;
    // A heading or title has no mark at its end: the paragraph after it shows where it ends.
    if (i + 1 < words.size() && words[i + 1].afterBreak &&
        opensParagraph(text.mid(words[i + 1].start, words[i + 1].end - words[i + 1].start)))
        return FlashPause::Sentence;
    return FlashPause::None;
}

int shownLength(QStringView text, int start, int end) {
    int chars = 0;
    bool inBlanks = false;
    for (int k = start; k < end; ++k) {
        const bool blank = isBlank(text[k]);
        if (!blank || !inBlanks)
            ++chars;
        inBlanks = blank;
    }
    return chars;
}

} // namespace

FlashGroups::FlashGroups(QStringView text, int wordsPerGroup) : TextLength(int(text.size())) {
    const std::vector<Span> words = wordsOf(text);
    Groups.reserve(words.size() / size_t(std::max(1, wordsPerGroup)) + 1);
    bool sentenceStart = true;
    for (size_t i = 0; i < words.size(); ++i) {
        const FlashPause pause = pauseAfter(text, words, i);
        const bool continues = !Groups.empty() && Groups.back().pause == FlashPause::None &&
                               Groups.back().words < wordsPerGroup;
        if (continues) {
            FlashGroup& group = Groups.back();
            group.end = words[i].end;
            ++group.words;
            group.pause = pause;
        } else {
            Groups.push_back({words[i].start, words[i].end, 0, 1, pause, sentenceStart});
        }
        sentenceStart = pause == FlashPause::Sentence;
    }
    for (FlashGroup& group : Groups)
        group.chars = shownLength(text, group.start, group.end);
}

int FlashGroups::indexAt(int pos) const {
    const auto found = std::partition_point(Groups.begin(), Groups.end(),
                                            [pos](const FlashGroup& g) { return g.end <= pos; });
    return int(found - Groups.begin());
}

int FlashGroups::positionOf(int index) const {
    return index >= 0 && index < count() ? at(index).start : TextLength;
}

int FlashGroups::sentenceBack(int index) const {
    index = std::clamp(index, 0, count());
    if (index > 0 && index < count() && at(index).sentenceStart)
        --index;
    while (index > 0 && (index == count() || !at(index).sentenceStart))
        --index;
    return index;
}

int FlashGroups::sentenceForward(int index) const {
    for (int k = std::max(0, index + 1); k < count(); ++k) {
        if (at(k).sentenceStart)
            return k;
    }
    return index;
}

QString FlashGroups::shownText(QStringView text, const FlashGroup& group) {
    QString shown;
    shown.reserve(group.chars);
    bool inBlanks = false;
    for (int k = group.start; k < group.end; ++k) {
        const bool blank = isBlank(text[k]);
        if (!blank)
            shown += text[k];
        else if (!inBlanks)
            shown += u' ';
        inBlanks = blank;
    }
    return shown;
}
