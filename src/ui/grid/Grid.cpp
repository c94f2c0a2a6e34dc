#include "ui/grid/Grid.h"

#include <QApplication>
#include <QFontMetrics>
#include <QScrollBar>
#include <algorithm>

#include "ui/grid/GridFonts.h"

namespace tamrik {

Grid::Grid(const QString& title, QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QStringLiteral("grid"));
    viewport()->setObjectName(QStringLiteral("gridViewport"));
    verticalScrollBar()->setObjectName(QStringLiteral("gridVerticalScrollBar"));
    horizontalScrollBar()->setObjectName(QStringLiteral("gridHorizontalScrollBar"));
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    // Keyboard focus comes by tabbing or from the owner; a click takes it in press() so that the first
    // click on an unfocused grid during an edit only commits the edit.
    setFocusPolicy(Qt::TabFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    const GridFonts& fonts = SharedGridFonts();
    cellFont_ = fonts.cell;
    headerFont_ = fonts.header;
    titleFont_ = fonts.title;

    // Every scroll by the bars takes the keyboard focus.
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this] { setFocus(Qt::OtherFocusReason); });
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this, [this] { setFocus(Qt::OtherFocusReason); });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        layout_.topRow = value;
        viewport()->update();
    });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        layout_.leftColumn = layout_.columnAtPosition(value);
        viewport()->update();
    });

    const int flashTime = QApplication::cursorFlashTime();
    caretTimer_.setInterval(flashTime > 0 ? flashTime / 2 : 500);
    connect(&caretTimer_, &QTimer::timeout, this, [this] {
        caretOn_ = !caretOn_;
        updateCell(currentRow_, currentColumn_);
    });
    viewport()->setMouseTracking(true);  // owners explain the cell under the pointer
    autoScrollTimer_.setInterval(100);
    connect(&autoScrollTimer_, &QTimer::timeout, this, [this] { autoScrollTick(); });
    setTitle(title);
}

void Grid::setTitle(const QString& title) {
    title_ = title.size() > kMaxTitleLength ? QStringLiteral("Title too long (300 chars max)") : title;
    if (title_.isEmpty()) {
        layout_.titleHeight = 0;
    } else {
        const int lines = 1 + static_cast<int>(title_.count(QLatin1Char('\n')));
        const int lineHeight = QFontMetrics(titleFont_).height();
        layout_.titleHeight = static_cast<int>(lineHeight * 1.2 * lines);
    }
    refit();
    viewport()->update();
}

int Grid::columnWidth(int column) const {
    return column >= 0 && column <= kGridMaxColumns ? layout_.widths[column] : 0;
}

QRect Grid::cellRect(int row, int column) const {
    GridLayout layout = layout_;
    layout.clientWidth = viewport()->width();
    layout.clientHeight = viewport()->height();
    const GridRect rect = layout.cellRect(row, column);
    return QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

int Grid::columnAt(int x) const {
    GridLayout layout = layout_;
    layout.clientWidth = viewport()->width();
    return layout.columnAt(x);
}

bool Grid::setCell(int row, int column, const GridCell& cell) {
    if (!GridCellAddressValid(row, column)) return false;
    GridCell& stored = cells_.write(row, column);
    stored.text = cell.text;
    stored.colour = cell.colour;
    stored.readOnly = cell.readOnly;
    syncClient();
    updateCell(row, column);
    if (row > 0 && row > layout_.rows) setSize(row, layout_.columns);
    autoSize(row, column, stored.text);
    return true;
}

bool Grid::setText(int row, int column, std::string_view text, bool readOnly) {
    return setCell(row, column, GridCell{std::string(text), QColor(Qt::white), readOnly, true});
}

bool Grid::setColour(int row, int column, const QColor& colour) {
    if (!GridCellAddressValid(row, column)) return false;
    const bool isNew = !cells_.at(row, column).written;
    GridCell& stored = cells_.write(row, column);
    if (isNew) {
        stored.text = " ";
        stored.readOnly = false;
    }
    stored.colour = colour;
    updateCell(row, column);
    return true;
}

bool Grid::setReadOnly(int row, int column, bool readOnly) {
    if (!GridCellAddressValid(row, column)) return false;
    cells_.write(row, column).readOnly = readOnly;
    updateCell(row, column);
    return true;
}

bool Grid::clearCell(int row, int column) {
    if (!GridCellAddressValid(row, column)) return false;
    cells_.clear(row, column);
    updateCell(row, column);
    emit notified(Event::CellChanged, row, column);  // the cell cleared, wherever the current one is
    return true;
}

// Rows and columns grow to fit the text measured as one line; they never shrink this way, so setting a
// header text makes a hidden column appear.
void Grid::autoSize(int row, int column, const std::string& text) {
    const QFontMetrics metrics(row == 0 || column == 0 ? headerFont_ : cellFont_);
    const int height = metrics.height() + 5;
    const int width =
        metrics.horizontalAdvance(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()))) + 10;
    if (row == 0) {
        if (layout_.headerHeight < height) setHeaderHeight(height);
    } else if (layout_.rowHeight < height) {
        setRowHeight(height);
    }
    if (layout_.widths[column] < width) setColumnWidth(column, width);
}

