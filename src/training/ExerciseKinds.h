#pragma once

#include "training/ExerciseKind.h"
#include "training/RunResult.h"
#include "training/RunState.h"

#include <QKeyCombination>
#include <QString>

#include <array>
#include <optional>
#include <span>

// What the guided course makes of a kind's runs.
enum class CourseRole {
    Stages, // the course's stages train it: the end of a run moves the course on or repeats it
    Aside,  // no stage trains it: a run of it during a course leaves the course at its stage
};

// Everything that differs by exercise kind, outside the kind's own window, in one place: the
// frame, the run-state table, the tips, the help, the status bar and the diary read it here
// instead of naming kinds. A new kind is one more row (and its window, made in Program.cpp).
struct ExerciseKindInfo {
    ExerciseKind Kind = ExerciseKind::Text;
    // Its window's object name (the instance name other parts and tests use) and help page.
    const char* WindowName = "";
    int HelpContext = 0;
    // F1 with the focus in its window opens its own page; otherwise the contents, as for the
    // first three kinds.
    bool F1OpensItsPage = false;
    // Its window's title, and the title while test mode is on.
    QString Caption{};
    QString TestCaption{};
    // Test mode: whether the test button may be down while it is chosen.
    bool HasTestMode = false;
    // What its runs are in the diary, outside and in test mode.
    DiaryKind Diary = DiaryKind::TextReading;
    DiaryKind TestDiary = DiaryKind::TextReading;
    // Its list of tips, counted from 0 as the tips menu lists them; -1 when it has none.
    int Tips = -1;
    CourseRole Course = CourseRole::Aside;
    // It reads the text the user opened, so a text can be opened while it is chosen, and its
    // runs are filed under the file's name.
    bool ReadsLoadedText = false;
    // The status bar gives the recommended width in table cells rather than characters.
    bool WidthInCells = false;
    // The status panels' hints (0 to 3) while its window is in front; empty: none.
    std::array<QString, 4> PanelHints{};
    // How it is chosen: the tool bar state it sets, its key, and, for a kind listed under
    // "Ещё", the entry's object name, caption, hint and picture (empty for a kind with a button
    // of its own).
    RunState Chosen = RunState::OtherKindChosen;
    QKeyCombination ChooseKey{};
    const char* EntryName = "";
    QString EntryCaption{};
    QString EntryHint{};
    QString EntryGlyph{};
};

// Every kind, in the order of its code.
std::span<const ExerciseKindInfo> exerciseKinds();
const ExerciseKindInfo& describe(ExerciseKind kind);
// The kind stored under this code (LastExercise), or none.
std::optional<ExerciseKind> exerciseKindFromCode(int code);
