#include "training/RunState.h"

#include "training/ExerciseKinds.h"

RunControls applyRunState(RunControls c, RunState state) {
    const ExerciseKindInfo& chosen = describe(c.chosen);
    switch (state) {
    case RunState::RunStarted:
        c.open = false;
        c.start = false;
        c.stop = true;
        c.textAndTable = false;
        c.fieldOfView = false;
        c.moreKinds = false;
        c.test = false;
        c.tableSize = false;
        c.assistant = false;
        c.fonts = false;
        if (c.textDown)
            c.readingAndAlignment = false;
        break;
    case RunState::RunEnded:
        c.open = chosen.ReadsLoadedText && !c.testDown;
        c.start = true;
        c.stop = false;
        c.textAndTable = true;
        c.fieldOfView = c.testDown;
        c.moreKinds = !c.testDown;
        c.test = chosen.HasTestMode;
        c.tableSize = c.tableDown;
        c.assistant = !c.assistantVisible;
        c.fonts = true;
        if (c.textDown)
            c.readingAndAlignment = true;
        break;
    case RunState::TestModeChanged:
        if (c.testDown)
            c.open = false;
        else if (c.textDown)
            c.open = true;
        c.fieldOfView = c.testDown;
        c.moreKinds = !c.testDown;
        break;
    case RunState::TextChosen:
        if (!c.testDown)
            c.open = true;
        c.test = true;
        c.testMayBeReleased = true;
        c.tableSize = false;
        c.fonts = true;
        c.width = true;
        c.readingAndAlignment = true;
        break;
    case RunState::StringChosen:
        c.open = false;
        c.test = true;
        c.testMayBeReleased = false;
        c.tableSize = false;
        c.width = true;
        c.readingAndAlignment = false;
        break;
    case RunState::TableChosen:
        c.open = false;
        c.test = true;
        c.testMayBeReleased = true;
        c.tableSize = true;
        c.width = false;
        c.readingAndAlignment = false;
        break;
    case RunState::OtherKindChosen:
        c.open = chosen.ReadsLoadedText;
        c.test = chosen.HasTestMode;
        c.tableSize = false;
        c.fonts = true;
        c.width = false;
        c.readingAndAlignment = false;
        break;
    }
    return c;
}
