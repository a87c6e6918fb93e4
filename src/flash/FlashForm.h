#pragma once

#include "exercise/ExerciseWindow.h"
#include "flash/FlashResult.h"
#include "flash/FlashRun.h"
#include "flash/FlashSettings.h"

class FlashDisplay;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class ReadingPlace;
class TMessageForm;

// The flash-reading window, a child of the main window's frame: the loaded text's words one
// group at a time at a fixed point, at the speed of the regulator, from the text window's
// reading place on. Space pauses and resumes; while paused, Left and Right (or the buttons) go
// back or forward one sentence.
class TFlashForm : public ExerciseWindow {
    Q_OBJECT
public:
    // place: the text window's text and reading place, which a run reads and moves.
    TFlashForm(TrainingState& state, ExerciseHost& host, ReadingPlace& place);
    // The "no text" message.
    void setDialogs(TMessageForm* message) { MessageForm = message; }

    // One step: the group on show counts as read and the next one comes, or the run ends.
    void Timer1Timer();

    bool isPaused() const { return Paused; }
    const FlashRun& run() const { return Run; }
    const FlashSettings& settings() const { return Settings; }

signals:
    // The figures of the run just ended, for whoever keeps results.
    void flashFinished(const FlashResult& result);

protected:
    // Runs each time the window becomes the frame's active child.
    void FormActivate() override;
    void startRun() override { StartFlash(); }
    void stopRun() override { StopFlash(); }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Start ("Пуск") while this window is active: begins a run at the reading place.
    void StartFlash();
    // Stop ("Стоп"), or the text's end: the run ends, its figures are shown and sent.
    void StopFlash();
    // Space: a running run stops its clock with the group still on show, or goes on.
    void PauseFlash();
    // Left and Right while paused: the start of this (or the previous) sentence, or the next.
    void SentenceBack();
    void SentenceForward();
    // The display takes the exercise font chosen on the frame.
    void applyFont();
    void showCurrent();
    void settingsChanged();
    // The run's figures as the training diary keeps them.
    RunResult diaryFigures(const FlashResult& result) const;
    void updateControls();

    FlashDisplay* Display = nullptr;
    QProgressBar* Progress = nullptr;
    QLabel* Figures = nullptr; // the last run's figures, or how to go on while paused
    QSpinBox* WordsSpin = nullptr;
    QSpinBox* SentencePauseSpin = nullptr;
    QSpinBox* CommaPauseSpin = nullptr;
    QPushButton* PauseButton = nullptr;
    QPushButton* BackButton = nullptr;
    QPushButton* ForwardButton = nullptr;

    ReadingPlace& Place;
    TMessageForm* MessageForm = nullptr;
    FlashRun Run;
    FlashSettings Settings;
    int ShownMs = 0;         // how long the group on show is meant to stay
    qint64 RunMs = 0;        // real run time up to the last pause
    bool GroupShown = false; // a group of this run is on show, to be counted at the next step
    bool Paused = false;
};
