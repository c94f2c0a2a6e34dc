#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checker/SiteCheck.h"
#include "settings/DefaultSettings.h"
#include "settings/SettingsStore.h"
#include "support/SettingsText.h"

namespace tamrik {
namespace {

constexpr int kTalkingSounder = 0xE0;   // output only, talking
constexpr int kSounder = 0x83;          // output only, not talking, minimum version 31
constexpr int kPowerSupply = 0x49;      // neither input nor output: 35 mA quiet, 40 mA in alarm
constexpr int kMultiSounder = 0xD0;     // input and output, sensitivity modes, 0.4 / 9.23 mA
constexpr int kSounderBeacon = 0xD1;    // input and output, beacon follows the next group
constexpr int kCallPoint = 0x40;        // manual call point, input only
constexpr int kOpticalDetector = 0x01;  // input only

using Lines = std::vector<std::string>;

// The lines of a report; the last one may lack its line end.
Lines lines(const std::string& report) {
    Lines result;
    for (std::size_t start = 0; start < report.size();) {
        const std::size_t end = std::min(report.find("\r\n", start), report.size());
        result.push_back(report.substr(start, end - start));
        start = end + 2;
    }
    return result;
}

class SiteCheckTest : public ::testing::Test {
protected:
    void set(std::string_view settings) { testing::PutSettings(store, settings); }
    void device(int address, int type) { set("Type_" + std::to_string(address) + "=" + std::to_string(type)); }
    void cell(int input, int output, const std::string& letter = "C") {
        set("Matrix_" + std::to_string(input) + "_" + std::to_string(output) + "=" + letter);
    }
    std::string value(const char* key) { return std::string(store.text(key, "<absent>")); }
    Lines linesWith(const std::string& needle) {
        Lines result;
        for (const auto& line : lines(SiteCheck(store).report)) {
            if (line.find(needle) != std::string::npos) result.push_back(line);
        }
        return result;
    }

