#include "table/TableGeometry.h"

#include <algorithm>

namespace TableGeometry {

int sideInRange(int count) {
    return std::clamp(count, 1, MaxSide);
}

int cellSizeFor(int charWidth) {
    return 3 * charWidth;
}

QSize panelSize(int cellSize, int columns, int rows) {
    const int pitch = cellSize + CellGap;
    return {pitch * columns - CellGap, pitch * rows - CellGap};
}

QPoint cellOrigin(int cellSize, int row, int column) {
    const int pitch = cellSize + CellGap;
    return {pitch * column, pitch * row};
}

QPoint centredOrigin(QSize client, int cellSize, int columns, int rows) {
    const int pitch = cellSize + CellGap;
    return {(client.width() - pitch * columns) / 2, (client.height() - pitch * rows) / 2};
}

} // namespace TableGeometry
