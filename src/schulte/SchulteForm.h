#pragma once

#include "platform/RandomSource.h"
#include "schulte/SchulteKeys.h"
#include "schulte/SchulteResult.h"
#include "schulte/SchulteRun.h"
#include "shell/RunState.h"

#include <QElapsedTimer>
#include <QMdiSubWindow>

#include <optional>

class QTimer;
class SchulteGrid;
class SchulteSettingsPanel;
class TSchulteResultForm;

// The window "Таблицы Шульте", a child of the frame: the settings on the left, the table on the
// right. "Пуск" deals a table; the clock starts when it first shows; the symbols are found in
// order by mouse or keys; the last one ends the run with the result dialog. It knows nothing
// of the frame: it asks for what it needs through its signals.
class TSchulteForm : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit TSchulteForm(TSchulteResultForm* resultForm);

    // The window became the frame's active child: status bar and table at rest.
    void FormActivate();
    // "Пуск" while this window is active.
    void StartSchulteRun();
    // "Стоп", Escape, or the last find: the run ends; a finished one shows its result.
    void FinishSchulteRun();
    // The program closes: a run ends quietly, and the window may close.
    void programClosing();
    // The face and least size of the captions (the frame's exercise font).
    void setCaptionFont(const QFont& font);

    bool isRunning() const { return Running; }
    const SchulteRun& run() const { return Run; }
    // The source of the tables' random numbers; a fixed seed replays the same tables.
    RandomSource& randomSource() { return Random; }

    SchulteGrid* Grid = nullptr;
    SchulteSettingsPanel* Settings = nullptr;

signals:
    // Asks the frame to apply a run state (the end of a run).
    void runStateWanted(RunState state);
    // Text for a status panel of the frame.
    void statusWanted(int panel, const QString& text);
    // The window became active after another exercise (the last exercise is now this one).
    void activated();
    // The run is over and its dialogs are closed; goOn for a course.
    void runEnded(bool goOn);
    // A run ended, finished or stopped: its figures, for whoever keeps records.
    void resultReady(const SchulteResult& result);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void settingsChanged();
    void showBestTime();
    void showNextTarget();
    void chooseCell(int cell);
    void keyTyped(const QString& text);
    void numberTyped(int number);
    void takeDueNumber();

    TSchulteResultForm* ResultForm;
    SchulteRun Run;
    RandomSource Random;
    QElapsedTimer Shown;          // runs from the table's first showing
    bool Painted = false;         // the table of this run has shown
    QElapsedTimer KeyClock;       // the clock of the typed digits
    std::optional<TypedNumber> Typed;
    QTimer* DigitTimer = nullptr; // fires when a number typed so far is due
    bool Running = false;
    bool Closing = false;
};
