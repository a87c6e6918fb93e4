#pragma once

#include "exercise/ExerciseWindow.h"

#include <optional>

class QFrame;
class QLabel;
class TAnsStringForm;
class TStringResultForm;

// The field-of-view window, a child of the main window's frame: one white test line as wide as
// the reading field, with a small marker in its middle and a grip at each end. A run flashes
// number pairs at the two ends of the line; the user then types the last pair.
class TStringForm : public ExerciseWindow {
    Q_OBJECT
public:
    TStringForm(TrainingState& state, ExerciseHost& host);
    // The answer dialog and the result dialog of the test.
    void setDialogs(TAnsStringForm* answer, TStringResultForm* result);

    // Runs each time the window becomes the frame's active child, and when the main window
    // asks for it (font, width or size changes).
    void FormActivate() override;
    void startRun() override { StartLine(); }
    void stopRun() override { EndLine(); }
    // Layout steps, in the order FormActivate runs them.
    void SetLineLimits();
    void SnapLine();
    void CenterLine();
    void ApplyLineFont();

    // The grips at the two ends of the line; x is the pointer's x from the grip's left edge.
    void MarginLeftMouseDown();
    void MarginLeftMouseMove(int x);
    void MarginLeftMouseUp();
    void MarginRightMouseDown();
    void MarginRightMouseMove(int x);
    void MarginRightMouseUp();

    // Start ("Пуск") while this window is active: begins a run.
    void StartLine();
    // One step of a run: the next pair, or the end of the run when its time is up.
    void Timer1Timer();
    // Stop ("Стоп") or the end of the time: the run ends; a run that ran out its time asks for
    // the last pair and scores the answer.
    void EndLine();

    QLabel* WindowString = nullptr; // the test line, hidden until the window is laid out
    QLabel* ImageCenter = nullptr;  // the 7 x 7 marker, shown only during a run
    QFrame* MarginLeft = nullptr;   // grips at the two ends of the line
    QFrame* MarginRight = nullptr;

    bool DraggingLeft = false;
    bool DraggingRight = false;
    int LineChars = 0;    // width of the line in characters
    int Answer = 0;       // the pair shown last, left x 100 + right
    int TimeLeft = 0;     // milliseconds left in the run, negative once it is up
    bool Running = false; // numbers are flashing
    int ScorePercent = 0; // 100 after a right, confirmed answer, otherwise 0

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The answer dialog, the verdict and the result dialog. Returns true for a right answer
    // given with the marker box ticked.
    // The verdict on the answer given, or none when it was not given with the marker ticked.
    std::optional<bool> ScoreAnswer();
    void dragGrip(bool leftGrip, int x);
    void releaseGrip();
    // Resizes the line; the grips stay at its ends and the marker in its middle.
    void setLineWidth(int width);
    // Centres the line in this window's visible client area.
    void placeLine();

    TAnsStringForm* AnsStringForm = nullptr;
    TStringResultForm* StringResultForm = nullptr;
    QWidget* Client = nullptr;
    int StepInterval = 1; // the interval of the step now scheduled
    int LineMinimum = 0;
    int LineMaximum = 1 << 20;
};
