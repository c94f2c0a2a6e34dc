#include <QSignalSpy>

#include "EditorTestSupport.h"
#include "ui/editors/DeviceCells.h"
#include "ui/editors/DeviceEditor.h"
#include "ui/editors/SerialNumberEntry.h"

namespace tamrik::testing {
namespace {

// A few devices that are not defaults: an optical detector with a text, a call point, a four-channel
// unit and a ceiling sounder.
void AddDevices(SettingsStore& store) {
    SettingPut(store, "SNum_3", "00A1B2");
    SettingPut(store, "Type_3", "1");
    SettingPut(store, "Sens1_3", "2");
    SettingPut(store, "Sens2_3", "3");
    SettingPut(store, "Zone_3", "4");
    SettingPut(store, "DeviceText_3", "   Kitchen smoke    ");
    SettingPut(store, "SNum_4", "001234");
    SettingPut(store, "Type_4", "64");
    SettingPut(store, "Class_4", "1");
    SettingPut(store, "NonLatching_4", "1");
    SettingPut(store, "SNum_5", "00C0DE");
    SettingPut(store, "Type_5", "142");
    SettingPut(store, "Coverage_5", "7");
    SettingPut(store, "SNum_6", "00BEEF");
    SettingPut(store, "Type_6", "158");
    SettingPut(store, "Coverage_6", "0");
    SettingPut(store, "Volume_6", "7");
}

std::vector<std::string> RowTexts(Grid& grid, int row) {
    std::vector<std::string> texts;
    for (int column = 0; column <= kDeviceColumnCount; ++column) texts.push_back(CellText(grid, row, column));
    return texts;
}

}  // namespace

class DeviceEditorTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { editor_message_test::Enable(true); }
    void cleanup() { editor_message_test::TakeShown(); }

    void showsEveryDeviceSettingAsText();
    void onlyTheTypedColumnsTakeTyping();
    void typedNumbersAreCheckedAndStoredOnWriteBack();
    void inputGroupsOfSpecialInputsAreRefusedWithAMessage();
    void lOneJumpsToTheAddress();
    void serialNumbersNumberTheChannelsOfAUnit();
    void fifthFourChannelEntryIsAlreadyUsed();
    void malformedOrCancelledSerialEntries();
    void clicksStepTheClickedSettings();
    void classHeadingResetsEveryClass();
    void msg52ConfigSteps();
    void deleteKeyClearsTheDeviceButNotItsText();
    void draggingARowSwapsTwoDevices();
    void writeBackLeavesMissingKeysMissing();
    void openingTheEditorChangesNothing();
    void channelMemoryAndSerialParsing();
};

void DeviceEditorTest::showsEveryDeviceSettingAsText() {
    DefaultSite site;
    AddDevices(*site);
    SettingDelete(*site, "MapNode_7");
    SettingDelete(*site, "Type_7");
    auto editor = OpenEditor(EditorView::Device, *site, 1720, 820);
    QVERIFY(editor);
    Grid& grid = *editor->grid();
    QCOMPARE(grid.controlId(), kDeviceGridId);
    QCOMPARE(grid.title(), QStringLiteral("Device editor"));
    QCOMPARE(grid.rowCount(), 192);
    QCOMPARE(grid.columnCount(), 15);

    QCOMPARE(RowTexts(grid, 0),
             (std::vector<std::string>{"Address", "Serial number", "Type", "Version", "Map node", "Zone", "Day Sens",
                                       "Night Sens", "Input group", "Output group", "Display group", "Repeat group",
                                       "Volume", "Class", "Non Latching", "Msg52 Config"}));
    QCOMPARE(RowTexts(grid, 1), (std::vector<std::string>{"1", "000000", "00", "0", "0", "1", "None", "None", "1", "1",
                                                          "0", "0", "High", "Automatic", "Latching", "N/A"}));
    QCOMPARE(RowTexts(grid, 3), (std::vector<std::string>{"3", "00A1B2", "OPT", "0", "0", "4", "Bedroom", "Enhanced",
                                                          "1", "1", "0", "0", "High", "Automatic", "Latching", "N/A"}));
    QCOMPARE(CellText(grid, 4, kDeviceClassColumn), std::string("Manual"));
    QCOMPARE(CellText(grid, 4, kDeviceNonLatchingColumn), std::string("Non-Latching"));
    QCOMPARE(CellText(grid, 5, kDeviceMsg52Column), std::string("NL 14s FS"));
    QCOMPARE(CellText(grid, 6, kDeviceMsg52Column), std::string("C-3-7.5"));
    QCOMPARE(CellText(grid, 6, kDeviceVolumeColumn), std::string("7"));
    QCOMPARE(CellText(grid, 6, kDeviceTypeColumn), std::string("CEIL-BCN"));
    // A missing key shows "NULL", except in the columns that then stay empty.
    QCOMPARE(CellText(grid, 7, kDeviceMapNodeColumn), std::string("NULL"));
    QCOMPARE(CellText(grid, 7, kDeviceTypeColumn), std::string());
    QCOMPARE(CellText(grid, 192, 0), std::string("192"));
    QVERIFY(SavePng(*editor, QStringLiteral("device_editor")));
}

