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

    // The line is laid out afresh for a new font or frame size.
    void fontChanged() override { layOutLine(); }
    void frameResized() override { layOutLine(); }
    QWidget* widthGrip() const override;

    // One step of a run: the next pair, or the end of the run when its time is up.
    void Timer1Timer();
    // The grips at the two ends of the line; x is the pointer's x from the grip's left edge.
    void MarginLeftMouseDown();
    void MarginLeftMouseMove(int x);
    void MarginLeftMouseUp();
    void MarginRightMouseDown();
    void MarginRightMouseMove(int x);
    void MarginRightMouseUp();
    // A grip is being dragged.
    bool isDragging() const { return DraggingLeft || DraggingRight; }

    // The width of the line in characters, and the pair shown last (left x 100 + right).
    int lineChars() const { return LineChars; }
    int answer() const { return Answer; }

protected:
    // Runs each time the window becomes the frame's active child, and when the frame asks for
    // it (font, width or size changes).
    void FormActivate() override;
    void startRun() override { StartLine(); }
    void stopRun() override { EndLine(); }
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The line laid out to the width and font and shown, also during a run (the width may
    // change then).
    void layOutLine();
    // Layout steps, in the order layOutLine runs them.
    void SetLineLimits();
    void SnapLine();
    void CenterLine();
    void ApplyLineFont();

    // Start ("Пуск") while this window is active: begins a run.
    void StartLine();
    // Stop ("Стоп") or the end of the time: the run ends; a run that ran out its time asks for
    // the last pair and scores the answer.
    void EndLine();
    // The answer dialog, the verdict and the result dialog: the verdict on the answer given, or
    // none when it was not given with the marker box ticked. A right answer scores 100.
    std::optional<bool> ScoreAnswer();
    void dragGrip(bool leftGrip, int x);
    void releaseGrip();
    // Resizes the line; the grips stay at its ends and the marker in its middle.
    void setLineWidth(int width);
    // Centres the line in this window's visible client area.
    void placeLine();
    // The line's width in characters, which the course takes with the test's score.
    void setLineChars(int chars);

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

    TAnsStringForm* AnsStringForm = nullptr;
    TStringResultForm* StringResultForm = nullptr;
    QWidget* Client = nullptr;
    int StepInterval = 1; // the interval of the step now scheduled
    int LineMinimum = 0;
    int LineMaximum = 1 << 20;
};
