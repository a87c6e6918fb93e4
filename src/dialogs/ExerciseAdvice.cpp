// The tips the three exercise windows show when the user turns to them.
#include "app/ProgramWindows.h"
#include "dialogs/AdviceTips.h"
#include "dialogs/Unitadvice.h"
#include "fieldofview/Unitfrstring.h"
#include "shell/Unitfrmain.h"
#include "table/Unitfrtable.h"
#include "text/Unitfrtext.h"

#include <QAction>
#include <QWindow>

namespace {

// Shows the next tip of one exercise kind when that kind's switch is on. Clearing
// "советовать" in the dialog switches off the tips of every kind.
void showNextAdvice(TMainForm& main, const QAction* kindSwitch, int& index,
                    const QStringList& tips) {
    TAdviceForm* dialog = main.windows().AdviceForm;
    // Until the frame is on the screen, its exercise windows become active one after another
    // as the frame lays them out: that is the program starting, not the user turning to them.
    const QWindow* frame = main.windowHandle();
    if (!kindSwitch->isChecked() || !dialog || !frame || !frame->isVisible())
        return;
    if (!dialog->ShowAdvice(tips.at(takeNextAdvice(index, int(tips.size()))))) {
        for (QAction* item : {main.N1, main.N2, main.N3})
            item->setChecked(false);
    }
    main.UpdateAdviceGlyph();
}

} // namespace

void TTextForm::ShowTextAdvice() {
    showNextAdvice(Main, Main.N1, Main.CurrentTextAdvice, TextAdviceTexts());
}

void TStringForm::ShowStringAdvice() {
    showNextAdvice(Main, Main.N2, Main.CurrentStringAdvice, StringAdviceTexts());
}

void TTableForm::ShowTableAdvice() {
    showNextAdvice(Main, Main.N3, Main.CurrentTableAdvice, TableAdviceTexts());
}
