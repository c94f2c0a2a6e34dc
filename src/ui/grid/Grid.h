#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <string>

#include "ui/grid/GridCell.h"
#include "ui/grid/GridCellStore.h"
#include "ui/grid/GridLayout.h"
#include "ui/grid/GridMessage.h"

namespace tamrik {

// The spreadsheet-like control behind every table of the program. It owns nothing of the site: its
// owner writes cell texts into it and learns through notifications what the user did. Owners drive it
// with message() (GM_ messages) and answer GM_ACCEPTEDIT through the accept-edit handler.
//
// Creation: Grid::create(controlId, title, parent). At most kMaxGrids grids live at once and their
// control ids differ. On its first resize a grid whose parent has no layout fits itself to the parent's
// width and to its content height (no higher than the parent); after that its owner sizes it.
class Grid : public QAbstractScrollArea {
    Q_OBJECT

public:
    static constexpr int kMaxGrids = 5;
    static constexpr int kMaxTitleLength = 300;
    static constexpr int kMaxEditLength = 301;

    // Answers GM_ACCEPTEDIT: wParam holds the control id (low 16 bits) and the column (high 16 bits),
    // lParam the edit text as const char*. Return 0 to let the grid store the text, non-zero to reject.
    using AcceptEditHandler = std::function<std::intptr_t(std::intptr_t wParam, std::intptr_t lParam)>;

    // Null when the control id is not 1 to 65535, is used by a live grid, or kMaxGrids grids live.
    static Grid* create(int controlId, const QString& title, QWidget* parent = nullptr);
    ~Grid() override;

    // The one entry point of the GM_ messages; unknown messages return 0.
    std::intptr_t message(int message, std::intptr_t wParam = 0, std::intptr_t lParam = 0);
    void setAcceptEditHandler(AcceptEditHandler handler) { acceptEdit_ = std::move(handler); }

    int controlId() const { return controlId_; }
    // A title of more than 300 characters is replaced by "Title too long (300 chars max)". Each line
    // (separated by '\n') takes 1.2 times the title font's line height.
    void setTitle(const QString& title);
    QString title() const { return title_; }
    // The font of the data cells (the header and title fonts are set by message).
    void setCellFont(const QFont& font);

    int rowCount() const { return layout_.rows; }
    int columnCount() const { return layout_.columns; }
    int currentRow() const { return currentRow_; }
    int currentColumn() const { return currentColumn_; }
    int topRow() const { return layout_.topRow; }
    int leftColumn() const { return layout_.leftColumn; }
    int rowHeight() const { return layout_.rowHeight; }
    int headerHeight() const { return layout_.headerHeight; }
    int titleHeight() const { return layout_.titleHeight; }
    int columnGap() const { return layout_.columnGap; }
    int columnWidth(int column) const;
    bool isEditing() const { return editing_; }
    QString editText() const { return QString::fromLatin1(editBuffer_.c_str()); }
    // A cell's rectangle in viewport coordinates.
    QRect cellRect(int row, int column) const;
    int rowAt(int y) const;
    int columnAt(int x) const;

signals:
    // code is a GN_ value; value packs the current row (low 16 bits) and column (high 16 bits) unless
    // the code says otherwise. Sent synchronously: a handler must not delete the grid (deleteLater is
    // fine).
    void notification(int controlId, int code, quint32 value);

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
    Grid(int controlId, QWidget* parent);

    // Messages.
    std::intptr_t cellMessage(int message, GridCell* cell, std::intptr_t lParam);
    void setCellText(const GridCell& cell, const char* text);
    void setSize(std::intptr_t rows, std::intptr_t columns);
    void setColumnWidth(int column, int width);
    void setRowHeight(int pixels);
    void autoSize(int row, int column, const QString& text);
    void refit();

    // State helpers.
    void notify(int code, quint32 value);
    void notifyCurrent(int code);
    void syncClient();
    void updateScrollBars();
    void updateCell(int row, int column);
    void scrollCurrentIntoView();
    void scrollLines(int lines);
    bool currentCellReadOnly() const;
    // Makes (row, column) current and sends the row and column change notifications it causes.
    // Makes (row, column) current and sends the click (when given), row and column change notes.
    void setCurrent(int row, int column, int firstNotification = 0);
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
    QColor cellFill(int row, const GridCellStore::Cell* cell, bool xColumn) const;

    int controlId_ = 0;
    GridCellStore cells_;
    GridLayout layout_;
    QString title_;
    std::string editBuffer_;
    int currentRow_ = 1;
    int currentColumn_ = 1;

    std::uint32_t focusColour_ = kGridWhite;
    std::uint32_t readOnlyColour_ = kGridWhite;
    std::uint32_t defaultColour_ = kGridWhite;
    std::uint32_t highlightColour_ = GridRgb(0, 0, 128);
    std::uint32_t lineColour_ = GridRgb(220, 220, 220);
    std::uint32_t highlightTextColour_ = kGridWhite;

    bool rowHighlight_ = false;
    bool focused_ = false;
    bool typingAllowed_ = false;
    bool editing_ = false;
    bool committing_ = false;
    bool autoGrow_ = true;
    bool autoSize_ = true;
    bool columnResizeAllowed_ = false;
    bool doubleClickNotify_ = false;
    bool fitted_ = false;
    bool updatingBars_ = false;

    // Column resizing.
    bool sizingCursor_ = false;
    bool resizing_ = false;
    int resizeColumn_ = 0;
    int resizeStartWidth_ = 0;
    int resizeStartX_ = 0;

    QFont cellFont_;
    QFont headerFont_;
    QFont titleFont_;

    QTimer caretTimer_;
    bool caretOn_ = false;
    QTimer autoScrollTimer_;

    AcceptEditHandler acceptEdit_;
};

}  // namespace tamrik