void DeviceEditorTest::onlyTheTypedColumnsTakeTyping() {
    DefaultSite site;
    auto editor = OpenEditor(EditorView::Device, *site);
    Grid& grid = *editor->grid();
    for (int column = 0; column <= kDeviceColumnCount; ++column) {
        const bool typed = column == 1 || column == 5 || (column >= 8 && column <= 11);
        QCOMPARE(GridGetCell(grid, 2, column).readOnly == 0, typed);
    }
    TypeIntoCell(grid, 2, kDeviceVersionColumn, "9");
    TypeIntoCell(grid, 2, kDeviceMapNodeColumn, "9");
    QCOMPARE(CellText(grid, 2, kDeviceVersionColumn), std::string("0"));
    QCOMPARE(CellText(grid, 2, kDeviceMapNodeColumn), std::string("0"));
}

void DeviceEditorTest::typedNumbersAreCheckedAndStoredOnWriteBack() {
    DefaultSite site;
    auto editor = OpenEditor(EditorView::Device, *site);
    Grid& grid = *editor->grid();

    TypeIntoCell(grid, 8, kDeviceZoneColumn, "33");
    QCOMPARE(CellText(grid, 8, kDeviceZoneColumn), std::string("1"));
    TypeIntoCell(grid, 8, kDeviceZoneColumn, "32");
    QCOMPARE(CellText(grid, 8, kDeviceZoneColumn), std::string("32"));
    QCOMPARE(grid.currentRow(), 9);                       // Enter moved on
    QCOMPARE(Stored(*site, "Zone_8"), std::string("1"));  // not before the editor writes back

    struct Case {
        int column;
        const char* text;
        const char* shown;
    };
    const Case cases[] = {
        {kDeviceZoneColumn, "0", "1"},
        {kDeviceZoneColumn, "12abc", "1"},
        {kDeviceZoneColumn, "", "1"},
        {kDeviceOutputGroupColumn, "32", "32"},
        {kDeviceOutputGroupColumn, "33", "32"},
        {kDeviceInputGroupColumn, "31", "31"},
        {kDeviceInputGroupColumn, "32", "31"},
        {kDeviceDisplayGroupColumn, "255", "255"},
        {kDeviceDisplayGroupColumn, "256", "255"},
        {kDeviceRepeatGroupColumn, "0", "0"},
        {kDeviceRepeatGroupColumn, "33", "0"},
        {kDeviceRepeatGroupColumn, "99999999999999999999", "0"},
    };
    for (const Case& c : cases) {
        TypeIntoCell(grid, 20, c.column, c.text);
        QVERIFY2(CellText(grid, 20, c.column) == c.shown, c.text);
    }
    QVERIFY(editor_message_test::TakeShown().isEmpty());  // out of range is refused silently

    editor->writeBack();
    QCOMPARE(Stored(*site, "Zone_8"), std::string("32"));
    QCOMPARE(Stored(*site, "OPGroup_20"), std::string("32"));
    QCOMPARE(Stored(*site, "IPGroup_20"), std::string("31"));
    QCOMPARE(Stored(*site, "DisplayGroup_20"), std::string("255"));
    QCOMPARE(Stored(*site, "RptGroup_20"), std::string("0"));

    // An edit still in progress is committed by the write-back.
    ClickCell(grid, 30, kDeviceZoneColumn);
    QTest::keyClicks(&grid, QStringLiteral("17"));
    QVERIFY(grid.isEditing());
    editor->writeBack();
    QCOMPARE(Stored(*site, "Zone_30"), std::string("17"));
}

