#pragma once

#include "training/ExerciseKind.h"
#include "training/RunState.h"

class QString;

// What an exercise window asks of the frame that holds it. The frame implements it; a window
// knows nothing else of the frame. Values (speed, width, font, run state) come from the
// TrainingState instead, and news for the course goes out through the window's signals.
class ExerciseHost {
public:
    // Status bar panels 0 to 3.
    virtual void setStatusPanel(int panel, const QString& text) = 0;
    // The status bar's hint is looked up afresh at the pointer's next move.
    virtual void resetStatusHint() = 0;
    // The one way the toolbar's enabled states change.
    virtual void SetRunState(RunState state) = 0;
    // The next tip of this kind, when the user has those tips switched on.
    virtual void ShowAdvice(ExerciseKind kind) = 0;
    // Stores where the user stopped reading the open file.
    virtual void SaveTextPosition() = 0;
    // Test mode goes off: no test could be prepared.
    virtual void LeaveTestMode() = 0;

protected:
    ~ExerciseHost() = default;
};
