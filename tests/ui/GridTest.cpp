#include <QDialog>
#include <QLineEdit>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <memory>

#include "GridTestSupport.h"
#include "ui/grid/GridFonts.h"

namespace tamrik::testing {
namespace {

const char* const kDeviceHeadings[] = {"Address",     "Serial number", "Type",          "Version",
                                       "Map node",    "Zone",          "Day Sens",      "Night Sens",
                                       "Input group", "Output group",  "Display group", "Repeat group",
                                       "Volume",      "Class",         "Non Latching",  "Msg52 Config"};

std::unique_ptr<Grid> MakeGrid(int id = 701, const QString& title = QStringLiteral("Device editor"),
                               QWidget* parent = nullptr) {
    return std::unique_ptr<Grid>(Grid::create(id, title, parent));
}

// A device editor as its owner fills it: 15 columns, some of them read-only, Map node never set.
void FillLikeDeviceEditor(Grid& grid, int rows = 192) {
    grid.message(GM_SETSIZE, rows, 15);
    grid.message(GM_SETHEADERHEIGHT, 21);
    grid.message(GM_ALLOWTYPING, 1);
    for (int column = 0; column <= 15; ++column) SetCellText(grid, 0, column, kDeviceHeadings[column]);
    for (int row = 1; row <= rows; ++row) {
        SetCellText(grid, row, 0, std::to_string(row));
        SetCellText(grid, row, 1, row % 3 ? "000000" : "C51234");
        SetCellText(grid, row, 2, "Optical");
        SetCellText(grid, row, 3, "0");
        SetCellText(grid, row, 5, "1");
        SetCellText(grid, row, 6, "Normal");
        SetCellText(grid, row, 8, "1");
        SetCellText(grid, row, 14, "Latching");
        for (int column : {2, 3, 6, 14}) SetReadOnly(grid, row, column, true);
    }
}

// A plain grid of `rows` rows and `columns` editable columns 60 pixels wide, no title.
void FillPlain(Grid& grid, int rows, int columns) {
    grid.message(GM_SETSIZE, rows, columns);
    grid.message(GM_ALLOWTYPING, 1);
    for (int column = 1; column <= columns; ++column) grid.message(GM_SETCOLWIDTH, column, 60);
    for (int row = 1; row <= rows; ++row) {
        for (int column = 1; column <= columns; ++column) SetCellText(grid, row, column, "");
    }
}

// Shows the grid sized so that exactly `rows` whole rows fit below its header, plus half a row.
void ShowRows(Grid& grid, int rows, int width = 400) {
    grid.resize(width, 300);
    grid.show();
    const int chrome = grid.height() - grid.viewport()->height();
    grid.resize(width, chrome + grid.titleHeight() + grid.headerHeight() + rows * grid.rowHeight() + 10);
}

QPoint CellPoint(Grid& grid, int row, int column) { return grid.cellRect(row, column).center(); }

// A pixel a few pixels inside a cell's top-left corner: inside the focus frame band, clear of the text.
QColor PixelNearCorner(Grid& grid, int row, int column, int inset = 1) {
    const QImage image = grid.viewport()->grab().toImage();
    const QRect rect = grid.cellRect(row, column);
    return image.pixelColor(rect.left() + inset, rect.top() + inset);
}

void SendMouseMove(Grid& grid, const QPoint& point, Qt::MouseButtons buttons) {
    QMouseEvent move(QEvent::MouseMove, point, grid.viewport()->mapToGlobal(point), Qt::NoButton, buttons,
                     Qt::NoModifier);
    QApplication::sendEvent(grid.viewport(), &move);
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
    void rendersDeviceEditorLayout();
    void cellRecordsThroughMessages();
    void sizeAutoGrowAndAutoSize();
    void ownerAcceptsOrRejectsTypedText();
    void typingRules();
    void escapeReachesTheDialogOnlyWithoutAnEdit();
    void keyboardNavigationAndNotifications();
    void pageKeysAndScrollingIntoView();
    void mouseClicksAndDoubleClicks();
    void clickDuringAnEditInAnUnfocusedGridOnlyCommits();
    void rowDragAndAutoScroll();
    void xHeaderColumnsAndCellColours();
    void focusFrameInvertsTheCurrentCellBorder();
    void holdsEveryCellOfAFullEventView();
    void scrollBarsAndWheel();
    void titleAndFittingToTheParent();
    void instancesAreLimitedAndIdsUnique();
    void columnResizingByTheHeaderBorder();
    void tabHelpAndDeleteKeys();
    void rendersTextEditorLayout();
};

void GridTest::rendersDeviceEditorLayout() {
    auto grid = MakeGrid();
    QVERIFY(grid);
    QCOMPARE(grid->objectName(), QStringLiteral("grid701"));
    grid->resize(1000, 420);
    QVERIFY(ShowActive(*grid));
    FillLikeDeviceEditor(*grid);
    grid->setFocus();

    // Headings widen hidden columns to their text plus 10 pixels and heighten the header to fit.
    const QFontMetrics header(SharedGridFonts().header);
    QCOMPARE(grid->columnWidth(4), header.horizontalAdvance(QStringLiteral("Map node")) + 10);
    QCOMPARE(grid->headerHeight(), header.height() + 5);
    QCOMPARE(grid->rowHeight(), header.height() + 5);  // the row headers are measured in the header font
    QVERIFY(grid->verticalScrollBar()->isVisible());
    QVERIFY(grid->horizontalScrollBar()->isVisible());
    QVERIFY(SavePng(*grid, QStringLiteral("grid_device_editor")));
}

void GridTest::cellRecordsThroughMessages() {
    auto grid = MakeGrid();
    grid->message(GM_SETSIZE, 10, 5);
    NoteRecorder notes(*grid);

    std::intptr_t result = 0;
    GridCell cell = GetCell(*grid, 3, 3, &result);
    QCOMPARE(result, std::intptr_t{-1});
    QCOMPARE(cell.readOnly, 1);
    QCOMPARE(cell.colour, kGridWhite);
    QCOMPARE(cell.text, std::string());

    QCOMPARE(SetCellText(*grid, 3, 3, "P"), std::intptr_t{0});
    QCOMPARE(SetCellColour(*grid, 3, 3, GridRgb(0, 255, 0)), std::intptr_t{0});
    cell = GetCell(*grid, 3, 3, &result);
    QCOMPARE(result, std::intptr_t{0});
    QCOMPARE(cell.readOnly, 0);
    QCOMPARE(cell.colour, GridRgb(0, 255, 0));
    SetCellText(*grid, 3, 3, "W", true);  // the text resets the colour
    cell = GetCell(*grid, 3, 3);
    QCOMPARE(cell.colour, kGridWhite);
    QCOMPARE(cell.readOnly, 1);

    SetCellColour(*grid, 4, 4, GridRgb(255, 0, 0));
    cell = GetCell(*grid, 4, 4);
    QCOMPARE(cell.text, std::string(" "));
    QCOMPARE(cell.readOnly, 0);

    GridCell query{4, 4};
    QCOMPARE(grid->message(GM_GETCELLCOLOR, reinterpret_cast<std::intptr_t>(&query)), std::intptr_t{0x0000FF});
    grid->message(GM_SETDEFAULTCOLOR, GridRgb(1, 2, 3));
    query = GridCell{5, 5};
    QCOMPARE(grid->message(GM_GETCELLCOLOR, reinterpret_cast<std::intptr_t>(&query)),
             static_cast<std::intptr_t>(GridRgb(1, 2, 3)));

    // Addresses outside the grid's range change nothing.
    QCOMPARE(SetCellText(*grid, kGridMaxRows + 1, 1, "x"), std::intptr_t{-1});
    QCOMPARE(SetCellText(*grid, 1, 101, "x"), std::intptr_t{-1});
    QCOMPARE(SetCellText(*grid, -1, 1, "x"), std::intptr_t{-1});
    QCOMPARE(grid->message(GM_GETCELL, 0), std::intptr_t{-1});
    QCOMPARE(grid->rowCount(), 10);

    grid->message(GM_SETCURSEL, 2, 2);
    GridCell doomed{4, 4};
    grid->message(GM_DELETECELL, reinterpret_cast<std::intptr_t>(&doomed));
    GetCell(*grid, 4, 4, &result);
    QCOMPARE(result, std::intptr_t{-1});
    QCOMPARE(notes.notes, (std::vector<Note>{{GN_CELLCHANGED, 2, 2}}));
}

void GridTest::sizeAutoGrowAndAutoSize() {
    auto grid = MakeGrid();
    QCOMPARE(grid->columnCount(), 0);
    grid->message(GM_SETSIZE, 5000, 0);
    QCOMPARE(grid->rowCount(), kGridMaxRows);
    QCOMPARE(grid->columnCount(), 1);
    grid->message(GM_SETSIZE, 10, 250);
    QCOMPARE(grid->rowCount(), 10);
    QCOMPARE(grid->columnCount(), 100);

    SetCellText(*grid, 50, 2, "grown");
    QCOMPARE(grid->rowCount(), 50);
    grid->message(GM_SETAUTOGROW, 0);
    SetCellText(*grid, 60, 2, "kept");
    QCOMPARE(grid->rowCount(), 50);
    QCOMPARE(CellText(*grid, 60, 2), std::string("kept"));

    // A header text makes a hidden column as wide as the text plus 10; shorter texts never narrow it.
    QCOMPARE(grid->columnWidth(7), 0);
    SetCellText(*grid, 0, 7, "Output group");
    const int wide = QFontMetrics(SharedGridFonts().header).horizontalAdvance(QStringLiteral("Output group")) + 10;
    QCOMPARE(grid->columnWidth(7), wide);
    SetCellText(*grid, 0, 7, "X");
    QCOMPARE(grid->columnWidth(7), wide);

    // With auto-size off only header texts size their column.
    grid->message(GM_SETAUTOSIZE, 0);
    SetCellText(*grid, 1, 8, "a long data text");
    QCOMPARE(grid->columnWidth(8), 0);
    grid->message(GM_SETCOLWIDTH, 8, -5);
    grid->message(GM_SETCOLWIDTH, 101, 30);
    QCOMPARE(grid->columnWidth(8), 0);
    grid->message(GM_SETROWHEIGHT, 0);
    QCOMPARE(grid->rowHeight(), 1);
}

void GridTest::ownerAcceptsOrRejectsTypedText() {
    auto grid = MakeGrid();
    ShowRows(*grid, 10, 900);
    FillLikeDeviceEditor(*grid, 20);
    QVERIFY(ShowActive(*grid));
    grid->setFocus();

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
    QCOMPARE(notes.notes, (std::vector<Note>{{GN_EDITSTART, 2, 5}}));
    QVERIFY(SavePng(*grid, QStringLiteral("grid_edit_in_progress")));

    // Rejected: the cell keeps its text and no change is reported; Enter still moves down.
    QTest::keyClick(grid.get(), Qt::Key_Return);
    QCOMPARE(asked.size(), std::size_t{1});
    QCOMPARE(GridLowWord(static_cast<std::uint64_t>(asked[0].first)), 701);
    QCOMPARE(GridHighWord(static_cast<std::uint64_t>(asked[0].first)), 5);
    QCOMPARE(asked[0].second, std::string("33"));
    QVERIFY(!grid->isEditing());
    QCOMPARE(CellText(*grid, 2, 5), std::string("1"));
    QCOMPARE(notes.notes, (std::vector<Note>{{GN_EDITSTART, 2, 5}, {GN_ROWCHANGE, 3, 5}, {GN_SELCHANGE, 3, 5}}));

    // Accepted: the text is stored editable and reported before the move.
    answer = 0;
    notes.notes.clear();
    QTest::keyClicks(grid.get(), "32");
    QTest::keyClick(grid.get(), Qt::Key_Return);
    QCOMPARE(CellText(*grid, 3, 5), std::string("32"));
    QCOMPARE(GetCell(*grid, 3, 5).readOnly, 0);
    QCOMPARE(
        notes.notes,
        (std::vector<Note>{{GN_EDITSTART, 3, 5}, {GN_CELLCHANGED, 3, 5}, {GN_ROWCHANGE, 4, 5}, {GN_SELCHANGE, 4, 5}}));

    // GM_ENDEDIT commits, as owners do before writing cells back.
    QTest::keyClicks(grid.get(), "7");
    grid->message(GM_ENDEDIT);
    QCOMPARE(CellText(*grid, 4, 5), std::string("7"));
    QVERIFY(!grid->isEditing());

    // An owner that moves the current cell while answering still gets the text in the edited cell.
    grid->setAcceptEditHandler([&](std::intptr_t, std::intptr_t) {
        grid->message(GM_SETCURSEL, 10, 1);
        return std::intptr_t{0};
    });
    QTest::keyClicks(grid.get(), "9");
    QTest::keyClick(grid.get(), Qt::Key_Down);
    QCOMPARE(CellText(*grid, 4, 5), std::string("9"));
    QCOMPARE(CellText(*grid, 10, 1), std::string("000000"));
    QCOMPARE(grid->currentRow(), 11);
}

void GridTest::typingRules() {
    auto grid = MakeGrid();
    ShowRows(*grid, 10, 900);
    FillLikeDeviceEditor(*grid, 20);
    QVERIFY(ShowActive(*grid));
    NoteRecorder notes(*grid);

    // "~" is past the typed range; space starts an edit; backspace continues it.
    grid->message(GM_SETCURSEL, 1, 1);
    QTest::keyClick(grid.get(), '~');
    QVERIFY(!grid->isEditing());
    QVERIFY(notes.notes.empty());
    QTest::keyClicks(grid.get(), " ab");
    QTest::keyClick(grid.get(), Qt::Key_Backspace);
    QCOMPARE(grid->editText(), QStringLiteral(" a"));
    QCOMPARE(notes.codes(), std::vector<int>{GN_EDITSTART});

    // Escape cancels: the cell keeps its text and the owner hears of it.
    QTest::keyClick(grid.get(), Qt::Key_Escape);
    QVERIFY(!grid->isEditing());
    QCOMPARE(CellText(*grid, 1, 1), std::string("000000"));
    QCOMPARE(notes.codes(), (std::vector<int>{GN_EDITSTART, GN_CELLCHANGED}));

    // Backspace alone starts an edit too.
    notes.notes.clear();
    QTest::keyClick(grid.get(), Qt::Key_Backspace);
    QVERIFY(grid->isEditing());
    QCOMPARE(notes.codes(), std::vector<int>{GN_EDITSTART});
    QTest::keyClick(grid.get(), Qt::Key_Escape);

    // The edit buffer holds 301 characters; more are dropped.
    QTest::keyClicks(grid.get(), QString(305, QLatin1Char('8')));
    QCOMPARE(grid->editText().size(), 301);
    QTest::keyClick(grid.get(), Qt::Key_Escape);

    // A read-only cell and a cell that was never set take no typing; Enter moves down.
    for (int column : {2, 4}) {
        grid->message(GM_SETCURSEL, 5, column);
        notes.notes.clear();
        QTest::keyClicks(grid.get(), "12");
        QVERIFY(!grid->isEditing());
        QTest::keyClick(grid.get(), Qt::Key_Return);
        QCOMPARE(notes.notes, (std::vector<Note>{{GN_ROWCHANGE, 6, column}, {GN_SELCHANGE, 6, column}}));
    }
    // Enter on the last row stays there silently.
    grid->message(GM_SETCURSEL, 20, 2);
    notes.notes.clear();
    QTest::keyClick(grid.get(), Qt::Key_Return);
    QCOMPARE(grid->currentRow(), 20);
    QVERIFY(notes.notes.empty());

    // Without typing allowed an editable cell ignores characters, but Enter still moves.
    grid->message(GM_ALLOWTYPING, 0);
    grid->message(GM_SETCURSEL, 5, 5);
    QTest::keyClicks(grid.get(), "3");
    QVERIFY(!grid->isEditing());
    QTest::keyClick(grid.get(), Qt::Key_Enter);
    QCOMPARE(grid->currentRow(), 6);
}

void GridTest::escapeReachesTheDialogOnlyWithoutAnEdit() {
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    Grid* grid = Grid::create(1, QString(), &dialog);
    layout->addWidget(grid);
    FillPlain(*grid, 5, 3);
    dialog.resize(300, 250);
    QVERIFY(ShowActive(dialog));
    grid->setFocus();

    QTest::keyClicks(grid, "5");
    QVERIFY(grid->isEditing());
    QTest::keyClick(grid, Qt::Key_Escape);
    QVERIFY(!grid->isEditing());
    QVERIFY(dialog.isVisible());

    QTest::keyClick(grid, Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void GridTest::keyboardNavigationAndNotifications() {
    auto grid = MakeGrid(5, QString());
    FillPlain(*grid, 8, 4);
    grid->message(GM_SETCOLWIDTH, 2, 0);  // hidden column
    ShowRows(*grid, 8);
    QVERIFY(ShowActive(*grid));
    NoteRecorder notes(*grid);

    QTest::keyClick(grid.get(), Qt::Key_Up);    // already on row 1
    QTest::keyClick(grid.get(), Qt::Key_Left);  // already on the first column
    QVERIFY(notes.notes.empty());

    QTest::keyClick(grid.get(), Qt::Key_Down);
    QTest::keyClick(grid.get(), Qt::Key_Right);  // skips the hidden column 2
    QCOMPARE(notes.notes, (std::vector<Note>{
                              {GN_ROWCHANGE, 2, 1}, {GN_SELCHANGE, 2, 1}, {GN_COLCHANGE, 2, 3}, {GN_SELCHANGE, 2, 3}}));
    notes.notes.clear();
    QTest::keyClick(grid.get(), Qt::Key_Left);
    QCOMPARE(grid->currentColumn(), 1);
    QTest::keyClick(grid.get(), Qt::Key_End);
    QCOMPARE(grid->currentRow(), 8);
    notes.notes.clear();
    QTest::keyClick(grid.get(), Qt::Key_Down);  // on the last row
    QTest::keyClick(grid.get(), Qt::Key_PageDown);
    QVERIFY(notes.notes.empty());
    QTest::keyClick(grid.get(), Qt::Key_Home);
    QCOMPARE(notes.notes, (std::vector<Note>{{GN_ROWCHANGE, 1, 1}, {GN_SELCHANGE, 1, 1}}));

    // A navigation key commits an edit in progress first.
    QTest::keyClicks(grid.get(), "42");
    QTest::keyClick(grid.get(), Qt::Key_Right);
    QCOMPARE(CellText(*grid, 1, 1), std::string("42"));
    QCOMPARE(grid->currentColumn(), 3);

    // An empty grid goes nowhere.
    grid->message(GM_SETSIZE, 0, 4);
    notes.notes.clear();
    QTest::keyClick(grid.get(), Qt::Key_Down);
    QTest::keyClick(grid.get(), Qt::Key_PageUp);
    QVERIFY(notes.notes.empty());
}

void GridTest::pageKeysAndScrollingIntoView() {
    auto grid = MakeGrid(5, QString());
    FillPlain(*grid, 100, 12);
    ShowRows(*grid, 20, 400);
    QVERIFY(ShowActive(*grid));
    NoteRecorder notes(*grid);

    QTest::keyClick(grid.get(), Qt::Key_PageDown);
    QCOMPARE(grid->currentRow(), 21);
    QCOMPARE(notes.notes, (std::vector<Note>{{GN_ROWCHANGE, 21, 1}, {GN_SELCHANGE, 21, 1}}));
    QCOMPARE(grid->topRow(), 2);
    QCOMPARE(grid->verticalScrollBar()->value(), 2);

    for (int i = 0; i < 5; ++i) QTest::keyClick(grid.get(), Qt::Key_PageDown);
    QCOMPARE(grid->currentRow(), 100);
    QCOMPARE(grid->topRow(), 81);
    QTest::keyClick(grid.get(), Qt::Key_PageUp);
    QCOMPARE(grid->currentRow(), 80);
    QCOMPARE(grid->topRow(), 80);
    for (int i = 0; i < 5; ++i) QTest::keyClick(grid.get(), Qt::Key_PageUp);
    QCOMPARE(grid->currentRow(), 1);
    QCOMPARE(grid->topRow(), 1);

    // Moving right past the client's edge scrolls columns; moving back scrolls back.
    for (int i = 0; i < 11; ++i) QTest::keyClick(grid.get(), Qt::Key_Right);
    QCOMPARE(grid->currentColumn(), 12);
    QVERIFY(grid->leftColumn() > 1);
    QVERIFY(grid->cellRect(1, 12).right() < grid->viewport()->width());
    QVERIFY(SavePng(*grid, QStringLiteral("grid_scrolled_to_corner")));
    for (int i = 0; i < 11; ++i) QTest::keyClick(grid.get(), Qt::Key_Left);
    QCOMPARE(grid->leftColumn(), 1);

    // GM_SETCURSEL scrolls without notifications and ignores cells outside the grid.
    notes.notes.clear();
    grid->message(GM_SETCURSEL, 60, 3);
    QCOMPARE(grid->currentRow(), 60);
    QVERIFY(grid->topRow() <= 60 && grid->topRow() + 19 >= 60);
    grid->message(GM_SETCURSEL, 101, 3);
    grid->message(GM_SETCURSEL, 5, 0);
    QCOMPARE(grid->currentRow(), 60);
    QVERIFY(notes.notes.empty());
}

void GridTest::mouseClicksAndDoubleClicks() {
    auto grid = MakeGrid(601, QStringLiteral("Text editor"));
    FillPlain(*grid, 10, 3);
    SetCellText(*grid, 0, 1, "Device text");
    ShowRows(*grid, 10);
    QVERIFY(ShowActive(*grid));
    grid->setFocus();
    NoteRecorder notes(*grid);

    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellPoint(*grid, 4, 2));
    QCOMPARE(
        notes.notes,
        (std::vector<Note>{
            {GN_CLICK, 4, 2}, {GN_ROWCHANGE, 4, 2}, {GN_SELCHANGE, 4, 2}, {GN_COLCHANGE, 4, 2}, {GN_SELCHANGE, 4, 2}}));
    notes.notes.clear();
    QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, CellPoint(*grid, 4, 2));
    QCOMPARE(notes.notes, (std::vector<Note>{{GN_RCLICK, 4, 2}}));

    // The header row and the row headers can be clicked and become current.
    notes.notes.clear();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellPoint(*grid, 0, 1));
    QCOMPARE(
        notes.notes,
        (std::vector<Note>{
            {GN_CLICK, 0, 1}, {GN_ROWCHANGE, 0, 1}, {GN_SELCHANGE, 0, 1}, {GN_COLCHANGE, 0, 1}, {GN_SELCHANGE, 0, 1}}));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellPoint(*grid, 3, 0));
    QCOMPARE(grid->currentColumn(), 0);
    QCOMPARE(grid->currentRow(), 3);

