// Choosing the exercise kind: the three kind buttons, and the drop-down that gathers the kinds
// that came after them with the training records. At the frame's first width (659 pixels) the
// tool bar has room for one more button after the table size, not for one per kind: one
// drop-down keeps the rows and leaves every other button in its place.
#include "shell/Unitfrmain.h"

#include "exercise/ExerciseWindow.h"
#include "training/ExerciseKinds.h"
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
    // A kind whose description names an entry is chosen here, in the order of the kinds.
    KindEntries.assign(exerciseKinds().size(), nullptr);
    for (const ExerciseKindInfo& kind : exerciseKinds()) {
        if (*kind.EntryName)
            KindEntries[std::size_t(kind.Kind)] = MoreKinds->addEntry(
                kind.EntryName, kind.EntryCaption, kind.EntryHint, kind.EntryGlyph, true);
    }
    DiaryEntry = MoreKinds->addEntry(
        "DiaryEntry", QStringLiteral("Дневник"),
        QStringLiteral("Дневник занятий: результаты и графики (Ctrl+D)"), QStringLiteral("diary"));
    ToolBar10->setVisible(!MoreKinds->entries()->isEmpty());
    // The diary's keys work wherever the frame has the focus, the menu closed.
    DiaryEntry->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    addAction(DiaryEntry);
}

QAction* TMainForm::kindEntry(ExerciseKind kind) const {
    return KindEntries.at(std::size_t(kind));
}

QObject* TMainForm::kindChooser(ExerciseKind kind) const {
    if (QAction* entry = kindEntry(kind))
        return entry;
    return KindButtons->button(int(kind));
}

void TMainForm::SpeedButton4Click() {
    chooseKind(ExerciseKind::Text);
}

void TMainForm::SpeedButton5Click() {
    chooseKind(ExerciseKind::Table);
}

void TMainForm::SpeedButton6Click() {
    chooseKind(ExerciseKind::FieldOfView);
}

void TMainForm::chooseKind(ExerciseKind kind) {
    if (State.ChosenKind() == kind)
        return;
    enterRunState(describe(kind).Chosen, kind);
    if (ExerciseWindow* left = activeExercise())
        left->keepViewPlace();
    MdiArea->setActiveSubWindow(exerciseOf(kind));
    emit controlsChanged();
}

void TMainForm::connectKindEntries() {
    for (const ExerciseKindInfo& kind : exerciseKinds()) {
        QAction* entry = kindEntry(kind.Kind);
        if (!entry)
            continue;
        connect(entry, &QAction::toggled, this, [this, kind = kind.Kind](bool down) {
            if (!down)
                return;
            KindButtons->setExclusive(false);
            if (QAbstractButton* button = KindButtons->checkedButton())
                button->setChecked(false);
            KindButtons->setExclusive(true);
            chooseKind(kind);
        });
    }
}

void TMainForm::connectKindButtons() {
    connect(KindButtons, &QButtonGroup::buttonToggled, this, [this](QAbstractButton*, bool down) {
        if (down)
            MoreKinds->clearChoice();
    });
}
