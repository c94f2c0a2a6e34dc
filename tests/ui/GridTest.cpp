#include <QDialog>
#include <QLineEdit>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "GridTestSupport.h"
#include "ui/grid/GridFonts.h"

namespace tamrik::testing {
namespace {

std::intptr_t Ptr(const void* pointer) { return reinterpret_cast<std::intptr_t>(pointer); }

// The notes of a move to (row, column) after `before`: a row change and a column change, each followed
// by a selection change.
Notes Moves(int row, int column, bool rowChanged, bool columnChanged, Notes before = {}) {
    if (rowChanged) before.insert(before.end(), {{GN_ROWCHANGE, row, column}, {GN_SELCHANGE, row, column}});
    if (columnChanged) before.insert(before.end(), {{GN_COLCHANGE, row, column}, {GN_SELCHANGE, row, column}});
    return before;
}

void SendWheel(Grid& grid, int delta) {
    const QPoint point = grid.viewport()->rect().center();
    QWheelEvent wheel(point, grid.viewport()->mapToGlobal(point), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid.viewport(), &wheel);
}

}  // namespace

class GridTest : public QObject {
    Q_OBJECT

private slots:
    void cellMessagesAndSizes() {
        auto grid = MakeGrid();
        grid->message(GM_SETSIZE, 10, 5);
        NoteRecorder notes(*grid);

        bool found = true;
        GridCell cell = GridGetCell(*grid, 3, 3, &found);
        QVERIFY(!found && cell.readOnly == 1 && cell.colour == kGridWhite && cell.text.empty());
        QCOMPARE(GridSetCellText(*grid, 3, 3, "P"), std::intptr_t{0});
        QCOMPARE(GridSetCellColour(*grid, 3, 3, GridRgb(0, 255, 0)), std::intptr_t{0});
        cell = GridGetCell(*grid, 3, 3, &found);
        QVERIFY(found && cell.readOnly == 0 && cell.colour == GridRgb(0, 255, 0) && cell.text == "P");
        GridCell query{3, 3};
        QCOMPARE(grid->message(GM_GETCELLCOLOR, Ptr(&query)), static_cast<std::intptr_t>(GridRgb(0, 255, 0)));
        grid->message(GM_SETDEFAULTCOLOR, GridRgb(1, 2, 3));
        query = GridCell{5, 5};  // no record: the default colour
        QCOMPARE(grid->message(GM_GETCELLCOLOR, Ptr(&query)), static_cast<std::intptr_t>(GridRgb(1, 2, 3)));

        // Addresses outside the grid's range change nothing.
        const int outside[][2] = {{kGridMaxRows + 1, 1}, {1, 101}, {-1, 1}};
        for (const auto& [row, column] : outside) QCOMPARE(GridSetCellText(*grid, row, column, "x"), std::intptr_t{-1});
        QCOMPARE(grid->message(GM_GETCELL, 0), std::intptr_t{-1});
        QCOMPARE(grid->rowCount(), 10);

        grid->message(GM_SETCURSEL, 2, 2);
        GridCell doomed{3, 3};
        grid->message(GM_DELETECELL, Ptr(&doomed));
        GridGetCell(*grid, 3, 3, &found);
        QVERIFY(!found);
        QCOMPARE(notes.notes, (Notes{{GN_CELLCHANGED, 2, 2}}));

        // Sizes are clamped; a cell set below the last row grows the grid unless auto-grow is off.
        grid->message(GM_SETSIZE, 5000, 0);
        QCOMPARE(grid->rowCount(), kGridMaxRows);
        QCOMPARE(grid->columnCount(), 1);
        grid->message(GM_SETSIZE, 10, 250);
        QCOMPARE(grid->columnCount(), 100);
        GridSetCellText(*grid, 50, 2, "grown");
        QCOMPARE(grid->rowCount(), 50);
        grid->message(GM_SETAUTOGROW, 0);
        GridSetCellText(*grid, 60, 2, "kept");
        QCOMPARE(grid->rowCount(), 50);
        QCOMPARE(GridCellText(*grid, 60, 2), std::string("kept"));

        // A header text widens its column to the text plus 10 and the header to the font; shorter texts never
        // narrow it. With auto-size off only header texts size their column, and bad widths are ignored.
        const QFontMetrics header(SharedGridFonts().header);
        QCOMPARE(grid->columnWidth(7), 0);
        GridSetCellText(*grid, 0, 7, "Output group");
        const int wide = header.horizontalAdvance(QStringLiteral("Output group")) + 10;
        QCOMPARE(grid->columnWidth(7), wide);
        QCOMPARE(grid->headerHeight(), std::max(21, header.height() + 5));
        GridSetCellText(*grid, 0, 7, "X");
        QCOMPARE(grid->columnWidth(7), wide);
        GridSetCellText(*grid, 2, 0, "2");  // row headers are measured in the header font too
        QCOMPARE(grid->rowHeight(), std::max(21, header.height() + 5));
        grid->message(GM_SETAUTOSIZE, 0);
        GridSetCellText(*grid, 1, 8, "a long data text");
        grid->message(GM_SETCOLWIDTH, 8, -5);
        grid->message(GM_SETCOLWIDTH, 101, 30);
        QCOMPARE(grid->columnWidth(8), 0);
        grid->message(GM_SETROWHEIGHT, 0);
        QCOMPARE(grid->rowHeight(), 1);
    }