    // Right of the last column nothing is hit.
    notes.notes.clear();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(grid->viewport()->width() - 2, 40));
    QVERIFY(notes.notes.empty());

    // A double click (its first press is an ordinary click) is reported only when asked for, and then
    // does nothing else; otherwise it acts as another press.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellPoint(*grid, 6, 3));
    notes.notes.clear();
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, CellPoint(*grid, 6, 3));
    QCOMPARE(notes.notes, (std::vector<Note>{{GN_CLICK, 6, 3}}));
    grid->message(GM_SETDBLCLKNOTIFY, 1);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellPoint(*grid, 7, 1));
    notes.notes.clear();
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, CellPoint(*grid, 7, 1));
    QCOMPARE(notes.notes, (std::vector<Note>{{GN_DBLCLK, 7, 1}}));
}

void GridTest::clickDuringAnEditInAnUnfocusedGridOnlyCommits() {
    QWidget host;
    auto* layout = new QVBoxLayout(&host);
    Grid* grid = Grid::create(701, QString(), &host);
    auto* other = new QLineEdit(&host);
    other->setObjectName(QStringLiteral("otherField"));
    layout->addWidget(grid);
    layout->addWidget(other);
    FillPlain(*grid, 6, 3);
    host.resize(400, 300);
    QVERIFY(ShowActive(host));
    grid->setFocus();
    QTest::keyClicks(grid, "12");
    other->setFocus();
    QVERIFY(!grid->hasFocus());
    QVERIFY(grid->isEditing());                                    // losing the focus does not end the edit
    QVERIFY(grid->geometry().bottom() < other->geometry().top());  // the layout places the grid, no fitting

    NoteRecorder notes(*grid);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellPoint(*grid, 4, 2));
    QVERIFY(grid->hasFocus());
    QCOMPARE(CellText(*grid, 1, 1), std::string("12"));
    QCOMPARE(grid->currentRow(), 1);
    QCOMPARE(notes.codes(), (std::vector<int>{GN_CELLCHANGED, GN_SETFOCUS}));

    // The next click acts.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellPoint(*grid, 4, 2));
    QCOMPARE(grid->currentRow(), 4);
}