void Grid::setCurrent(int row, int column) {
    if (row < 1 || row > layout_.rows || column < 1 || column > layout_.columns) return;
    commitEdit();
    currentRow_ = row;
    currentColumn_ = column;
    scrollCurrentIntoView();
    viewport()->update();
}

void Grid::setColumnWidths(std::span<const int> widths) {
    for (std::size_t column = 0; column < widths.size(); ++column) {
        setColumnWidth(static_cast<int>(column), widths[column]);
    }
}

void Grid::setHeaderHeight(int pixels) {
    layout_.headerHeight = std::clamp(pixels, 0, 1 << 16);
    refit();
    viewport()->update();
}

void Grid::setColumnGap(int pixels) {
    layout_.columnGap = std::clamp(pixels, 0, 1 << 16);
    refit();
    viewport()->update();
}

void Grid::setSize(int rows, int columns) {
    layout_.rows = std::clamp(rows, 0, kGridMaxRows);
    layout_.columns = std::clamp(columns, 1, kGridMaxColumns);
    // A shrunken grid keeps its current cell inside.
    if (layout_.rows >= 1 && currentRow_ > layout_.rows) currentRow_ = layout_.rows;
    if (currentColumn_ > layout_.columns) currentColumn_ = layout_.columns;
    refit();
    viewport()->update();
}

void Grid::setColumnWidth(int column, int width) {
    if (column < 0 || column > kGridMaxColumns || width < 0) return;
    layout_.widths[column] = width;
    refit();
    viewport()->update();
}

void Grid::setRowHeight(int pixels) {
    layout_.rowHeight = std::clamp(pixels, 1, 1 << 16);
    scrollCurrentIntoView();
    refit();
    viewport()->update();
}

void Grid::refit() { updateScrollBars(); }

void Grid::syncClient() {
    layout_.clientWidth = viewport()->width();
    layout_.clientHeight = viewport()->height();
}

// The bars show only when the content is larger than the client area; showing one shrinks the client
// area, which may call for the other, so the sizes are settled in up to three passes.
void Grid::updateScrollBars() {
    if (updatingBars_) return;
    updatingBars_ = true;
    for (int pass = 0; pass < 3; ++pass) {
        syncClient();
        const QSize before = viewport()->size();
        layout_.clampScroll();
        const auto vertical = layout_.needsVerticalBar() ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
        const auto horizontal = layout_.needsHorizontalBar() ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
        if (verticalScrollBarPolicy() != vertical) setVerticalScrollBarPolicy(vertical);
        if (horizontalScrollBarPolicy() != horizontal) setHorizontalScrollBarPolicy(horizontal);
        if (viewport()->size() == before) break;
    }
    syncClient();
    layout_.clampScroll();
    QScrollBar* vertical = verticalScrollBar();
    const QSignalBlocker blockVertical(vertical);
    vertical->setRange(1, layout_.verticalMaximum());
    vertical->setPageStep(std::max(layout_.visibleRowCount(), 1));
    vertical->setSingleStep(1);
    vertical->setValue(layout_.topRow);
    QScrollBar* horizontal = horizontalScrollBar();
    const QSignalBlocker blockHorizontal(horizontal);
    horizontal->setRange(1, layout_.horizontalMaximum());
    horizontal->setPageStep(1);
    horizontal->setSingleStep(1);
    horizontal->setValue(layout_.horizontalPosition());
    updatingBars_ = false;
}

void Grid::updateCell(int row, int column) {
    if (row < 0 || column < 0) return;
    syncClient();
    if (column > 0 && column < layout_.leftColumn) return;
    if (row > 0 && (row < layout_.topRow || row > layout_.lastVisibleRow())) return;
    viewport()->update(cellRect(row, column));
}

void Grid::scrollCurrentIntoView() {
    syncClient();
    const int top = layout_.topRow;
    const int left = layout_.leftColumn;
    layout_.scrollIntoView(currentRow_, currentColumn_);
    if (layout_.topRow != top || layout_.leftColumn != left) viewport()->update();
    updateScrollBars();
}

void Grid::scrollLines(int lines) {
    syncClient();
    const int top = layout_.topRow;
    layout_.topRow = std::clamp(layout_.topRow + lines, 1, layout_.verticalMaximum());
    // Rows scrolled during a drag move under the pointer as the user sees them.
    drag_.layout.topRow += layout_.topRow - top;
    updateScrollBars();
    viewport()->update();
}

void Grid::moveCurrentTo(int row, int column, const Event* click) {
    const bool rowChanged = row != currentRow_;
    const bool columnChanged = column != currentColumn_;
    currentRow_ = row;
    currentColumn_ = column;
    if (click) notify(*click);
    if (rowChanged) {
        notify(Event::RowChanged);
        notify(Event::SelectionChanged);
    }
    if (columnChanged) {
        notify(Event::ColumnChanged);
        notify(Event::SelectionChanged);
    }
}

void Grid::moveCurrent(int row, int column) {
    moveCurrentTo(row, column);
    scrollCurrentIntoView();
    viewport()->update();
}

void Grid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    refit();
}

void Grid::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) viewport()->update();
}

void Grid::scrollContentsBy(int, int) {
    // The bars' positions are rows and columns, not pixels; their valueChanged signals move the view.
}

}  // namespace tamrik
