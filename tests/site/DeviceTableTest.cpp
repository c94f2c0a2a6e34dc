#include <gtest/gtest.h>

#include <tuple>

#include "settings/DefaultSettings.h"
#include "site/DeviceTable.h"
#include "site/SerialNumberEntry.h"
#include "support/SettingsText.h"

namespace tamrik {
namespace {

using testing::PutSettings;

std::string stored(const SettingsStore& store, const std::string& key) {
    return std::string(store.get(key).value_or("<missing>"));
}

// A new site with a few devices that are not defaults: an optical detector with a text, a call point,
// a four-channel unit and a ceiling sounder.
SettingsStore siteWithDevices() {
    SettingsStore site;
    ApplyDefaultSettings(site);
    PutSettings(site,
                "SNum_3=00A1B2; Type_3=1; Sens1_3=2; Sens2_3=3; Zone_3=4; DeviceText_3=   Kitchen smoke    ; "
                "SNum_4=001234; Type_4=64; Class_4=1; NonLatching_4=1; SNum_5=00C0DE; Type_5=142; Coverage_5=7; "
                "SNum_6=00BEEF; Type_6=158; Coverage_6=0; Volume_6=7");
    return site;
}

std::vector<std::string> rowTexts(const SettingsStore& site, int address) {
    std::vector<std::string> texts;
    for (int column = 0; column <= kDeviceColumnCount; ++column) {
        texts.push_back(DeviceCellText(site, address, column).value_or("<empty>"));
    }
    return texts;
}

TEST(DeviceTableTest, CellsShowEachSettingInWords) {
    SettingsStore site = siteWithDevices();
    site.erase("MapNode_7");
    site.erase("Type_7");
    EXPECT_EQ(rowTexts(site, 3),
              (std::vector<std::string>{"3", "00A1B2", "OPT", "0", "0", "4", "Bedroom", "Enhanced", "1", "1", "0", "0",
                                        "High", "Automatic", "Latching", "N/A"}));
    // A volume outside the three steps shows as stored; a missing key shows "NULL", except in the
    // columns a missing key leaves empty.
    EXPECT_EQ(rowTexts(site, 6)[kDeviceVolumeColumn], "7");
    EXPECT_EQ(rowTexts(site, 6)[kDeviceMsg52Column], "C-3-7.5");
    EXPECT_EQ(rowTexts(site, 7)[kDeviceTypeColumn], "<empty>");
    EXPECT_EQ(rowTexts(site, 7)[kDeviceMapNodeColumn], "NULL");
}

// Each click steps the setting: the stored values after each click, and the text after the last.
TEST(DeviceTableTest, ClicksStepTheClickedSettings) {
    SettingsStore site = siteWithDevices();
    PutSettings(site, "Class_2=10; Class_3=5; Type_100=65; Type_101=197");
    site.erase("Coverage_7");
    site.erase("Type_102");
    const struct {
        int address, column;
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
        // three coverages; a type without coverage keeps its code.
        {5, kDeviceMsg52Column, "Coverage_5", {"9", "11", "13", "15", "0", "1"}, "NL"},
        {6, kDeviceMsg52Column, "Coverage_6", {"1", "2", "0"}, "C-3-7.5"},
        {3, kDeviceMsg52Column, "Coverage_3", {"2"}, "N/A"},
    };
    for (const auto& step : steps) {
        std::optional<std::string> shown;
        for (const std::string& value : step.stored) {
            shown = DeviceCellClick(site, step.address, step.column);
            EXPECT_EQ(stored(site, step.key), value) << step.key;
        }
        EXPECT_EQ(shown, step.shown) << step.key;
    }
    // Without the key a Msg52 click does nothing; columns that do not step never change the site.
    const std::uint64_t before = site.fingerprint();
    EXPECT_EQ(DeviceCellClick(site, 7, kDeviceMsg52Column), std::nullopt);
    for (int column : {0, 1, 2, 3, 4, 5, 8, 9, 10, 11}) EXPECT_EQ(DeviceCellClick(site, 4, column), std::nullopt);
    EXPECT_EQ(DeviceCellClick(site, 193, kDeviceVolumeColumn), std::nullopt);
    EXPECT_EQ(site.fingerprint(), before);

    // The class heading resets every class: call points to manual, everything else to automatic; a
    // missing type counts as none.
    DeviceClassesReset(site);
    for (const auto& [key, value] :
         {std::pair{"Class_3", "0"}, {"Class_4", "1"}, {"Class_100", "1"}, {"Class_101", "1"}, {"Type_102", "0"}}) {
        EXPECT_EQ(stored(site, key), value) << key;
    }
}

TEST(DeviceTableTest, TypedNumbersKeepToTheirRanges) {
    using enum TypedValue;
    SettingsStore site;
    // Each typed column up to its largest value and one more; what is not a plain number; the serial
    // column takes any text (the serial entry reads it).
    const std::tuple<int, const char*, TypedValue> cases[] = {
        {kDeviceZoneColumn, "32", Accepted},
        {kDeviceZoneColumn, "33", Refused},
        {kDeviceInputGroupColumn, "31", Accepted},
        {kDeviceInputGroupColumn, "32", Refused},
        {kDeviceOutputGroupColumn, "32", Accepted},
        {kDeviceOutputGroupColumn, "33", Refused},
        {kDeviceDisplayGroupColumn, "255", Accepted},
        {kDeviceDisplayGroupColumn, "256", Refused},
        {kDeviceRepeatGroupColumn, "32", Accepted},
        {kDeviceRepeatGroupColumn, "99999999999999999999", Refused},
        {kDeviceDisplayGroupColumn, "0", Accepted},
        {kDeviceZoneColumn, "0", Refused},
        {kDeviceZoneColumn, "12abc", Refused},
        {kDeviceZoneColumn, " 3", Refused},
        {kDeviceZoneColumn, "", Refused},
        {kDeviceSerialColumn, "anything", Accepted},
    };
    for (const auto& [column, typed, expected] : cases)
        EXPECT_EQ(DeviceTypedValue(site, column, typed), expected) << typed;

    // Input groups 30 and 31 belong to the class change and remote alarm inputs while those are on; a
    // remote alarm input that only controls leaves 31 free.
    PutSettings(site, "RemoteAlarmInput=1; RaiControl=0; ClassChange=1");
    EXPECT_EQ(DeviceTypedValue(site, kDeviceInputGroupColumn, "31"), RemoteAlarmInputGroup);
    EXPECT_EQ(DeviceTypedValue(site, kDeviceInputGroupColumn, "30"), ClassChangeInputGroup);
    PutSettings(site, "RaiControl=1; ClassChange=0");
    EXPECT_EQ(DeviceTypedValue(site, kDeviceInputGroupColumn, "31"), Accepted);
    EXPECT_EQ(DeviceTypedValue(site, kDeviceInputGroupColumn, "30"), Accepted);
}

// A serial entry is the type code and the serial number in hexadecimal; typing the same code again at
// the next addresses numbers the channels of a multi-channel unit.
TEST(DeviceTableTest, SerialEntriesInstallDevicesAndNumberChannels) {
    SettingsStore site;
    ApplyDefaultSettings(site);
    SerialNumberMemory memory;
    using Outcome = SerialEntry::Outcome;
    for (int address = 11; address <= 15; ++address) {
        EXPECT_EQ(DeviceSerialEntered(site, memory, address, "C5123400").outcome, Outcome::Installed);
        EXPECT_EQ(stored(site, "SNum_" + std::to_string(address)), "12340" + std::to_string(address - 11));
        EXPECT_EQ(stored(site, "Type_" + std::to_string(address)), "197");
        EXPECT_EQ(stored(site, "Version_" + std::to_string(address)), "0");
    }
    // Lower case works; a detector's sensitivities start at its first allowed mode.
    EXPECT_EQ(DeviceSerialEntered(site, memory, 30, "d1abcdef").outcome, Outcome::Installed);
    EXPECT_EQ(stored(site, "SNum_30") + stored(site, "Type_30") + stored(site, "Sens2_30"), "ABCDEF2091");

    // A four-channel unit has four channels: the fifth entry would repeat the first serial number.
    for (int address = 50; address <= 53; ++address) DeviceSerialEntered(site, memory, address, "8E00AB10");
    const SerialEntry fifth = DeviceSerialEntered(site, memory, 54, "8E00AB10");
    EXPECT_EQ(fifth.outcome, Outcome::InUse);
    EXPECT_EQ(fifth.serial + "@" + std::to_string(fifth.usedAt), "00AB10@50");
    EXPECT_EQ(stored(site, "SNum_53") + stored(site, "Type_54"), "00AB130");

    // Too short, not hexadecimal, too long: nothing is stored. A ninth character that is not a
    // hexadecimal digit ends the code.
    for (const char* typed : {"C512340", "C51234GG", "C51234001", "X5123400"}) {
        EXPECT_EQ(DeviceSerialEntered(site, memory, 9, typed).outcome, Outcome::NotACode) << typed;
    }
    EXPECT_EQ(stored(site, "SNum_9"), "000000");
    EXPECT_EQ(DeviceSerialEntered(site, memory, 9, "0100B1B4 spare").outcome, Outcome::Installed);
    EXPECT_EQ(stored(site, "SNum_9"), "00B1B4");
}

TEST(DeviceTableTest, ClearKeepsTheTextAndSwapMovesMissingKeys) {
    SettingsStore site = siteWithDevices();
    PutSettings(site, "IPGroup_4=7; OPGroup_4=9; Zone_4=12; DeviceText_4=Stairs");
    DeviceClear(site, 4);
    EXPECT_EQ(rowTexts(site, 4), (std::vector<std::string>{"4", "000000", "00", "0", "0", "1", "None", "None", "1", "1",
                                                           "0", "0", "High", "Automatic", "Latching", "N/A"}));
    EXPECT_EQ(stored(site, "DeviceText_4"), "Stairs");

    site.erase("MapNode_5");
    DeviceSwap(site, 3, 5);
    EXPECT_EQ(stored(site, "SNum_5") + stored(site, "Sens1_5") + stored(site, "MapNode_3"), "00A1B22<missing>");
    EXPECT_EQ(stored(site, "SNum_3") + stored(site, "Coverage_3") + stored(site, "MapNode_5"), "00C0DE70");
    EXPECT_EQ(stored(site, "DeviceText_3"), "   Kitchen smoke    ");
}

}  // namespace
}  // namespace tamrik
