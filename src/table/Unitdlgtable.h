#pragma once

#include <QWidget>

#include <array>

class QFrame;
class QLabel;
class TrainingState;

// The table size picker: a small borderless window that drops down under the main window's
// table size button, with a 10 x 10 block of squares and a strip that shows the size. Pointing
// lights the block up to the square under the pointer; releasing the button takes that size.
// The arrow keys move the lit corner and Enter takes it; Escape closes without a change.
class TFormDlgTable : public QWidget {
    Q_OBJECT
public:
    static constexpr int GridSide = 10;
    static constexpr int PickerWidth = 110;
    static constexpr int PickerHeight = 129;

    // Drops down under sizeButton, a child of the frame; the size it takes goes to the state.
    TFormDlgTable(QWidget* frame, const QWidget* sizeButton, TrainingState& state);

    // Hangs the picker under the size button, the table's present size lit and in the status.
    void FormShow();
    // X and Y in the picker's client coordinates.
    void FormMouseMove(int X, int Y);
    void FormMouseUp(int X, int Y);
    // Hides the picker; the course re-checks its stage (controlsChanged) and the table takes
    // its new size (closed).
    void FormDeactivate();
    // The picker's cell in row i, column j; the column and row under the pointer.
    QFrame* pickerCell(int i, int j) const { return PickerCells.at(i).at(j); }
    int hoverColumn() const { return HoverColumn; }
    int hoverRow() const { return HoverRow; }

signals:
    void controlsChanged();
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QFrame* Panel1 = nullptr;      // fills the window, takes no input
    QLabel* PanelStatus = nullptr; // the size text, along the bottom
    // PickerCells[i][j]: row i, column j, at (10 j + 5, 10 i + 5), 9 x 9 pixels.
    std::array<std::array<QFrame*, GridSide>, GridSide> PickerCells{};
    int HoverColumn = 0; // column and row under the pointer, from its last move inside the grid
    int HoverRow = 0;
    // Lights the block from the top-left square to the hover square, or nothing.
    void lightBlock(bool lit);
    // The hover square becomes the bottom-right square of the table's present size.
    void hoverPresentSize();
    void moveHover(int columns, int rows);
    void takeHoverSize();

    const QWidget* SizeButton;
    TrainingState& State;
    bool Lit = false;
};
