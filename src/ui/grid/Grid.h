#pragma once

#include <QAbstractScrollArea>
#include <QFont>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "ui/grid/GridCell.h"
#include "ui/grid/GridLayout.h"

namespace tamrik {

// The spreadsheet-like control behind every table of the program. It owns nothing of the site: its
// owner writes cells into it and learns through notified() and rowDragged() what the user did, and
// may refuse a typed text through the accept-edit question.
class Grid : public QAbstractScrollArea {
    Q_OBJECT

public:
    // What the grid reports; row and column are the current cell after the change.
    enum class Event {
        SelectionChanged,  // follows every RowChanged and ColumnChanged
        RowChanged,        // the user moved the current row
        ColumnChanged,     // the user moved the current column
        EditStarted,       // the first character or backspace of a new edit
        DeleteKey,         // the grid itself changes nothing
        CellChanged,       // an edit was stored or cancelled, or a cell was cleared
        HelpKey,
        FocusIn,  // row and column 0
        FocusOut,
        Click,        // a left press on a cell, header row and row-header column included
        RightClick,   // a right press on a cell
        DoubleClick,  // only while double-click notify is on
    };
    Q_ENUM(Event)

    static constexpr int kMaxTitleLength = 300;
    static constexpr int kMaxEditLength = 301;

    // Asked when an edit is committed; true lets the grid store the text in the cell.
    using AcceptEdit = std::function<bool(int row, int column, const std::string& text)>;

    explicit Grid(const QString& title = {}, QWidget* parent = nullptr);

    // Cells. Addresses outside rows 0..kGridMaxRows and columns 0..kGridMaxColumns are ignored (the
    // setters return false). Each setter repaints the cell.
    const GridCell& cell(int row, int column) const { return cells_.at(row, column); }
    // Writes the whole cell. A row beyond the last grows the grid, and the row and column grow to fit
    // the text measured as one line (never shrinking, so a header text shows a hidden column).
    bool setCell(int row, int column, const GridCell& cell);
    // The text on white, editable unless `readOnly`, as setCell.
    bool setText(int row, int column, std::string_view text, bool readOnly = false);
    // A cell never written becomes editable with the text of one space.
    bool setColour(int row, int column, const QColor& colour);
    // A cell never written becomes white and empty.
    bool setReadOnly(int row, int column, bool readOnly);
    // Forgets the cell and reports CellChanged.
    bool clearCell(int row, int column);

    // Rows are clamped to 0..kGridMaxRows and columns to 1..kGridMaxColumns.
    void setSize(int rows, int columns);
    void setRowCount(int rows) { setSize(rows, layout_.columns); }
    int rowCount() const { return layout_.rows; }
    int columnCount() const { return layout_.columns; }
    // Widths of columns 0, 1, ...; a width of 0 hides a column. Column 0 (the row headers) starts at 50.
    void setColumnWidths(std::span<const int> widths);
    void setColumnWidth(int column, int width);
    int columnWidth(int column) const;
    void setRowHeight(int pixels);  // at least 1
    void setHeaderHeight(int pixels);
    void setColumnGap(int pixels);  // after each data column
    int rowHeight() const { return layout_.rowHeight; }
    int headerHeight() const { return layout_.headerHeight; }
    int titleHeight() const { return layout_.titleHeight; }

    // A title of more than 300 characters is replaced by "Title too long (300 chars max)". Each line
    // (separated by '\n') takes 1.2 times the title font's line height.
    void setTitle(const QString& title);
    QString title() const { return title_; }

    void setTypingAllowed(bool allowed) { typingAllowed_ = allowed; }
    // A double click is reported as DoubleClick instead of acting as a second press.
    void setDoubleClickNotify(bool notify) { doubleClickNotify_ = notify; }
    void setAcceptEdit(AcceptEdit accept) { acceptEdit_ = std::move(accept); }

    // Makes a data cell current and scrolls it into view, committing an edit in progress; nothing is
    // reported. A cell outside the grid is ignored.
    void setCurrent(int row, int column);
    int currentRow() const { return currentRow_; }
    int currentColumn() const { return currentColumn_; }
    // Commits an edit in progress.
    void endEdit() { commitEdit(); }
    bool isEditing() const { return editing_; }
    QString editText() const { return QString::fromLatin1(editBuffer_.c_str()); }

    int topRow() const { return layout_.topRow; }
    int leftColumn() const { return layout_.leftColumn; }
    // A cell's rectangle in viewport coordinates.
    QRect cellRect(int row, int column) const;
    // The row and the column under a viewport position (-1 outside any).
    int rowAt(int y) const { return layout_.rowAt(y); }
    int columnAt(int x) const;

signals:
    // Sent synchronously: a handler must not delete the grid (deleteLater is fine).
    void notified(tamrik::Grid::Event event, int row, int column);
    // The user dragged a row onto another: pressed on one data row, moved past the platform's drag
    // distance and released on another data row inside the grid.
    void rowDragged(int fromRow, int toRow);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void autoSize(int row, int column, const std::string& text);
    void refit();

    // State helpers.
    void notify(Event event) { emit notified(event, currentRow_, currentColumn_); }
    void syncClient();
    void updateScrollBars();
    void updateCell(int row, int column);
    void scrollCurrentIntoView();
    void scrollLines(int lines);
    // Makes (row, column) current and reports the click (when given), row and column changes.
    void moveCurrentTo(int row, int column, const Event* click = nullptr);
    // The same, then scrolls the new current cell into view.
    void moveCurrent(int row, int column);

    // Editing.
    void commitEdit();
    void cancelEdit();
    void finishEdit();
    void startCaret();
    void stopCaret();

    // Keys and mouse.
    void handleTab(bool forward);
    void moveDown();
    void moveRows(int delta);
    void moveColumn(int direction);
    void moveToRow(int row);
    void handleTyping(int character);
    void press(QMouseEvent* event, bool right);
    void autoScrollTick();

    // Painting.
    void paintTitle(QPainter& painter);
    void paintColumn(QPainter& painter, int column, int firstRow, int lastRow);
    void paintEditBox(QPainter& painter);
    void paintFocusFrame(QPainter& painter);

    // A left press on a data cell that may become a row drag. `layout` is the grid as drawn at the
    // press, before the press scrolled the cell into view; scrolling during the drag moves it along.
    struct Drag {
        bool pressed = false;
        int row = -1;
        int column = -1;
        QPoint at;
        bool moved = false;  // past the platform's drag distance
        int direction = 0;   // auto-scroll: -1 up, +1 down
        GridLayout layout;
    };

    GridCells cells_;
    GridLayout layout_;
    QString title_;
    std::string editBuffer_;
    int currentRow_ = 1;
    int currentColumn_ = 1;

    bool focused_ = false;
    bool typingAllowed_ = false;
    bool editing_ = false;
    bool committing_ = false;
    bool doubleClickNotify_ = false;
    bool updatingBars_ = false;
    Drag drag_;

    QFont cellFont_;
    QFont headerFont_;
    QFont titleFont_;

    QTimer caretTimer_;
    bool caretOn_ = false;
    QTimer autoScrollTimer_;

    AcceptEdit acceptEdit_;
};

}  // namespace tamrik
