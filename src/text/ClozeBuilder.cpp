#include "text/ClozeBuilder.h"

#include "platform/RandomSource.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <initializer_list>

namespace {

enum class WordClass { None, Adjective, Verb, Noun };

// Nouns first: when a word could be either, the noun is the better question.
int priority(WordClass c) {
    return static_cast<int>(c);
}

// A family of endings and how long the part before them must be at least.
struct Endings {
    std::initializer_list<const char16_t*> endings;
    int minStem;
};

const Endings NounEndings[] = {
    {{u"ость", u"ости", u"остью", u"остей", u"остям", u"остями", u"остях"}, 2},
    {{u"ние", u"ния", u"нию", u"нием", u"нии", u"ний", u"ниям", u"ниями", u"ниях", u"тие", u"тия",
      u"тию", u"тием", u"тии"},
     2},
    {{u"тель", u"теля", u"телю", u"телем", u"тели", u"телей", u"телям", u"телями", u"телях"}, 2},
    {{u"ство", u"ства", u"ству", u"ством", u"стве", u"ств", u"ствам", u"ствами", u"ствах"}, 2},
    {{u"ция", u"ции", u"цию", u"цией", u"ций", u"циям", u"циями", u"циях"}, 2},
    {{u"ник",    u"ника",  u"нику", u"ником", u"нике", u"ники",  u"ников", u"никам",
      u"никами", u"никах", u"щик",  u"щика",  u"щику", u"щиком", u"щики",  u"щиков",
      u"чик",    u"чика",  u"чику", u"чиком", u"чики", u"чиков"},
     2},
    // Plural cases only nouns have, and -к- nouns.
    {{u"ами", u"ями", u"ах", u"ях", u"ам", u"ям", u"ов", u"ев", u"ью", u"ка", u"ки", u"ку", u"ке"},
     3},
};

const Endings VerbEndings[] = {
    {{u"ать", u"ять", u"еть", u"ить", u"ыть", u"уть", u"оть"}, 3},
    {{u"аться", u"яться", u"еться", u"иться", u"ыться", u"уться", u"сти", u"зти", u"йти"}, 2},
    {{u"ал",   u"ала",   u"ало",   u"али",   u"ял",   u"яла",   u"яло",   u"яли",
      u"ил",   u"ила",   u"ило",   u"или",   u"ел",   u"ела",   u"ело",   u"ели",
      u"ул",   u"ула",   u"уло",   u"ули",   u"ыл",   u"ыла",   u"ыло",   u"ыли",
      u"ался", u"алась", u"алось", u"ались", u"ялся", u"ялась", u"ялось", u"ялись",
      u"ился", u"илась", u"илось", u"ились", u"елся", u"елась", u"елось", u"елись",
      u"улся", u"улась", u"улось", u"улись", u"ылся", u"ылась", u"ылось", u"ылись"},
     2},
    {{u"ает",   u"яет",   u"еет",   u"ует",   u"ают",   u"яют",   u"еют",   u"уют",
      u"ается", u"яется", u"еется", u"уется", u"аются", u"яются", u"еются", u"уются",
      u"ится",  u"ятся",  u"ется",  u"ются",  u"утся",  u"атся"},
     2},
    {{u"ит", u"ят"}, 3},
};

// Adjective endings, longest first, and the suffixes that must stand before them.
const char16_t* const AdjectiveEndings[] = {u"ого", u"его", u"ому", u"ему", u"ыми", u"ими", u"ый",
                                            u"ий",  u"ой",  u"ая",  u"яя",  u"ое",  u"ее",  u"ые",
                                            u"ие",  u"ым",  u"им",  u"ых",  u"их",  u"ую",  u"юю"};
const char16_t* const AdjectiveSuffixes[] = {u"н",   u"ск", u"цк", u"ов", u"ев", u"ив",
                                             u"ист", u"ущ", u"ющ", u"ащ", u"ящ", u"вш"};
constexpr int AdjectiveMinRoot = 3;

bool isConsonant(QChar c) {
    return c >= u'а' && c <= u'я' && !QStringView(u"аеиоуыэюяйьъ").contains(c);
}

bool endsWith(const QString& form, const char16_t* ending, int minStem) {
    const QStringView e(ending);
    return form.size() - e.size() >= minStem && form.endsWith(e);
}

template <std::size_t N> bool matchesAny(const QString& form, const Endings (&families)[N]) {
    for (const Endings& family : families) {
        for (const char16_t* ending : family.endings) {
            if (endsWith(form, ending, family.minStem))
                return true;
        }
    }
    return false;
}

// The instrumental -ом and the genitive plural -ей after a consonant, on a stem of four
// letters or more (short pronouns such as "потом", "своей" fail).
bool isCaseForm(const QString& form) {
    for (const char16_t* ending : {u"ом", u"ей"}) {
        if (endsWith(form, ending, 4) && isConsonant(form.at(form.size() - 3)))
            return true;
    }
    return false;
}

bool isAdjective(const QString& form) {
    for (const char16_t* ending : AdjectiveEndings) {
        const QStringView e(ending);
        if (!form.endsWith(e))
            continue;
        const QStringView stem = QStringView(form).chopped(e.size());
        for (const char16_t* suffix : AdjectiveSuffixes) {
            const QStringView s(suffix);
            if (stem.endsWith(s) && stem.size() - s.size() >= AdjectiveMinRoot)
                return true;
        }
        return false; // the longest ending decides
    }
    return false;
}

// Numerals such as "двадцать", "десять", "девять" look like infinitives.
bool isNumeral(const QString& form) {
    for (const char16_t* ending : {u"дцать", u"есять", u"евять"}) {
        if (form.endsWith(QStringView(ending)))
            return true;
    }
    return false;
}

// form: lower case, ё written as е.
WordClass classify(const QString& form) {
    if (isNumeral(form))
        return WordClass::None;
    if (matchesAny(form, NounEndings) || isCaseForm(form))
        return WordClass::Noun;
    if (matchesAny(form, VerbEndings))
        return WordClass::Verb;
    if (isAdjective(form))
        return WordClass::Adjective;
    return WordClass::None;
}

QString formOf(QStringView word) {
    QString form = word.toString().toLower();
    form.replace(u'ё', u'е');
    return form;
}

bool isLowerCyrillic(QStringView word) {
    return std::all_of(word.begin(), word.end(),
                       [](QChar c) { return (c >= u'а' && c <= u'я') || c == u'ё'; });
}

struct Word {
    qsizetype start = 0;
    qsizetype length = 0;
    int clausePlace = 0; // 0 for the first word of its clause
    bool hyphenated = false;
};

bool isClauseBreak(QChar c) {
    return QStringView(u",;:()[]«»„“”\"—–").contains(c);
}

// The words of text[from, to), each with its place in its clause.
QList<Word> wordsOf(QStringView text, qsizetype from, qsizetype to) {
    QList<Word> words;
    int place = 0;
    qsizetype i = from;
    while (i < to) {
        const QChar c = text.at(i);
        if (c.isLetter()) {
            Word w;
            w.start = i;
            while (i < to &&
                   (text.at(i).isLetter() || (text.at(i) == u'-' && i + 1 < to &&
                                              text.at(i + 1).isLetter() && i > w.start))) {
                w.hyphenated = w.hyphenated || text.at(i) == u'-';
                ++i;
            }
            w.length = i - w.start;
            w.clausePlace = place++;
            words.append(w);
            continue;
        }
        if (isClauseBreak(c) || c == u'-')
            place = 0;
        ++i;
    }
    return words;
}

bool endsSentence(QChar c) {
    return c == u'.' || c == u'!' || c == u'?' || c == u'…';
}

bool closesSentence(QChar c) {
    return endsSentence(c) || QStringView(u"»\"”)").contains(c);
}

struct Range {
    qsizetype start = 0;
    qsizetype end = 0;
};

// Sentences end at . ! ? … (with the quotes and brackets that close them) and at line breaks.
QList<Range> sentencesOf(QStringView text) {
    QList<Range> sentences;
    qsizetype start = 0;
    const auto close = [&](qsizetype end) {
        if (end > start)
            sentences.append({start, end});
        start = end;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            close(i);
            start = i + 1;
        } else if (endsSentence(c)) {
            qsizetype end = i + 1;
            while (end < text.size() && closesSentence(text.at(end)))
                ++end;
            close(end);
            i = end - 1;
        }
    }
    close(text.size());
    return sentences;
}

