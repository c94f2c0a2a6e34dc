#pragma once

#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "ui/grid/Grid.h"
#include "ui/grid/GridCalls.h"

namespace tamrik::testing {

// The calls an editor makes on its grid.
inline std::intptr_t SetCellText(Grid& grid, int row, int column, const std::string& text, bool readOnly = false) {
    return GridSetCellText(grid, row, column, text, readOnly);
}
inline std::intptr_t SetCellColour(Grid& grid, int row, int column, std::uint32_t colour) {
    return GridSetCellColour(grid, row, column, colour);
}
inline std::intptr_t SetReadOnly(Grid& grid, int row, int column, bool readOnly) {
    return GridSetReadOnly(grid, row, column, readOnly);
}
inline std::string CellText(Grid& grid, int row, int column) { return GridCellText(grid, row, column); }

// GM_GETCELL with its raw result, which the tests check too.
inline GridCell GetCell(Grid& grid, int row, int column, std::intptr_t* result = nullptr) {
    GridCell cell(row, column);
    const std::intptr_t answer = grid.message(GM_GETCELL, reinterpret_cast<std::intptr_t>(&cell));
    if (result) *result = answer;
    return cell;
}

// One notification as the owner receives it.
struct Note {
    int code;
    int low;
    int high;
    bool operator==(const Note& other) const = default;
};

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
    int count(int code) const {
        int found = 0;
        for (const auto& note : notes) found += note.code == code ? 1 : 0;
        return found;
    }
    std::vector<int> codes() const {
        std::vector<int> result;
        for (const auto& note : notes) result.push_back(note.code);
        return result;
    }
    std::vector<Note> notes;

private:
    QMetaObject::Connection connection_;
};

inline QString PngPath(const QString& name) {
    QDir().mkpath(QStringLiteral(TAMRIK_UI_PNG_DIR));
    return QStringLiteral(TAMRIK_UI_PNG_DIR) + QLatin1Char('/') + name + QStringLiteral(".png");
}

// Renders a widget for review; the image's existence and size are checked so a test notices a broken
// render.
inline bool SavePng(QWidget& widget, const QString& name) {
    const QPixmap pixmap = widget.grab();
    return !pixmap.isNull() && pixmap.save(PngPath(name));
}

// Shows the grid as an active top-level window so that it can hold the keyboard focus.
inline bool ShowActive(QWidget& widget) {
    widget.show();
    widget.activateWindow();
    QApplication::setActiveWindow(&widget);
    return QTest::qWaitForWindowActive(&widget);
}

}  // namespace tamrik::testing