    SettingsStore store;
};

TEST_F(SiteCheckTest, EmptySiteHasNoFaultsAndZeroCurrents) {
    set("QuiescentCurrent=12.00mA");
    const SiteCheckResult result = SiteCheck(store);
    EXPECT_EQ(result.faultCount, 0u);
    EXPECT_EQ(result.report, "");
    EXPECT_EQ(value("QuiescentCurrent"), "0.00mA");
    EXPECT_EQ(value("AlarmCurrent"), "0.00mA");
}

TEST_F(SiteCheckTest, DeviceRulesReportInTheirOrder) {
    device(5, kMultiSounder);
    set("Version_5=0; IPGroup_5=0; OPGroup_5=40; DeviceText_5=   ; Zone_5=0; MapNode_5=193; Sens1_5=0; Sens2_5=0");
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
    EXPECT_EQ(value("QuiescentCurrent"), "0.40mA");
    EXPECT_EQ(value("AlarmCurrent"), "9.23mA");
}

TEST_F(SiteCheckTest, EmptyAndUnknownAddresses) {
    set("DeviceText_1=NO DEVICE HERE");  // no Type_1: nothing is examined
    set("Type_2=0; DeviceText_2=ORPHAN TEXT; Type_3=0; DeviceText_3=    ");
    set("Type_4=7; Zone_4=0");  // the zone is not examined for an unsupported type
    device(5, 0x1D0);           // only the low byte of the type counts
    EXPECT_EQ(SiteCheck(store).report,
              "Text but no device at address 2\r\n"
              "Unsupported device at address 4\r\n");
}

TEST_F(SiteCheckTest, SoftwareVersionAndFlashRate) {
    device(1, kSounder);
    device(2, kSounder);
    device(3, kMultiSounder);
    device(4, kMultiSounder);
    device(5, kSounderBeacon);
    // Version 271 has the low byte 15: accepted; so is map node 192, the last one.
    set("MapNode_2=192; Version_1=30; Version_2=31; Version_3=255; Version_4=271; Version_5=20; BeaconFlashrate=1");
    EXPECT_EQ(linesWith("address"), (Lines{"Software version at address 1", "Software version at address 3",
                                           "VAD at address 5 flash rate should be 2 seconds"}));
    set("FBP=1; BeaconFlashrate=2");  // relaxed versions for the sounder types, but 0 and 255 stay faults
    EXPECT_EQ(linesWith("address"), (Lines{"Software version at address 3"}));
}

TEST_F(SiteCheckTest, InputGroupMustDriveAnOutputGroupInUse) {
    device(1, kOpticalDetector);
    set("IPGroup_1=3");
    cell(3, 4);
    cell(3, 6, "O");  // O is not programmed
    cell(3, 9, "W");
    EXPECT_EQ(linesWith("at address 1"), (Lines{"Input group 3 at address 1 activates unused output group 4",
                                                "Input group 3 at address 1 activates unused output group 9",
                                                "Input group at address 1 doesn't activate any output group"}));
    set("ConvAlarmOpGroup=9");  // the conventional alarm group counts as in use
    EXPECT_EQ(linesWith("at address 1"), (Lines{"Input group 3 at address 1 activates unused output group 4"}));
    set("OPGroup_150=4");  // any address driving group 4 puts it in use, whatever its type
    EXPECT_EQ(linesWith("at address 1"), Lines{});
    set("IPGroup_1=32");
    EXPECT_EQ(linesWith("at address 1"), (Lines{"Input group at address 1"}));
}

TEST_F(SiteCheckTest, OutputGroupMustBeDrivenByAnInputGroupInUse) {
    device(1, kSounder);
    set("OPGroup_1=7");
    for (int input : {2, 30, 31, 32}) cell(input, 7);  // the Sound Alarms row 32 is not an input group of the rules
    EXPECT_EQ(linesWith("at address 1"), (Lines{"Output group 7 at address 1 activated by unused input group 2",
                                                "Output group 7 at address 1 activated by unused input group 30",
                                                "Output group 7 at address 1 activated by unused input group 31",
                                                "No input group triggers output group 7 at address 1"}));
    set("ClassChange=1; RemoteAlarmInput=1");  // inputs 30 and 31 in use
    EXPECT_EQ(linesWith("at address 1"), (Lines{"Output group 7 at address 1 activated by unused input group 2"}));
}

TEST_F(SiteCheckTest, BeaconOnGroup32AndManualClass) {
    device(1, kSounderBeacon);
    device(2, kCallPoint);
    device(3, kCallPoint);
    set("OPGroup_1=32; Beacon=1; Class_2=0; Class_3=1");
    EXPECT_EQ(linesWith("Beacon"), (Lines{"Group is 32 & Beacon OPGrp+1 at address 1"}));
    EXPECT_EQ(linesWith("Manual"), (Lines{"Class for address 2 is not 'Manual'"}));
    set("Beacon=0");
    EXPECT_EQ(linesWith("Beacon"), Lines{});
}

TEST_F(SiteCheckTest, BlankZoneTextReportedOncePerZone) {
    for (int address : {1, 2, 3}) device(address, kPowerSupply);
    set("Zone_1=3; Zone_2=3; Zone_3=4");  // zone 4 has no text at all: not a fault
    set("ZoneText_3=                    ");
    EXPECT_EQ(linesWith("Zone"), (Lines{"Zone text for zone 3"}));
}

TEST_F(SiteCheckTest, TalkingDeviceSharingAGroupWithPlainOutputs) {
    device(3, kTalkingSounder);
    device(7, kSounder);
    device(9, kTalkingSounder);
    device(11, kOpticalDetector);  // no output: not a conflict
    device(12, kSounder);          // another group
    set("OPGroup_3=5; OPGroup_7=5; OPGroup_9=5; OPGroup_11=5; OPGroup_12=6");
    EXPECT_EQ(linesWith("Talking"),
              (Lines{"Talking device at address 3 in same output group as non talking device at address 7",
                     "Talking device at address 9 in same output group as non talking device at address 7"}));
}

TEST_F(SiteCheckTest, SiteRulesInTheirOrder) {
    set("IPGroup_1=1; Language=1; PulseOnTime=3.0; PulseOffTime=0.5; RemoteAlarmInput=1; ClassChange=1");
    set("SiteEngineer=; SiteName=; SiteContact=someone");
    cell(1, 1);
    cell(2, 1);
    cell(5, 2);
    cell(2, 2, "O");
    cell(31, 3);
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
    set("PulseOnTime=1.0; PulseOffTime=1.0");
    EXPECT_EQ(SiteCheck(store).faultCount, 0u);
    set("Language=1");
    EXPECT_EQ(SiteCheck(store).faultCount, 2u);
    set("PulseOnTime=3.50; PulseOffTime= 0.5");
    EXPECT_EQ(SiteCheck(store).faultCount, 0u);
}

TEST_F(SiteCheckTest, AlarmCurrentLimitIsExclusive) {
    for (int address = 1; address <= 15; ++address) device(address, kPowerSupply);
    SiteCheckResult result = SiteCheck(store);
    EXPECT_EQ(result.alarmMilliamps, 600.0f);
    EXPECT_EQ(result.faultCount, 0u);
    EXPECT_EQ(value("AlarmCurrent"), "600.00mA");
    EXPECT_EQ(value("QuiescentCurrent"), "525.00mA");

    device(16, kOpticalDetector);
    result = SiteCheck(store);
    EXPECT_EQ(result.report, "Alarm current greater than 600mA\r\n");
    EXPECT_EQ(value("AlarmCurrent"), "602.40mA");
}

// Device rules stop at 20 faults, but an address in progress is finished; site rules still run.
TEST_F(SiteCheckTest, DeviceRulesStopAtTwentyFaults) {
    device(1, kPowerSupply);
    for (int address = 2; address <= 26; ++address) device(address, 7);
    device(30, kPowerSupply);  // beyond the stop: not examined, not counted
    set("SiteName=");
    SiteCheckResult result = SiteCheck(store);
    Lines reportLines = lines(result.report);
    ASSERT_EQ(reportLines.size(), 22u);
    EXPECT_EQ(reportLines[0], "Unsupported device at address 2");
    EXPECT_EQ(reportLines[19], "Unsupported device at address 21");
    EXPECT_EQ(reportLines[20], "Site Info 'SiteName' requires a value");
    EXPECT_EQ(reportLines[21], "* * * More than 20 faults * * *");
    EXPECT_TRUE(result.report.ends_with("faults * * *")) << "the last line has no line end";
    EXPECT_EQ(result.faultCount, 21u);
    EXPECT_EQ(value("QuiescentCurrent"), "35.00mA");
    EXPECT_EQ(value("AlarmCurrent"), "40.00mA");

    set("SiteName=x");
    device(1, 7);
    device(20, kMultiSounder);
    set("Version_20=0; MapNode_20=0");
    reportLines = lines(SiteCheck(store).report);
    ASSERT_EQ(reportLines.size(), 22u);
    EXPECT_EQ(reportLines[19], "Software version at address 20");
    EXPECT_EQ(reportLines[20], "Map node for address 20");
    EXPECT_EQ(reportLines[21], "* * * More than 20 faults * * *");
}

TEST_F(SiteCheckTest, DefaultSiteCountsEveryFaultAndAQuietCheckWritesNoReport) {
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
    set("OPGroup_1=1");
    for (int address = 2; address <= 192; ++address) {
        device(address, kSounder);
        set("OPGroup_" + std::to_string(address) + "=1");
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
    device(2, kOpticalDetector);
    device(3, kSounder);
    set("Zone_1=3; Zone_2=4; Zone_3=0");  // inputs and invalid zones don't count
    EXPECT_TRUE(AllOutputsInOneZone(store));
    EXPECT_EQ(SiteCheck(store).report,
              "Zone number for address 3\r\nAll outputs are programmed into a single zone\r\n");
    set("Zone_3=5");
    EXPECT_FALSE(AllOutputsInOneZone(store));
    set("Zone_3=259");  // zone 3 by its low 8 bits, as every other device rule reads it
    EXPECT_TRUE(AllOutputsInOneZone(store));
}

TEST(FormatMilliampsTest, TwoDecimals) {
    EXPECT_EQ(FormatMilliamps(0.0f), "0.00mA");
    EXPECT_EQ(FormatMilliamps(0.4f + 9.23f + 0.55f), "10.18mA");
    EXPECT_EQ(FormatMilliamps(1234.5f), "1234.50mA");
}

}  // namespace
}  // namespace tamrik