    void ownerAcceptsOrRejectsTypedText() {
        auto grid = ShowPlain(20, 5, 10);
        QVERIFY(grid);
        GridSetCellText(*grid, 2, 5, "1");
        GridSetCellText(*grid, 10, 1, "kept");
        std::vector<std::pair<std::intptr_t, std::string>> asked;
        std::intptr_t answer = 1;
        grid->setAcceptEditHandler([&](std::intptr_t wParam, std::intptr_t lParam) {
            asked.emplace_back(wParam, reinterpret_cast<const char*>(lParam));
            return answer;
        });
        grid->message(GM_SETCURSEL, 2, 5);
        NoteRecorder notes(*grid);

        QTest::keyClicks(grid.get(), "33");
        QVERIFY(grid->isEditing());
        QCOMPARE(grid->editText(), QStringLiteral("33"));
        QVERIFY(SavePng(*grid, QStringLiteral("grid_edit_in_progress")));

        // Rejected: the cell keeps its text and no change is reported; Enter still moves down.
        QTest::keyClick(grid.get(), Qt::Key_Return);
        QCOMPARE(asked, (std::vector<std::pair<std::intptr_t, std::string>>{{GridPack(701, 5), "33"}}));
        QVERIFY(!grid->isEditing());
        QCOMPARE(GridCellText(*grid, 2, 5), std::string("1"));
        QCOMPARE(notes.take(), Moves(3, 5, true, false, {{GN_EDITSTART, 2, 5}}));

        // Accepted: the text is stored and reported before the move.
        answer = 0;
        QTest::keyClicks(grid.get(), "32");
        QTest::keyClick(grid.get(), Qt::Key_Return);
        QCOMPARE(GridCellText(*grid, 3, 5), std::string("32"));
        QCOMPARE(notes.take(), Moves(4, 5, true, false, {{GN_EDITSTART, 3, 5}, {GN_CELLCHANGED, 3, 5}}));

        // GM_ENDEDIT commits, as owners do before writing cells back.
        QTest::keyClicks(grid.get(), "7");
        grid->message(GM_ENDEDIT);
        QVERIFY(!grid->isEditing());
        QCOMPARE(GridCellText(*grid, 4, 5), std::string("7"));

        // An owner that moves the current cell while answering still gets the text in the edited cell.
        grid->setAcceptEditHandler([&](std::intptr_t, std::intptr_t) {
            grid->message(GM_SETCURSEL, 10, 1);
            return std::intptr_t{0};
        });
        QTest::keyClicks(grid.get(), "9");
        QTest::keyClick(grid.get(), Qt::Key_Down);
        QCOMPARE(GridCellText(*grid, 4, 5), std::string("9"));
        QCOMPARE(GridCellText(*grid, 10, 1), std::string("kept"));
        QCOMPARE(grid->currentRow(), 11);
    }