void DeviceEditorTest::inputGroupsOfSpecialInputsAreRefusedWithAMessage() {
    DefaultSite site;
    SettingPut(*site, "RemoteAlarmInput", "1");
    SettingPut(*site, "RaiControl", "0");
    SettingPut(*site, "ClassChange", "1");
    auto editor = OpenEditor(EditorView::Device, *site);
    Grid& grid = *editor->grid();

    TypeIntoCell(grid, 3, kDeviceInputGroupColumn, "31");
    TypeIntoCell(grid, 3, kDeviceInputGroupColumn, "30");
    QCOMPARE(CellText(grid, 3, kDeviceInputGroupColumn), std::string("1"));
    const auto shown = editor_message_test::TakeShown();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown[0].title, QStringLiteral("5300 Commissioning software"));
    QCOMPARE(shown[0].text, QStringLiteral("The Remote Alarm Input is assigned to input group 31"));
    QCOMPARE(shown[0].icon, EditorMessageIcon::Error);
    QCOMPARE(shown[1].text, QStringLiteral("The Class Change Input is assigned to input group 30"));

    // The remote alarm input that only controls leaves group 31 free; without class change 30 is free.
    SettingPut(*site, "RaiControl", "1");
    SettingPut(*site, "ClassChange", "0");
    TypeIntoCell(grid, 3, kDeviceInputGroupColumn, "31");
    QCOMPARE(CellText(grid, 3, kDeviceInputGroupColumn), std::string("31"));
    TypeIntoCell(grid, 3, kDeviceInputGroupColumn, "30");
    QCOMPARE(CellText(grid, 3, kDeviceInputGroupColumn), std::string("30"));
    QVERIFY(editor_message_test::TakeShown().isEmpty());
}

void DeviceEditorTest::lOneJumpsToTheAddress() {
    DefaultSite site;
    auto editor = OpenEditor(EditorView::Device, *site);
    Grid& grid = *editor->grid();
    TypeIntoCell(grid, 2, kDeviceSerialColumn, "L1023");
    QTRY_COMPARE(grid.currentRow(), 23);
    QCOMPARE(grid.currentColumn(), kDeviceSerialColumn);
    QCOMPARE(CellText(grid, 2, kDeviceSerialColumn), std::string("000000"));

    TypeIntoCell(grid, 23, kDeviceSerialColumn, "l1150");
    QTRY_COMPARE(grid.currentRow(), 150);
    QVERIFY(grid.topRow() > 100);  // scrolled to it

    // Any other text starting with L is refused and goes nowhere.
    TypeIntoCell(grid, 40, kDeviceSerialColumn, "L2005");
    QTest::qWait(20);
    QCOMPARE(grid.currentRow(), 41);
    QCOMPARE(CellText(grid, 40, kDeviceSerialColumn), std::string("000000"));
}

void DeviceEditorTest::serialNumbersNumberTheChannelsOfAUnit() {
    DefaultSite site;
    auto editor = OpenEditor(EditorView::Device, *site);
    Grid& grid = *editor->grid();

    ClickCell(grid, 11, kDeviceSerialColumn);
    for (int i = 0; i < 5; ++i) {
        QTest::keyClicks(&grid, QStringLiteral("C5123400"));
        QTest::keyClick(&grid, Qt::Key_Return);  // stores and moves down to the next address
    }
    for (int i = 0; i < 5; ++i) {
        const int address = 11 + i;
        QCOMPARE(Stored(*site, Key("SNum_%d", address)), "12340" + std::to_string(i));
        QCOMPARE(Stored(*site, Key("Type_%d", address)), std::string("197"));
        QCOMPARE(Stored(*site, Key("Version_%d", address)), std::string("0"));
        QCOMPARE(CellText(grid, address, kDeviceSerialColumn), "12340" + std::to_string(i));
        QCOMPARE(CellText(grid, address, kDeviceTypeColumn), std::string("MCP-16"));
    }
    QVERIFY(editor_message_test::TakeShown().isEmpty());

    // Lower case works, and a detector's sensitivities start at its first allowed mode.
    TypeIntoCell(grid, 30, kDeviceSerialColumn, "d1abcdef");
    QCOMPARE(Stored(*site, "SNum_30"), std::string("ABCDEF"));
    QCOMPARE(Stored(*site, "Type_30"), std::string("209"));
    QCOMPARE(Stored(*site, "Sens1_30"), std::string("1"));
    QCOMPARE(CellText(grid, 30, kDeviceNightSensColumn), std::string("Office"));
}

