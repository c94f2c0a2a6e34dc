// Keyboard, mouse and editing behaviour of the grid.
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>

#include "ui/grid/Grid.h"

namespace tamrik {
namespace {

// One drag at a time: the mouse is captured by the grid that saw the press.
struct DragState {
    bool pressed = false;
    int row = -1;
    int column = -1;
    int direction = 0;  // auto-scroll: -1 up, +1 down
};
DragState drag;

constexpr int kAutoScrollBand = 10;  // pixels at the top that scroll up while dragging
constexpr int kResizeSlop = 10;      // pixels either side of a header border that start a resize

constexpr int kCarriageReturn = '\r';
constexpr int kBackspace = '\b';

// The character a key press types, or 0.
int TypedCharacter(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return kCarriageReturn;
        case Qt::Key_Backspace:
            return kBackspace;
        default:
            break;
    }
    const QString text = event.text();
    if (text.size() != 1 || text[0].unicode() >= 0x80) return 0;
    return text[0].unicode();
}

}  // namespace

bool Grid::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            handleTab(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

// Tab leaves the grid: to the parent window, or to the next (Shift+Tab: previous) control when the
// grid sits in a dialog. A parent that hands its focus on to this grid is passed over.
void Grid::handleTab(bool forward) {
    if (qobject_cast<QDialog*>(window())) {
        focusNextPrevChild(forward);
        return;
    }
    QWidget* parent = parentWidget();
    while (parent && parent->focusProxy() == this) parent = parent->parentWidget();
    if (parent) parent->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

void Grid::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    focused_ = true;
    if (editing_) startCaret();
    notify(GN_SETFOCUS, 0);
    viewport()->update();
}

void Grid::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    focused_ = false;
    stopCaret();
    notify(GN_KILLFOCUS, 0);
    viewport()->update();
}

void Grid::keyPressEvent(QKeyEvent* event) {
    syncClient();
    switch (event->key()) {
        case Qt::Key_Escape:
            // Without an edit to cancel, Escape belongs to the window around the grid (a dialog closes).
            if (!editing_) {
                event->ignore();
                return;
            }
            cancelEdit();
            break;
        case Qt::Key_F1:
            notifyCurrent(GN_HELPKEY);
            break;
        case Qt::Key_Delete:
            notifyCurrent(GN_DELETEKEY);
            break;
        case Qt::Key_PageDown:
            commitEdit();
            moveRows(std::max(layout_.visibleRowCount(), 1));
            break;
        case Qt::Key_PageUp:
            commitEdit();
            moveRows(-std::max(layout_.visibleRowCount(), 1));
            break;
        case Qt::Key_Down:
            commitEdit();
            moveRows(1);
            break;
        case Qt::Key_Up:
            commitEdit();
            moveRows(-1);
            break;
        case Qt::Key_Home:
            commitEdit();
            moveToRow(1);
            break;
        case Qt::Key_End:
            commitEdit();
            moveToRow(layout_.rows);
            break;
        case Qt::Key_Left:
            commitEdit();
            moveColumn(-1);
            break;
        case Qt::Key_Right:
            commitEdit();
            moveColumn(1);
            break;
        default:
            handleTyping(TypedCharacter(*event));
            break;
    }
    event->accept();
}

// Moves by whole rows, stopping at row 1 and at the last row; nothing happens (and nothing is
// reported) when the current row is already at the limit it moves towards.
void Grid::moveRows(int delta) {
    if (layout_.rows == 0) return;
    if (delta > 0 && currentRow_ >= layout_.rows) return;
    if (delta < 0 && currentRow_ <= 1) return;
    moveCurrent(std::clamp(currentRow_ + delta, 1, layout_.rows), currentColumn_);
}

void Grid::moveToRow(int row) {
    if (layout_.rows == 0 || row < 1 || row == currentRow_) return;
    moveCurrent(row, currentColumn_);
}

void Grid::moveColumn(int direction) {
    const int column = layout_.nextShownColumn(currentColumn_, direction);
    if (column == 0) return;
    moveCurrent(currentRow_, column);
}

// Enter outside an edit: one row down, or stay on the last row without a notification.
void Grid::moveDown() {
    if (currentRow_ >= layout_.rows) {
        scrollCurrentIntoView();
        return;
    }
    moveCurrent(currentRow_ + 1, currentColumn_);
}

void Grid::handleTyping(int character) {
    if (currentCellReadOnly()) {
        if (character == kCarriageReturn) {
            commitEdit();
            moveDown();
        }
        return;
    }
    if (!typingAllowed_) {
        if (character == kCarriageReturn) moveDown();
        return;
    }
    if (layout_.rows < 1 || currentRow_ == 0 || currentColumn_ == 0) return;
    scrollCurrentIntoView();

    // Printable characters up to '}' are typed; an edit always starts from an empty text.
    if ((character >= 0x20 && character <= 0x7D) || character == kBackspace) {
        if (!editing_) {
            notifyCurrent(GN_EDITSTART);
            editing_ = true;
            editBuffer_.clear();
            if (focused_) startCaret();
        }
        if (character == kBackspace) {
            if (!editBuffer_.empty()) editBuffer_.pop_back();
        } else if (editBuffer_.size() < static_cast<std::size_t>(kMaxEditLength)) {
            editBuffer_.push_back(static_cast<char>(character));
        } else {
            QApplication::beep();
        }
        caretOn_ = true;
        updateCell(currentRow_, currentColumn_);
    } else if (character == kCarriageReturn) {
        commitEdit();
        moveDown();
        viewport()->update();
    }
}

