#include "ui/grid/GridCell.h"

namespace tamrik {

const GridCell& GridCells::at(int row, int column) const {
    static const GridCell empty;
    if (row < 0 || column < 0 || static_cast<std::size_t>(row) >= rows_.size()) return empty;
    const auto& cells = rows_[static_cast<std::size_t>(row)];
    return static_cast<std::size_t>(column) < cells.size() ? cells[static_cast<std::size_t>(column)] : empty;
}

GridCell& GridCells::write(int row, int column) {
    const auto r = static_cast<std::size_t>(row);
    const auto c = static_cast<std::size_t>(column);
    if (rows_.size() <= r) rows_.resize(r + 1);
    if (rows_[r].size() <= c) rows_[r].resize(c + 1);
    GridCell& cell = rows_[r][c];
    cell.written = true;
    return cell;
}

bool GridCells::clear(int row, int column) {
    if (!at(row, column).written) return false;
    rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = GridCell{};
    return true;
}

}  // namespace tamrik
