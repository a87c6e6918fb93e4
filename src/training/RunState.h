#pragma once

#include "training/ExerciseKind.h"

// The situations in which the toolbar's enabled states change, and the one table that says
// what each of them does to every control. What differs by kind beyond the three kind buttons
// is read from the kind's description (ExerciseKinds): whether it has a test mode (the test
// button is off while one without is chosen) and whether it reads the loaded text (Open). The
// kinds under "Ещё" have no test mode: they cannot be chosen while the test button is down.
enum class RunState {
    RunStarted,
    RunEnded,
    TestModeChanged,
    TextChosen,
    StringChosen,
    TableChosen,
    OtherKindChosen // a kind from "Ещё", named by RunControls::chosen
};

struct RunControls {
    // What the states read: which buttons are down, whether the assistant window is open.
    bool textDown = true;
    bool tableDown = false;
    bool testDown = false;
    bool assistantVisible = false;
    // The kind chosen; in a ...Chosen state, the kind being chosen.
    ExerciseKind chosen = ExerciseKind::Text;

    // What the states set.
    bool open = true;         // SpeedButton1
    bool start = true;        // SpeedButton2
    bool stop = false;        // SpeedButton3
    bool textAndTable = true; // SpeedButton4, SpeedButton5
    bool fieldOfView = false; // SpeedButton6
    bool moreKinds = true;    // the kinds under "Ещё"
    bool test = true;         // SpeedButton14
    bool testMayBeReleased = true;
    bool tableSize = false;          // SpeedButton15
    bool assistant = true;           // SpeedButton20
    bool fonts = true;               // ComboBox2, ComboBox1
    bool width = true;               // CSpinEdit1
    bool readingAndAlignment = true; // SpeedButton7, 8, 11, 12, 13

    bool operator==(const RunControls&) const = default;
};

// Returns the controls after `state` was applied; a control the state does not name keeps
// its value.
RunControls applyRunState(RunControls controls, RunState state);
