#include "ui/grid/Grid.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLayout>
#include <QScrollBar>
#include <algorithm>
#include <array>

#include "ui/grid/GridFonts.h"

namespace tamrik {
namespace {

// The live grids; a grid is found by its control id, so two live grids never share one.
std::array<Grid*, Grid::kMaxGrids> liveGrids{};

int Clamp(std::intptr_t value, int low, int high) {
    return static_cast<int>(std::clamp<std::intptr_t>(value, low, high));
}

}  // namespace

Grid* Grid::create(int controlId, const QString& title, QWidget* parent) {
    if (controlId < 1 || controlId > 0xFFFF) return nullptr;
    int freeSlot = -1;
    for (int slot = 0; slot < kMaxGrids; ++slot) {
        if (liveGrids[slot] && liveGrids[slot]->controlId() == controlId) return nullptr;
        if (!liveGrids[slot]) freeSlot = slot;
    }
    if (freeSlot < 0) return nullptr;
    auto* grid = new Grid(controlId, parent);
    liveGrids[freeSlot] = grid;
    grid->setTitle(title);
    return grid;
}

Grid::Grid(int controlId, QWidget* parent) : QAbstractScrollArea(parent), controlId_(controlId) {
    setObjectName(QStringLiteral("grid%1").arg(controlId));
    viewport()->setObjectName(QStringLiteral("gridViewport"));
    verticalScrollBar()->setObjectName(QStringLiteral("gridVerticalScrollBar"));
    horizontalScrollBar()->setObjectName(QStringLiteral("gridHorizontalScrollBar"));
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    // Keyboard focus comes by tabbing or from the owner; a click takes it in press() so that the first
    // click on an unfocused grid during an edit only commits the edit.
    setFocusPolicy(Qt::TabFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
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
    autoScrollTimer_.setInterval(100);
    connect(&autoScrollTimer_, &QTimer::timeout, this, [this] { autoScrollTick(); });
}

Grid::~Grid() {
    for (auto& slot : liveGrids) {
        if (slot == this) slot = nullptr;
    }
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

void Grid::setCellFont(const QFont& font) {
    cellFont_ = font;
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

int Grid::rowAt(int y) const { return layout_.rowAt(y); }

int Grid::columnAt(int x) const {
    GridLayout layout = layout_;
    layout.clientWidth = viewport()->width();
    return layout.columnAt(x);
}

std::intptr_t Grid::message(int message, std::intptr_t wParam, std::intptr_t lParam) {
    syncClient();
    const bool flag = wParam != 0;
    const auto colour = static_cast<std::uint32_t>(wParam) & 0xFFFFFFu;
    switch (message) {
        case GM_SETREADONLY:
        case GM_SETCELLTEXT:
        case GM_DELETECELL:
        case GM_GETCELLCOLOR:
        case GM_SETCELLCOLOR:
        case GM_GETCELL:
            return cellMessage(message, reinterpret_cast<GridCell*>(wParam), lParam);
        case GM_SETSIZE:
            setSize(wParam, lParam);
            return 0;
        case GM_SETCURSEL:
            if (wParam >= 1 && wParam <= layout_.rows && lParam >= 1 && lParam <= layout_.columns) {
                commitEdit();
                currentRow_ = static_cast<int>(wParam);
                currentColumn_ = static_cast<int>(lParam);
                scrollCurrentIntoView();
                viewport()->update();
            }
            return 0;
        case GM_SETAUTOGROW:
            autoGrow_ = flag;
            return 0;
        case GM_SETCOLWIDTH:
            setColumnWidth(static_cast<int>(std::clamp<std::intptr_t>(wParam, -1, kGridMaxColumns + 1)),
                           static_cast<int>(std::clamp<std::intptr_t>(lParam, -1, 1 << 20)));
            return 0;
        case GM_SETHEADERHEIGHT:
            layout_.headerHeight = Clamp(wParam, 0, 1 << 16);
            refit();
            viewport()->update();
            return 0;
        case GM_SETCOLGAP:
            layout_.columnGap = Clamp(wParam, 0, 1 << 16);
            refit();
            viewport()->update();
            return 0;
        case GM_DRAWFOCUS:
            viewport()->update();
            return 0;
        case GM_SETROWHEIGHT:
            setRowHeight(Clamp(wParam, 1, 1 << 16));
            return 0;
        case GM_SETFOCUSCOLOR:
            focusColour_ = colour;
            viewport()->update();
            return 0;
        case GM_SETREADONLYCOLOR:
            readOnlyColour_ = colour;
            viewport()->update();
            return 0;
        case GM_SETDEFAULTCOLOR:
            defaultColour_ = colour;
            viewport()->update();
            return 0;
        case GM_SETROWHIGHLIGHT:
            rowHighlight_ = flag;
            viewport()->update();
            return 0;
        case GM_GETCURROW:
            return currentRow_;
        case GM_GETCURCOL:
            return currentColumn_;
        case GM_SETTITLEHEIGHT:
            layout_.titleHeight = Clamp(wParam, 0, 1 << 16);
            refit();
            viewport()->update();
            return 0;
        case GM_SETHIGHLIGHTCOLOR:
            highlightColour_ = colour;
            viewport()->update();
            return 0;
        case GM_SETHIGHLIGHTTEXTCOLOR:
            highlightTextColour_ = colour;
            viewport()->update();
            return 0;
        case GM_ALLOWTYPING:
            typingAllowed_ = flag;
            return 0;
        case GM_SETLINECOLOR:
            lineColour_ = colour;
            viewport()->update();
            return 0;
        case GM_SETEXTENDLAST:
            layout_.extendLast = flag;
            viewport()->update();
            return 0;
        case GM_ENDEDIT:
            commitEdit();
            return 0;
        case GM_SETAUTOSIZE:
            autoSize_ = flag;
            return 0;
        case GM_SETDBLCLKNOTIFY:
            doubleClickNotify_ = flag;
            return 0;
        case GM_ALLOWCOLRESIZE:
            columnResizeAllowed_ = flag;
            if (!flag) {
                resizing_ = false;
                sizingCursor_ = false;
                viewport()->unsetCursor();
            }
            return 0;
        case GM_SETTITLEFONT:
            if (wParam) {
                titleFont_ = *reinterpret_cast<const QFont*>(wParam);
                setTitle(title_);
            }
            return 0;
        case GM_SETHEADERFONT:
            if (wParam) {
                headerFont_ = *reinterpret_cast<const QFont*>(wParam);
                viewport()->update();
            }
            return 0;
        default:
            return 0;
    }
}

std::intptr_t Grid::cellMessage(int message, GridCell* cell, std::intptr_t lParam) {
    if (!cell || !GridCellAddressValid(cell->row, cell->column)) return -1;
    const int row = cell->row;
    const int column = cell->column;
    switch (message) {
        case GM_SETREADONLY:
            cells_.setReadOnly(row, column, lParam != 0);
            updateCell(row, column);
            return 0;
        case GM_SETCELLTEXT:
            setCellText(*cell, reinterpret_cast<const char*>(lParam));
            return 0;
        case GM_DELETECELL:
            cells_.remove(row, column);
            updateCell(row, column);
            notifyCurrent(GN_CELLCHANGED);
            return 0;
        case GM_GETCELLCOLOR: {
            const auto found = cells_.read(row, column);
            return found ? found->colour : defaultColour_;
        }
        case GM_SETCELLCOLOR:
            cells_.setColour(row, column, static_cast<std::uint32_t>(lParam) & 0xFFFFFFu);
            updateCell(row, column);
            return 0;
        case GM_GETCELL: {
            const auto found = cells_.read(row, column);
            cell->readOnly = found ? (found->readOnly ? 1 : 0) : 1;
            cell->colour = found ? found->colour : kGridWhite;
            cell->text = found ? std::string(found->text) : std::string();
            return found ? 0 : -1;
        }
        default:
            return 0;
    }
}

void Grid::setCellText(const GridCell& cell, const char* text) {
    const std::string_view value = text ? std::string_view(text) : std::string_view();
    cells_.setText(cell.row, cell.column, cell.readOnly != 0, value);
    updateCell(cell.row, cell.column);
    if (autoGrow_ && cell.row > 0 && cell.row > layout_.rows) setSize(cell.row, layout_.columns);
    if (autoSize_ || cell.row == 0) {
        autoSize(cell.row, cell.column, QString::fromLatin1(value.data(), static_cast<qsizetype>(value.size())));
    }
}

// Rows and columns grow to fit the text measured as one line; they never shrink this way, so setting a
// header text makes a hidden column appear.
void Grid::autoSize(int row, int column, const QString& text) {
    const QFontMetrics metrics(row == 0 || column == 0 ? headerFont_ : cellFont_);
    const int height = metrics.height() + 5;
    const int width = metrics.horizontalAdvance(text) + 10;
    if (row == 0) {
        if (layout_.headerHeight < height) message(GM_SETHEADERHEIGHT, height);
    } else if (layout_.rowHeight < height) {
        message(GM_SETROWHEIGHT, height);
    }
    if (layout_.widths[column] < width) message(GM_SETCOLWIDTH, column, width);
}

void Grid::setSize(std::intptr_t rows, std::intptr_t columns) {
    layout_.rows = Clamp(rows, 0, kGridMaxRows);
    layout_.columns = Clamp(columns, 1, kGridMaxColumns);
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
    layout_.rowHeight = pixels;
    scrollCurrentIntoView();
    refit();
    viewport()->update();
}

void Grid::refit() { updateScrollBars(); }

void Grid::notify(int code, quint32 value) { emit notification(controlId_, code, value); }

void Grid::notifyCurrent(int code) { notify(code, GridPack(currentRow_, currentColumn_)); }

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
    layout_.topRow = std::clamp(layout_.topRow + lines, 1, layout_.verticalMaximum());
    updateScrollBars();
    viewport()->update();
}

bool Grid::currentCellReadOnly() const {
    const auto cell = cells_.read(currentRow_, currentColumn_);
    return !cell || cell->readOnly;
}

void Grid::setCurrent(int row, int column, int firstNotification) {
    const bool rowChanged = row != currentRow_;
    const bool columnChanged = column != currentColumn_;
    currentRow_ = row;
    currentColumn_ = column;
    if (firstNotification != 0) notifyCurrent(firstNotification);
    if (rowChanged) {
        notifyCurrent(GN_ROWCHANGE);
        notifyCurrent(GN_SELCHANGE);
    }
    if (columnChanged) {
        notifyCurrent(GN_COLCHANGE);
        notifyCurrent(GN_SELCHANGE);
    }
}

void Grid::moveCurrent(int row, int column) {
    setCurrent(row, column);
    scrollCurrentIntoView();
    viewport()->update();
}

void Grid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    // Fitted once, unless a layout of the parent places the grid.
    if (!fitted_ && parentWidget() && !parentWidget()->layout()) {
        fitted_ = true;
        const QRect area = parentWidget()->contentsRect();
        const int wanted = layout_.contentHeight() + horizontalScrollBar()->sizeHint().height() + 2 * frameWidth();
        resize(area.width(), std::min(wanted, area.height()));
    }
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
