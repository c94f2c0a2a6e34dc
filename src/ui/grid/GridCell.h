#pragma once

#include <QColor>
#include <string>
#include <vector>

namespace tamrik {

// Cell addresses: row 0 is the header row, column 0 the row-header column. The row limit leaves room
// for every event an event log image can hold (1021) in one view.
inline constexpr int kGridMaxRows = 2000;
inline constexpr int kGridMaxColumns = 100;

constexpr bool GridCellAddressValid(int row, int column) {
    return row >= 0 && row <= kGridMaxRows && column >= 0 && column <= kGridMaxColumns;
}

// One cell as its owner wrote it. A cell never written reads as read-only, white and empty, so that an
// owner that wants a cell editable writes it (possibly empty) with readOnly clear.
struct GridCell {
    std::string text;  // Latin-1
    QColor colour = QColor(Qt::white);
    bool readOnly = true;
    bool written = false;  // false for a cell the owner never wrote (or cleared)
};

// The cells of one grid, row by row; a row holds as many cells as its highest written column needs.
class GridCells {
public:
    // A cell never written, or outside the grid's range, reads as the empty cell.
    const GridCell& at(int row, int column) const;
    // The cell, made writable (and marked written); the address must be valid.
    GridCell& write(int row, int column);
    // Returns whether there was a cell to clear.
    bool clear(int row, int column);

private:
    std::vector<std::vector<GridCell>> rows_;
};

}  // namespace tamrik