void GridTest::rowDragAndAutoScroll() {
    auto grid = MakeGrid();
    FillPlain(*grid, 40, 3);
    ShowRows(*grid, 10);
    QVERIFY(ShowActive(*grid));
    grid->setFocus();
    NoteRecorder notes(*grid);

    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, CellPoint(*grid, 3, 1));
    SendMouseMove(*grid, CellPoint(*grid, 7, 2), Qt::LeftButton);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, CellPoint(*grid, 7, 2));
    QCOMPARE(notes.notes.back(), (Note{GN_ROWDRAG, 3, 7}));
    QCOMPARE(grid->currentRow(), 3);

    // Released on the same row, or pressed on the title band: no drag.
    notes.notes.clear();
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, CellPoint(*grid, 5, 1));
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, CellPoint(*grid, 5, 3));
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, QPoint(30, 2));
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, CellPoint(*grid, 8, 1));
    QCOMPARE(notes.count(GN_ROWDRAG), 0);

    // Holding the button below the grid scrolls down line by line; the release row counts after it.
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, CellPoint(*grid, 2, 1));
    SendMouseMove(*grid, QPoint(40, grid->viewport()->height() + 20), Qt::LeftButton);
    QTRY_VERIFY(grid->topRow() >= 4);
    SendMouseMove(*grid, CellPoint(*grid, grid->topRow() + 1, 1), Qt::LeftButton);
    const int top = grid->topRow();
    QTest::qWait(250);
    QCOMPARE(grid->topRow(), top);  // back inside: the scrolling stops
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, CellPoint(*grid, top + 1, 1));
    QCOMPARE(notes.notes.back(), (Note{GN_ROWDRAG, 2, top + 1}));
}

