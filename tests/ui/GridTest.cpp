#include <QDialog>
#include <QScrollBar>
#include <QVBoxLayout>

#include <memory>

#include "GridTestSupport.h"

namespace tamrik::testing {
namespace {

const char* const kDeviceHeadings[] = {"Address",      "Serial number", "Type",          "Version",
                                       "Map node",     "Zone",          "Day Sens",      "Night Sens",
                                       "Input group",  "Output group",  "Display group", "Repeat group",
                                       "Volume",       "Class",         "Non Latching",  "Msg52 Config"};

std::unique_ptr<Grid> MakeGrid(int id = 701, const QString& title = QStringLiteral("Device editor")) {
    return std::unique_ptr<Grid>(Grid::create(id, title));
}

// A device editor as its owner fills it: 192 rows of 15 columns, some columns read-only.
void FillLikeDeviceEditor(Grid& grid, int rows = 192) {
    grid.message(GM_SETSIZE, rows, 15);
    grid.message(GM_SETHEADERHEIGHT, 21);
    grid.message(GM_ALLOWTYPING, 1);
    for (int column = 0; column <= 15; ++column) SetCellText(grid, 0, column, kDeviceHeadings[column]);
    for (int row = 1; row <= rows; ++row) {
        SetCellText(grid, row, 0, std::to_string(row));
        SetCellText(grid, row, 1, row % 3 ? "000000" : "123456");
        SetCellText(grid, row, 2, "Optical");
        SetCellText(grid, row, 3, "0");
        SetCellText(grid, row, 5, "1");
        SetCellText(grid, row, 6, "Normal");
        SetCellText(grid, row, 14, "Latching");
        for (int column : {2, 3, 6, 14}) SetReadOnly(grid, row, column, true);
    }
}

}  // namespace

class GridTest : public QObject {
    Q_OBJECT

private slots:
    void rendersDeviceEditorLayout();
};

void GridTest::rendersDeviceEditorLayout() {
    auto grid = MakeGrid();
    QVERIFY(grid);
    grid->resize(1000, 420);
    FillLikeDeviceEditor(*grid);
    QVERIFY(ShowActive(*grid));
    grid->setFocus();
    QVERIFY(SavePng(*grid, QStringLiteral("grid_device_editor")));
}

}  // namespace tamrik::testing

QTEST_MAIN(tamrik::testing::GridTest)
#include "GridTest.moc"
