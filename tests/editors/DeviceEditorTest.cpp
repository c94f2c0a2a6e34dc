#include "EditorTestSupport.h"
#include "site/DeviceTable.h"
#include "ui/editors/DeviceEditor.h"

namespace tamrik::testing {
namespace {

// A few devices that are not defaults: an optical detector with a text, a call point, a four-channel
// unit and a ceiling sounder.
void AddDevices(SettingsStore& store) {
    Put(store, {{"SNum_3", "00A1B2"}, {"Type_3", "1"}, {"Sens1_3", "2"}, {"Sens2_3", "3"}, {"Zone_3", "4"}});
    Put(store, {{"DeviceText_3", "   Kitchen smoke    "}, {"SNum_4", "001234"}, {"Type_4", "64"}, {"Class_4", "1"}});
    Put(store, {{"NonLatching_4", "1"}, {"SNum_5", "00C0DE"}, {"Type_5", "142"}, {"Coverage_5", "7"}});
    Put(store, {{"SNum_6", "00BEEF"}, {"Type_6", "158"}, {"Coverage_6", "0"}, {"Volume_6", "7"}});
}

std::vector<std::string> DeviceRow(Grid& grid, int row) { return RowTexts(grid, row, 0, kDeviceColumnCount); }

QStringList MessageTexts() {
    QStringList texts;
    for (const auto& shown : editor_message_test::TakeShown()) texts << shown.text;
    return texts;
}

// Types one serial-number entry after another into the serial column from `row` down, each ending with
// Enter, which stores it and moves to the next address.
void TypeSerials(Grid& grid, int row, std::initializer_list<const char*> entries) {
    ClickCell(grid, row, kDeviceSerialColumn);
    for (const char* entry : entries) {
        QTest::keyClicks(&grid, QString::fromLatin1(entry));
        QTest::keyClick(&grid, Qt::Key_Return);
    }
}

}  // namespace

class DeviceEditorTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { editor_message_test::Enable(true); }
    void cleanup() { editor_message_test::TakeShown(); }

    void showsEveryDeviceSettingAsTextAndOpeningChangesNothing() {
        DefaultSite site;
        AddDevices(*site);
        Put(*site, {{"MapNode_7", nullptr}, {"Type_7", nullptr}});
        const std::uint64_t before = site->fingerprint();
        auto editor = OpenEditor(EditorView::Device, *site, 1720, 820);
        QVERIFY(editor);
        Grid& grid = *editor->grid();
        QVERIFY(grid.hasFocus());
        QCOMPARE(DeviceRow(grid, 3),
                 (std::vector<std::string>{"3", "00A1B2", "OPT", "0", "0", "4", "Bedroom", "Enhanced", "1", "1", "0",
                                           "0", "High", "Automatic", "Latching", "N/A"}));
        QCOMPARE(RowTexts(grid, 7, kDeviceTypeColumn, kDeviceMapNodeColumn),
                 (std::vector<std::string>{"", "0", "NULL"}));
        QCOMPARE(CellText(grid, 192, 0), std::string("192"));
        QVERIFY(SavePng(*editor, QStringLiteral("device_editor")));
        editor->writeBack();
        editor.reset();
        QCOMPARE(site->fingerprint(), before);
    }