void GridTest::xHeaderColumnsAndCellColours() {
    auto grid = MakeGrid(501, QStringLiteral("Input / Output Matrix Editor"));
    grid->message(GM_SETSIZE, 6, 5);
    SetCellText(*grid, 0, 0, "");
    for (int column = 1; column <= 5; ++column) {
        SetCellText(*grid, 0, column, column == 3 ? "X" : "OPG" + std::to_string(column));
    }
    SetCellColour(*grid, 0, 3, GridRgb(0, 0, 0));
    const std::uint32_t red = GridRgb(255, 0, 0);
    const std::uint32_t green = GridRgb(0, 255, 0);
    for (int row = 1; row <= 6; ++row) {
        SetCellText(*grid, row, 0, "IPG" + std::to_string(row));
        for (int column = 1; column <= 5; ++column) {
            SetCellText(*grid, row, column, "C");
            SetCellColour(*grid, row, column, red);
        }
    }
    // Clicked cells are written read-only and then coloured; a read-only cell keeps its own colour.
    SetCellText(*grid, 2, 1, "P", true);
    SetCellColour(*grid, 2, 1, green);
    SetCellText(*grid, 2, 2, "O", true);
    grid->message(GM_SETREADONLYCOLOR, GridRgb(255, 255, 200));
    grid->resize(420, 220);
    grid->show();

    QCOMPARE(PixelNearCorner(*grid, 1, 3, 3), QColor(128, 128, 128));
    QCOMPARE(PixelNearCorner(*grid, 2, 3, 3), QColor(128, 128, 128));
    QCOMPARE(PixelNearCorner(*grid, 1, 1, 3), QColor(255, 0, 0));
    QCOMPARE(PixelNearCorner(*grid, 2, 1, 3), QColor(0, 255, 0));
    QCOMPARE(PixelNearCorner(*grid, 2, 2, 3), QColor(255, 255, 200));
    QCOMPARE(PixelNearCorner(*grid, 1, 1, 0), QColor(220, 220, 220));  // the grid line
    QVERIFY(SavePng(*grid, QStringLiteral("grid_matrix_x_column")));
}

