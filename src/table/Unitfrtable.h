#pragma once

#include "exercise/ExerciseWindow.h"
#include "table/NumberTable.h"
#include "table/TableGeometry.h"

#include <array>

class QFrame;
class QLabel;
class TAnsTableForm;
class TTableResultForm;

// The table window, a child of the main window's frame: a grid of up to 10 x 10 number cells
// on a dark blue panel that is kept in the middle of the window. A run deals the numbers into
// the cells and crosses them out in ascending order; in test mode three are left out, and the
// user is asked for them at the end.
class TTableForm : public ExerciseWindow {
    Q_OBJECT
public:
    static constexpr int GridSide = 10;

    TTableForm(TrainingState& state, ExerciseHost& host);
    // The question dialog and the result dialog of the test.
    void setDialogs(TAnsTableForm* questions, TTableResultForm* result);

    // Runs each time the window becomes the frame's active child, and when the main window
    // asks for it after a font change: status bar, grid laid out afresh with "*" in every cell.
    void FormActivate() override;
    void startRun() override { StartTableRun(); }
    void stopRun() override { FinishTableRun(); }
    // Cell size from the font, and the size of the panel that holds the cells.
    void SizeGrid();
    // Centres the grid panel in the window; the main window calls it on every resize.
    void CentreGrid();
    // Start ("Пуск") while this window is active: deals the numbers and starts the timer.
    void StartTableRun();
    // One step: the next number is crossed out, or the run ends.
    void Timer1Timer();
    // Stop ("Стоп") or the last step: the run ends; a finished test run asks its questions.
    void FinishTableRun();
    void GenerateNumbers();

    QFrame* BkGrPanel = nullptr; // holds the cells
    // Cells[i][j]: row i, column j; all hidden until a grid is laid out.
    std::array<std::array<QLabel*, GridSide>, GridSide> Cells{};

    int CellSize = 0; // side of a square cell in pixels, set when the grid is sized
    static constexpr int CellGap = TableGeometry::CellGap; // pixels between neighbouring cells
    NumberTable Table;                                     // the numbers of the current or last run
    int Score = 0;                                         // right answers of the last test

protected:
    // The frame may lay its tool bars out again after its own resize; the grid is centred on
    // the area this window has in the end.
    void resizeEvent(QResizeEvent* event) override;

private:
    int columns() const;
    int rows() const;
    // Every visible cell back to "*".
    void coverCells();
    // The questions after a finished test run, and the result.
    // Asks for the missing numbers and shows the score; false when the questions were not
    // answered.
    bool AskTestQuestions();

    TAnsTableForm* AnsTableForm = nullptr;
    TTableResultForm* TableResultForm = nullptr;
    QWidget* Client = nullptr;
};