// The owner may refuse the text (GM_ACCEPTEDIT answered non-zero); either way the edit ends. The cell
// is the one being edited even if the owner moves the current cell while it answers.
void Grid::commitEdit() {
    if (!editing_ || committing_) return;
    committing_ = true;
    const int row = currentRow_;
    const int column = currentColumn_;
    const std::string text = editBuffer_;
    std::intptr_t rejected = 0;
    if (acceptEdit_) {
        rejected = acceptEdit_(static_cast<std::intptr_t>(GridPack(controlId_, column)),
                               reinterpret_cast<std::intptr_t>(text.c_str()));
    }
    if (rejected == 0) {
        GridCell cell;
        cell.row = row;
        cell.column = column;
        cell.readOnly = 0;
        message(GM_SETCELLTEXT, reinterpret_cast<std::intptr_t>(&cell), reinterpret_cast<std::intptr_t>(text.c_str()));
    }
    finishEdit();
    committing_ = false;
    if (rejected == 0) notifyCurrent(GN_CELLCHANGED);
}

void Grid::cancelEdit() {
    if (!editing_) return;
    finishEdit();
    notifyCurrent(GN_CELLCHANGED);
}

void Grid::finishEdit() {
    editBuffer_.clear();
    editing_ = false;
    stopCaret();
    viewport()->update();
}

void Grid::startCaret() {
    caretOn_ = true;
    caretTimer_.start();
}

void Grid::stopCaret() {
    caretOn_ = false;
    caretTimer_.stop();
}

void Grid::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        press(event, false);
    } else if (event->button() == Qt::RightButton) {
        press(event, true);
    }
}

void Grid::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (doubleClickNotify_) {
        notifyCurrent(GN_DBLCLK);
        return;
    }
    press(event, false);
}

void Grid::press(QMouseEvent* event, bool right) {
    syncClient();
    const QPoint point = event->position().toPoint();
    if (!right && sizingCursor_ && columnResizeAllowed_) {
        // A press on a header border resizes the column; it is not a click on the header.
        resizing_ = true;
        resizeColumn_ = layout_.borderAt(point.x(), kResizeSlop);
        resizeStartWidth_ = columnWidth(resizeColumn_);
        resizeStartX_ = point.x();
        if (resizeColumn_ >= 0) return;
        resizing_ = false;
    }
    if (editing_) {
        commitEdit();
        if (!hasFocus()) {
            setFocus(Qt::MouseFocusReason);
            drag = DragState{};
            return;
        }
    } else {
        setFocus(Qt::MouseFocusReason);
    }

    const int row = layout_.rowAt(point.y());
    const int column = layout_.columnAt(point.x());
    // Only a left press can start a row drag.
    drag = right ? DragState{} : DragState{true, row, column, 0};
    if (row >= 0 && column >= 0) setCurrent(row, column, right ? GN_RCLICK : GN_CLICK);
    if (currentRow_ != 0 && currentColumn_ != 0) scrollCurrentIntoView();
    viewport()->update();
}

void Grid::mouseMoveEvent(QMouseEvent* event) {
    syncClient();
    const QPoint point = event->position().toPoint();
    if (resizing_) {
        setColumnWidth(resizeColumn_, std::max(0, resizeStartWidth_ + point.x() - resizeStartX_));
        return;
    }
    if (columnResizeAllowed_) {
        const bool onBorder = layout_.rowAt(point.y()) == 0 && layout_.borderAt(point.x(), kResizeSlop) >= 0;
        if (onBorder != sizingCursor_) {
            sizingCursor_ = onBorder;
            if (onBorder) {
                viewport()->setCursor(Qt::SizeHorCursor);
            } else {
                viewport()->unsetCursor();
            }
        }
    }
    if (event->buttons() & Qt::LeftButton) {
        if (!drag.pressed) return;
        drag.direction = point.y() < kAutoScrollBand ? -1 : point.y() > layout_.clientHeight ? 1 : 0;
        if (drag.direction != 0 && !autoScrollTimer_.isActive()) autoScrollTimer_.start();
        if (drag.direction == 0) autoScrollTimer_.stop();
    } else {
        autoScrollTimer_.stop();
        drag = DragState{};
    }
}

void Grid::autoScrollTick() {
    if (drag.direction == 0) {
        autoScrollTimer_.stop();
        return;
    }
    scrollLines(drag.direction);
}

void Grid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    syncClient();
    if (resizing_) {
        resizing_ = false;
        return;
    }
    autoScrollTimer_.stop();
    const QPoint point = event->position().toPoint();
    const DragState started = drag;
    drag = DragState{};
    if (!started.pressed || started.row < 1 || started.column < 1) return;
    const int row = layout_.rowAt(point.y());
    const int column = layout_.columnAt(point.x());
    if (row >= 1 && column >= 1 && row != started.row) notify(GN_ROWDRAG, GridPack(started.row, row));
}

// One line per wheel event, whatever its size.
void Grid::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore();
        return;
    }
    setFocus(Qt::MouseFocusReason);
    scrollLines(delta > 0 ? -1 : 1);
    event->accept();
}

}  // namespace tamrik
