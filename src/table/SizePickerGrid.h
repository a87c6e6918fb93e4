#pragma once

#include <QString>

// The 10 x 10 squares of the table size picker, in the picker's client coordinates: square
// (i, j) is 9 pixels wide at (10 j + 5, 10 i + 5), one pixel of gap to the next.
namespace SizePickerGrid {

constexpr int Side = 10;
constexpr int Origin = 5;
constexpr int Pitch = 10;
constexpr int SquareSide = 9;

// Whether a point is over the grid: both coordinates strictly between 5 and 105.
bool inside(int x, int y);
// The column (from x) or row (from y) under a coordinate inside the grid, 0..9. A column's zone
// runs from its square's left edge to the pixel after its right edge.
int indexAt(int coordinate);
// The status strip: columns first, "4 x 3"; "0 x 0" when nothing is lit.
QString statusText(int columns, int rows);

} // namespace SizePickerGrid