    void typingRules() {
        QDialog dialog;
        auto* layout = new QVBoxLayout(&dialog);
        Grid* grid = Grid::create(701, QString(), &dialog);
        layout->addWidget(grid);
        FillPlain(*grid, 20, 5);
        dialog.resize(400, 300);
        QVERIFY(ShowActive(dialog));
        grid->setFocus();
        GridSetCellText(*grid, 1, 1, "old");
        GridSetReadOnly(*grid, 5, 2, true);
        GridCell never{5, 4};
        grid->message(GM_DELETECELL, Ptr(&never));
        NoteRecorder notes(*grid);

        // "~" is past the typed range; space starts an edit; backspace continues it; Escape cancels it, the
        // cell keeping its text and the owner hearing of it, and the dialog staying open.
        grid->message(GM_SETCURSEL, 1, 1);
        QTest::keyClick(grid, '~');
        QVERIFY(!grid->isEditing());
        QTest::keyClicks(grid, " ab");
        QTest::keyClick(grid, Qt::Key_Backspace);
        QCOMPARE(grid->editText(), QStringLiteral(" a"));
        QTest::keyClick(grid, Qt::Key_Escape);
        QVERIFY(!grid->isEditing());
        QCOMPARE(GridCellText(*grid, 1, 1), std::string("old"));
        QCOMPARE(notes.take(), (Notes{{GN_EDITSTART, 1, 1}, {GN_CELLCHANGED, 1, 1}}));
        QVERIFY(dialog.isVisible());

        // Backspace alone starts an edit too; the edit holds 301 characters and drops more.
        QTest::keyClick(grid, Qt::Key_Backspace);
        QVERIFY(grid->isEditing());
        QTest::keyClick(grid, Qt::Key_Escape);
        QTest::keyClicks(grid, QString(305, QLatin1Char('8')));
        QCOMPARE(grid->editText().size(), 301);
        QTest::keyClick(grid, Qt::Key_Escape);

        // A read-only cell and a cell that was never set take no typing; Enter moves down from them.
        for (int column : {2, 4}) {
            grid->message(GM_SETCURSEL, 5, column);
            notes.take();
            QTest::keyClicks(grid, "12");
            QVERIFY(!grid->isEditing());
            QTest::keyClick(grid, Qt::Key_Return);
            QCOMPARE(notes.take(), Moves(6, column, true, false));
        }
        // Enter on the last row stays there silently.
        grid->message(GM_SETCURSEL, 20, 2);
        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(grid->currentRow(), 20);
        QVERIFY(notes.notes.empty());

        // Without typing allowed an editable cell ignores characters, but Enter still moves.
        grid->message(GM_ALLOWTYPING, 0);
        grid->message(GM_SETCURSEL, 5, 5);
        QTest::keyClicks(grid, "3");
        QVERIFY(!grid->isEditing());
        QTest::keyClick(grid, Qt::Key_Enter);
        QCOMPARE(grid->currentRow(), 6);

        // Escape without an edit to cancel belongs to the dialog around the grid.
        QVERIFY(dialog.isVisible());
        QTest::keyClick(grid, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    // A grid of 100 rows and 12 columns, column 2 hidden, 20 rows in view. Cells are (column, row).
    void navigationKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<int>("top");  // the top row afterwards; 0 when it does not matter
        QTest::newRow("up on the first row") << int(Qt::Key_Up) << QPoint(1, 1) << QPoint(1, 1) << 0;
        QTest::newRow("left on the first column") << int(Qt::Key_Left) << QPoint(1, 1) << QPoint(1, 1) << 0;
        QTest::newRow("right on the last column") << int(Qt::Key_Right) << QPoint(12, 1) << QPoint(12, 1) << 0;
        QTest::newRow("down") << int(Qt::Key_Down) << QPoint(1, 1) << QPoint(1, 2) << 0;
        QTest::newRow("right over a hidden column") << int(Qt::Key_Right) << QPoint(1, 2) << QPoint(3, 2) << 0;
        QTest::newRow("left over a hidden column") << int(Qt::Key_Left) << QPoint(3, 2) << QPoint(1, 2) << 0;
        QTest::newRow("end") << int(Qt::Key_End) << QPoint(3, 5) << QPoint(3, 100) << 81;
        QTest::newRow("home") << int(Qt::Key_Home) << QPoint(3, 50) << QPoint(3, 1) << 1;
        QTest::newRow("down on the last row") << int(Qt::Key_Down) << QPoint(1, 100) << QPoint(1, 100) << 0;
        QTest::newRow("page down on the last row") << int(Qt::Key_PageDown) << QPoint(1, 100) << QPoint(1, 100) << 0;
        QTest::newRow("page down") << int(Qt::Key_PageDown) << QPoint(1, 1) << QPoint(1, 21) << 2;
        QTest::newRow("page down to the end") << int(Qt::Key_PageDown) << QPoint(1, 90) << QPoint(1, 100) << 81;
        QTest::newRow("page up") << int(Qt::Key_PageUp) << QPoint(1, 100) << QPoint(1, 80) << 80;
        QTest::newRow("page up to the start") << int(Qt::Key_PageUp) << QPoint(1, 10) << QPoint(1, 1) << 1;
    }

    void navigationKeys() {
        QFETCH(int, key);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(int, top);
        auto grid = ShowPlain(100, 12, 20);
        QVERIFY(grid);
        grid->message(GM_SETCOLWIDTH, 2, 0);
        grid->message(GM_SETCURSEL, from.y(), from.x());
        NoteRecorder notes(*grid);
        QTest::keyClick(grid.get(), Qt::Key(key));
        QCOMPARE(QPoint(grid->currentColumn(), grid->currentRow()), to);
        if (top) QCOMPARE(grid->topRow(), top);
        QCOMPARE(notes.notes, Moves(to.y(), to.x(), to.y() != from.y(), to.x() != from.x()));
    }

    void scrollingFollowsTheCurrentCell() {
        auto grid = ShowPlain(100, 12, 20);
        QVERIFY(grid);
        // Moving right past the client's edge scrolls columns; moving back scrolls back.
        for (int i = 0; i < 11; ++i) QTest::keyClick(grid.get(), Qt::Key_Right);
        QCOMPARE(grid->currentColumn(), 12);
        QVERIFY(grid->leftColumn() > 1);
        QVERIFY(grid->cellRect(1, 12).right() < grid->viewport()->width());
        for (int i = 0; i < 11; ++i) QTest::keyClick(grid.get(), Qt::Key_Left);
        QCOMPARE(grid->leftColumn(), 1);

        // GM_SETCURSEL scrolls without notifications and ignores cells outside the grid.
        NoteRecorder notes(*grid);
        grid->message(GM_SETCURSEL, 60, 3);
        QCOMPARE(grid->currentRow(), 60);
        QVERIFY(grid->topRow() <= 60 && grid->topRow() + 19 >= 60);
        grid->message(GM_SETCURSEL, 101, 3);
        grid->message(GM_SETCURSEL, 5, 0);
        QCOMPARE(grid->currentRow(), 60);
        QVERIFY(notes.notes.empty());

        // A navigation key commits an edit in progress first.
        QTest::keyClicks(grid.get(), "42");
        QTest::keyClick(grid.get(), Qt::Key_Right);
        QCOMPARE(GridCellText(*grid, 60, 3), std::string("42"));
        QCOMPARE(grid->currentColumn(), 4);

        // An empty grid goes nowhere.
        grid->message(GM_SETSIZE, 0, 4);
        notes.take();
        QTest::keyClick(grid.get(), Qt::Key_Down);
        QTest::keyClick(grid.get(), Qt::Key_PageUp);
        QVERIFY(notes.notes.empty());
    }

    void mouseClicksAndDoubleClicks() {
        auto grid = ShowPlain(10, 3, 10);
        QVERIFY(grid);
        NoteRecorder notes(*grid);
        const auto click = [&grid](Qt::MouseButton button, int row, int column) {
            QTest::mouseClick(grid->viewport(), button, {}, CellPoint(*grid, row, column));
        };
        // A click reports itself before the move; the header row and the row headers can become current.
        click(Qt::LeftButton, 4, 2);
        QCOMPARE(notes.take(), Moves(4, 2, true, true, {{GN_CLICK, 4, 2}}));
        click(Qt::RightButton, 4, 2);
        QCOMPARE(notes.take(), (Notes{{GN_RCLICK, 4, 2}}));
        click(Qt::LeftButton, 0, 1);
        QCOMPARE(notes.take(), Moves(0, 1, true, true, {{GN_CLICK, 0, 1}}));
        click(Qt::LeftButton, 3, 0);
        QCOMPARE(QPoint(grid->currentColumn(), grid->currentRow()), QPoint(0, 3));

        // Right of the last column nothing is hit.
        notes.take();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(grid->viewport()->width() - 2, 40));
        QVERIFY(notes.notes.empty());

        // A double click (its first press an ordinary click) is reported only when asked for, and then does
        // nothing else; otherwise it acts as another press.
        click(Qt::LeftButton, 6, 3);
        notes.take();
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, CellPoint(*grid, 6, 3));
        QCOMPARE(notes.take(), (Notes{{GN_CLICK, 6, 3}}));
        grid->message(GM_SETDBLCLKNOTIFY, 1);
        click(Qt::LeftButton, 7, 1);
        notes.take();
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, CellPoint(*grid, 7, 1));
        QCOMPARE(notes.take(), (Notes{{GN_DBLCLK, 7, 1}}));
    }

    void clickDuringAnEditInAnUnfocusedGridOnlyCommits() {
        QWidget host;
        auto* layout = new QVBoxLayout(&host);
        Grid* grid = Grid::create(701, QString(), &host);
        auto* other = new QLineEdit(&host);
        layout->addWidget(grid);
        layout->addWidget(other);
        FillPlain(*grid, 6, 3);
        host.resize(400, 300);
        QVERIFY(ShowActive(host));
        grid->setFocus();
        QTest::keyClicks(grid, "12");
        other->setFocus();
        QVERIFY(grid->isEditing());                                    // losing the focus does not end the edit
        QVERIFY(grid->geometry().bottom() < other->geometry().top());  // the layout places the grid, no fitting

        NoteRecorder notes(*grid);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellPoint(*grid, 4, 2));
        QVERIFY(grid->hasFocus());
        QCOMPARE(GridCellText(*grid, 1, 1), std::string("12"));
        QCOMPARE(grid->currentRow(), 1);
        QCOMPARE(notes.notes, (Notes{{GN_CELLCHANGED, 1, 1}, {GN_SETFOCUS, 0, 0}}));
        // The next click acts.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellPoint(*grid, 4, 2));
        QCOMPARE(grid->currentRow(), 4);
    }

    void rowDragAndAutoScroll() {
        auto grid = ShowPlain(40, 3, 10);
        QVERIFY(grid);
        NoteRecorder notes(*grid);
        const auto press = [&grid](const QPoint& point) {
            QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, point);
        };
        const auto release = [&grid](const QPoint& point) {
            QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, point);
        };

        press(CellPoint(*grid, 3, 1));
        SendMouseMove(*grid, CellPoint(*grid, 7, 2), Qt::LeftButton);
        release(CellPoint(*grid, 7, 2));
        QCOMPARE(notes.notes.back(), (Note{GN_ROWDRAG, 3, 7}));
        QCOMPARE(grid->currentRow(), 3);

        // Released on the same row, or pressed on the header band: no drag.
        notes.take();
        press(CellPoint(*grid, 5, 1));
        release(CellPoint(*grid, 5, 3));
        press(QPoint(30, 2));
        release(CellPoint(*grid, 8, 1));
        QVERIFY(
            std::none_of(notes.notes.begin(), notes.notes.end(), [](const Note& n) { return n.code == GN_ROWDRAG; }));

        // Holding the button below the grid scrolls down line by line; the release row counts after it.
        press(CellPoint(*grid, 2, 1));
        SendMouseMove(*grid, QPoint(40, grid->viewport()->height() + 20), Qt::LeftButton);
        QTRY_VERIFY(grid->topRow() >= 4);
        SendMouseMove(*grid, CellPoint(*grid, grid->topRow() + 1, 1), Qt::LeftButton);
        const int top = grid->topRow();
        QTest::qWait(250);
        QCOMPARE(grid->topRow(), top);  // back inside: the scrolling stops
        release(CellPoint(*grid, top + 1, 1));
        QCOMPARE(notes.notes.back(), (Note{GN_ROWDRAG, 2, top + 1}));
    }

    void cellColoursAndTheFocusFrame() {
        auto grid = MakeGrid(501, QStringLiteral("Input / Output Matrix Editor"));
        FillPlain(*grid, 6, 5);
        GridSetCellText(*grid, 0, 3, "X");
        for (int row = 1; row <= 4; ++row) {
            for (int column = 1; column <= 5; ++column) GridSetCellColour(*grid, row, column, GridRgb(255, 0, 0));
        }
        // Clicked matrix cells are written read-only and then coloured; a read-only cell keeps its own colour.
        GridSetCellText(*grid, 2, 1, "P", true);
        GridSetCellColour(*grid, 2, 1, GridRgb(0, 255, 0));
        GridSetCellText(*grid, 2, 2, "O", true);
        grid->message(GM_SETREADONLYCOLOR, GridRgb(255, 255, 200));
        grid->resize(420, 260);
        QVERIFY(ShowActive(*grid));
        grid->message(GM_SETCURSEL, 5, 4);
        grid->setFocus();

        // Inset 0 is the grid line, 1 the focus frame's band, 3 the fill inside it.
        const struct {
            int row, column, inset;
            QColor colour;
        } pixels[] = {
            {1, 3, 3, QColor(128, 128, 128)}, {2, 3, 3, QColor(128, 128, 128)},  // under an "X" header
            {1, 1, 3, QColor(255, 0, 0)},     {2, 1, 3, QColor(0, 255, 0)},     {2, 2, 3, QColor(255, 255, 200)},
            {1, 1, 0, QColor(220, 220, 220)}, {5, 4, 1, QColor(0, 0, 0)},  // the focus frame inverts white
            {5, 4, 0, QColor(35, 35, 35)},    {5, 4, 3, QColor(Qt::white)},     {6, 4, 1, QColor(Qt::white)},
        };
        for (const auto& pixel : pixels)
            QCOMPARE(PixelNearCorner(*grid, pixel.row, pixel.column, pixel.inset), pixel.colour);
        QVERIFY(SavePng(*grid, QStringLiteral("grid_colours_and_focus")));
        grid->message(GM_SETFOCUSCOLOR, GridRgb(255, 0, 0));
        QCOMPARE(PixelNearCorner(*grid, 5, 4), QColor(0, 255, 255));

        // Hidden while editing, gone without the focus.
        QTest::keyClicks(grid.get(), "1");
        QCOMPARE(PixelNearCorner(*grid, 5, 4), QColor(Qt::white));
        grid->message(GM_ENDEDIT);
        grid->clearFocus();
        QCOMPARE(PixelNearCorner(*grid, 5, 4), QColor(Qt::white));

        // Row-highlight mode fills the current row while focused.
        grid->message(GM_SETROWHIGHLIGHT, 1);
        grid->setFocus();
        QCOMPARE(PixelNearCorner(*grid, 5, 5, 3), QColor(0, 0, 128));
        QCOMPARE(PixelNearCorner(*grid, 6, 5, 3), QColor(Qt::white));
    }

    void scrollBarsAndWheel() {
        auto grid = ShowPlain(10, 3, 12);
        QVERIFY(grid);
        QVERIFY(!grid->verticalScrollBar()->isVisible() && !grid->horizontalScrollBar()->isVisible());
        FillPlain(*grid, 100, 3);
        QVERIFY(grid->verticalScrollBar()->isVisible());
        QCOMPARE(grid->verticalScrollBar()->minimum(), 1);
        QCOMPARE(grid->verticalScrollBar()->maximum(), 100 - 12 + 1);

        // One line per wheel event, whatever its size; the wheel takes the focus.
        grid->clearFocus();
        const int wheel[][2] = {{-120, 2}, {-1200, 3}, {120, 2}, {120, 1}, {120, 1}};
        for (const auto& [delta, top] : wheel) {
            SendWheel(*grid, delta);
            QCOMPARE(grid->topRow(), top);
        }
        QVERIFY(grid->hasFocus());

        // The bar's steps are rows; the horizontal bar counts shown columns only.
        grid->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(grid->topRow(), 13);
        grid->message(GM_SETSIZE, 100, 12);
        for (int column = 4; column <= 12; ++column) grid->message(GM_SETCOLWIDTH, column, 80);
        grid->message(GM_SETCOLWIDTH, 5, 0);
        QVERIFY(grid->horizontalScrollBar()->isVisible());
        QCOMPARE(grid->horizontalScrollBar()->maximum(), 11);
        grid->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(grid->leftColumn(), 2);
        grid->horizontalScrollBar()->setValue(5);
        QCOMPARE(grid->leftColumn(), 6);  // the fifth shown column: column 5 is hidden
    }

    void titleAndFittingToTheParent() {
        auto grid = MakeGrid(7, QString(301, QLatin1Char('t')));
        QCOMPARE(grid->title(), QStringLiteral("Title too long (300 chars max)"));
        const int line = QFontMetrics(SharedGridFonts().title).height();
        QCOMPARE(grid->titleHeight(), static_cast<int>(line * 1.2));
        grid->setTitle(QString());
        QCOMPARE(grid->titleHeight(), 0);
        grid->setTitle(QStringLiteral("Fire event log\nread from panel 00012345"));
        QCOMPARE(grid->titleHeight(), static_cast<int>(line * 1.2 * 2));
        // The first resize fits a child grid to the parent's width and its content's height; afterwards
        // the owner sizes it.
        QWidget parent;
        parent.resize(800, 600);
        Grid* child = Grid::create(8, QStringLiteral("Set coincidence"), &parent);
        child->message(GM_SETSIZE, 5, 3);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        const int expected = child->titleHeight() + child->headerHeight() + 5 * child->rowHeight() +
                             child->horizontalScrollBar()->sizeHint().height() + 2 * child->frameWidth();
        QCOMPARE(child->size(), QSize(800, expected));
        child->resize(300, 100);
        QCOMPARE(child->size(), QSize(300, 100));
    }

    void instancesAreLimitedAndIdsUnique() {
        std::vector<std::unique_ptr<Grid>> grids;
        for (int id = 1; id <= Grid::kMaxGrids; ++id) {
            grids.push_back(MakeGrid(id));
            QVERIFY(grids.back());
        }
        QVERIFY(!MakeGrid(6));
        grids.pop_back();
        for (int id : {1, 0, 0x10000}) QVERIFY(!MakeGrid(id));  // in use, or outside the 16 bits of a note
        auto again = MakeGrid(5);
        QVERIFY(again);
        QCOMPARE(again->controlId(), 5);
    }

    void columnResizingByTheHeaderBorder() {
        auto grid = ShowPlain(5, 3, 5);
        QVERIFY(grid);
        GridSetCellText(*grid, 0, 1, "Zone");
        const int width = grid->columnWidth(1);
        const QPoint border(grid->cellRect(0, 1).right() + 1, grid->cellRect(0, 1).center().y());
        const auto cursorAt = [&grid](const QPoint& point) {
            SendMouseMove(*grid, point, Qt::NoButton);
            return grid->viewport()->cursor().shape();
        };
        QCOMPARE(cursorAt(border), Qt::ArrowCursor);  // not allowed: the border is just part of the header
        grid->message(GM_ALLOWCOLRESIZE, 1);
        QCOMPARE(cursorAt(border), Qt::SizeHorCursor);

        NoteRecorder notes(*grid);
        QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, border);
        SendMouseMove(*grid, border + QPoint(30, 5), Qt::LeftButton);
        QCOMPARE(grid->columnWidth(1), width + 30);
        SendMouseMove(*grid, border - QPoint(width + 50, 0), Qt::LeftButton);
        QCOMPARE(grid->columnWidth(1), 0);
        SendMouseMove(*grid, border + QPoint(12, 0), Qt::LeftButton);
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, border + QPoint(12, 0));
        QCOMPARE(grid->columnWidth(1), width + 12);
        QVERIFY(notes.notes.empty());
        QCOMPARE(cursorAt(CellPoint(*grid, 3, 2)), Qt::ArrowCursor);
    }

    void tabHelpAndDeleteKeys() {
        QWidget host;
        Grid* grid = Grid::create(701, QString(), &host);
        FillPlain(*grid, 5, 3);
        GridSetCellText(*grid, 3, 2, "kept");
        host.resize(400, 300);
        QVERIFY(ShowActive(host));
        grid->setFocus();
        grid->message(GM_SETCURSEL, 3, 2);
        NoteRecorder notes(*grid);
        // The owner decides what Delete does; the grid only reports it.
        QTest::keyClick(grid, Qt::Key_F1);
        QTest::keyClick(grid, Qt::Key_Delete);
        QCOMPARE(notes.take(), (Notes{{GN_HELPKEY, 3, 2}, {GN_DELETEKEY, 3, 2}}));
        QCOMPARE(GridCellText(*grid, 3, 2), std::string("kept"));

        QTest::keyClick(grid, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), &host);
        QCOMPARE(notes.notes, (Notes{{GN_KILLFOCUS, 0, 0}}));
    }
};

}  // namespace tamrik::testing

QTEST_MAIN(tamrik::testing::GridTest)
#include "GridTest.moc"