bool isCandidate(QStringView text, const Word& w) {
    if (w.length < ClozeMinWord || w.hyphenated || w.clausePlace < 2)
        return false;
    const QStringView word = text.mid(w.start, w.length);
    return isLowerCyrillic(word) && classify(formOf(word)) != WordClass::None;
}

// A sentence that can be asked: where it lies, the word left out and its text with the gap.
struct Usable {
    Range range;
    Word word;
    QString form;
    QString question;
};

bool makeUsable(QStringView text, Range range, Usable* usable) {
    const QList<Word> words = wordsOf(text, range.start, range.end);
    if (words.size() < ClozeMinSentenceWords)
        return false;
    QHash<QString, int> counts;
    for (const Word& w : words)
        ++counts[formOf(text.mid(w.start, w.length))];
    const Word* best = nullptr;
    const auto rank = [&](const Word& w) {
        const QString form = formOf(text.mid(w.start, w.length));
        return std::pair(priority(classify(form)), std::min<qsizetype>(w.length, 12));
    };
    for (const Word& w : words) {
        if (!isCandidate(text, w) || counts.value(formOf(text.mid(w.start, w.length))) > 1)
            continue;
        if (!best || rank(w) > rank(*best))
            best = &w;
    }
    if (!best)
        return false;
    const QString before = text.mid(range.start, best->start - range.start).toString();
    const QString after =
        text.mid(best->start + best->length, range.end - best->start - best->length).toString();
    const QString question = (before + ClozeGap + after).simplified();
    if (question.size() - ClozeGap.size() + best->length > ClozeMaxSentence)
        return false;
    usable->range = range;
    usable->word = *best;
    usable->form = formOf(text.mid(best->start, best->length));
    usable->question = question;
    return true;
}

