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

QStringList MessageTexts() {
    QStringList texts;
    for (const auto& shown : editor_message_test::TakeShown()) texts << shown.text;
    return texts;
}

}  // namespace

class DeviceEditorTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { editor_message_test::Enable(true); }
    void cleanup() { editor_message_test::TakeShown(); }

    // The texts are the device table's (tested with it); here: the grid shows them in every column and
    // opening, writing back and closing change nothing.
    void showsEveryDeviceSettingAndOpeningChangesNothing() {
        auto site = DefaultSite();
        AddDevices(site);
        Put(site, {{"MapNode_7", nullptr}, {"Type_7", nullptr}});
        const std::uint64_t before = site.fingerprint();
        auto editor = OpenEditor(EditorView::Device, site, 1720, 820);
        QVERIFY(editor);
        Grid& grid = *editor->grid();
        QVERIFY(grid.hasFocus());
        QCOMPARE(RowTexts(grid, 3, 0, kDeviceTypeColumn), (std::vector<std::string>{"3", "00A1B2", "OPT"}));
        QCOMPARE(CellText(grid, 3, kDeviceColumnCount), std::string("N/A"));
        QCOMPARE(CellText(grid, 7, kDeviceMapNodeColumn), std::string("NULL"));  // and stays missing
        QCOMPARE(CellText(grid, 192, 0), std::string("192"));
        QVERIFY(SavePng(*editor, QStringLiteral("device_editor")));
        editor->writeBack();
        editor.reset();
        QCOMPARE(site.fingerprint(), before);
    }

    // What may be typed is the device table's rule (tested with it); here: refused typing keeps the
    // cell, accepted typing reaches the store only at the write-back, a missing key stays missing, and
    // the input groups of the special inputs are refused with a message.
    void typedNumbersAreCheckedAndStoredOnWriteBack() {
        auto site = DefaultSite();
        Put(site, {{"Zone_15", nullptr}, {"SNum_15", nullptr}, {"RemoteAlarmInput", "1"}, {"RaiControl", "0"}});
        auto editor = OpenEditor(EditorView::Device, site);
        Grid& grid = *editor->grid();

        TypeIntoCell(grid, 20, kDeviceZoneColumn, "32");
        TypeIntoCell(grid, 20, kDeviceZoneColumn, "33");
        QCOMPARE(CellText(grid, 20, kDeviceZoneColumn), std::string("32"));
        QCOMPARE(grid.currentRow(), 21);                      // Enter moved on
        QCOMPARE(Stored(site, "Zone_20"), std::string("1"));  // not before the editor writes back
        QVERIFY(MessageTexts().isEmpty());
        TypeIntoCell(grid, 3, kDeviceInputGroupColumn, "31");
        QCOMPARE(CellText(grid, 3, kDeviceInputGroupColumn), std::string("1"));
        const auto shown = editor_message_test::TakeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("The Remote Alarm Input is assigned to input group 31"));
        QCOMPARE(shown[0].icon, EditorMessageIcon::Error);

        QCOMPARE(CellText(grid, 15, kDeviceZoneColumn), std::string("NULL"));
        editor->writeBack();
        ExpectStored(site, {{"Zone_20", "32"}, {"Zone_15", "<missing>"}, {"SNum_15", "<missing>"}});
        TypeIntoCell(grid, 15, kDeviceZoneColumn, "3");
        // An edit still in progress is committed by the write-back.
        ClickCell(grid, 30, kDeviceZoneColumn);
        QTest::keyClicks(&grid, QStringLiteral("17"));
        editor->writeBack();
        ExpectStored(site, {{"Zone_15", "3"}, {"Zone_30", "17"}, {"SNum_15", "<missing>"}});
    }

    // Reading the entries is the device table's (tested with it); here: an entry installs its device at
    // once and Enter moves on to the next channel; a serial number in use elsewhere is refused with a
    // message; "L1" and an address jumps there and stores nothing.
    void serialEntriesInstallJumpOrExplainTheRefusal() {
        auto site = DefaultSite();
        auto editor = OpenEditor(EditorView::Device, site);
        Grid& grid = *editor->grid();
        ClickCell(grid, 11, kDeviceSerialColumn);
        for (int channel = 0; channel < 2; ++channel) {
            QTest::keyClicks(&grid, QStringLiteral("C5123400"));
            QTest::keyClick(&grid, Qt::Key_Return);
        }
        ExpectStored(site, {{"SNum_12", "123401"}, {"Type_12", "197"}});
        QCOMPARE(RowTexts(grid, 12, kDeviceSerialColumn, kDeviceTypeColumn),
                 (std::vector<std::string>{"123401", "MCP-16"}));
        QVERIFY(MessageTexts().isEmpty());

        TypeIntoCell(grid, 60, kDeviceSerialColumn, "01000777");
        TypeIntoCell(grid, 61, kDeviceSerialColumn, "21000777");
        QCOMPARE(MessageTexts(), QStringList{QStringLiteral("Serial number 000777 is already used at address 60")});
        QCOMPARE(CellText(grid, 61, kDeviceSerialColumn), std::string("000000"));

        TypeIntoCell(grid, 2, kDeviceSerialColumn, "l1150");
        QTRY_COMPARE(grid.currentRow(), 150);
        QCOMPARE(grid.currentColumn(), int(kDeviceSerialColumn));
        QVERIFY(grid.topRow() > 100);
        QCOMPARE(CellText(grid, 2, kDeviceSerialColumn), std::string("000000"));
    }

    // The stepping itself is the device table's (tested with it); here: a click steps the cell it lands
    // on and shows the result, the class heading resets the column, and the context menu's choice is
    // that many clicks.
    void clicksStepTheClickedCell() {
        auto site = DefaultSite();
        AddDevices(site);
        Put(site, {{"Class_2", "10"}});
        auto editor = OpenEditor(EditorView::Device, site);
        Grid& grid = *editor->grid();

        ClickCell(grid, 6, kDeviceVolumeColumn);
        QCOMPARE(Stored(site, "Volume_6"), std::string("2"));
        QCOMPARE(CellText(grid, 6, kDeviceVolumeColumn), std::string("Low"));
        ClickCell(grid, 0, kDeviceClassColumn);
        QCOMPARE(CellText(grid, 2, kDeviceClassColumn), std::string("Automatic"));
        ExpectStored(site, {{"Class_2", "0"}, {"Class_4", "1"}});

        // Two on from Low is High; past the list nothing happens.
        editor->chooseStep(6, kDeviceVolumeColumn, 2);
        QCOMPARE(Stored(site, "Volume_6"), std::string("15"));
        QCOMPARE(CellText(grid, 6, kDeviceVolumeColumn), std::string("High"));
        const std::uint64_t before = site.fingerprint();
        editor->chooseStep(6, kDeviceVolumeColumn, 3);
        ClickCell(grid, 0, kDeviceVolumeColumn);
        ClickCell(grid, 4, kDeviceZoneColumn);
        QCOMPARE(site.fingerprint(), before);
    }

    // Clearing and swapping are the device table's (tested with it); here: the Delete key and a row drag
    // reach it and the grid shows the result.
    void deleteKeyClearsTheDevice() {
        auto site = DefaultSite();
        AddDevices(site);
        auto editor = OpenEditor(EditorView::Device, site);
        Grid& grid = *editor->grid();
        ClickCell(grid, 3, kDeviceZoneColumn);
        QTest::keyClick(&grid, Qt::Key_Delete);
        ExpectStored(site, {{"Zone_3", "1"}, {"SNum_3", "000000"}, {"DeviceText_3", "   Kitchen smoke    "}});
        QCOMPARE(RowTexts(grid, 3, kDeviceSerialColumn, kDeviceZoneColumn),
                 (std::vector<std::string>{"000000", "00", "0", "0", "1"}));
    }

    void draggingARowSwapsTwoDevices() {
        auto site = DefaultSite();
        Put(site, {{"SNum_10", "00A1B2"}, {"Type_10", "1"}, {"Sens1_10", "2"}, {"NonLatching_10", "1"}});
        Put(site, {{"SNum_20", "00C0DE"}, {"Type_20", "142"}, {"Coverage_20", "5"}, {"MapNode_20", nullptr}});
        auto editor = OpenEditor(EditorView::Device, site);
        Grid& grid = *editor->grid();

        // A zone typed but not yet written back moves with its device.
        TypeIntoCell(grid, 10, kDeviceZoneColumn, "6");
        const QPoint from = CellPoint(grid, 10, kDeviceSerialColumn);
        const QPoint to = grid.cellRect(20, kDeviceSerialColumn).center();
        QVERIFY(grid.viewport()->rect().contains(to));
        QTest::mousePress(grid.viewport(), Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(grid.viewport(), to);
        QTest::mouseRelease(grid.viewport(), Qt::LeftButton, Qt::NoModifier, to);
        ExpectStored(site, {{"SNum_20", "00A1B2"}, {"Zone_20", "6"}, {"SNum_10", "00C0DE"}, {"Zone_10", "1"}});
        // The row left by a missing key shows nothing of the device that left it.
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
        const std::string below = "SNum_" + std::to_string(half + 1);
        site.put(below, "00BEEF");
        const QPoint at = grid.cellRect(half, kDeviceClassColumn).topLeft() + QPoint(5, 2);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, at);
        ExpectStored(
            site,
            {{"Class_" + std::to_string(half), "1"}, {below, "00BEEF"}, {"Class_" + std::to_string(half + 1), "0"}});
    }
};

}  // namespace tamrik::testing

QTEST_MAIN(tamrik::testing::DeviceEditorTest)
#include "DeviceEditorTest.moc"
