#include <QTest>
#include <string>

#include "settings/SettingsStore.h"
#include "ui/grid/GridCellStore.h"

namespace tamrik::testing {

class GridCellStoreTest : public QObject {
    Q_OBJECT

private slots:
    void eachChangeKeepsTheRestOfTheRecord() {
        GridCellStore cells;
        const auto record = [&cells](int row, int column) {
            return std::string(cells.record(row, column).value_or("<none>"));
        };
        QVERIFY(cells.setText(12, 3, false, "abc"));
        QCOMPARE(record(12, 3), std::string("00012-003|UA|FFFFFF|abc"));
        QVERIFY(cells.setText(1021, 100, true, ""));
        QCOMPARE(record(1021, 100), std::string("01021-100|PA|FFFFFF|"));

        QVERIFY(cells.setColour(12, 3, 0x0000FF));  // red: the blue byte comes first in the digits
        QVERIFY(cells.setReadOnly(12, 3, true));
        QCOMPARE(record(12, 3), std::string("00012-003|PA|0000FF|abc"));
        const auto cell = cells.read(12, 3);
        QVERIFY(cell && cell->readOnly && cell->colour == 0x0000FFu && cell->text == "abc");
        cells.setText(12, 3, false, "O");  // writing the text again starts from white
        QCOMPARE(record(12, 3), std::string("00012-003|UA|FFFFFF|O"));

        // A colour on a missing cell makes an editable cell of one space; access alone makes an empty one.
        cells.setColour(3, 1, 0x00FF00);
        QCOMPARE(record(3, 1), std::string("00003-001|UA|00FF00| "));
        cells.setReadOnly(4, 1, false);
        QCOMPARE(record(4, 1), std::string("00004-001|UA|FFFFFF|"));
        QVERIFY(cells.remove(3, 1));
        QVERIFY(!cells.remove(3, 1));
        QVERIFY(!cells.read(3, 1));

        // Texts are cut at the record limit, on a new record and on a rewritten one alike.
        cells.setText(1, 1, false, std::string(1500, 'x'));
        QCOMPARE(cells.read(1, 1)->text, std::string_view(std::string(1003, 'x')));
        cells.setText(1, 1, false, std::string(1500, 'y'));
        QCOMPARE(cells.read(1, 1)->text, std::string_view(std::string(1003, 'y')));
    }

    // The store holds as many cells as the settings store holds entries, so every event of a full image fits.
    void fullStoreRefusesNewCellsOnly() {
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
                QCOMPARE(std::string(cells.read(row, column)->text), std::to_string(row * 1000 + column));
            }
        }
        QVERIFY(!cells.setText(rows + 1, 1, false, "late"));
        QVERIFY(!cells.setColour(rows + 1, 1, 0));
        QVERIFY(cells.setText(rows, columns, false, "changed"));
        QCOMPARE(std::string(cells.read(rows, columns)->text), std::string("changed"));
        QVERIFY(cells.remove(1, 1));
        QVERIFY(cells.setText(rows + 1, 1, false, "late"));
        QCOMPARE(std::string(cells.read(rows + 1, 1)->text), std::string("late"));
    }
};

}  // namespace tamrik::testing

QTEST_APPLESS_MAIN(tamrik::testing::GridCellStoreTest)
#include "GridCellStoreTest.moc"
