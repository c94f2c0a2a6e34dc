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

constexpr int kAutoScrollBand = 10;  // pixels at the top that scroll up while dragging

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
    emit notified(Event::FocusIn, 0, 0);
    viewport()->update();
}

void Grid::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    focused_ = false;
    stopCaret();
    emit notified(Event::FocusOut, 0, 0);
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
            notify(Event::HelpKey);
            break;
        case Qt::Key_Delete:
            notify(Event::DeleteKey);
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
    if (cell(currentRow_, currentColumn_).readOnly) {
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
            notify(Event::EditStarted);
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

// The owner may refuse the text; either way the edit ends. The cell is the one being edited even if
// the owner moves the current cell while it answers.
void Grid::commitEdit() {
    if (!editing_ || committing_) return;
    committing_ = true;
    const int row = currentRow_;
    const int column = currentColumn_;
    const std::string text = editBuffer_;
    const bool accepted = !acceptEdit_ || acceptEdit_(row, column, text);
    if (accepted) setText(row, column, text);
    finishEdit();
    committing_ = false;
    if (accepted) notify(Event::CellChanged);
}

void Grid::cancelEdit() {
    if (!editing_) return;
    finishEdit();
    notify(Event::CellChanged);
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
        notify(Event::DoubleClick);
        return;
    }
    press(event, false);
}

void Grid::press(QMouseEvent* event, bool right) {
    syncClient();
    const QPoint point = event->position().toPoint();
    if (editing_) {
        commitEdit();
        if (!hasFocus()) {
            setFocus(Qt::MouseFocusReason);
            drag_ = Drag{};
            return;
        }
    } else {
        setFocus(Qt::MouseFocusReason);
    }

    const int row = layout_.rowAt(point.y());
    const int column = layout_.columnAt(point.x());
    // Only a left press on a data cell can start a row drag.
    drag_ = Drag{};
    if (!right && row >= 1 && column >= 1) drag_ = Drag{true, row, column, point, false, 0, layout_};
    const Event click = right ? Event::RightClick : Event::Click;
    if (row >= 0 && column >= 0) moveCurrentTo(row, column, &click);
    if (currentRow_ != 0 && currentColumn_ != 0) scrollCurrentIntoView();
    viewport()->update();
}

void Grid::mouseMoveEvent(QMouseEvent* event) {
    syncClient();
    const QPoint point = event->position().toPoint();
    if (!(event->buttons() & Qt::LeftButton)) {
        autoScrollTimer_.stop();
        drag_ = Drag{};
        return;
    }
    if (!drag_.pressed) return;
    if ((point - drag_.at).manhattanLength() >= QApplication::startDragDistance()) drag_.moved = true;
    drag_.direction = point.y() < kAutoScrollBand ? -1 : point.y() > layout_.clientHeight ? 1 : 0;
    if (drag_.direction != 0 && !autoScrollTimer_.isActive()) autoScrollTimer_.start();
    if (drag_.direction == 0) autoScrollTimer_.stop();
}

void Grid::autoScrollTick() {
    if (drag_.direction == 0) {
        autoScrollTimer_.stop();
        return;
    }
    scrollLines(drag_.direction);
}

// The release is hit-tested against the rows as the user saw them at the press: a press that scrolled
// its row into view must not turn into a drag to the row that took its place.
void Grid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    syncClient();
    autoScrollTimer_.stop();
    const QPoint point = event->position().toPoint();
    const Drag started = std::exchange(drag_, Drag{});
    if (!started.pressed) return;
    if ((point - started.at).manhattanLength() < QApplication::startDragDistance() && !started.moved) return;
    if (!viewport()->rect().contains(point)) return;
    const int row = started.layout.rowAt(point.y());
    const int column = started.layout.columnAt(point.x());
    if (row >= 1 && column >= 1 && row != started.row) emit rowDragged(started.row, row);
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
