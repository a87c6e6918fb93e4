// The tips the exercise windows ask for when the user turns to them.
#include "shell/Unitfrmain.h"

#include "dialogs/AdviceTips.h"
#include "dialogs/Unitadvice.h"
#include "shell/ProgramWindows.h"
#include "training/ExerciseKinds.h"

#include <QAction>
#include <QWindow>

int TMainForm::nextTip(ExerciseKind kind) const {
    const int indexes[] = {CurrentTextAdvice, CurrentStringAdvice, CurrentTableAdvice};
    const int list = describe(kind).Tips;
    return list < 0 ? 0 : indexes[list];
}

void TMainForm::ShowAdvice(ExerciseKind kind) {
    // A kind's list of tips has its switch in the tips menu and its place in the rotation.
    const int list = describe(kind).Tips;
    if (list < 0)
        return; // no tips of its own
    QAction* const switches[] = {N1, N2, N3};
    int* const indexes[] = {&CurrentTextAdvice, &CurrentStringAdvice, &CurrentTableAdvice};
    const QStringList* const lists[] = {&TextAdviceTexts(), &StringAdviceTexts(),
                                        &TableAdviceTexts()};
    QAction* kindSwitch = switches[list];
    int* index = indexes[list];
    const QStringList& tips = *lists[list];
    TAdviceForm* dialog = Windows ? Windows->AdviceForm : nullptr;
    // Until the frame is on the screen, its exercise windows become active one after another
    // as the frame lays them out: that is the program starting, not the user turning to them.
    // Clearing "советовать" in the dialog switches off the tips of every kind.
    const QWindow* frame = windowHandle();
    if (!kindSwitch->isChecked() || !dialog || !frame || !frame->isVisible())
        return;
    if (!dialog->ShowAdvice(tips.at(takeNextAdvice(*index, int(tips.size()))))) {
        for (QAction* item : {N1, N2, N3})
            item->setChecked(false);
    }
    UpdateAdviceGlyph();
}
