#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "checker/SiteCheck.h"
#include "settings/DefaultSettings.h"
#include "settings/SettingsStore.h"

namespace tamrik {
namespace {

constexpr int kTalkingSounder = 0xE0;   // output only, talking
constexpr int kSounder = 0x83;          // output only, not talking, minimum version 31
constexpr int kPowerSupply = 0x49;      // neither input nor output: 35 mA quiet, 40 mA in alarm
constexpr int kMultiSounder = 0xD0;     // input and output, sensitivity modes, 0.4 / 9.23 mA
constexpr int kSounderBeacon = 0xD1;    // input and output, beacon follows the next group
constexpr int kCallPoint = 0x40;        // manual call point, input only
constexpr int kOpticalDetector = 0x01;  // input only

class SiteCheckTest : public ::testing::Test {
protected:
    SiteCheckTest() { StoreCreate(store); }
    ~SiteCheckTest() override { StoreDestroy(&store); }

    void put(const std::string& key, const std::string& value) { ASSERT_TRUE(SettingPut(store, key, value)); }
    void put(const std::string& family, int index, const std::string& value) {
        put(family + "_" + std::to_string(index), value);
    }
    void device(int address, int type) { put("Type", address, std::to_string(type)); }
    void cell(int input, int output, const std::string& letter = "C") {
        put("Matrix_" + std::to_string(input) + "_" + std::to_string(output), letter);
    }

    std::vector<std::string> lines(const std::string& report) {
        std::vector<std::string> result;
        std::size_t start = 0;
        while (start < report.size()) {
            const std::size_t end = report.find("\r\n", start);
            if (end == std::string::npos) {
                result.push_back(report.substr(start));
                break;
            }
            result.push_back(report.substr(start, end - start));
            start = end + 2;
        }
        return result;
    }
    std::vector<std::string> linesWith(const std::string& needle) {
        std::vector<std::string> result;
        for (const auto& line : lines(SiteCheck(store).report)) {
            if (line.find(needle) != std::string::npos) result.push_back(line);
        }
        return result;
    }

