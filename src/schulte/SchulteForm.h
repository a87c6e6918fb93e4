#pragma once

#include "exercise/ExerciseWindow.h"
#include "schulte/SchulteKeys.h"
#include "schulte/SchulteResult.h"
#include "schulte/SchulteRun.h"

#include <QElapsedTimer>

#include <optional>

class SchulteGrid;
class SchulteSettingsPanel;
class TSchulteResultForm;

// The window "Таблицы Шульте": the settings on the left, the table on the right. "Пуск" deals
// a table; the clock starts when it first shows; the symbols are found in order by mouse or
// keys; the last one ends the run with the result dialog.
class TSchulteForm : public ExerciseWindow {
    Q_OBJECT
public:
    TSchulteForm(TrainingState& state, ExerciseHost& host);
    // The result dialog, made with the other dialogs.
    void setDialogs(TSchulteResultForm* resultForm) { ResultForm = resultForm; }

    const SchulteRun& run() const { return Run; }

signals:
    // A run ended, finished or stopped: its figures, for whoever keeps records.
    void resultReady(const SchulteResult& result);

protected:
    // The window became the frame's active child: status bar, keys to the table.
    void FormActivate() override;
    void startRun() override { StartSchulteRun(); }
    void stopRun() override { FinishSchulteRun(); }

private:
    // "Пуск" while this window is active.
    void StartSchulteRun();
    // "Стоп", Escape, or the last find: the run ends; a finished one shows its result.
    void FinishSchulteRun();
    void settingsChanged();
    void showBestTime();
    void showNextTarget();
    void chooseCell(int cell);
    void keyTyped(const QString& text);
    void numberTyped(int number);
    // Timer1: the number typed so far is due.
    void takeDueNumber();
    void scheduleDueNumber();
    // The run's figures; a finished run's time is kept when it is the best.
    SchulteResult keepResult(bool completed) const;
    // The run's figures as the training diary keeps them.
    RunResult diaryFigures(const SchulteResult& result) const;

    SchulteGrid* Grid = nullptr;
    SchulteSettingsPanel* Settings = nullptr;
    TSchulteResultForm* ResultForm = nullptr;
    SchulteRun Run;
    QElapsedTimer Shown;    // runs from the table's first showing
    bool Painted = false;   // the table of this run has shown
    QElapsedTimer KeyClock; // the clock of the typed digits
    std::optional<TypedNumber> Typed;
};
