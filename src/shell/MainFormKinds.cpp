// The exercise kinds that came after the first three, and the drop-down that gathers them with
// the training records. At the frame's first width (659 pixels) the tool bar has room for one
// more button after the table size, not for one per kind: one drop-down keeps the rows and
// leaves every other button in its place.
#include "shell/Unitfrmain.h"

#include "flash/FlashForm.h"
#include "schulte/SchulteForm.h"
#include "shell/ProgramWindows.h"
#include "text/Unitfrtext.h"
#include "widgets/MoreButton.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QMdiArea>
#include <QMenu>
#include <QToolBar>

void TMainForm::buildMoreKinds() {
    MoreKinds =
        new MoreButton(QStringLiteral("Ещё"), QStringLiteral("Другие упражнения и дневник (F10)"),
                       QStringLiteral("more"), ToolBar10);
    placeButton(ToolBar10, MoreKinds, "MoreKinds", true);
    // An entry is added here with one call: MoreKinds->addEntry(name, caption, hint, glyph).
    SchulteKind = MoreKinds->addEntry("SchulteKind", QStringLiteral("Шульте"),
                                      QStringLiteral("Таблицы Шульте: найти всё по порядку, "
                                                     "не сводя глаз с центра"),
                                      QStringLiteral("schulte"), true);
    FlashKind = MoreKinds->addEntry("FlashKind", QStringLiteral("Вспышки"),
                                    QStringLiteral("Чтение вспышками: слова текста по одному или "
                                                   "группами в одной точке"),
                                    QStringLiteral("flash"), true);
    DiaryEntry = MoreKinds->addEntry("DiaryEntry", QStringLiteral("Дневник"),
                                     QStringLiteral("Дневник занятий: результаты и графики (Ctrl+D)"),
                                     QStringLiteral("diary"));
    ToolBar10->setVisible(!MoreKinds->entries()->isEmpty());
    // The diary's keys work wherever the frame has the focus, the menu closed.
    DiaryEntry->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    addAction(DiaryEntry);
}

void TMainForm::connectKindEntries() {
    connectKindEntry(SchulteKind, &TMainForm::SchulteKindClick);
    connectKindEntry(FlashKind, &TMainForm::FlashKindClick);
}

void TMainForm::SchulteKindClick() {
    chooseLaterKind(ExerciseKind::Schulte, RunState::SchulteChosen, Windows->SchulteForm);
}

void TMainForm::FlashKindClick() {
    chooseLaterKind(ExerciseKind::Flash, RunState::FlashChosen, Windows->FlashForm);
}

void TMainForm::chooseLaterKind(ExerciseKind kind, RunState state, QMdiSubWindow* window) {
    if (State.ChosenKind() == kind)
        return;
    SetRunState(state);
    if (ActiveMDIChild() == Windows->TextForm)
        Windows->TextForm->SaveScrollAnchor();
    MdiArea->setActiveSubWindow(window);
    emit controlsChanged();
}

void TMainForm::connectKindEntry(QAction* entry, void (TMainForm::*handler)()) {
    connect(entry, &QAction::toggled, this, [this, handler](bool down) {
        if (!down)
            return;
        KindButtons->setExclusive(false);
        if (QAbstractButton* button = KindButtons->checkedButton())
            button->setChecked(false);
        KindButtons->setExclusive(true);
        (this->*handler)();
    });
}

void TMainForm::connectKindButtons() {
    connect(KindButtons, &QButtonGroup::buttonToggled, this, [this](QAbstractButton*, bool down) {
        if (down)
            MoreKinds->clearChoice();
    });
}
