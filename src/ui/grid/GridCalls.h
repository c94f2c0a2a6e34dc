#pragma once

#include <cstdint>
#include <string>

#include "ui/grid/Grid.h"

namespace tamrik {

// The cell messages as owners send them, without the casts of the two message parameters.

inline std::intptr_t GridSetCellText(Grid& grid, int row, int column, const std::string& text, bool readOnly = false) {
    GridCell cell(row, column, readOnly ? 1 : 0);
    return grid.message(GM_SETCELLTEXT, reinterpret_cast<std::intptr_t>(&cell),
                        reinterpret_cast<std::intptr_t>(text.c_str()));
}

inline std::intptr_t GridSetCellColour(Grid& grid, int row, int column, std::uint32_t colour) {
    GridCell cell(row, column);
    return grid.message(GM_SETCELLCOLOR, reinterpret_cast<std::intptr_t>(&cell), static_cast<std::intptr_t>(colour));
}

inline std::intptr_t GridSetReadOnly(Grid& grid, int row, int column, bool readOnly) {
    GridCell cell(row, column);
    return grid.message(GM_SETREADONLY, reinterpret_cast<std::intptr_t>(&cell), readOnly ? 1 : 0);
}

// The cell's record; `found` (when given) is set to whether the cell has one.
inline GridCell GridGetCell(Grid& grid, int row, int column, bool* found = nullptr) {
    GridCell cell(row, column);
    const std::intptr_t result = grid.message(GM_GETCELL, reinterpret_cast<std::intptr_t>(&cell));
    if (found) *found = result == 0;
    return cell;
}

inline std::string GridCellText(Grid& grid, int row, int column) { return GridGetCell(grid, row, column).text; }

}  // namespace tamrik