    // What may be typed is the device table's rule (tested with it); here: refused typing keeps the
    // cell, accepted typing reaches the store only at the write-back, and a missing key stays missing.
    void typedNumbersAreCheckedAndStoredOnWriteBack() {
        DefaultSite site;
        Put(*site, {{"Zone_15", nullptr}, {"SNum_15", nullptr}});
        auto editor = OpenEditor(EditorView::Device, *site);
        Grid& grid = *editor->grid();

        TypeIntoCell(grid, 20, kDeviceZoneColumn, "32");
        TypeIntoCell(grid, 20, kDeviceZoneColumn, "33");
        TypeIntoCell(grid, 20, kDeviceVersionColumn, "9");
        QCOMPARE(RowTexts(grid, 20, kDeviceVersionColumn, kDeviceZoneColumn),
                 (std::vector<std::string>{"0", "0", "32"}));
        QCOMPARE(grid.currentRow(), 21);                       // Enter moved on
        QCOMPARE(Stored(*site, "Zone_20"), std::string("1"));  // not before the editor writes back
        QVERIFY(MessageTexts().isEmpty());

        QCOMPARE(CellText(grid, 15, kDeviceZoneColumn), std::string("NULL"));
        editor->writeBack();
        ExpectStored(*site, {{"Zone_20", "32"}, {"Zone_15", "<missing>"}, {"SNum_15", "<missing>"}});
        TypeIntoCell(grid, 15, kDeviceZoneColumn, "3");
        // An edit still in progress is committed by the write-back.
        ClickCell(grid, 30, kDeviceZoneColumn);
        QTest::keyClicks(&grid, QStringLiteral("17"));
        editor->writeBack();
        ExpectStored(*site, {{"Zone_15", "3"}, {"Zone_30", "17"}, {"SNum_15", "<missing>"}});
    }

