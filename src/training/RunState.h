#pragma once

// The situations in which the toolbar's enabled states change, and the one table that says
// what each of them does to every control. Schulte tables and flash reading are kinds without
// a test mode: the test button is off while one of them is chosen, and they cannot be chosen
// while the test button is down.
enum class RunState {
    RunStarted,
    RunEnded,
    TestModeChanged,
    TextChosen,
    StringChosen,
    TableChosen,
    SchulteChosen,
    FlashChosen
};

struct RunControls {
    // What the states read: which buttons are down, whether the assistant window is open.
    bool textDown = true;
    bool tableDown = false;
    bool testDown = false;
    bool untestedKindDown = false; // Schulte tables or flash reading
    bool flashDown = false;        // flash reading, which reads the loaded text
    bool assistantVisible = false;

    // What the states set.
    bool open = true;         // SpeedButton1
    bool start = true;        // SpeedButton2
    bool stop = false;        // SpeedButton3
    bool textAndTable = true; // SpeedButton4, SpeedButton5
    bool fieldOfView = false; // SpeedButton6
    bool untestedKinds = true; // Schulte tables, flash reading
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