void GridTest::focusFrameInvertsTheCurrentCellBorder() {
    auto grid = MakeGrid();
    FillPlain(*grid, 5, 3);
    ShowRows(*grid, 5);
    QVERIFY(ShowActive(*grid));
    grid->message(GM_SETCURSEL, 2, 2);
    grid->setFocus();
    QCOMPARE(PixelNearCorner(*grid, 2, 2), QColor(0, 0, 0));           // white inverted
    QCOMPARE(PixelNearCorner(*grid, 2, 2, 0), QColor(35, 35, 35));     // the grid line inverted
    QCOMPARE(PixelNearCorner(*grid, 2, 2, 3), QColor(255, 255, 255));  // inside the 3-pixel band
    QCOMPARE(PixelNearCorner(*grid, 3, 2), QColor(255, 255, 255));
    QVERIFY(SavePng(*grid, QStringLiteral("grid_focus_frame")));

    grid->message(GM_SETFOCUSCOLOR, GridRgb(255, 0, 0));
    QCOMPARE(PixelNearCorner(*grid, 2, 2), QColor(0, 255, 255));

    // Hidden while editing, gone without the focus.
    QTest::keyClicks(grid.get(), "1");
    QCOMPARE(PixelNearCorner(*grid, 2, 2), QColor(255, 255, 255));
    grid->message(GM_ENDEDIT);
    grid->clearFocus();
    QCOMPARE(PixelNearCorner(*grid, 2, 2), QColor(255, 255, 255));

    // Row-highlight mode fills the current row while focused.
    grid->message(GM_SETROWHIGHLIGHT, 1);
    grid->setFocus();
    QCOMPARE(PixelNearCorner(*grid, 2, 3, 3), QColor(0, 0, 128));
    QCOMPARE(PixelNearCorner(*grid, 3, 3, 3), QColor(255, 255, 255));
}

