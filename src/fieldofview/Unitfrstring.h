#pragma once

#include <QMdiSubWindow>

class QFrame;
class QLabel;
class QTimer;
class TMainForm;

// The field-of-view window, a child of the main window's frame: one white test line as wide as
// the reading field, with a small marker in its middle and a grip at each end.
class TStringForm : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit TStringForm(TMainForm& mainForm);

    // Runs each time the window becomes the frame's active child, and when the main window
    // asks for it (font, width or size changes).
    void FormActivate();
    // Start ("Пуск") while this window is active: begins a run. Not built yet, does nothing.
    void StartLine();
    // Stop ("Стоп") or the end of the time: the run ends.
    void EndLine();
    // The next field-of-view tip, when those tips are switched on.
    void ShowStringAdvice();

    // Places the test line in the window; its grips stay at its two ends and the marker in
    // its middle.
    void setLineGeometry(int left, int top, int width, int height);

    QLabel* WindowString = nullptr; // the test line, hidden until the window is laid out
    QLabel* ImageCenter = nullptr;  // the 7 x 7 marker, hidden except during a run
    QFrame* MarginLeft = nullptr;   // grips at the two ends of the line
    QFrame* MarginRight = nullptr;
    QTimer* Timer1 = nullptr; // step timer, off at rest
    int ScorePercent = 0;     // 100 after a right, confirmed answer, else 0
    int LineChars = 0;        // width of the test line of the last run, in characters

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    TMainForm& Main;
    QWidget* Client = nullptr;
};
