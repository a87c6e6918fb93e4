#pragma once

#include <QWidget>

#include <array>

class QFrame;
class QLabel;
class TMainForm;

// The table size picker: a small borderless window that drops down under the main window's
// table size button, with a 10 x 10 block of squares and a strip that shows the size.
class TFormDlgTable : public QWidget {
    Q_OBJECT
public:
    static constexpr int GridSide = 10;
    static constexpr int PickerWidth = 110;
    static constexpr int PickerHeight = 129;

    explicit TFormDlgTable(TMainForm& mainForm);

    QFrame* Panel1 = nullptr;      // fills the window, takes no input
    QLabel* PanelStatus = nullptr; // the size text, along the bottom
    // PickerCells[i][j]: row i, column j, at (10 j + 5, 10 i + 5), 9 x 9 pixels.
    std::array<std::array<QFrame*, GridSide>, GridSide> PickerCells{};

    int HoverColumn = 0; // column and row under the pointer, from its last move inside the grid
    int HoverRow = 0;

private:
    TMainForm& Main;
};
