#include <QApplication>
#include <QDir>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QVBoxLayout>
#include <memory>
#include <utility>
#include <vector>

#include "ui/grid/Grid.h"

namespace tamrik::testing {
namespace {

using Event = Grid::Event;
using Drags = std::vector<std::pair<int, int>>;

using Note = std::tuple<Event, int, int>;
using Notes = std::vector<Note>;

// What the grid reports that the editors act on, in order, and the row drags. (The grid reports more,
// such as moves and focus, that nothing acts on.)
struct Recorder {
    explicit Recorder(Grid& grid) {
        QObject::connect(&grid, &Grid::notified, &context, [this](Event e, int r, int c) {
            if (e == Event::Click || e == Event::DoubleClick || e == Event::DeleteKey || e == Event::CellChanged) {
                notes.push_back({e, r, c});
            }
        });
        QObject::connect(&grid, &Grid::rowDragged, &context,
                         [this](int from, int to) { drags.emplace_back(from, to); });
    }
    Notes take() { return std::exchange(notes, {}); }
    QObject context;  // ends the connections with the recorder
    Notes notes;
    Drags drags;
};

// `rows` x `columns` empty editable cells 60 pixels wide, typing allowed.
void FillPlain(Grid& grid, int rows, int columns) {
    grid.setSize(rows, columns);
    grid.setTypingAllowed(true);
    std::vector<int> widths(static_cast<std::size_t>(columns) + 1, 60);
    widths[0] = 50;
    grid.setColumnWidths(widths);
    for (int row = 1; row <= rows; ++row) {
        for (int column = 1; column <= columns; ++column) grid.setText(row, column, "");
    }
}

bool ShowActive(QWidget& widget) {
    widget.show();
    widget.activateWindow();
    QApplication::setActiveWindow(&widget);
    return QTest::qWaitForWindowActive(&widget);
}

// A plain grid shown active and focused, `visibleRows` whole rows below its header plus 10 pixels of
// the next one; null if it never became active.
std::unique_ptr<Grid> ShowPlain(int rows, int columns, int visibleRows) {
    auto grid = std::make_unique<Grid>();
    FillPlain(*grid, rows, columns);
    grid->resize(400, 300);
    if (!ShowActive(*grid)) return nullptr;
    const int chrome = grid->height() - grid->viewport()->height();  // frame and horizontal bar
    grid->resize(400, chrome + grid->headerHeight() + visibleRows * grid->rowHeight() + 10);
    grid->setFocus();
    return grid;
}

QPoint CellPoint(Grid& grid, int row, int column) { return grid.cellRect(row, column).center(); }

void Move(Grid& grid, const QPoint& point) {
    QMouseEvent move(QEvent::MouseMove, point, grid.viewport()->mapToGlobal(point), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(grid.viewport(), &move);
}

}  // namespace

class GridTest : public QObject {
    Q_OBJECT

private slots:
    void cellsAndSizes() {
        Grid grid;
        grid.setSize(10, 5);
        const auto state = [&grid](int row, int column) {
            const GridCell& cell = grid.cell(row, column);
            return std::tuple(cell.text, cell.colour.name(), cell.readOnly, cell.written);
        };
        const QString white = QColor(Qt::white).name();
        QCOMPARE(state(3, 3), std::tuple(std::string(), white, true, false));  // never written
        grid.setColour(3, 3, Qt::blue);  // a colour alone makes an editable cell of one space
        QCOMPARE(state(3, 3), std::tuple(std::string(" "), QColor(Qt::blue).name(), false, true));
        grid.setText(3, 3, "P", true);
        grid.setColour(3, 3, Qt::green);  // keeps text and access
        QCOMPARE(state(3, 3), std::tuple(std::string("P"), QColor(Qt::green).name(), true, true));
        grid.setText(3, 3, "O");  // starts from white
        QCOMPARE(state(3, 3), std::tuple(std::string("O"), white, false, true));
        for (const auto& [row, column] : {std::pair{kGridMaxRows + 1, 1}, {1, kGridMaxColumns + 1}, {-1, 1}}) {
            QVERIFY(!grid.setText(row, column, "x") && !grid.cell(row, column).written);
        }
        QVERIFY(grid.clearCell(3, 3) && !grid.cell(3, 3).written);

        // Sizes are clamped; a cell below the last row grows the grid; a header text shows a hidden
        // column, and shorter texts never narrow it.
        grid.setSize(5000, 0);
        QCOMPARE(QPoint(grid.rowCount(), grid.columnCount()), QPoint(kGridMaxRows, 1));
        grid.setSize(10, 250);
        grid.setText(50, 2, "grown");
        QCOMPARE(QPoint(grid.rowCount(), grid.columnCount()), QPoint(50, kGridMaxColumns));
        grid.setColumnWidth(7, 0);
        grid.setText(0, 7, "Output group");
        const int wide = grid.columnWidth(7);
        grid.setText(0, 7, "X");
        QVERIFY(wide > 0 && grid.columnWidth(7) == wide);
    }

