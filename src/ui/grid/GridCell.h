#pragma once

#include <cstdint>
#include <string>

namespace tamrik {

// Cell addresses: row 0 is the header row, column 0 the row-header column. The row limit leaves room
// for every event an event log image can hold (1021) in one view.
inline constexpr int kGridMaxRows = 2000;
inline constexpr int kGridMaxColumns = 100;
// The longest cell text: a stored record is at most 1023 characters and the text starts at 20.
inline constexpr std::size_t kGridMaxCellText = 1003;

// Colours travel as 0x00BBGGRR (red in the low byte).
constexpr std::uint32_t GridRgb(int red, int green, int blue) {
    return (static_cast<std::uint32_t>(red) & 0xFFu) | ((static_cast<std::uint32_t>(green) & 0xFFu) << 8) |
           ((static_cast<std::uint32_t>(blue) & 0xFFu) << 16);
}
inline constexpr std::uint32_t kGridWhite = GridRgb(255, 255, 255);

// How callers name a cell; passed by address as the first message parameter.
struct GridCell {
    GridCell() = default;
    GridCell(std::int32_t cellRow, std::int32_t cellColumn, std::int32_t cellReadOnly = 0)
        : row(cellRow), column(cellColumn), readOnly(cellReadOnly) {}

    std::int32_t row = 0;
    std::int32_t column = 0;
    std::int32_t readOnly = 0;          // in: GM_SETCELLTEXT stores the cell read-only; out of GM_GETCELL: 1 or 0
    std::uint32_t colour = kGridWhite;  // out of GM_GETCELL
    std::string text;                   // out of GM_GETCELL
};

constexpr bool GridCellAddressValid(int row, int column) {
    return row >= 0 && row <= kGridMaxRows && column >= 0 && column <= kGridMaxColumns;
}

}  // namespace tamrik
