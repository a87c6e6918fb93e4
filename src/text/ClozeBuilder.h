#pragma once

#include "text/TestFile.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <array>

class RandomSource;

// A comprehension test on the user's own text: sentences of the passage just read, each with
// one content word left out, and three words to fill the gap with, all taken from the passage.
//
// Words are judged by their shape alone, with no dictionary: a word of lower-case Cyrillic
// letters, at least ClozeMinWord long, not among the first two words of its clause (where
// conjunctions and relative pronouns stand), whose ending marks a noun (-ость, -ние, -тель,
// -ами, -ах ...), a verb (-ать, -ался, -ает, -ила ...) or an adjective (an adjective ending
// after a suffix such as -н-, -ск-, -ов-, -ив-). Short pronoun stems fail these rules, so
// function words are not taken.

// The least passage a test is built from, in characters read: blanks and line breaks are not
// counted, as in the volume of a text.
inline constexpr int ClozeMinPassage = 1500;
// The shortest word left out.
inline constexpr int ClozeMinWord = 5;
// Sentences shorter than this many words, or longer than ClozeMaxSentence characters, make
// no question: too little to go on, or more than the question dialog shows well.
inline constexpr int ClozeMinSentenceWords = 6;
inline constexpr int ClozeMaxSentence = 220;
// What stands for the word left out.
inline const QString ClozeGap = QStringLiteral("_____");

struct ClozeQuestion {
    QString sentence; // the sentence on one line, the word replaced by ClozeGap
    QString word;     // the word left out
    std::array<QString, TestAnswerCount> choices;
    int right = 0; // where the word stands among the choices
};

struct ClozeSet {
    // TestQuestionCount questions in the order of the passage, or none when the passage is
    // too poor for them.
    QList<ClozeQuestion> questions;
    // The sentences that could make a question.
    int usableSentences = 0;
    bool isReady() const { return questions.size() == TestQuestionCount; }
};

// The passage's length as a test counts it: blanks and line breaks left out.
int clozePassageLength(QStringView passage);

// The word a sentence would be asked about, or empty when the sentence makes no fair
// question (too short or too long, no words but dashes or numbers, no content word).
QString clozeWord(QStringView sentence);

// Five questions from sentences spread over the passage; the choices of each are shuffled
// with the random source.
ClozeSet buildCloze(QStringView passage, RandomSource& random);