    // Title 24, header 21, rows of 21: data rows start below y = 45. Columns 50 | 100 | hidden | 60 with
    // a gap of 10: column 1 spans x 50..160 and column 3 160..230. Twenty whole rows and 10 pixels of
    // the twenty-first fit. Cells are (column, row), -1 for none.
    void layoutHitTests() {
        const struct {
            int top, rows;
            QPoint at, cell;
        } cases[] = {
            {1, 100, {60, 24}, {1, -1}},                  // the title band
            {1, 100, {60, 45}, {1, 0}},                   // the header band
            {1, 100, {51, 46}, {1, 1}},                   // the first row
            {1, 100, {50, 66}, {0, 2}},                   // the row headers
            {1, 100, {160, 66}, {1, 2}},                  // the gap after a column
            {1, 100, {161, 66}, {3, 2}},                  // over a hidden column
            {1, 100, {231, 66}, {-1, 2}},                 // right of the last column
            {1, 6, {60, 45 + 6 * 21}, {1, -1}},           // below the last row
            {81, 100, {60, 45 + 20 * 21 - 1}, {1, 100}},  // the last row, scrolled to the end
        };
        for (const auto& [top, rows, at, cell] : cases) {
            GridLayout layout;
            layout.titleHeight = 24;
            layout.rows = rows;
            layout.columns = 3;
            layout.widths = {50, 100, 0, 60};
            layout.columnGap = 10;
            layout.clientWidth = 400;
            layout.clientHeight = 45 + 20 * 21 + 10;
            layout.topRow = top;
            QCOMPARE(QPoint(layout.columnAt(at.x()), layout.rowAt(at.y())), cell);
            const GridRect rect = layout.cellRect(cell.y(), cell.x());  // agrees with the hit test
            QVERIFY(cell.x() < 0 || cell.y() < 1 || (rect.top <= at.y() && at.y() < rect.bottom));
        }
    }

    // 100 rows and 12 columns, column 2 hidden, 20 whole rows in view. Cells are (column, row); a top
    // row of 0 does not matter.
    void keyboardMoves() {
        const struct {
            Qt::Key key;
            QPoint from, to;
            int top;
        } cases[] = {
            {Qt::Key_Up, {1, 1}, {1, 1}, 0},         {Qt::Key_Right, {12, 1}, {12, 1}, 0},
            {Qt::Key_Down, {1, 20}, {1, 21}, 2},     {Qt::Key_Right, {1, 2}, {3, 2}, 0},
            {Qt::Key_Left, {3, 2}, {1, 2}, 0},       {Qt::Key_End, {3, 5}, {3, 100}, 81},
            {Qt::Key_Home, {3, 50}, {3, 1}, 1},      {Qt::Key_Return, {1, 100}, {1, 100}, 0},
            {Qt::Key_PageDown, {1, 1}, {1, 21}, 2},  {Qt::Key_PageDown, {1, 90}, {1, 100}, 81},
            {Qt::Key_PageUp, {1, 100}, {1, 80}, 80}, {Qt::Key_PageUp, {1, 10}, {1, 1}, 1},
        };
        auto grid = ShowPlain(100, 12, 20);
        QVERIFY(grid);
        grid->setColumnWidth(2, 0);
        QCOMPARE(grid->verticalScrollBar()->maximum(), 81);  // the last top row
        for (const auto& [key, from, to, top] : cases) {
            grid->setCurrent(1, 1);
            grid->setCurrent(from.y(), from.x());
            QTest::keyClick(grid.get(), key);
            QCOMPARE(QPoint(grid->currentColumn(), grid->currentRow()), to);
            QVERIFY(top == 0 || grid->topRow() == top);
            QVERIFY(grid->cellRect(to.y(), to.x()).bottom() < grid->viewport()->height());
        }
    }