void GridTest::holdsEveryCellOfAFullEventView() {
    const int events = 1021;
    auto grid = MakeGrid(801, QStringLiteral("Fire / Non-fire event log"));
    grid->message(GM_SETSIZE, 1, 6);
    grid->message(GM_SETHEADERHEIGHT, 21);
    const char* headings[] = {"Event", "Address", "Zone", "Time", "Event text", "On/Off"};
    for (int column = 1; column <= 6; ++column) SetCellText(*grid, 0, column, headings[column - 1]);
    auto text = [](int row, int column) {
        switch (column) {
            case 1:
                return std::to_string(row % 50);
            case 2:
                return " " + std::to_string(row % 192 + 1);
            case 3:
                return std::to_string(row % 32 + 1);
            case 4:
                return "12/3/2024 10:" + std::to_string(10 + row % 50) + ":05";
            case 5:
                return std::string("Fire alarm          ");
            default:
                return std::string(row % 2 ? "ON" : "OFF");
        }
    };
    for (int row = 1; row <= events; ++row) {
        for (int column = 1; column <= 6; ++column) SetCellText(*grid, row, column, text(row, column), true);
    }
    QCOMPARE(grid->rowCount(), events);
    for (int row = 1; row <= events; ++row) {
        for (int column = 1; column <= 6; ++column) {
            std::intptr_t result = -1;
            const GridCell cell = GetCell(*grid, row, column, &result);
            QCOMPARE(result, std::intptr_t{0});
            QCOMPARE(cell.text, text(row, column));
        }
    }
    grid->resize(640, 400);
    QVERIFY(ShowActive(*grid));
    grid->setFocus();
    grid->message(GM_SETCURSEL, events, 1);
    QCOMPARE(grid->topRow(), grid->verticalScrollBar()->maximum());
    QVERIFY(grid->cellRect(events, 1).bottom() < grid->viewport()->height());
    QVERIFY(SavePng(*grid, QStringLiteral("grid_event_view_end")));
}