    void inputGroupsOfSpecialInputsAreRefusedWithAMessage() {
        DefaultSite site;
        Put(*site, {{"RemoteAlarmInput", "1"}, {"RaiControl", "0"}, {"ClassChange", "1"}});
        auto editor = OpenEditor(EditorView::Device, *site);
        Grid& grid = *editor->grid();

        TypeIntoCell(grid, 3, kDeviceInputGroupColumn, "31");
        TypeIntoCell(grid, 3, kDeviceInputGroupColumn, "30");
        QCOMPARE(CellText(grid, 3, kDeviceInputGroupColumn), std::string("1"));
        const auto shown = editor_message_test::TakeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0].text, QStringLiteral("The Remote Alarm Input is assigned to input group 31"));
        QCOMPARE(shown[0].icon, EditorMessageIcon::Error);
        QCOMPARE(shown[1].text, QStringLiteral("The Class Change Input is assigned to input group 30"));
    }

    // A serial entry installs its device at once; a serial number in use elsewhere is refused with a
    // message and the cell shows zeros.
    void serialEntriesInstallAtOnceOrExplainTheRefusal() {
        DefaultSite site;
        auto editor = OpenEditor(EditorView::Device, *site);
        Grid& grid = *editor->grid();
        TypeSerials(grid, 11, {"C5123400", "C5123400"});
        ExpectStored(*site, {{"SNum_12", "123401"}, {"Type_12", "197"}});
        QCOMPARE(RowTexts(grid, 12, kDeviceSerialColumn, kDeviceTypeColumn),
                 (std::vector<std::string>{"123401", "MCP-16"}));
        QVERIFY(MessageTexts().isEmpty());

        TypeIntoCell(grid, 60, kDeviceSerialColumn, "01000777");
        TypeIntoCell(grid, 61, kDeviceSerialColumn, "21000777");
        QCOMPARE(MessageTexts(), QStringList{QStringLiteral("Serial number 000777 is already used at address 60")});
        QCOMPARE(CellText(grid, 61, kDeviceSerialColumn), std::string("000000"));
        QCOMPARE(Stored(*site, "Type_61"), std::string("0"));
    }

    void malformedJumpingOrCancelledSerialEntries() {
        DefaultSite site;
        Put(*site, {{"SNum_9", "00A1B2"}, {"Type_9", "1"}});
        auto editor = OpenEditor(EditorView::Device, *site);
        Grid& grid = *editor->grid();

        TypeIntoCell(grid, 9, kDeviceSerialColumn, "0100B1B4");
        // Escape abandons the typing; the device keeps its serial number, then and after the write-back.
        ClickCell(grid, 9, kDeviceSerialColumn);
        QTest::keyClicks(&grid, QStringLiteral("C5"));
        QTest::keyClick(&grid, Qt::Key_Escape);
        QCOMPARE(CellText(grid, 9, kDeviceSerialColumn), std::string("00B1B4"));
        editor->writeBack();
        QCOMPARE(Stored(*site, "SNum_9"), std::string("00B1B4"));
        // A malformed entry clears the serial number when the editor writes back.
        TypeIntoCell(grid, 9, kDeviceSerialColumn, "nonsense");
        editor->writeBack();
        QCOMPARE(Stored(*site, "SNum_9"), std::string("000000"));

        // "L1" and an address jumps there (scrolling to it) and stores nothing; any other L entry goes nowhere.
        TypeIntoCell(grid, 2, kDeviceSerialColumn, "L1023");
        QTRY_COMPARE(grid.currentRow(), 23);
        QCOMPARE(grid.currentColumn(), int(kDeviceSerialColumn));
        QCOMPARE(CellText(grid, 2, kDeviceSerialColumn), std::string("000000"));
        TypeIntoCell(grid, 23, kDeviceSerialColumn, "l1150");
        QTRY_COMPARE(grid.currentRow(), 150);
        QVERIFY(grid.topRow() > 100);
        TypeIntoCell(grid, 40, kDeviceSerialColumn, "L2005");
        QTest::qWait(20);
        QCOMPARE(grid.currentRow(), 41);
    }

    // The stepping itself is the device table's (tested with it); here: a click steps the cell it lands
    // on and shows the result, the class heading resets the column, and the context menu's choice is
    // that many clicks.
    void clicksStepTheClickedCell() {
        DefaultSite site;
        AddDevices(*site);
        Put(*site, {{"Class_2", "10"}});
        auto editor = OpenEditor(EditorView::Device, *site);
        Grid& grid = *editor->grid();

        ClickCell(grid, 6, kDeviceVolumeColumn);
        ClickCell(grid, 4, kDeviceNonLatchingColumn);
        ClickCell(grid, 5, kDeviceMsg52Column);
        ExpectStored(*site, {{"Volume_6", "2"}, {"NonLatching_4", "<missing>"}, {"Coverage_5", "9"}});
        QCOMPARE(CellText(grid, 6, kDeviceVolumeColumn), std::string("Low"));
        QCOMPARE(CellText(grid, 4, kDeviceNonLatchingColumn), std::string("Latching"));
        QVERIFY(grid.cell(4, kDeviceNonLatchingColumn).readOnly);

        ClickCell(grid, 0, kDeviceClassColumn);
        QCOMPARE(RowTexts(grid, 2, kDeviceClassColumn, kDeviceClassColumn), std::vector<std::string>{"Automatic"});
        ExpectStored(*site, {{"Class_2", "0"}, {"Class_4", "1"}});

        // Choosing is clicking that many times: two on from Low is High; past the list nothing happens.
        QCOMPARE(editor->stepChoices(6, kDeviceVolumeColumn),
                 (QStringList{QStringLiteral("Low"), QStringLiteral("Medium"), QStringLiteral("High")}));
        editor->chooseStep(6, kDeviceVolumeColumn, 2);
        QCOMPARE(Stored(*site, "Volume_6"), std::string("15"));
        QCOMPARE(CellText(grid, 6, kDeviceVolumeColumn), std::string("High"));
        const std::uint64_t before = site->fingerprint();
        editor->chooseStep(6, kDeviceVolumeColumn, 3);
        ClickCell(grid, 0, kDeviceVolumeColumn);
        ClickCell(grid, 4, kDeviceZoneColumn);
        QCOMPARE(site->fingerprint(), before);
    }

    void deleteKeyClearsTheDeviceButNotItsText() {
        DefaultSite site;
        AddDevices(*site);
        Put(*site, {{"IPGroup_4", "7"}, {"OPGroup_4", "9"}, {"Zone_4", "12"}});
        auto editor = OpenEditor(EditorView::Device, *site);
        Grid& grid = *editor->grid();

        ClickCell(grid, 4, kDeviceAddressColumn);
        QTest::keyClick(&grid, Qt::Key_Delete);
        ExpectStored(*site, {{"Zone_4", "1"}, {"SNum_4", "000000"}, {"NonLatching_4", "<missing>"}});
        QCOMPARE(DeviceRow(grid, 4), (std::vector<std::string>{"4", "000000", "00", "0", "0", "1", "None", "None", "1",
                                                               "1", "0", "0", "High", "Automatic", "Latching", "N/A"}));

        ClickCell(grid, 3, kDeviceZoneColumn);
        QTest::keyClick(&grid, Qt::Key_Delete);
        ExpectStored(*site, {{"DeviceText_3", "   Kitchen smoke    "}, {"SNum_3", "000000"}});
    }

    void draggingARowSwapsTwoDevices() {
        DefaultSite site;
        Put(*site, {{"SNum_10", "00A1B2"}, {"Type_10", "1"}, {"Sens1_10", "2"}, {"NonLatching_10", "1"}});
        Put(*site, {{"DeviceText_10", "Hall"}, {"SNum_20", "00C0DE"}, {"Type_20", "142"}, {"Coverage_20", "5"}});
        Put(*site, {{"MapNode_20", nullptr}, {"DeviceText_20", "Plant room"}});
        auto editor = OpenEditor(EditorView::Device, *site);
        Grid& grid = *editor->grid();

        // A zone typed but not yet written back moves with its device.
        TypeIntoCell(grid, 10, kDeviceZoneColumn, "6");
        const QPoint from = CellPoint(grid, 10, kDeviceSerialColumn);
        const QPoint to = grid.cellRect(20, kDeviceSerialColumn).center();
        QVERIFY(grid.viewport()->rect().contains(to));
        QTest::mousePress(grid.viewport(), Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(grid.viewport(), to);
        QTest::mouseRelease(grid.viewport(), Qt::LeftButton, Qt::NoModifier, to);

        // Missing keys move as missing; the texts stay with their addresses.
        ExpectStored(*site, {{"SNum_20", "00A1B2"}, {"Type_20", "1"}, {"Sens1_20", "2"}, {"Zone_20", "6"}});
        ExpectStored(*site,
                     {{"NonLatching_20", "1"}, {"MapNode_20", "0"}, {"SNum_10", "00C0DE"}, {"Coverage_10", "5"}});
        ExpectStored(*site, {{"Zone_10", "1"}, {"NonLatching_10", "<missing>"}, {"MapNode_10", "<missing>"}});
        ExpectStored(*site, {{"DeviceText_10", "Hall"}, {"DeviceText_20", "Plant room"}});
        QCOMPARE(RowTexts(grid, 10, kDeviceTypeColumn, kDeviceZoneColumn),
                 (std::vector<std::string>{"IO-CONF", "0", "NULL", "1"}));
        QCOMPARE(RowTexts(grid, 20, kDeviceTypeColumn, kDeviceZoneColumn),
                 (std::vector<std::string>{"OPT", "0", "0", "6"}));
        QCOMPARE(CellText(grid, 20, kDeviceNonLatchingColumn), std::string("Non-Latching"));

        // A click in a stepped column of the half-visible bottom row scrolls it into view and steps it once;
        // no device moves.
        int half = grid.topRow();
        while (grid.cellRect(half, 1).bottom() < grid.viewport()->height()) ++half;
        QVERIFY(grid.cellRect(half, 1).top() < grid.viewport()->height());
        const std::string below = Key("SNum_%d", half + 1);
        Put(*site, {{below.c_str(), "00BEEF"}});
        const QPoint at = grid.cellRect(half, kDeviceClassColumn).topLeft() + QPoint(5, 2);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, at);
        ExpectStored(*site, {{Key("Class_%d", half), "1"}, {below, "00BEEF"}, {Key("Class_%d", half + 1), "0"}});
    }
};

}  // namespace tamrik::testing

QTEST_MAIN(tamrik::testing::DeviceEditorTest)
#include "DeviceEditorTest.moc"
