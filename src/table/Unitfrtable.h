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
    static constexpr int CellGap = TableGeometry::CellGap; // pixels between neighbouring cells

    TTableForm(TrainingState& state, ExerciseHost& host);
    // The question dialog and the result dialog of the test.
    void setDialogs(TAnsTableForm* questions, TTableResultForm* result);

    // A new font: the grid is laid out afresh, as on activation.
    void fontChanged() override { activate(); }
    // One step: the next number is crossed out, or the run ends.
    void Timer1Timer();

    // The numbers of the current or last run, and the side of a cell in pixels.
    const NumberTable& table() const { return Table; }
    int cellSize() const { return CellSize; }
    // Right answers of the last test.
    int score() const { return Score; }

protected:
    // Runs each time the window becomes the frame's active child, and when the frame asks for
    // it after a font change or the size picker closed: grid laid out afresh, "*" in every cell.
    void FormActivate() override;
    void startRun() override { StartTableRun(); }
    void stopRun() override { FinishTableRun(); }
    // The frame may lay its tool bars out again after its own resize; the grid is centred on
    // the area this window has in the end.
    void resizeEvent(QResizeEvent* event) override;

private:
    // Cell size from the font, and the size of the panel that holds the cells.
    void SizeGrid();
    // Centres the grid panel in the window.
    void CentreGrid();
    // Start ("Пуск") while this window is active: deals the numbers and starts the timer.
    void StartTableRun();
    // Stop ("Стоп") or the last step: the run ends; a finished test run asks its questions.
    void FinishTableRun();
    void GenerateNumbers();
    int columns() const;
    int rows() const;
    // Every visible cell back to "*".
    void coverCells();
    // Asks for the missing numbers and shows the score; false when the questions were not
    // answered.
    bool AskTestQuestions();

    QFrame* BkGrPanel = nullptr; // holds the cells
    // Cells[i][j]: row i, column j; all hidden until a grid is laid out.
    std::array<std::array<QLabel*, GridSide>, GridSide> Cells{};

    int CellSize = 0;  // side of a square cell in pixels, set when the grid is sized
    NumberTable Table; // the numbers of the current or last run
    int Score = 0;     // right answers of the last test

    TAnsTableForm* AnsTableForm = nullptr;
    TTableResultForm* TableResultForm = nullptr;
    QWidget* Client = nullptr;
};
