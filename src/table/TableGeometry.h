#pragma once

#include <QPoint>
#include <QSize>

// Where the cells of the number grid go. A cell is a square three digit widths wide, so that
// the widest number, 100, fits; neighbouring cells are CellGap pixels apart.
namespace TableGeometry {

constexpr int CellGap = 3;
constexpr int MaxSide = 10; // at most 10 columns and 10 rows

// Columns or rows as the grid can hold them: 1..MaxSide.
int sideInRange(int count);
int cellSizeFor(int charWidth);
// The panel that holds the cells: no gap after the last column and row.
QSize panelSize(int cellSize, int columns, int rows);
// Top-left corner of the cell in row i, column j, inside the panel.
QPoint cellOrigin(int cellSize, int row, int column);
// Top-left corner of the panel that puts the grid in the middle of a client area. The extent
// taken off is the full pitch times the count, one trailing gap included; the corner has
// negative coordinates when the grid is larger than the client area.
QPoint centredOrigin(QSize client, int cellSize, int columns, int rows);

} // namespace TableGeometry
