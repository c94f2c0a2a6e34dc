#include <QTest>
#include <string>

#include "settings/SettingsStore.h"
#include "ui/grid/GridCellStore.h"

namespace tamrik::testing {

class GridCellStoreTest : public QObject {
    Q_OBJECT

private slots:
    void recordsKeepTheirFixedLayout();
    void colourAndAccessChangesKeepTheRestOfTheRecord();
    void longTextsAreCutAtTheRecordLimit();
    void overflowStoresHoldCellsBeyondOneStore();
    void creatingTheCellsLeavesTheCurrentStoreAlone();
};

void GridCellStoreTest::recordsKeepTheirFixedLayout() {
    GridCellStore cells;
    QCOMPARE(GridCellStore::Key(12, 3), std::string("00012-003"));
    QVERIFY(cells.setText(12, 3, false, "abc"));
    QCOMPARE(std::string(cells.record(12, 3)), std::string("00012-003|UA|FFFFFF|abc"));
    QVERIFY(cells.setText(1021, 100, true, ""));
    QCOMPARE(std::string(cells.record(1021, 100)), std::string("01021-100|PA|FFFFFF|"));

    const auto cell = cells.read(12, 3);
    QVERIFY(cell);
    QVERIFY(!cell->readOnly);
    QCOMPARE(cell->colour, 0xFFFFFFu);
    QCOMPARE(std::string(cell->text), std::string("abc"));
    QVERIFY(!cells.read(12, 4));
    QVERIFY(cells.record(0, 0) == nullptr);
}

void GridCellStoreTest::colourAndAccessChangesKeepTheRestOfTheRecord() {
    GridCellStore cells;
    cells.setText(2, 5, false, "C");
    QVERIFY(cells.setColour(2, 5, 0x0000FF));  // red, blue byte first in the digits
    QCOMPARE(std::string(cells.record(2, 5)), std::string("00002-005|UA|0000FF|C"));
    QVERIFY(cells.setReadOnly(2, 5, true));
    QCOMPARE(std::string(cells.record(2, 5)), std::string("00002-005|PA|0000FF|C"));
    QCOMPARE(cells.read(2, 5)->colour, 0x0000FFu);

    // Writing the text again starts from white; owners set the colour afterwards.
    cells.setText(2, 5, true, "O");
    QCOMPARE(std::string(cells.record(2, 5)), std::string("00002-005|PA|FFFFFF|O"));

    // A colour on a missing cell makes an editable cell of one space; access alone makes an empty one.
    cells.setColour(3, 1, 0x00FF00);
    QCOMPARE(std::string(cells.record(3, 1)), std::string("00003-001|UA|00FF00| "));
    cells.setReadOnly(4, 1, false);
    QCOMPARE(std::string(cells.record(4, 1)), std::string("00004-001|UA|FFFFFF|"));

    QVERIFY(cells.remove(3, 1));
    QVERIFY(!cells.remove(3, 1));
    QVERIFY(!cells.read(3, 1));
}

void GridCellStoreTest::longTextsAreCutAtTheRecordLimit() {
    GridCellStore cells;
    cells.setText(1, 1, false, std::string(1500, 'x'));
    QCOMPARE(cells.read(1, 1)->text.size(), std::size_t{1003});
    cells.setText(1, 1, false, std::string(1500, 'y'));  // rewriting an existing record cuts the same way
    QCOMPARE(cells.read(1, 1)->text, std::string_view(std::string(1003, 'y')));
}

void GridCellStoreTest::overflowStoresHoldCellsBeyondOneStore() {
    GridCellStore cells;
    const int columns = 12;
    const int rows = static_cast<int>(GridCellStore::kCapacity) / columns;
    static_assert(GridCellStore::kCapacity % 12 == 0);
    for (int row = 1; row <= rows; ++row) {
        for (int column = 1; column <= columns; ++column) {
            QVERIFY(cells.setText(row, column, true, std::to_string(row * 1000 + column)));
        }
    }
    QCOMPARE(cells.size(), GridCellStore::kCapacity);
    for (int row = 1; row <= rows; ++row) {
        for (int column = 1; column <= columns; ++column) {
            const auto cell = cells.read(row, column);
            QVERIFY(cell);
            QCOMPARE(std::string(cell->text), std::to_string(row * 1000 + column));
        }
    }
    // Full: new cells are refused, existing ones still change, and a removal makes room again.
    QVERIFY(!cells.setText(rows + 1, 1, false, "late"));
    QVERIFY(!cells.setColour(rows + 1, 1, 0));
    QVERIFY(cells.setText(rows, columns, false, "changed"));
    QCOMPARE(std::string(cells.read(rows, columns)->text), std::string("changed"));
    QVERIFY(cells.remove(1, 1));
    QVERIFY(cells.setText(rows + 1, 1, false, "late"));
    QCOMPARE(std::string(cells.read(rows + 1, 1)->text), std::string("late"));
}

void GridCellStoreTest::creatingTheCellsLeavesTheCurrentStoreAlone() {
    {
        // No store current: the grid's store must not become the one the rest of the program writes to.
        GridCellStore cells;
        QVERIFY(SettingSet("PanelSnum", "1") == nullptr);
        QCOMPARE(cells.size(), std::size_t{0});
    }
    SettingsStore main;
    StoreCreate(main);
    {
        GridCellStore cells;
        cells.setText(500, 1, false, "overflow");  // still nothing changes the selection
        QCOMPARE(StoreSelect(nullptr), &main);
        QVERIFY(SettingSet("PanelSnum", "1") != nullptr);
        QCOMPARE(main.entryCount, std::uint16_t{1});
    }
    QCOMPARE(StoreSelect(nullptr), &main);
    StoreDestroy(&main);
}

}  // namespace tamrik::testing

QTEST_APPLESS_MAIN(tamrik::testing::GridCellStoreTest)
#include "GridCellStoreTest.moc"