// Spread over the passage: from each fifth the sentence nearest its middle, and where a fifth
// has none, the sentences farthest from those already taken. No word is asked twice. Fewer
// than TestQuestionCount when the sentences left all ask words already taken.
QList<qsizetype> spread(const QList<Usable>& usable, qsizetype length) {
    QList<qsizetype> taken;
    QSet<QString> asked;
    const auto take = [&](qsizetype i) {
        taken.append(i);
        asked.insert(usable[i].form);
    };
    for (int part = 0; part < TestQuestionCount; ++part) {
        const qsizetype from = length * part / TestQuestionCount;
        const qsizetype to = length * (part + 1) / TestQuestionCount;
        const qsizetype middle = (from + to) / 2;
        qsizetype best = -1;
        for (qsizetype i = 0; i < usable.size(); ++i) {
            const Range r = usable[i].range;
            if (r.start < from || r.start >= to || asked.contains(usable[i].form))
                continue;
            const auto distance = [&](qsizetype j) {
                return qAbs((usable[j].range.start + usable[j].range.end) / 2 - middle);
            };
            if (best < 0 || distance(i) < distance(best))
                best = i;
        }
        if (best >= 0)
            take(best);
    }
    while (taken.size() < TestQuestionCount) {
        qsizetype best = -1, bestGap = -1;
        for (qsizetype i = 0; i < usable.size(); ++i) {
            if (taken.contains(i) || asked.contains(usable[i].form))
                continue;
            qsizetype gap = usable.size();
            for (qsizetype t : taken)
                gap = std::min(gap, qAbs(i - t));
            if (gap > bestGap) {
                best = i;
                bestGap = gap;
            }
        }
        if (best < 0)
            break;
        take(best);
    }
    std::sort(taken.begin(), taken.end());
    return taken;
}

// A word of the passage that may stand beside the right one.
struct PoolWord {
    QString form;
    QString text;
    WordClass kind = WordClass::None;
};

QList<PoolWord> poolOf(QStringView text, const QList<Range>& sentences) {
    QList<PoolWord> pool;
    QSet<QString> seen;
    for (const Range& r : sentences) {
        for (const Word& w : wordsOf(text, r.start, r.end)) {
            if (!isCandidate(text, w))
                continue;
            const QStringView word = text.mid(w.start, w.length);
            const QString form = formOf(word);
            if (seen.contains(form))
                continue;
            seen.insert(form);
            pool.append({form, word.toString(), classify(form)});
        }
    }
    return pool;
}

qsizetype commonPrefix(QStringView a, QStringView b) {
    qsizetype n = 0;
    while (n < a.size() && n < b.size() && a[n] == b[n])
        ++n;
    return n;
}

