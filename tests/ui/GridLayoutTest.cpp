#include <QTest>

#include "ui/grid/GridLayout.h"

namespace tamrik::testing {
namespace {

// Title 24, header 21, rows of 21: data rows start below y = 45. Columns: 50 | 100 | hidden | 60, gap 10.
GridLayout Sample() {
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

}  // namespace

class GridLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void hitTestsRowsByBand();
    void hitTestsColumnsIncludingGapsAndHiddenColumns();
    void cellRectanglesFollowTheScrollPosition();
    void visibleRangeAndScrollRanges();
    void scrollingIntoViewMovesTheLeastNeeded();
    void findsColumnBordersForResizing();
};

void GridLayoutTest::hitTestsRowsByBand() {
    GridLayout layout = Sample();
    QCOMPARE(layout.rowAt(0), -1);
    QCOMPARE(layout.rowAt(24), -1);  // the title's lower edge still belongs to the title
    QCOMPARE(layout.rowAt(25), 0);
    QCOMPARE(layout.rowAt(45), 0);
    QCOMPARE(layout.rowAt(46), 1);
    QCOMPARE(layout.rowAt(65), 1);
    QCOMPARE(layout.rowAt(66), 2);
    layout.topRow = 5;
    QCOMPARE(layout.rowAt(46), 5);
    layout.rows = 6;
    QCOMPARE(layout.rowAt(66), 6);
    QCOMPARE(layout.rowAt(87), -1);  // below the last row
}

void GridLayoutTest::hitTestsColumnsIncludingGapsAndHiddenColumns() {
    GridLayout layout = Sample();
    QCOMPARE(layout.columnAt(0), 0);
    QCOMPARE(layout.columnAt(50), 0);
    QCOMPARE(layout.columnAt(51), 1);
    QCOMPARE(layout.columnAt(160), 1);  // the gap after a column belongs to it
    QCOMPARE(layout.columnAt(161), 3);  // the hidden column takes no room
    QCOMPARE(layout.columnAt(230), 3);
    QCOMPARE(layout.columnAt(231), -1);
    layout.extendLast = true;
    QCOMPARE(layout.columnAt(399), 3);
    layout.extendLast = false;
    layout.leftColumn = 3;
    QCOMPARE(layout.columnAt(51), 3);
}

void GridLayoutTest::cellRectanglesFollowTheScrollPosition() {
    GridLayout layout = Sample();
    GridRect rect = layout.cellRect(2, 3);
    QCOMPARE(rect.left, 160);
    QCOMPARE(rect.right, 220);
    QCOMPARE(rect.top, 66);
    QCOMPARE(rect.bottom, 87);
    rect = layout.cellRect(0, 0);
    QCOMPARE(rect.left, 0);
    QCOMPARE(rect.right, 50);
    QCOMPARE(rect.top, 24);
    QCOMPARE(rect.bottom, 45);

    layout.extendLast = true;
    QCOMPARE(layout.cellRect(2, 3).right, 400);
    QCOMPARE(layout.cellRect(2, 3, false).right, 220);
    QCOMPARE(layout.cellRect(2, 1).right, 150);

    layout.leftColumn = 3;
    layout.topRow = 2;
    QCOMPARE(layout.cellRect(2, 3).left, 50);
    QCOMPARE(layout.cellRect(2, 3).top, 45);
    QCOMPARE(layout.cellRect(2, 1).left, 50 - 110);  // scrolled off to the left
}

void GridLayoutTest::visibleRangeAndScrollRanges() {
    GridLayout layout = Sample();
    QCOMPARE(layout.visibleRowCount(), 20);
    QCOMPARE(layout.lastVisibleRow(), 21);  // the partly shown row is painted too
    QCOMPARE(layout.verticalMaximum(), 81);
    QVERIFY(layout.needsVerticalBar());
    QCOMPARE(layout.contentWidth(), 50 + 110 + 70);
    QVERIFY(!layout.needsHorizontalBar());
    QCOMPARE(layout.lastVisibleColumn(), 3);

    layout.clientWidth = 200;
    QVERIFY(layout.needsHorizontalBar());
    QCOMPARE(layout.lastVisibleColumn(), 3);  // the first column that does not fit whole still shows
    QCOMPARE(layout.horizontalMaximum(), 2);  // the hidden column is not a scroll step
    layout.leftColumn = 3;
    QCOMPARE(layout.horizontalPosition(), 2);
    QCOMPARE(layout.columnAtPosition(1), 1);
    QCOMPARE(layout.columnAtPosition(2), 3);
    QCOMPARE(layout.nextShownColumn(3, -1), 1);
    QCOMPARE(layout.nextShownColumn(3, 1), 0);

    layout.rows = 5;
    QVERIFY(!layout.needsVerticalBar());
    QCOMPARE(layout.verticalMaximum(), 1);
    QCOMPARE(layout.lastVisibleRow(), 5);
}

void GridLayoutTest::scrollingIntoViewMovesTheLeastNeeded() {
    GridLayout layout = Sample();
    layout.scrollIntoView(21, 1);
    QCOMPARE(layout.topRow, 2);
    layout.scrollIntoView(100, 1);
    QCOMPARE(layout.topRow, 81);
    layout.scrollIntoView(90, 1);
    QCOMPARE(layout.topRow, 81);
    layout.scrollIntoView(5, 1);
    QCOMPARE(layout.topRow, 5);
    layout.scrollIntoView(0, 1);  // the header row never scrolls
    QCOMPARE(layout.topRow, 5);

    layout.clientWidth = 200;
    layout.scrollIntoView(5, 3);
    QCOMPARE(layout.leftColumn, 2);  // column 3 now starts at 50 and fits
    layout.scrollIntoView(5, 1);
    QCOMPARE(layout.leftColumn, 1);

    // A client too small for one row still ends with the row at the top.
    layout.clientHeight = 50;
    layout.scrollIntoView(40, 1);
    QCOMPARE(layout.topRow, 40);
}

void GridLayoutTest::findsColumnBordersForResizing() {
    GridLayout layout = Sample();
    QCOMPARE(layout.borderAt(150, 10), 1);
    QCOMPARE(layout.borderAt(141, 10), 1);
    QCOMPARE(layout.borderAt(139, 10), -1);
    QCOMPARE(layout.borderAt(48, 10), 0);
    QCOMPARE(layout.borderAt(225, 10), 3);  // the border after the last column sizes the last column
    QCOMPARE(layout.borderAt(100, 10), -1);
}

}  // namespace tamrik::testing

QTEST_APPLESS_MAIN(tamrik::testing::GridLayoutTest)
#include "GridLayoutTest.moc"
