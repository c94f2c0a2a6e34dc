#pragma once

#include <array>

#include "ui/grid/GridCell.h"

namespace tamrik {

struct GridRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Where rows and columns fall in the grid's client area, and the scroll position. Row heights are
// uniform; column 0 (the row headers) never scrolls; a column of width 0 is hidden and takes no room.
struct GridLayout {
    std::array<int, kGridMaxColumns + 1> widths = InitialWidths();
    int columnGap = 0;  // after each shown data column
    int rows = 0;
    int columns = 0;
    int topRow = 1;      // first data row shown
    int leftColumn = 1;  // first data column shown
    int rowHeight = 21;
    int headerHeight = 21;
    int titleHeight = 0;
    int clientWidth = 0;
    int clientHeight = 0;

    static std::array<int, kGridMaxColumns + 1> InitialWidths() {
        std::array<int, kGridMaxColumns + 1> initial{};
        initial[0] = 50;
        return initial;
    }

    bool isShown(int column) const { return column >= 0 && column <= kGridMaxColumns && widths[column] > 0; }
    // Width plus gap of a data column; 0 for a hidden one.
    int span(int column) const;

    // -1 on the title band or below the last row, 0 on the header band.
    int rowAt(int y) const;
    // 0 on the row headers; -1 right of the last column.
    int columnAt(int x) const;
    // Rectangle of a cell in client pixels (right and bottom exclusive).
    GridRect cellRect(int row, int column) const;

    int lastVisibleColumn() const;
    int lastVisibleRow() const;
    // Whole data rows that fit below the title and header (0 when none does).
    int visibleRowCount() const;

    int contentWidth() const;
    int contentHeight() const;
    bool needsVerticalBar() const { return contentHeight() > clientHeight; }
    bool needsHorizontalBar() const { return contentWidth() > clientWidth; }
    int verticalMaximum() const;               // scroll range 1 .. this
    int horizontalMaximum() const;             // number of shown data columns, at least 1
    int horizontalPosition() const;            // shown data columns from 1 to the left column
    int columnAtPosition(int position) const;  // the position-th shown data column
    // The nearest shown data column before (direction -1) or after (+1) `column`, or 0 when there is none.
    int nextShownColumn(int column, int direction) const;

    // Moves the scroll position until the cell is inside the client area (row or column 0 leave
    // that direction alone).
    void scrollIntoView(int row, int column);
    // Keeps the scroll position within the scroll ranges.
    void clampScroll();
};

}  // namespace tamrik
