#include "table/SizePickerGrid.h"

namespace SizePickerGrid {

namespace {
constexpr int End = Origin + Side * Pitch;
} // namespace

bool inside(int x, int y) {
    return Origin < x && x < End && Origin < y && y < End;
}

int indexAt(int coordinate) {
    return (coordinate - Origin) / Pitch;
}

QString statusText(int columns, int rows) {
    return QString::number(columns) + QStringLiteral(" x ") + QString::number(rows);
}

} // namespace SizePickerGrid
