#pragma once

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/grid/Grid.h"
#include "ui/grid/GridCalls.h"

namespace tamrik::testing {

inline std::unique_ptr<Grid> MakeGrid(int id = 701, const QString& title = {}, QWidget* parent = nullptr) {
    return std::unique_ptr<Grid>(Grid::create(id, title, parent));
}

// `rows` x `columns` empty editable cells 60 pixels wide, typing allowed.
inline void FillPlain(Grid& grid, int rows, int columns) {
    grid.message(GM_SETSIZE, rows, columns);
    grid.message(GM_ALLOWTYPING, 1);
    for (int column = 1; column <= columns; ++column) grid.message(GM_SETCOLWIDTH, column, 60);
    for (int row = 1; row <= rows; ++row) {
        for (int column = 1; column <= columns; ++column) GridSetCellText(grid, row, column, "");
    }
}

// Shows a widget as the active top-level window so that it can hold the keyboard focus.
inline bool ShowActive(QWidget& widget) {
    widget.show();
    widget.activateWindow();
    QApplication::setActiveWindow(&widget);
    return QTest::qWaitForWindowActive(&widget);
}

// A plain grid shown as the active window and focused, sized so that `visibleRows` whole rows fit below
// its header, plus half a row; null if it never became active.
inline std::unique_ptr<Grid> ShowPlain(int rows, int columns, int visibleRows, int width = 400) {
    auto grid = MakeGrid();
    FillPlain(*grid, rows, columns);
    grid->resize(width, 300);
    grid->show();
    const int chrome = grid->height() - grid->viewport()->height();
    grid->resize(width, chrome + grid->headerHeight() + visibleRows * grid->rowHeight() + 10);
    if (!ShowActive(*grid)) return nullptr;
    grid->setFocus();
    return grid;
}

inline QPoint CellPoint(Grid& grid, int row, int column) { return grid.cellRect(row, column).center(); }

// A pixel `inset` pixels inside a cell's top-left corner: 0 is the grid line, 1 the focus frame band.
inline QColor PixelNearCorner(Grid& grid, int row, int column, int inset = 1) {
    const QImage image = grid.viewport()->grab().toImage();
    const QRect rect = grid.cellRect(row, column);
    return image.pixelColor(rect.left() + inset, rect.top() + inset);
}

inline void SendMouseMove(Grid& grid, const QPoint& point, Qt::MouseButtons buttons) {
    QMouseEvent move(QEvent::MouseMove, point, grid.viewport()->mapToGlobal(point), Qt::NoButton, buttons,
                     Qt::NoModifier);
    QApplication::sendEvent(grid.viewport(), &move);
}

// One notification as the owner receives it.
struct Note {
    int code;
    int low;
    int high;
    bool operator==(const Note& other) const = default;
};
using Notes = std::vector<Note>;

// Collects the grid's notifications in order.
class NoteRecorder {
public:
    explicit NoteRecorder(Grid& grid) {
        connection_ = QObject::connect(&grid, &Grid::notification, &grid, [this](int, int code, quint32 value) {
            notes.push_back({code, GridLowWord(value), GridHighWord(value)});
        });
    }
    ~NoteRecorder() { QObject::disconnect(connection_); }
    NoteRecorder(const NoteRecorder&) = delete;
    NoteRecorder& operator=(const NoteRecorder&) = delete;
    // The notes so far, forgetting them.
    Notes take() { return std::exchange(notes, {}); }
    Notes notes;

private:
    QMetaObject::Connection connection_;
};

// Renders a widget for review under png/ in the build folder; false when nothing could be rendered.
inline bool SavePng(QWidget& widget, const QString& name) {
    QDir().mkpath(QStringLiteral(TAMRIK_UI_PNG_DIR));
    const QPixmap pixmap = widget.grab();
    return !pixmap.isNull() && pixmap.save(QStringLiteral(TAMRIK_UI_PNG_DIR "/%1.png").arg(name));
}

}  // namespace tamrik::testing