void DeviceEditorTest::fifthFourChannelEntryIsAlreadyUsed() {
    DefaultSite site;
    auto editor = OpenEditor(EditorView::Device, *site);
    Grid& grid = *editor->grid();

    ClickCell(grid, 50, kDeviceSerialColumn);
    for (int i = 0; i < 5; ++i) {
        QTest::keyClicks(&grid, QStringLiteral("8E00AB10"));
        QTest::keyClick(&grid, Qt::Key_Return);
    }
    QCOMPARE(Stored(*site, "SNum_50"), std::string("00AB10"));
    QCOMPARE(Stored(*site, "SNum_53"), std::string("00AB13"));
    QCOMPARE(Stored(*site, "Type_53"), std::string("142"));
    QCOMPARE(CellText(grid, 54, kDeviceSerialColumn), std::string("000000"));
    QCOMPARE(Stored(*site, "Type_54"), std::string("0"));
    auto shown = editor_message_test::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, QStringLiteral("Serial number 00AB10 is already used at address 50"));
    QCOMPARE(shown[0].title, QStringLiteral("5300 Commissioning software"));

    // A device's own code typed again at its own address is reported at that address.
    TypeIntoCell(grid, 60, kDeviceSerialColumn, "01000777");
    TypeIntoCell(grid, 60, kDeviceSerialColumn, "21000777");
    shown = editor_message_test::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, QStringLiteral("Serial number 000777 is already used at address 60"));
    QCOMPARE(Stored(*site, "Type_60"), std::string("1"));
}

void DeviceEditorTest::malformedOrCancelledSerialEntries() {
    DefaultSite site;
    SettingPut(*site, "SNum_9", "00A1B2");
    SettingPut(*site, "Type_9", "1");
    auto editor = OpenEditor(EditorView::Device, *site);
    Grid& grid = *editor->grid();

    int serial = 0xA1B3;
    for (const char* text : {"C512340", "C51234GG", "C51234001", "X5123400"}) {
        const std::string before = Stored(*site, "SNum_9");
        TypeIntoCell(grid, 9, kDeviceSerialColumn, text);
        QVERIFY2(CellText(grid, 9, kDeviceSerialColumn) == "000000", text);
        QCOMPARE(Stored(*site, "SNum_9"), before);  // until written back
        const QString code = QStringLiteral("0100%1").arg(serial++, 4, 16).toUpper();
        TypeIntoCell(grid, 9, kDeviceSerialColumn, code.toLatin1().constData());
        QCOMPARE(CellText(grid, 9, kDeviceSerialColumn), code.mid(2).toStdString());
    }
    // A ninth character that is not a hexadecimal digit ends the code.
    TypeIntoCell(grid, 9, kDeviceSerialColumn, "0100B1B4 spare");
    QCOMPARE(Stored(*site, "SNum_9"), std::string("00B1B4"));
    QVERIFY(editor_message_test::TakeShown().isEmpty());

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
}

