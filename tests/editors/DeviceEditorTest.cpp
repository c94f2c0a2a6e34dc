#include "EditorTestSupport.h"
#include "site/DeviceTable.h"
#include "ui/editors/DeviceEditor.h"
#include "site/SerialNumberEntry.h"

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

const std::vector<std::string> kDefaultRow = {"000000", "00", "0", "0",    "1",         "None",     "None", "1",
                                              "1",      "0",  "0", "High", "Automatic", "Latching", "N/A"};

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
        // A volume outside the three steps shows as stored; a missing key shows "NULL", except in the type
        // column, which then stays empty.
        QCOMPARE(RowTexts(grid, 6, kDeviceVolumeColumn, kDeviceMsg52Column),
                 (std::vector<std::string>{"7", "Automatic", "Latching", "C-3-7.5"}));
        QCOMPARE(RowTexts(grid, 7, kDeviceTypeColumn, kDeviceMapNodeColumn),
                 (std::vector<std::string>{"", "0", "NULL"}));
        QCOMPARE(CellText(grid, 192, 0), std::string("192"));
        QVERIFY(SavePng(*editor, QStringLiteral("device_editor")));
        editor->writeBack();
        editor.reset();
        QCOMPARE(site->fingerprint(), before);
    }

    void typedNumbersAreCheckedAndStoredOnWriteBack() {
        DefaultSite site;
        Put(*site, {{"Zone_15", nullptr}, {"SNum_15", nullptr}});
        auto editor = OpenEditor(EditorView::Device, *site);
        Grid& grid = *editor->grid();

        // Each typed column takes up to its largest value and silently refuses the next, keeping what it had.
        const struct {
            int column;
            const char* key;
            const char* largest;
            const char* next;
        } limits[] = {{kDeviceZoneColumn, "Zone_20", "32", "33"},
                      {kDeviceInputGroupColumn, "IPGroup_20", "31", "32"},
                      {kDeviceOutputGroupColumn, "OPGroup_20", "32", "33"},
                      {kDeviceDisplayGroupColumn, "DisplayGroup_20", "255", "256"},
                      {kDeviceRepeatGroupColumn, "RptGroup_20", "32", "33"}};
        for (const auto& limit : limits) {
            TypeIntoCell(grid, 20, limit.column, limit.largest);
            TypeIntoCell(grid, 20, limit.column, limit.next);
            QCOMPARE(CellText(grid, 20, limit.column), std::string(limit.largest));
        }
        QCOMPARE(grid.currentRow(), 21);                       // Enter moved on
        QCOMPARE(Stored(*site, "Zone_20"), std::string("1"));  // not before the editor writes back
        // Below the range, not a number, empty, too big for any number; and the columns that take no typing.
        const std::pair<int, const char*> refused[] = {
            {kDeviceZoneColumn, "0"},    {kDeviceZoneColumn, "12abc"},
            {kDeviceZoneColumn, ""},     {kDeviceRepeatGroupColumn, "99999999999999999999"},
            {kDeviceVersionColumn, "9"}, {kDeviceMapNodeColumn, "9"}};
        for (const auto& [column, text] : refused) {
            const std::string before = CellText(grid, 20, column);
            TypeIntoCell(grid, 20, column, text);
            QVERIFY2(CellText(grid, 20, column) == before, text);
        }
        QVERIFY(MessageTexts().isEmpty());
        editor->writeBack();
        for (const auto& limit : limits) QCOMPARE(Stored(*site, limit.key), std::string(limit.largest));

        // A key the site lacks shows "NULL" and stays missing through a write-back until something is typed.
        QCOMPARE(CellText(grid, 15, kDeviceZoneColumn), std::string("NULL"));
        ExpectStored(*site, {{"Zone_15", "<missing>"}, {"SNum_15", "<missing>"}});
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

        // The remote alarm input that only controls leaves group 31 free; without class change 30 is free.
        Put(*site, {{"RaiControl", "1"}, {"ClassChange", "0"}});
        TypeIntoCell(grid, 3, kDeviceInputGroupColumn, "31");
        QCOMPARE(CellText(grid, 3, kDeviceInputGroupColumn), std::string("31"));
        TypeIntoCell(grid, 3, kDeviceInputGroupColumn, "30");
        QCOMPARE(CellText(grid, 3, kDeviceInputGroupColumn), std::string("30"));
        QVERIFY(MessageTexts().isEmpty());
    }

    // A serial-number entry is the type code and the serial number in hexadecimal, stored at once.
    void serialNumbersNumberTheChannelsOfAUnit() {
        DefaultSite site;
        auto editor = OpenEditor(EditorView::Device, *site);
        Grid& grid = *editor->grid();
        TypeSerials(grid, 11, {"C5123400", "C5123400", "C5123400", "C5123400", "C5123400"});
        for (int i = 0; i < 5; ++i) {
            const int address = 11 + i;
            const std::string serial = "12340" + std::to_string(i);
            ExpectStored(*site, {{Key("SNum_%d", address), serial}, {Key("Type_%d", address), "197"}});
            QCOMPARE(Stored(*site, Key("Version_%d", address)), std::string("0"));
            QCOMPARE(RowTexts(grid, address, kDeviceSerialColumn, kDeviceTypeColumn),
                     (std::vector<std::string>{serial, "MCP-16"}));
        }
        QVERIFY(MessageTexts().isEmpty());

        // Lower case works, and a detector's sensitivities start at its first allowed mode.
        TypeIntoCell(grid, 30, kDeviceSerialColumn, "d1abcdef");
        ExpectStored(*site, {{"SNum_30", "ABCDEF"}, {"Type_30", "209"}, {"Sens1_30", "1"}});
        QCOMPARE(CellText(grid, 30, kDeviceNightSensColumn), std::string("Office"));
    }

    void aSerialNumberAlreadyUsedIsRefusedWithAMessage() {
        DefaultSite site;
        auto editor = OpenEditor(EditorView::Device, *site);
        Grid& grid = *editor->grid();

        // A four-channel unit: the fifth entry would repeat the first channel.
        TypeSerials(grid, 50, {"8E00AB10", "8E00AB10", "8E00AB10", "8E00AB10", "8E00AB10"});
        ExpectStored(*site, {{"SNum_50", "00AB10"}, {"SNum_53", "00AB13"}, {"Type_53", "142"}, {"Type_54", "0"}});
        QCOMPARE(CellText(grid, 54, kDeviceSerialColumn), std::string("000000"));
        QCOMPARE(MessageTexts(), QStringList{QStringLiteral("Serial number 00AB10 is already used at address 50")});

        // A device's own code typed again at its own address is reported at that address.
        TypeIntoCell(grid, 60, kDeviceSerialColumn, "01000777");
        TypeIntoCell(grid, 60, kDeviceSerialColumn, "21000777");
        QCOMPARE(MessageTexts(), QStringList{QStringLiteral("Serial number 000777 is already used at address 60")});
        QCOMPARE(Stored(*site, "Type_60"), std::string("1"));
    }

    void malformedJumpingOrCancelledSerialEntries() {
        DefaultSite site;
        Put(*site, {{"SNum_9", "00A1B2"}, {"Type_9", "1"}});
        auto editor = OpenEditor(EditorView::Device, *site);
        Grid& grid = *editor->grid();

        // Too short, not hexadecimal, too long, unknown type: the cell shows zeros, the store keeps its value
        // until written back; a good entry afterwards is taken.
        int serial = 0xA1B3;
        for (const char* text : {"C512340", "C51234GG", "C51234001", "X5123400"}) {
            const std::string before = Stored(*site, "SNum_9");
            TypeIntoCell(grid, 9, kDeviceSerialColumn, text);
            QVERIFY2(CellText(grid, 9, kDeviceSerialColumn) == "000000", text);
            QCOMPARE(Stored(*site, "SNum_9"), before);
            const QString code = QStringLiteral("0100%1").arg(serial++, 4, 16).toUpper();
            TypeIntoCell(grid, 9, kDeviceSerialColumn, code.toLatin1().constData());
            QCOMPARE(CellText(grid, 9, kDeviceSerialColumn), code.mid(2).toStdString());
        }
        // A ninth character that is not a hexadecimal digit ends the code.
        TypeIntoCell(grid, 9, kDeviceSerialColumn, "0100B1B4 spare");
        QCOMPARE(Stored(*site, "SNum_9"), std::string("00B1B4"));
        QVERIFY(MessageTexts().isEmpty());

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

    void channelCounterWrapsAndRestarts() {
        SerialCode code;
        SerialCode other;
        SerialCode single;
        QVERIFY(SerialCodeParse("C6FFFFFE", code) && SerialCodeParse("C6000100", other));
        QVERIFY(SerialCodeParse("01000010", single));
        SerialNumberMemory memory;
        // The serial number wraps at 24 bits; another code in between starts the count again; an ordinary
        // device type never counts.
        const std::pair<SerialCode*, const char*> entries[] = {
            {&code, "FFFFFE"}, {&code, "FFFFFF"}, {&code, "000000"},   {&other, "000100"},
            {&code, "FFFFFE"}, {&code, "FFFFFF"}, {&single, "000010"}, {&single, "000010"}};
        for (const auto& [entry, serial] : entries) QCOMPARE(memory.next(*entry).serialText(), std::string(serial));
    }

    void clicksStepTheClickedSettings() {
        DefaultSite site;
        AddDevices(*site);
        Put(*site, {{"Class_2", "10"}, {"Coverage_7", nullptr}, {"Class_3", "5"}, {"Type_100", "65"}});
        Put(*site, {{"Type_101", "197"}, {"Type_102", nullptr}});
        auto editor = OpenEditor(EditorView::Device, *site);
        Grid& grid = *editor->grid();

        // Each click steps the setting: the stored values after each click, and the text after the last.
        const struct {
            int row, column;
            const char* key;
            std::vector<std::string> stored;
            const char* shown;
        } steps[] = {
            {6, kDeviceVolumeColumn, "Volume_6", {"2", "4", "15"}, "High"},
            // Sensitivities step through the modes the type allows: the optical detector has 1, 2 and 3.
            {3, kDeviceDaySensColumn, "Sens1_3", {"3", "1"}, "Office"},
            {3, kDeviceNightSensColumn, "Sens2_3", {"1"}, "Office"},
            {1, kDeviceDaySensColumn, "Sens1_1", {"0"}, "None"},
            {2, kDeviceClassColumn, "Class_2", {"11", "0"}, "Automatic"},
            {4, kDeviceNonLatchingColumn, "NonLatching_4", {"<missing>", "1"}, "Non-Latching"},
            // The four-channel unit's configuration past 7 takes only the odd codes; a ceiling device has
            // three coverages; a type without coverage keeps its code; without the key nothing happens.
            {5, kDeviceMsg52Column, "Coverage_5", {"9", "11", "13", "15", "0", "1"}, "NL"},
            {6, kDeviceMsg52Column, "Coverage_6", {"1", "2", "0"}, "C-3-7.5"},
            {3, kDeviceMsg52Column, "Coverage_3", {"2"}, "N/A"},
            {7, kDeviceMsg52Column, "Coverage_7", {"<missing>"}, ""},
            // The class heading resets every class: call points to manual, everything else to automatic.
            {0, kDeviceClassColumn, "Class_3", {"0"}, "Class"},
        };
        for (const auto& step : steps) {
            for (const std::string& stored : step.stored) {
                ClickCell(grid, step.row, step.column);
                QCOMPARE(Stored(*site, step.key), stored);
            }
            QCOMPARE(CellText(grid, step.row, step.column), std::string(step.shown));
        }
        QVERIFY(grid.cell(4, kDeviceNonLatchingColumn).readOnly);
        ExpectStored(*site, {{"Class_4", "1"}, {"Class_100", "1"}, {"Class_101", "1"}, {"Type_102", "0"}});
        QCOMPARE(RowTexts(grid, 101, kDeviceClassColumn, kDeviceClassColumn), std::vector<std::string>{"Manual"});

        // Clicks elsewhere, other headings included, change nothing.
        const std::uint64_t before = site->fingerprint();
        for (int column : {0, 2, 3, 4, 5, 8, 9, 10, 11}) ClickCell(grid, 4, column);
        ClickCell(grid, 0, kDeviceVolumeColumn);
        QCOMPARE(site->fingerprint(), before);
    }

    // A stepped cell's context menu lists what the clicks would show, in their order, from the cell's
    // own text; cells that clicks do not step offer none.
    void stepChoicesAreWhatTheClicksShow() {
        DefaultSite site;
        AddDevices(*site);
        Put(*site, {{"Coverage_7", nullptr}});
        auto editor = OpenEditor(EditorView::Device, *site);
        Grid& grid = *editor->grid();
        const struct {
            int row, column;
            int choices;
        } cells[] = {{6, kDeviceVolumeColumn, 4},      {3, kDeviceDaySensColumn, 3}, {2, kDeviceClassColumn, 12},
                     {4, kDeviceNonLatchingColumn, 2}, {5, kDeviceMsg52Column, 12},  {6, kDeviceMsg52Column, 3},
                     {3, kDeviceMsg52Column, 1},       {7, kDeviceMsg52Column, 0},   {4, kDeviceZoneColumn, 0}};
        for (const auto& cell : cells) {
            const QStringList choices = editor->stepChoices(cell.row, cell.column);
            QCOMPARE(int(choices.size()), cell.choices);
            for (int step = 0; step < choices.size(); ++step) {
                if (step > 0) ClickCell(grid, cell.row, cell.column);
                QCOMPARE(QString::fromStdString(CellText(grid, cell.row, cell.column)), choices[step]);
            }
        }
        // Choosing is clicking that many times: two on from High is Medium, and one click more comes round.
        const std::uint64_t before = site->fingerprint();
        editor->chooseStep(6, kDeviceVolumeColumn, 2);
        QCOMPARE(Stored(*site, "Volume_6"), std::string("4"));
        editor->chooseStep(6, kDeviceVolumeColumn, 3);  // past the list: nothing
        ClickCell(grid, 6, kDeviceVolumeColumn);
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
        ExpectStored(*site, {{"Zone_4", "1"}, {"IPGroup_4", "1"}, {"OPGroup_4", "1"}, {"SNum_4", "000000"}});
        ExpectStored(*site, {{"Type_4", "0"}, {"Volume_4", "15"}, {"Coverage_4", "0"}, {"NonLatching_4", "<missing>"}});
        std::vector<std::string> row = {"4"};
        row.insert(row.end(), kDefaultRow.begin(), kDefaultRow.end());
        QCOMPARE(DeviceRow(grid, 4), row);

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
