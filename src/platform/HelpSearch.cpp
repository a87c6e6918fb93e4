#include "platform/HelpSearch.h"

#include <algorithm>

namespace {

QString stemOf(const QString& word) {
    return word.size() >= 5 ? word.left(std::max<qsizetype>(4, word.size() - 2)) : word;
}

} // namespace

QStringList HelpSearch::wordsOf(const QString& text) {
    QStringList words;
    QString word;
    const auto flush = [&] {
        if (!word.isEmpty())
            words.append(std::exchange(word, QString()));
    };
    for (const QChar c : text) {
        if (c.isLetterOrNumber())
            word += c == u'ё' || c == u'Ё' ? u'е' : c.toLower();
        else
            flush();
    }
    flush();
    return words;
}

void HelpSearch::addPage(const QString& page, const QString& text) {
    QStringList words = wordsOf(text);
    words.sort();
    words.removeDuplicates();
    m_words.insert(page, words);
}

bool HelpSearch::matches(const QString& page, const QString& query) const {
    const QStringList words = m_words.value(page);
    const QStringList wanted = wordsOf(query);
    return std::all_of(wanted.cbegin(), wanted.cend(), [&words](const QString& typed) {
        const QString stem = stemOf(typed);
        // The page's words are sorted: those that begin with the stem follow its place.
        const auto it = std::lower_bound(words.cbegin(), words.cend(), stem);
        return it != words.cend() && it->startsWith(stem);
    });
}
