#pragma once

#include <QMdiSubWindow>

#include <array>

class QFrame;
class QLabel;
class QTimer;
class TMainForm;

// The table window, a child of the main window's frame: a grid of up to 10 x 10 number cells
// on a dark blue panel that is kept in the middle of the window.
class TTableForm : public QMdiSubWindow {
    Q_OBJECT
public:
    static constexpr int GridSide = 10;

    explicit TTableForm(TMainForm& mainForm);

    // Runs each time the window becomes the frame's active child, and when the main window
    // asks for it after a font change.
    void FormActivate();
    // Centres the grid panel in the window; the main window calls it on every resize.
    void CentreGrid();
    // Start ("Пуск") while this window is active: begins a run. Not built yet, does nothing.
    void StartTableRun();
    // Stop ("Стоп") or the last step: the run ends.
    void FinishTableRun();
    // The next table tip, when those tips are switched on.
    void ShowTableAdvice();

    QFrame* BkGrPanel = nullptr; // holds the cells
    // Cells[i][j]: row i, column j; all hidden until a grid is laid out.
    std::array<std::array<QLabel*, GridSide>, GridSide> Cells{};
    QTimer* Timer1 = nullptr; // step timer, off at rest

    int CellSize = 0; // side of a square cell in pixels, set when the grid is sized
    int CellGap = 3;  // pixels between neighbouring cells

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    TMainForm& Main;
    QWidget* Client = nullptr;
};
