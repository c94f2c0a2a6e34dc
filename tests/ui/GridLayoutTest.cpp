#include <QTest>

#include "ui/grid/GridLayout.h"

namespace tamrik::testing {

// Hit tests and rectangles at the band edges, which the grid's own tests reach only through whole cells.
class GridLayoutTest : public QObject {
    Q_OBJECT

    // Title 24, header 21, rows of 21: data rows start below y = 45. Columns: 50 | 100 | hidden | 60,
    // gap 10, so data column 1 spans x 50..160 and column 3 spans 160..230.
    static GridLayout Sample() {
        GridLayout layout;
        layout.titleHeight = 24;
        layout.rows = 100;
        layout.columns = 3;
        layout.widths[1] = 100;
        layout.widths[3] = 60;
        layout.columnGap = 10;
        layout.clientWidth = 400;
        layout.clientHeight = 45 + 20 * 21 + 10;  // twenty whole rows and part of another
        return layout;
    }

private slots:
    void hitTestsAtTheBandEdges() {
        GridLayout layout = Sample();
        const int rows[][2] = {{0, -1}, {24, -1}, {25, 0}, {45, 0}, {46, 1}, {66, 2}};  // the title's edge is title
        for (const auto& [y, row] : rows) QCOMPARE(layout.rowAt(y), row);
        // The gap after a column belongs to it; the hidden column takes no room.
        const int columns[][2] = {{50, 0}, {51, 1}, {160, 1}, {161, 3}, {230, 3}, {231, -1}};
        for (const auto& [x, column] : columns) QCOMPARE(layout.columnAt(x), column);
        // Column borders for resizing: within the slop of a right edge, the last one sizing the last column.
        const int borders[][2] = {{150, 1}, {141, 1}, {139, -1}, {48, 0}, {225, 3}, {100, -1}};
        for (const auto& [x, border] : borders) QCOMPARE(layout.borderAt(x, 10), border);

        layout.topRow = 5;
        layout.leftColumn = 3;
        QCOMPARE(layout.rowAt(46), 5);
        QCOMPARE(layout.columnAt(51), 3);
        QCOMPARE(layout.cellRect(2, 1).left, 50 - 110);  // scrolled off to the left
        layout.rows = 6;
        QCOMPARE(layout.rowAt(87), -1);  // below the last row
    }

    void cellRectanglesAndScrolling() {
        GridLayout layout = Sample();
        const GridRect rect = layout.cellRect(2, 3);
        QCOMPARE((std::array{rect.left, rect.top, rect.right, rect.bottom}), (std::array{160, 66, 220, 87}));
        QCOMPARE(layout.lastVisibleRow(), 21);  // the partly shown row is painted too
        layout.extendLast = true;
        QCOMPARE(layout.cellRect(2, 3).right, 400);
        QCOMPARE(layout.cellRect(2, 3, false).right, 220);
        QCOMPARE(layout.cellRect(2, 1).right, 150);
        QCOMPARE(layout.columnAt(399), 3);

        layout.clientWidth = 200;
        QCOMPARE(layout.lastVisibleColumn(), 3);  // the first column that does not fit whole still shows
        layout.scrollIntoView(5, 3);
        QCOMPARE(layout.leftColumn, 2);  // column 3 now starts at 50 and fits
        layout.topRow = 5;
        layout.scrollIntoView(0, 1);  // the header row never scrolls
        QCOMPARE(layout.topRow, 5);
        // A client too small for one row still ends with the row at the top.
        layout.clientHeight = 50;
        layout.scrollIntoView(40, 1);
        QCOMPARE(layout.topRow, 40);
    }
};

}  // namespace tamrik::testing

QTEST_APPLESS_MAIN(tamrik::testing::GridLayoutTest)
#include "GridLayoutTest.moc"