    SettingsStore store;
};

using Lines = std::vector<std::string>;

TEST_F(SiteCheckTest, EmptySiteHasNoFaultsAndZeroCurrents) {
    put("QuiescentCurrent", "12.00mA");
    const SiteCheckResult result = SiteCheck(store);
    EXPECT_EQ(result.faultCount, 0u);
    EXPECT_EQ(result.report, "");
    EXPECT_STREQ(SettingGet(store, "QuiescentCurrent"), "0.00mA");
    EXPECT_STREQ(SettingGet(store, "AlarmCurrent"), "0.00mA");
}

TEST_F(SiteCheckTest, DeviceRulesReportInTheirOrder) {
    device(5, kMultiSounder);
    put("Version", 5, "0");
    put("IPGroup", 5, "0");
    put("OPGroup", 5, "40");
    put("DeviceText", 5, "   ");
    put("Zone", 5, "0");
    put("MapNode", 5, "193");
    put("Sens1", 5, "0");
    put("Sens2", 5, "0");
    const SiteCheckResult result = SiteCheck(store);
    EXPECT_EQ(result.report,
              "Software version at address 5\r\n"
              "Input group at address 5\r\n"
              "Output group at address 5\r\n"
              "Device text for address 5\r\n"
              "Zone number for address 5\r\n"
              "Map node for address 5\r\n"
              "Sensitivity 1 for address 5\r\n"
              "Sensitivity 2 for address 5\r\n");
    EXPECT_EQ(result.faultCount, 8u);
    EXPECT_STREQ(SettingGet(store, "QuiescentCurrent"), "0.40mA");
    EXPECT_STREQ(SettingGet(store, "AlarmCurrent"), "9.23mA");
}

TEST_F(SiteCheckTest, EmptyAndUnknownAddresses) {
    put("DeviceText", 1, "NO DEVICE HERE");  // no Type_1: nothing is examined
    device(2, 0);
    put("DeviceText", 2, "ORPHAN TEXT");
    device(3, 0);
    put("DeviceText", 3, "    ");
    device(4, 7);
    put("Zone", 4, "0");  // not examined for an unsupported type
    device(5, 0x1D0);     // only the low byte of the type counts
    EXPECT_EQ(SiteCheck(store).report,
              "Text but no device at address 2\r\n"
              "Unsupported device at address 4\r\n");
}

TEST_F(SiteCheckTest, SoftwareVersionAndFlashRate) {
    device(1, kSounder);
    put("Version", 1, "30");  // below 31
    device(2, kSounder);
    put("Version", 2, "31");
    device(3, kMultiSounder);
    put("Version", 3, "255");
    device(4, kMultiSounder);
    put("Version", 4, "271");  // low byte 15: accepted
    device(5, kSounderBeacon);
    put("Version", 5, "20");
    put("BeaconFlashrate", "1");
    EXPECT_EQ(linesWith("address"), (Lines{"Software version at address 1", "Software version at address 3",
                                           "VAD at address 5 flash rate should be 2 seconds"}));
    put("FBP", "1");  // relaxed versions for the sounder types, but 0 and 255 stay faults
    put("BeaconFlashrate", "2");
    EXPECT_EQ(linesWith("address"), (Lines{"Software version at address 3"}));
}

TEST_F(SiteCheckTest, InputGroupMustDriveAnOutputGroupInUse) {
    device(1, kOpticalDetector);
    put("IPGroup", 1, "3");
    cell(3, 4);
    cell(3, 6, "O");  // O is not programmed
    cell(3, 9, "W");
    EXPECT_EQ(linesWith("at address 1"), (Lines{"Input group 3 at address 1 activates unused output group 4",
                                                "Input group 3 at address 1 activates unused output group 9",
                                                "Input group at address 1 doesn't activate any output group"}));

    put("ConvAlarmOpGroup", "9");  // the conventional alarm group counts as in use
    EXPECT_EQ(linesWith("at address 1"), (Lines{"Input group 3 at address 1 activates unused output group 4"}));

    put("OPGroup", 150, "4");  // any address driving group 4 puts it in use, whatever its type
    EXPECT_EQ(linesWith("at address 1"), Lines{});

    put("IPGroup", 1, "32");
    EXPECT_EQ(linesWith("at address 1"), (Lines{"Input group at address 1"}));
}

TEST_F(SiteCheckTest, OutputGroupMustBeDrivenByAnInputGroupInUse) {
    device(1, kSounder);
    put("OPGroup", 1, "7");
    cell(2, 7);
    cell(30, 7);
    cell(31, 7);
    cell(32, 7);  // the Sound Alarms row is not an input group of the rules
    EXPECT_EQ(linesWith("at address 1"), (Lines{"Output group 7 at address 1 activated by unused input group 2",
                                                "Output group 7 at address 1 activated by unused input group 30",
                                                "Output group 7 at address 1 activated by unused input group 31",
                                                "No input group triggers output group 7 at address 1"}));
    put("ClassChange", "1");
    put("RemoteAlarmInput", "1");
    EXPECT_EQ(linesWith("at address 1"), (Lines{"Output group 7 at address 1 activated by unused input group 2"}));
    EXPECT_EQ(linesWith("unused input group 30"), Lines{}) << "class change input is in use";
}

TEST_F(SiteCheckTest, BeaconOnGroup32AndManualClass) {
    device(1, kSounderBeacon);
    put("OPGroup", 1, "32");
    put("Beacon", "1");
    device(2, kCallPoint);
    put("Class", 2, "0");
    device(3, kCallPoint);
    put("Class", 3, "1");
    EXPECT_EQ(linesWith("Beacon"), (Lines{"Group is 32 & Beacon OPGrp+1 at address 1"}));
    EXPECT_EQ(linesWith("Manual"), (Lines{"Class for address 2 is not 'Manual'"}));
    put("Beacon", "0");
    EXPECT_EQ(linesWith("Beacon"), Lines{});
}

TEST_F(SiteCheckTest, BlankZoneTextReportedOncePerZone) {
    for (int address : {1, 2}) {
        device(address, kPowerSupply);
        put("Zone", address, "3");
    }
    device(3, kPowerSupply);
    put("Zone", 3, "4");  // zone 4 has no text at all: not a fault
    put("ZoneText", 3, "                    ");
    EXPECT_EQ(linesWith("Zone"), (Lines{"Zone text for zone 3"}));
}

TEST_F(SiteCheckTest, TalkingDeviceSharingAGroupWithPlainOutputs) {
    device(3, kTalkingSounder);
    put("OPGroup", 3, "5");
    device(7, kSounder);
    put("OPGroup", 7, "5");
    device(9, kTalkingSounder);
    put("OPGroup", 9, "5");
    device(11, kOpticalDetector);  // no output: not a conflict
    put("OPGroup", 11, "5");
    device(12, kSounder);  // another group
    put("OPGroup", 12, "6");
    EXPECT_EQ(linesWith("Talking"),
              (Lines{"Talking device at address 3 in same output group as non talking device at address 7",
                     "Talking device at address 9 in same output group as non talking device at address 7"}));
}

TEST_F(SiteCheckTest, SiteRulesInTheirOrder) {
    put("IPGroup", 1, "1");
    cell(1, 1);
    cell(2, 1);
    cell(5, 2);
    cell(2, 2, "O");
    put("Language", "1");
    put("PulseOnTime", "3.0");
    put("PulseOffTime", "0.5");
    put("RemoteAlarmInput", "1");
    cell(31, 3);
    put("ClassChange", "1");
    put("SiteEngineer", "");
    put("SiteName", "");
    put("SiteContact", "someone");
    EXPECT_EQ(SiteCheck(store).report,
              "Output group 1 is activated by unused input group 2\r\n"
              "Output group 2 is activated by unused input group 5\r\n"
              "Pulse on time not 3.5s\r\n"
              "Remote Alarm Input activates unused output group 3\r\n"
              "Remote Alarm Input doesn't activate any output group\r\n"
              "Class change doesn't activate any output group\r\n"
              "Site Info 'SiteName' requires a value\r\n"
              "Site Info 'SiteEngineer' requires a value\r\n");
}

TEST_F(SiteCheckTest, PulseTimesOnlyForLanguageOne) {
    put("PulseOnTime", "1.0");
    put("PulseOffTime", "1.0");
    EXPECT_EQ(SiteCheck(store).faultCount, 0u);
    put("Language", "1");
    EXPECT_EQ(SiteCheck(store).faultCount, 2u);
    put("PulseOnTime", "3.50");
    put("PulseOffTime", " 0.5");
    EXPECT_EQ(SiteCheck(store).faultCount, 0u);
}

TEST_F(SiteCheckTest, AlarmCurrentLimitIsExclusive) {
    for (int address = 1; address <= 15; ++address) device(address, kPowerSupply);
    SiteCheckResult result = SiteCheck(store);
    EXPECT_EQ(result.alarmMilliamps, 600.0f);
    EXPECT_EQ(result.faultCount, 0u);
    EXPECT_STREQ(SettingGet(store, "AlarmCurrent"), "600.00mA");
    EXPECT_STREQ(SettingGet(store, "QuiescentCurrent"), "525.00mA");

    device(16, kOpticalDetector);
    result = SiteCheck(store);
    EXPECT_EQ(result.report, "Alarm current greater than 600mA\r\n");
    EXPECT_STREQ(SettingGet(store, "AlarmCurrent"), "602.40mA");
}

TEST_F(SiteCheckTest, DeviceRulesStopAtTwentyFaults) {
    device(1, kPowerSupply);
    for (int address = 2; address <= 26; ++address) device(address, 7);
    device(30, kPowerSupply);  // beyond the stop: not examined, not counted
    put("SiteName", "");
    const SiteCheckResult result = SiteCheck(store);
    const Lines reportLines = lines(result.report);
    ASSERT_EQ(reportLines.size(), 22u);
    EXPECT_EQ(reportLines[0], "Unsupported device at address 2");
    EXPECT_EQ(reportLines[19], "Unsupported device at address 21");
    EXPECT_EQ(reportLines[20], "Site Info 'SiteName' requires a value");
    EXPECT_EQ(reportLines[21], "* * * More than 20 faults * * *");
    EXPECT_TRUE(result.report.ends_with("faults * * *")) << "the last line has no line end";
    EXPECT_EQ(result.faultCount, 21u);
    EXPECT_STREQ(SettingGet(store, "QuiescentCurrent"), "35.00mA");
    EXPECT_STREQ(SettingGet(store, "AlarmCurrent"), "40.00mA");
}

TEST_F(SiteCheckTest, AnAddressInProgressFinishesPastTheLimit) {
    for (int address = 1; address <= 19; ++address) device(address, 7);
    device(20, kMultiSounder);
    put("Version", 20, "0");
    put("MapNode", 20, "0");
    device(21, 7);
    const Lines reportLines = lines(SiteCheck(store).report);
    ASSERT_EQ(reportLines.size(), 22u);
    EXPECT_EQ(reportLines[19], "Software version at address 20");
    EXPECT_EQ(reportLines[20], "Map node for address 20");
    EXPECT_EQ(reportLines[21], "* * * More than 20 faults * * *");
}

TEST_F(SiteCheckTest, DefaultSiteCountsEveryFault) {
    ApplyDefaultSettings(store);
    const SiteCheckResult result = SiteCheck(store);
    // 30 input groups unused by any device across 32 output groups, and 15 empty site texts.
    EXPECT_EQ(result.faultCount, 30u * 32u + 15u);
    EXPECT_EQ(lines(result.report).size(), result.faultCount + 1);
    EXPECT_EQ(SiteCheck(store, false).faultCount, result.faultCount);
    EXPECT_EQ(SiteCheck(store, false).report, "");
}

TEST_F(SiteCheckTest, ReportGrowsBeyondSixtyFourKilobytes) {
    device(1, kTalkingSounder);
    put("OPGroup", 1, "1");
    for (int address = 2; address <= 192; ++address) {
        device(address, kSounder);
        put("OPGroup", address, "1");
    }
    for (int input = 1; input <= 31; ++input) {
        for (int output = 1; output <= 32; ++output) cell(input, output);
    }
    const SiteCheckResult result = SiteCheck(store);
    EXPECT_GT(result.report.size(), 65536u);
    EXPECT_EQ(lines(result.report).size(), result.faultCount + 1);
    EXPECT_EQ(lines(result.report).back(), "* * * More than 20 faults * * *");
}

TEST_F(SiteCheckTest, AllOutputsInOneZone) {
    EXPECT_FALSE(AllOutputsInOneZone(store)) << "no output device";
    device(1, kSounder);
    put("Zone", 1, "3");
    device(2, kOpticalDetector);
    put("Zone", 2, "4");  // inputs don't count
    device(3, kSounder);
    put("Zone", 3, "0");  // invalid zones don't count
    EXPECT_TRUE(AllOutputsInOneZone(store));
    EXPECT_EQ(SiteCheck(store).report,
              "Zone number for address 3\r\nAll outputs are programmed into a single zone\r\n");
    put("Zone", 3, "5");
    EXPECT_FALSE(AllOutputsInOneZone(store));
}

TEST(FormatMilliampsTest, TwoDecimals) {
    EXPECT_EQ(FormatMilliamps(0.0f), "0.00mA");
    EXPECT_EQ(FormatMilliamps(9.23f), "9.23mA");
    EXPECT_EQ(FormatMilliamps(0.4f + 9.23f + 0.55f), "10.18mA");
    EXPECT_EQ(FormatMilliamps(1234.5f), "1234.50mA");
}

}  // namespace
}  // namespace tamrik