qsizetype commonSuffix(QStringView a, QStringView b) {
    qsizetype n = 0;
    while (n < a.size() && n < b.size() && a[a.size() - 1 - n] == b[b.size() - 1 - n])
        ++n;
    return n;
}

// Two forms of one word: they share the beginning.
bool sameWord(QStringView a, QStringView b) {
    return commonPrefix(a, b) >= 4;
}

// Two words of the pool for the gap: the same ending and a similar length where the passage
// has such words, then the closest in ending and length; a word used for an earlier question
// only when no other will do, and never the answer to another question, which would tell
// that it is wrong here.
QList<const PoolWord*> distractors(const QList<PoolWord>& pool, const Usable& question,
                                   QStringView text, const QSet<QString>& answers,
                                   const QSet<QString>& used) {
    QSet<QString> inSentence;
    for (const Word& w : wordsOf(text, question.range.start, question.range.end))
        inSentence.insert(formOf(text.mid(w.start, w.length)));
    const QString& right = question.form;
    const WordClass rightClass = classify(right);
    struct Scored {
        const PoolWord* word;
        std::array<qsizetype, 6> key; // smaller is better
    };
    QList<Scored> scored;
    for (qsizetype i = 0; i < pool.size(); ++i) {
        const PoolWord& p = pool[i];
        if (sameWord(p.form, right) || inSentence.contains(p.form) || answers.contains(p.form))
            continue;
        const qsizetype ending = std::min<qsizetype>(commonSuffix(p.form, right), 3);
        const qsizetype gap = qAbs(p.form.size() - right.size());
        const bool sameEnding = ending >= 2, similar = gap <= 2;
        const qsizetype tier = sameEnding && similar ? 0 : sameEnding ? 1 : similar ? 2 : 3;
        scored.append(
            {&p,
             {tier, used.contains(p.form) ? 1 : 0, -ending, gap, p.kind == rightClass ? 0 : 1, i}});
    }
    std::sort(scored.begin(), scored.end(),
              [](const Scored& a, const Scored& b) { return a.key < b.key; });
    QList<const PoolWord*> chosen;
    for (const Scored& s : scored) {
        if (chosen.size() == 2)
            break;
        if (!chosen.isEmpty() && sameWord(chosen.first()->form, s.word->form))
            continue;
        chosen.append(s.word);
    }
    return chosen;
}

} // namespace

int clozePassageLength(QStringView passage) {
    return int(std::count_if(passage.begin(), passage.end(),
                             [](QChar c) { return c != u' ' && c != u'\r' && c != u'\n'; }));
}

QString clozeWord(QStringView sentence) {
    Usable usable;
    if (!makeUsable(sentence, {0, sentence.size()}, &usable))
        return {};
    return sentence.mid(usable.word.start, usable.word.length).toString();
}

ClozeSet buildCloze(QStringView passage, RandomSource& random) {
    const QList<Range> sentences = sentencesOf(passage);
    QList<Usable> usable;
    for (const Range& r : sentences) {
        Usable u;
        if (makeUsable(passage, r, &u))
            usable.append(u);
    }
    ClozeSet set;
    set.usableSentences = int(usable.size());
    if (usable.size() < TestQuestionCount)
        return set;
    const QList<PoolWord> pool = poolOf(passage, sentences);
    const QList<qsizetype> chosen = spread(usable, passage.size());
    if (chosen.size() < TestQuestionCount)
        return set;
    QSet<QString> answers, used;
    for (qsizetype i : chosen)
        answers.insert(usable[i].form);
    for (qsizetype i : chosen) {
        const Usable& u = usable[i];
        const QList<const PoolWord*> others = distractors(pool, u, passage, answers, used);
        if (others.size() < 2) {
            set.questions.clear();
            return set;
        }
        ClozeQuestion q;
        q.sentence = u.question;
        q.word = passage.mid(u.word.start, u.word.length).toString();
        q.choices = {q.word, others[0]->text, others[1]->text};
        for (const PoolWord* other : others)
            used.insert(other->form);
        for (int k = TestAnswerCount - 1; k > 0; --k) {
            const int j = random.below(k + 1);
            std::swap(q.choices[k], q.choices[j]);
            if (q.right == k)
                q.right = j;
            else if (q.right == j)
                q.right = k;
        }
        set.questions.append(q);
    }
    return set;
}