void GridTest::scrollBarsAndWheel() {
    auto grid = MakeGrid();
    FillPlain(*grid, 10, 3);
    ShowRows(*grid, 12);
    QVERIFY(ShowActive(*grid));
    QVERIFY(!grid->verticalScrollBar()->isVisible());
    QVERIFY(!grid->horizontalScrollBar()->isVisible());

    FillPlain(*grid, 100, 3);
    QVERIFY(grid->verticalScrollBar()->isVisible());
    QCOMPARE(grid->verticalScrollBar()->minimum(), 1);
    QCOMPARE(grid->verticalScrollBar()->maximum(), 100 - 12 + 1);

    // One line per wheel event, whatever its size; the wheel takes the focus.
    grid->clearFocus();
    SendWheel(*grid, -120);
    QCOMPARE(grid->topRow(), 2);
    QVERIFY(grid->hasFocus());
    SendWheel(*grid, -1200);
    QCOMPARE(grid->topRow(), 3);
    SendWheel(*grid, 120);
    SendWheel(*grid, 120);
    SendWheel(*grid, 120);
    QCOMPARE(grid->topRow(), 1);

    // The bar's steps are rows.
    grid->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(grid->topRow(), 13);

    // The horizontal bar counts shown columns only.
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

void GridTest::titleAndFittingToTheParent() {
    auto grid = MakeGrid(7, QString(301, QLatin1Char('t')));
    QCOMPARE(grid->title(), QStringLiteral("Title too long (300 chars max)"));
    const int line = QFontMetrics(SharedGridFonts().title).height();
    QCOMPARE(grid->titleHeight(), static_cast<int>(line * 1.2));
    grid->setTitle(QStringLiteral("Fire event log\nsecond line"));
    QCOMPARE(grid->titleHeight(), static_cast<int>(line * 1.2 * 2));
    grid->setTitle(QString());
    QCOMPARE(grid->titleHeight(), 0);
    grid->setTitle(QStringLiteral("Fire event log\nread from panel 00012345"));
    grid->message(GM_SETSIZE, 3, 2);
    SetCellText(*grid, 0, 1, "Event");
    SetCellText(*grid, 0, 2, "Event text");
    SetCellText(*grid, 1, 2, "Fire alarm");
    // Texts wider than their cell: the header ends in an ellipsis, a data cell wraps in a taller row
    // and shows only the lines that fit whole.
    SetCellText(*grid, 0, 1, "Event number");
    grid->message(GM_SETCOLWIDTH, 1, 60);
    grid->message(GM_SETROWHEIGHT, 36);
    grid->message(GM_SETAUTOSIZE, 0);
    SetCellText(*grid, 2, 2, "Fault on the loop wiring near the plant room");
    grid->resize(300, 200);
    QVERIFY(SavePng(*grid, QStringLiteral("grid_two_line_title")));

    // The first resize fits a child grid to the parent's width and its content's height.
    QWidget parent;
    parent.resize(800, 600);
    Grid* child = Grid::create(8, QStringLiteral("Set coincidence"), &parent);
    child->message(GM_SETSIZE, 5, 3);
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    QCOMPARE(child->width(), 800);
    const int expected = child->titleHeight() + child->headerHeight() + 5 * child->rowHeight() +
                         child->horizontalScrollBar()->sizeHint().height() + 2 * child->frameWidth();
    QCOMPARE(child->height(), expected);
    // Afterwards the owner sizes it.
    child->resize(300, 100);
    QCOMPARE(child->size(), QSize(300, 100));
}

void GridTest::instancesAreLimitedAndIdsUnique() {
    std::vector<std::unique_ptr<Grid>> grids;
    for (int id = 1; id <= Grid::kMaxGrids; ++id) {
        grids.push_back(MakeGrid(id));
        QVERIFY(grids.back());
    }
    QVERIFY(!MakeGrid(6));
    grids.pop_back();
    QVERIFY(!MakeGrid(1));  // id in use
    QVERIFY(!MakeGrid(0));
    QVERIFY(!MakeGrid(0x10000));
    auto again = MakeGrid(5);
    QVERIFY(again);
    QCOMPARE(again->controlId(), 5);
}

void GridTest::columnResizingByTheHeaderBorder() {
    auto grid = MakeGrid();
    FillPlain(*grid, 5, 3);
    SetCellText(*grid, 0, 1, "Zone");
    ShowRows(*grid, 5);
    QVERIFY(ShowActive(*grid));
    const int width = grid->columnWidth(1);
    const QPoint border(grid->cellRect(0, 1).right() + 1, grid->cellRect(0, 1).center().y());

    // Not allowed: the border is just part of the header.
    SendMouseMove(*grid, border, Qt::NoButton);
    QCOMPARE(grid->viewport()->cursor().shape(), Qt::ArrowCursor);

    grid->message(GM_ALLOWCOLRESIZE, 1);
    SendMouseMove(*grid, border, Qt::NoButton);
    QCOMPARE(grid->viewport()->cursor().shape(), Qt::SizeHorCursor);
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

    SendMouseMove(*grid, CellPoint(*grid, 3, 2), Qt::NoButton);
    QCOMPARE(grid->viewport()->cursor().shape(), Qt::ArrowCursor);
}

void GridTest::tabHelpAndDeleteKeys() {
    QWidget host;
    Grid* grid = Grid::create(701, QString(), &host);
    FillPlain(*grid, 5, 3);
    host.resize(400, 300);
    QVERIFY(ShowActive(host));
    grid->setFocus();
    grid->message(GM_SETCURSEL, 3, 2);
    NoteRecorder notes(*grid);
    QTest::keyClick(grid, Qt::Key_F1);
    QTest::keyClick(grid, Qt::Key_Delete);
    QCOMPARE(notes.notes, (std::vector<Note>{{GN_HELPKEY, 3, 2}, {GN_DELETEKEY, 3, 2}}));
    QCOMPARE(CellText(*grid, 3, 2), std::string());
    QCOMPARE(GetCell(*grid, 3, 2).readOnly, 0);

    notes.notes.clear();
    QTest::keyClick(grid, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), &host);
    QCOMPARE(notes.notes, (std::vector<Note>{{GN_KILLFOCUS, 0, 0}}));
}