void DeviceEditorTest::clicksStepTheClickedSettings() {
    DefaultSite site;
    AddDevices(*site);
    auto editor = OpenEditor(EditorView::Device, *site);
    Grid& grid = *editor->grid();

    ClickCell(grid, 6, kDeviceVolumeColumn);
    QCOMPARE(Stored(*site, "Volume_6"), std::string("2"));
    QCOMPARE(CellText(grid, 6, kDeviceVolumeColumn), std::string("Low"));
    ClickCell(grid, 6, kDeviceVolumeColumn);
    QCOMPARE(CellText(grid, 6, kDeviceVolumeColumn), std::string("Medium"));
    ClickCell(grid, 6, kDeviceVolumeColumn);
    QCOMPARE(CellText(grid, 6, kDeviceVolumeColumn), std::string("High"));
    QCOMPARE(Stored(*site, "Volume_6"), std::string("15"));

    // Sensitivities step through the modes the type allows: the optical detector has 1, 2 and 3.
    ClickCell(grid, 3, kDeviceDaySensColumn);
    QCOMPARE(CellText(grid, 3, kDeviceDaySensColumn), std::string("Enhanced"));
    ClickCell(grid, 3, kDeviceDaySensColumn);
    QCOMPARE(CellText(grid, 3, kDeviceDaySensColumn), std::string("Office"));
    QCOMPARE(Stored(*site, "Sens1_3"), std::string("1"));
    ClickCell(grid, 3, kDeviceNightSensColumn);
    QCOMPARE(Stored(*site, "Sens2_3"), std::string("1"));
    ClickCell(grid, 1, kDeviceDaySensColumn);  // a type without modes stays at None
    QCOMPARE(CellText(grid, 1, kDeviceDaySensColumn), std::string("None"));

    SettingPut(*site, "Class_2", "10");
    ClickCell(grid, 2, kDeviceClassColumn);
    QCOMPARE(CellText(grid, 2, kDeviceClassColumn), std::string("Disable Output Group 32"));
    ClickCell(grid, 2, kDeviceClassColumn);
    QCOMPARE(CellText(grid, 2, kDeviceClassColumn), std::string("Automatic"));
    QCOMPARE(Stored(*site, "Class_2"), std::string("0"));

    ClickCell(grid, 4, kDeviceNonLatchingColumn);
    QCOMPARE(Stored(*site, "NonLatching_4"), std::string("<missing>"));
    QCOMPARE(CellText(grid, 4, kDeviceNonLatchingColumn), std::string("Latching"));
    ClickCell(grid, 4, kDeviceNonLatchingColumn);
    QCOMPARE(Stored(*site, "NonLatching_4"), std::string("1"));
    QCOMPARE(CellText(grid, 4, kDeviceNonLatchingColumn), std::string("Non-Latching"));
    QCOMPARE(GridGetCell(grid, 4, kDeviceNonLatchingColumn).readOnly, 1);

    // Clicks elsewhere change nothing.
    const std::uint32_t before = StoreChecksum(&*site);
    for (int column : {0, 2, 3, 4, 5, 8, 9, 10, 11}) ClickCell(grid, 4, column);
    QCOMPARE(StoreChecksum(&*site), before);
    QVERIFY(SavePng(*editor, QStringLiteral("device_editor_after_clicks")));
}

void DeviceEditorTest::classHeadingResetsEveryClass() {
    DefaultSite site;
    AddDevices(*site);
    SettingPut(*site, "Class_3", "5");
    SettingPut(*site, "Type_100", "65");
    SettingPut(*site, "Type_101", "197");
    SettingDelete(*site, "Type_102");
    auto editor = OpenEditor(EditorView::Device, *site);
    Grid& grid = *editor->grid();

    ClickCell(grid, 0, kDeviceVolumeColumn);  // another heading does nothing
    QCOMPARE(Stored(*site, "Volume_6"), std::string("7"));
    ClickCell(grid, 0, kDeviceClassColumn);
    QCOMPARE(Stored(*site, "Class_3"), std::string("0"));
    QCOMPARE(Stored(*site, "Class_4"), std::string("1"));
    QCOMPARE(Stored(*site, "Class_100"), std::string("1"));
    QCOMPARE(Stored(*site, "Class_101"), std::string("1"));
    QCOMPARE(Stored(*site, "Type_102"), std::string("0"));
    QCOMPARE(CellText(grid, 3, kDeviceClassColumn), std::string("Automatic"));
    QCOMPARE(CellText(grid, 101, kDeviceClassColumn), std::string("Manual"));
}