    void editingCommitsThroughTheOwner() {
        auto grid = ShowPlain(20, 5, 10);
        QVERIFY(grid);
        grid->setText(2, 5, "1");
        grid->setText(10, 1, "kept");
        std::vector<std::tuple<int, int, std::string>> asked;
        bool accept = false;
        grid->setAcceptEdit([&](int row, int column, const std::string& text) {
            asked.emplace_back(row, column, text);
            return accept;
        });
        grid->setCurrent(2, 5);
        Recorder recorder(*grid);
        QTest::keyClicks(grid.get(), "33");
        // Refused: the cell keeps its text and no change is reported; Enter still moves down.
        QTest::keyClick(grid.get(), Qt::Key_Return);
        QCOMPARE(asked, (std::vector<std::tuple<int, int, std::string>>{{2, 5, "33"}}));
        QCOMPARE(grid->cell(2, 5).text, std::string("1"));
        QVERIFY(recorder.take().empty());
        QCOMPARE(grid->currentRow(), 3);
        // Accepted: stored and reported; a navigation key or endEdit() commits too.
        accept = true;
        QTest::keyClicks(grid.get(), "32\r");
        QCOMPARE(recorder.take(), (Notes{{Event::CellChanged, 3, 5}}));
        QTest::keyClicks(grid.get(), "7");
        QTest::keyClick(grid.get(), Qt::Key_Left);
        QTest::keyClicks(grid.get(), "8");
        grid->endEdit();
        for (const auto& [row, column, text] : {std::tuple{3, 5, "32"}, {4, 5, "7"}, {4, 4, "8"}}) {
            QCOMPARE(grid->cell(row, column).text, std::string(text));
        }
        // "~" is past the typed range; backspace edits; the edit holds 301 characters; Escape cancels.
        recorder.take();
        QTest::keyClicks(grid.get(), "~ ab");
        QTest::keyClick(grid.get(), Qt::Key_Backspace);
        QCOMPARE(grid->editText(), QStringLiteral(" a"));
        QTest::keyClicks(grid.get(), QString(305, QLatin1Char('8')));
        QCOMPARE(grid->editText().size(), Grid::kMaxEditLength);
        QTest::keyClick(grid.get(), Qt::Key_Escape);
        QCOMPARE(grid->cell(4, 4).text, std::string("8"));
        QCOMPARE(recorder.take(), (Notes{{Event::CellChanged, 4, 4}}));
        // Read-only and never written cells take no typing; Enter moves down from them.
        grid->setText(5, 2, "ro", true);
        grid->clearCell(7, 3);
        QCOMPARE(recorder.take(), (Notes{{Event::CellChanged, 7, 3}}));  // the cleared cell, not the current
        for (const auto& [row, column] : {std::pair{5, 2}, {7, 3}}) {
            grid->setCurrent(row, column);
            QTest::keyClicks(grid.get(), "12\r");
            QVERIFY(recorder.take().empty() && grid->currentRow() == row + 1);
        }
    }

    void clicks() {
        auto grid = ShowPlain(30, 3, 10);
        QVERIFY(grid);
        Recorder recorder(*grid);
        const auto click = [&grid](const QPoint& at, Qt::MouseButton button = Qt::LeftButton) {
            QTest::mouseClick(grid->viewport(), button, {}, at);
        };
        click(CellPoint(*grid, 4, 2));
        QCOMPARE(recorder.take(), (Notes{{Event::Click, 4, 2}}));
        click(CellPoint(*grid, 4, 2), Qt::RightButton);
        QVERIFY(recorder.notes.empty());
        click(CellPoint(*grid, 0, 1));  // the header row and the row headers can be current
        QCOMPARE(recorder.take(), (Notes{{Event::Click, 0, 1}}));
        QCOMPARE(QPoint(grid->currentColumn(), grid->currentRow()), QPoint(1, 0));
        click(QPoint(grid->viewport()->width() - 2, 40));  // right of the last column
        QVERIFY(recorder.notes.empty());
        // The last row of the grid, at its last pixel.
        grid->setCurrent(30, 3);
        click(grid->cellRect(30, 3).bottomLeft() + QPoint(10, 0));
        QCOMPARE(recorder.take(), (Notes{{Event::Click, 30, 3}}));
        // An edit survives the loss of the focus; the first click back only commits it.
        QTest::keyClicks(grid.get(), "12");
        grid->clearFocus();
        recorder.take();
        click(CellPoint(*grid, 28, 1));
        QCOMPARE(recorder.take(), (Notes{{Event::CellChanged, 30, 3}}));
        QCOMPARE(grid->cell(30, 3).text, std::string("12"));
    }

