#include "ui/grid/GridLayout.h"

#include <algorithm>

namespace tamrik {

int GridLayout::span(int column) const { return isShown(column) ? widths[column] + columnGap : 0; }

int GridLayout::rowAt(int y) const {
    if (y <= titleHeight) return -1;
    if (y <= titleHeight + headerHeight) return 0;
    const int row = (y - titleHeight - headerHeight) / std::max(rowHeight, 1) + topRow;
    return row > rows ? -1 : row;
}

int GridLayout::columnAt(int x) const {
    if (x <= widths[0]) return 0;
    int remainder = x - widths[0];
    for (int column = leftColumn; column <= columns; ++column) {
        remainder -= span(column);
        if (remainder <= 0) return column;
    }
    return -1;
}

GridRect GridLayout::cellRect(int row, int column) const {
    GridRect rect;
    if (column == 0) {
        rect.left = 0;
    } else if (column >= leftColumn) {
        rect.left = widths[0];
        for (int c = leftColumn; c < column; ++c) rect.left += span(c);
    } else {
        rect.left = widths[0];
        for (int c = column; c < leftColumn; ++c) rect.left -= span(c);
    }
    rect.right = rect.left + widths[std::clamp(column, 0, kGridMaxColumns)];
    if (row == 0) {
        rect.top = titleHeight;
        rect.bottom = titleHeight + headerHeight;
    } else {
        rect.top = titleHeight + headerHeight + (row - topRow) * rowHeight;
        rect.bottom = rect.top + rowHeight;
    }
    return rect;
}

int GridLayout::lastVisibleColumn() const {
    const int available = clientWidth - widths[0];
    int sum = 0;
    for (int column = leftColumn; column <= columns; ++column) {
        sum += span(column);
        if (sum > available) return column;
    }
    return columns;
}

int GridLayout::lastVisibleRow() const {
    const int available = std::max(clientHeight - headerHeight - titleHeight, 0);
    return std::min(rows, topRow + available / std::max(rowHeight, 1));
}

int GridLayout::visibleRowCount() const {
    return std::max(clientHeight - headerHeight - titleHeight, 0) / std::max(rowHeight, 1);
}

int GridLayout::contentWidth() const {
    int width = widths[0];
    for (int column = 1; column <= columns; ++column) width += span(column);
    return width;
}

int GridLayout::contentHeight() const { return titleHeight + headerHeight + rows * rowHeight; }

int GridLayout::verticalMaximum() const { return std::max(1, rows - std::max(visibleRowCount(), 1) + 1); }

int GridLayout::horizontalMaximum() const {
    int count = 0;
    for (int column = 1; column <= columns; ++column) count += isShown(column) ? 1 : 0;
    return std::max(count, 1);
}

int GridLayout::horizontalPosition() const {
    int count = 0;
    for (int column = 1; column <= leftColumn && column <= columns; ++column) count += isShown(column) ? 1 : 0;
    return std::max(count, 1);
}

int GridLayout::columnAtPosition(int position) const {
    int count = 0;
    int last = 1;
    for (int column = 1; column <= columns; ++column) {
        if (!isShown(column)) continue;
        last = column;
        if (++count >= position) return column;
    }
    return last;
}

int GridLayout::nextShownColumn(int column, int direction) const {
    for (int c = column + direction; c >= 1 && c <= columns; c += direction) {
        if (isShown(c)) return c;
    }
    return 0;
}

void GridLayout::scrollIntoView(int row, int column) {
    if (row >= 1) {
        while (topRow < row && cellRect(row, 0).bottom > clientHeight) ++topRow;
        while (row < topRow && topRow > 1) --topRow;
    }
    if (column >= 1) {
        while (column != leftColumn && leftColumn < columns && cellRect(0, column).right > clientWidth) {
            ++leftColumn;
        }
        while (column < leftColumn && leftColumn >= 2) --leftColumn;
    }
}

void GridLayout::clampScroll() {
    topRow = std::clamp(topRow, 1, verticalMaximum());
    leftColumn = std::clamp(leftColumn, 1, std::max(columns, 1));
}

}  // namespace tamrik