void DeviceEditorTest::msg52ConfigSteps() {
    DefaultSite site;
    AddDevices(*site);
    SettingDelete(*site, "Coverage_7");
    auto editor = OpenEditor(EditorView::Device, *site);
    Grid& grid = *editor->grid();

    // The four-channel unit: 7 -> 9 -> 11 -> 13 -> 15 -> 0 -> 1.
    const char* expected[] = {"9", "11", "13", "15", "0", "1"};
    for (const char* code : expected) {
        ClickCell(grid, 5, kDeviceMsg52Column);
        QCOMPARE(Stored(*site, "Coverage_5"), std::string(code));
    }
    QCOMPARE(CellText(grid, 5, kDeviceMsg52Column), std::string("NL"));

    // A ceiling device steps through its three coverages.
    ClickCell(grid, 6, kDeviceMsg52Column);
    QCOMPARE(CellText(grid, 6, kDeviceMsg52Column), std::string("C-3-5"));
    ClickCell(grid, 6, kDeviceMsg52Column);
    ClickCell(grid, 6, kDeviceMsg52Column);
    QCOMPARE(Stored(*site, "Coverage_6"), std::string("0"));

    // A type without coverage shows N/A and keeps its code; without the key nothing happens.
    ClickCell(grid, 3, kDeviceMsg52Column);
    QCOMPARE(CellText(grid, 3, kDeviceMsg52Column), std::string("N/A"));
    QCOMPARE(Stored(*site, "Coverage_3"), std::string("2"));
    ClickCell(grid, 7, kDeviceMsg52Column);
    QCOMPARE(CellText(grid, 7, kDeviceMsg52Column), std::string());
    QCOMPARE(Stored(*site, "Coverage_7"), std::string("<missing>"));
}

void DeviceEditorTest::deleteKeyClearsTheDeviceButNotItsText() {
    DefaultSite site;
    AddDevices(*site);
    SettingPut(*site, "IPGroup_4", "7");
    SettingPut(*site, "OPGroup_4", "9");
    SettingPut(*site, "Zone_4", "12");
    auto editor = OpenEditor(EditorView::Device, *site);
    Grid& grid = *editor->grid();

    ClickCell(grid, 4, kDeviceAddressColumn);
    QTest::keyClick(&grid, Qt::Key_Delete);
    QCOMPARE(Stored(*site, "Zone_4"), std::string("1"));
    QCOMPARE(Stored(*site, "IPGroup_4"), std::string("1"));
    QCOMPARE(Stored(*site, "OPGroup_4"), std::string("1"));
    QCOMPARE(Stored(*site, "SNum_4"), std::string("000000"));
    QCOMPARE(Stored(*site, "Type_4"), std::string("0"));
    QCOMPARE(Stored(*site, "Volume_4"), std::string("15"));
    QCOMPARE(Stored(*site, "Coverage_4"), std::string("0"));
    QCOMPARE(Stored(*site, "NonLatching_4"), std::string("<missing>"));
    QCOMPARE(RowTexts(grid, 4), (std::vector<std::string>{"4", "000000", "00", "0", "0", "1", "None", "None", "1", "1",
                                                          "0", "0", "High", "Automatic", "Latching", "N/A"}));

    ClickCell(grid, 3, kDeviceZoneColumn);
    QTest::keyClick(&grid, Qt::Key_Delete);
    QCOMPARE(Stored(*site, "DeviceText_3"), std::string("   Kitchen smoke    "));
    QCOMPARE(Stored(*site, "SNum_3"), std::string("000000"));
}