    // 40 rows, 10 whole rows and 10 pixels of row 11 in view, a status bar right below. Each press is
    // on a cell (column, row) at an offset from its top-left corner; the release is relative to it.
    void rowDrags() {
        const QPoint onStatusBar(-1, -1);
        const struct {
            QPoint cell, offset, release;
            Drags drags;
        } cases[] = {
            {{1, 3}, {10, 10}, {30, 84}, {{3, 7}}},   // four rows down
            {{2, 8}, {10, 10}, {0, -63}, {{8, 5}}},   // three rows up
            {{1, 11}, {10, 3}, {0, 0}, {}},           // a click on the half-visible row scrolls it into view
            {{1, 11}, {10, 3}, {0, -63}, {{11, 8}}},  // from there, rows count as drawn before that scroll
            {{1, 4}, {10, 19}, {1, 2}, {}},           // a 3-pixel jitter across a row border
            {{1, 2}, {10, 10}, onStatusBar, {}},      // released outside the grid
            {{1, 5}, {5, 10}, {100, 0}, {}},          // the same row
            {{1, 0}, {10, 10}, {0, 84}, {}},          // from the header
            {{1, 3}, {10, 10}, {0, -60}, {}},         // onto the header
        };
        for (const auto& [cell, offset, release, drags] : cases) {
            QWidget window;
            auto* layout = new QVBoxLayout(&window);
            layout->setSizeConstraint(QLayout::SetFixedSize);
            auto* grid = new Grid;
            auto* status = new QStatusBar;
            layout->addWidget(grid);
            layout->addWidget(status);
            FillPlain(*grid, 40, 3);
            grid->setFixedHeight(2 * grid->frameWidth() + grid->headerHeight() + 10 * grid->rowHeight() + 10);
            QVERIFY(ShowActive(window));
            grid->setFocus();
            Recorder recorder(*grid);
            const QPoint at = grid->cellRect(cell.y(), cell.x()).topLeft() + offset;
            const QPoint to =
                release == onStatusBar ? grid->viewport()->mapFrom(&window, status->geometry().center()) : at + release;
            QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, at);
            for (int step = 1; step <= 4; ++step) Move(*grid, at + (to - at) * step / 4);
            QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, to);
            QCOMPARE(recorder.drags, drags);
            QVERIFY(cell.y() == 0 || grid->currentRow() == cell.y());
        }
    }

    // Holding the button below the grid scrolls down line by line; the release counts the rows as
    // they are drawn after it.
    void dragAutoScroll() {
        auto grid = ShowPlain(40, 3, 10);
        QVERIFY(grid);
        Recorder recorder(*grid);
        QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, CellPoint(*grid, 2, 1));
        Move(*grid, QPoint(40, grid->viewport()->height() + 20));
        QTRY_VERIFY(grid->topRow() >= 4);
        Move(*grid, CellPoint(*grid, grid->topRow() + 1, 1));
        const int top = grid->topRow();
        QTest::qWait(250);
        QCOMPARE(grid->topRow(), top);  // back inside: the scrolling stops
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, CellPoint(*grid, top + 1, 1));
        QCOMPARE(recorder.drags, (Drags{{2, top + 1}}));
    }

    void coloursAndTheFocusFrame() {
        Grid grid(QStringLiteral("Input / Output Matrix Editor"));
        FillPlain(grid, 6, 5);
        grid.setText(0, 3, "X");
        grid.setColour(1, 1, QColor(255, 0, 0));
        grid.resize(420, 260);
        QVERIFY(ShowActive(grid));
        grid.setCurrent(5, 4);
        grid.setFocus();
        const auto pixel = [&grid](int row, int column, int inset) {
            const QPoint at = grid.cellRect(row, column).topLeft() + QPoint(inset, inset);
            return grid.viewport()->grab().toImage().pixelColor(at);
        };
        // Inset 0 is the grid line, 1 the focus frame's band, 3 the fill inside it.
        const std::tuple<int, int, int, QColor> pixels[] = {
            {2, 3, 3, QColor(128, 128, 128)}, {1, 1, 3, QColor(255, 0, 0)},  // under an "X" header; a colour
            {1, 1, 0, QColor(220, 220, 220)}, {5, 4, 1, QColor(0, 0, 0)},    // the focus frame inverts white
            {5, 4, 0, QColor(35, 35, 35)},    {5, 4, 3, QColor(Qt::white)}, {6, 4, 1, QColor(Qt::white)},
        };
        for (const auto& [row, column, inset, colour] : pixels) QCOMPARE(pixel(row, column, inset), colour);
        QDir().mkpath(QStringLiteral(TAMRIK_UI_PNG_DIR));
        QVERIFY(grid.grab().save(QStringLiteral(TAMRIK_UI_PNG_DIR "/grid_colours_and_focus.png")));
        QTest::keyClicks(&grid, "1");  // hidden while editing
        QCOMPARE(pixel(5, 4, 1), QColor(Qt::white));
    }
};

}  // namespace tamrik::testing

QTEST_MAIN(tamrik::testing::GridTest)
#include "GridTest.moc"
