#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// Finds help pages by the words typed: a page matches when every typed word is found in it.
// Russian words change their endings, so a word of five letters or more is looked for by its
// start, less its last two letters (at least four are kept): "книга" finds "книги" and
// "книгу". Letter case and "ё" against "е" do not count.
class HelpSearch {
public:
    // Takes the plain text of a page.
    void addPage(const QString& page, const QString& text);
    // Whether the page holds every word of the query; an empty query matches every page.
    bool matches(const QString& page, const QString& query) const;

    static QStringList wordsOf(const QString& text);

private:
    QHash<QString, QStringList> m_words; // page -> its distinct words
};