void DeviceEditorTest::draggingARowSwapsTwoDevices() {
    DefaultSite site;
    SettingPut(*site, "SNum_10", "00A1B2");
    SettingPut(*site, "Type_10", "1");
    SettingPut(*site, "Sens1_10", "2");
    SettingPut(*site, "NonLatching_10", "1");
    SettingPut(*site, "DeviceText_10", "Hall");
    SettingPut(*site, "SNum_20", "00C0DE");
    SettingPut(*site, "Type_20", "142");
    SettingPut(*site, "Coverage_20", "5");
    SettingDelete(*site, "MapNode_20");
    SettingPut(*site, "DeviceText_20", "Plant room");
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

    QCOMPARE(Stored(*site, "SNum_20"), std::string("00A1B2"));
    QCOMPARE(Stored(*site, "Type_20"), std::string("1"));
    QCOMPARE(Stored(*site, "Sens1_20"), std::string("2"));
    QCOMPARE(Stored(*site, "Zone_20"), std::string("6"));
    QCOMPARE(Stored(*site, "NonLatching_20"), std::string("1"));
    QCOMPARE(Stored(*site, "MapNode_20"), std::string("0"));
    QCOMPARE(Stored(*site, "SNum_10"), std::string("00C0DE"));
    QCOMPARE(Stored(*site, "Coverage_10"), std::string("5"));
    QCOMPARE(Stored(*site, "Zone_10"), std::string("1"));
    QCOMPARE(Stored(*site, "NonLatching_10"), std::string("<missing>"));
    QCOMPARE(Stored(*site, "MapNode_10"), std::string("<missing>"));
    // The texts stay with their addresses.
    QCOMPARE(Stored(*site, "DeviceText_10"), std::string("Hall"));
    QCOMPARE(Stored(*site, "DeviceText_20"), std::string("Plant room"));

    QCOMPARE(CellText(grid, 10, kDeviceTypeColumn), std::string("IO-CONF"));
    QCOMPARE(CellText(grid, 10, kDeviceMapNodeColumn), std::string("NULL"));
    QCOMPARE(CellText(grid, 10, kDeviceNonLatchingColumn), std::string("Latching"));
    QCOMPARE(CellText(grid, 20, kDeviceTypeColumn), std::string("OPT"));
    QCOMPARE(CellText(grid, 20, kDeviceZoneColumn), std::string("6"));
    QCOMPARE(CellText(grid, 20, kDeviceNonLatchingColumn), std::string("Non-Latching"));
}

void DeviceEditorTest::writeBackLeavesMissingKeysMissing() {
    DefaultSite site;
    SettingDelete(*site, "Zone_15");
    SettingDelete(*site, "SNum_15");
    auto editor = OpenEditor(EditorView::Device, *site);
    Grid& grid = *editor->grid();
    QCOMPARE(CellText(grid, 15, kDeviceZoneColumn), std::string("NULL"));
    editor->writeBack();
    QCOMPARE(Stored(*site, "Zone_15"), std::string("<missing>"));
    QCOMPARE(Stored(*site, "SNum_15"), std::string("<missing>"));
    TypeIntoCell(grid, 15, kDeviceZoneColumn, "3");
    editor->writeBack();
    QCOMPARE(Stored(*site, "Zone_15"), std::string("3"));
}

void DeviceEditorTest::openingTheEditorChangesNothing() {
    DefaultSite site;
    AddDevices(*site);
    const std::uint64_t before = StoreFingerprint(*site);
    auto editor = OpenEditor(EditorView::Device, *site);
    QVERIFY(editor->grid()->hasFocus());
    editor->writeBack();
    editor.reset();
    QCOMPARE(StoreFingerprint(*site), before);
}

void DeviceEditorTest::channelMemoryAndSerialParsing() {
    SerialCode code;
    QVERIFY(SerialCodeParse("C6FFFFFE", code));
    QCOMPARE(code.typeCode, 0xC6u);
    SerialNumberMemory memory;
    QCOMPARE(memory.next(code).serialText(), std::string("FFFFFE"));
    QCOMPARE(memory.next(code).serialText(), std::string("FFFFFF"));
    QCOMPARE(memory.next(code).serialText(), std::string("000000"));  // the serial number wraps at 24 bits
    // Another code in between starts the count again.
    SerialCode other;
    QVERIFY(SerialCodeParse("C6000100", other));
    QCOMPARE(memory.next(other).serialText(), std::string("000100"));
    QCOMPARE(memory.next(code).serialText(), std::string("FFFFFE"));
    QCOMPARE(memory.next(code).serialText(), std::string("FFFFFF"));
    // An ordinary device type never counts.
    SerialCode single;
    QVERIFY(SerialCodeParse("01000010", single));
    QCOMPARE(memory.next(single).text(), std::string("01000010"));
    QCOMPARE(memory.next(single).text(), std::string("01000010"));
}

}  // namespace tamrik::testing

QTEST_MAIN(tamrik::testing::DeviceEditorTest)
#include "DeviceEditorTest.moc"