void GridTest::rendersTextEditorLayout() {
    auto grid = MakeGrid(601, QStringLiteral("Text editor"));
    grid->message(GM_SETSIZE, 192, 3);
    const char* headings[] = {"", "Device text", "Zone text", "Banner text"};
    for (int column = 0; column <= 3; ++column) SetCellText(*grid, 0, column, headings[column]);
    for (int row = 1; row <= 192; ++row) {
        SetCellText(*grid, row, 0, std::to_string(row));
        SetCellText(*grid, row, 1, row == 3 ? "NULL" : "  Loop device " + std::to_string(row) + "    ");
        if (row <= 32) SetCellText(*grid, row, 2, "       Zone " + std::to_string(row) + "       ");
        if (row <= 2) SetCellText(*grid, row, 3, row == 1 ? "   Fire Alarm Panel  " : "     Site name      ");
    }
    grid->message(GM_SETHEADERHEIGHT, 21);
    grid->message(GM_SETDBLCLKNOTIFY, 1);
    grid->message(GM_SETCOLGAP, 10);
    QCOMPARE(grid->columnGap(), 10);
    grid->resize(760, 380);
    QVERIFY(ShowActive(*grid));
    grid->setFocus();
    // The gap right of a column belongs to it.
    const QRect first = grid->cellRect(1, 1);
    QCOMPARE(grid->cellRect(1, 2).left(), first.right() + 1 + 10);
    QCOMPARE(grid->columnAt(first.right() + 5), 1);
    QVERIFY(SavePng(*grid, QStringLiteral("grid_text_editor")));

    grid->setEnabled(false);
    QVERIFY(SavePng(*grid, QStringLiteral("grid_text_editor_disabled")));
}

}  // namespace tamrik::testing

QTEST_MAIN(tamrik::testing::GridTest)
#include "GridTest.moc"
