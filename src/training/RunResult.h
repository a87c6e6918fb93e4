#pragma once

#include <QString>

// What was trained. The numbers are stored in the diary and never change meaning; a new kind
// takes the next free number.
enum class DiaryKind : int {
    TextReading = 1,
    TextTest = 2,
    FieldOfViewTest = 3,
    TableReading = 4,
    TableTest = 5,
    Schulte = 6,
    FlashReading = 7,
    ClozeTest = 8, // words left out of the user's own text
};

inline constexpr DiaryKind AllDiaryKinds[] = {
    DiaryKind::TextReading,  DiaryKind::TextTest,  DiaryKind::FieldOfViewTest,
    DiaryKind::TableReading, DiaryKind::TableTest, DiaryKind::Schulte,
    DiaryKind::FlashReading, DiaryKind::ClozeTest,
};

// The kind's name as the diary shows it; empty for a number no kind has.
QString diaryKindName(DiaryKind kind);
// The kind stored under this number, or false when there is none.
bool diaryKindFromCode(int code, DiaryKind* kind);

// The figures of one finished run or test, as the exercise window that ran it knows them.
struct RunResult {
    DiaryKind kind = DiaryKind::TextReading;
    // The regulator's speed: the speed set (for the text, its average over the run's fields, as
    // the text test counts it); 0 where the regulator plays no part.
    int charsPerMinute = 0;
    // The speed reached: characters of the text passed over, blanks included, per minute of
    // real run time (ActualSpeed); -1 where the run passes over no text or it is not known.
    int actualCharsPerMinute = -1;
    int wordsPerMinute = 0;
    int fieldWidth = 0; // reading-field width in characters
    QString textName;   // file name of the text read, the test text's name, or the table's size
    int charsRead = 0;
    int wordsRead = 0;
    qint64 durationMs = 0;
    int courseLevel = 0; // 0 when no course ran
    int courseStage = 0;
    // Right answers (text test), right or not (field of view: 1 or 0 of 1), numbers found
    // (table test), cells found (Schulte); -1 when nothing was asked or answered.
    int right = -1;
    int outOf = 0;
    QString shown;        // the number pair shown (field of view), the missing numbers (table)
    int mistakes = -1;    // wrong choices (Schulte); -1 when not counted
    bool stopped = false; // ended with "Стоп" before its end

    bool hasScore() const { return right >= 0 && outOf > 0; }
    // right of outOf in per cent, rounded down; -1 when there is no score.
    int percent() const { return hasScore() ? right * 100 / outOf : -1; }
};

// Words per minute over a run: words passed in elapsedMs, rounded down; 0 for no time.
int wordsPerMinute(int words, qint64 elapsedMs);
