// The tips the three exercise windows ask for when the user turns to them.
#include "shell/Unitfrmain.h"

#include "dialogs/AdviceTips.h"
#include "dialogs/Unitadvice.h"
#include "shell/ProgramWindows.h"

#include <QAction>
#include <QWindow>

void TMainForm::ShowAdvice(ExerciseKind kind) {
    QAction* kindSwitch = N1;
    int* index = &CurrentTextAdvice;
    QStringList tips;
    switch (kind) {
    case ExerciseKind::Text:
        tips = TextAdviceTexts();
        break;
    case ExerciseKind::FieldOfView:
        kindSwitch = N2;
        index = &CurrentStringAdvice;
        tips = StringAdviceTexts();
        break;
    case ExerciseKind::Table:
        kindSwitch = N3;
        index = &CurrentTableAdvice;
        tips = TableAdviceTexts();
        break;
    case ExerciseKind::Schulte:
    case ExerciseKind::Flash:
        return; // no tips of their own
    }
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
