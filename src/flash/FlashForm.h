#pragma once

#include "flash/FlashResult.h"
#include "flash/FlashRun.h"
#include "flash/FlashSettings.h"

#include <QMdiSubWindow>

class FlashDisplay;
class PacedTimer;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class ReadingPlace;

// The flash-reading window, a child of the main window's frame: the loaded text's words one
// group at a time at a fixed point, at the speed of the regulator, from the text window's
// reading place on. Space pauses and resumes; while paused, Left and Right (or the buttons) go
// back or forward one sentence.
class TFlashForm : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit TFlashForm(ReadingPlace& place);

    // Start ("Пуск") while this window is active: begins a run at the reading place.
    void StartFlash();
    // One step: the group on show counts as read and the next one comes, or the run ends.
    void Timer1Timer();
    // Stop ("Стоп"), or the text's end: the run ends, its figures are shown and sent.
    void StopFlash();
    // Space: a running run stops its clock with the group still on show, or goes on.
    void PauseFlash();
    // Left and Right while paused: the start of this (or the previous) sentence, or the next.
    void SentenceBack();
    void SentenceForward();

    bool isRunning() const { return Running; }
    bool isPaused() const { return Paused; }
    const FlashRun& run() const { return Run; }
    const FlashSettings& settings() const { return Settings; }

    // The exercise font chosen on the frame.
    void setExerciseFont(const QFont& font);
    // Milliseconds per character, as the speed regulator stands now.
    void setCharInterval(int charInterval) { CharInterval = charInterval; }

    FlashDisplay* Display = nullptr;
    QProgressBar* Progress = nullptr;
    QLabel* Figures = nullptr; // the last run's figures, or how to go on while paused
    QSpinBox* WordsSpin = nullptr;
    QSpinBox* SentencePauseSpin = nullptr;
    QSpinBox* CommaPauseSpin = nullptr;
    QPushButton* PauseButton = nullptr;
    QPushButton* BackButton = nullptr;
    QPushButton* ForwardButton = nullptr;
    PacedTimer* Timer1 = nullptr;

signals:
    // Start found no loaded text: the frame tells the user, as for the text exercise.
    void noTextLoaded();
    // The run is over (Stop or the text's end).
    void runEnded(bool goOn);
    // The figures of the run just ended.
    void flashFinished(const FlashResult& result);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void showCurrent();
    void settingsChanged();
    void updateControls();

    ReadingPlace& Place;
    FlashRun Run;
    FlashSettings Settings;
    int CharInterval = 60;
    int ShownMs = 0;         // how long the group on show is meant to stay
    bool GroupShown = false; // a group of this run is on show, to be counted at the next step
    bool Running = false;
    bool Paused = false;
};
