#include <gtest/gtest.h>

#include <cstring>

#include <set>

#include "settings/DeviceCatalogue.h"

namespace tamrik {
namespace {

std::string step(std::string value, std::uint32_t type) {
    char buffer[16] = {};
    value.copy(buffer, sizeof buffer - 1);
    SensModeStep(buffer, type);
    return buffer;
}

TEST(DeviceCatalogueTest, RowsAreUniqueAndNamesShort) {
    const auto rows = DeviceTypeCatalogue();
    ASSERT_EQ(rows.size(), 68u);
    std::set<std::uint32_t> codes;
    std::set<std::string> names;
    for (const auto& row : rows) {
        EXPECT_TRUE(codes.insert(row.code).second) << row.code;
        EXPECT_TRUE(names.insert(row.name).second) << row.name;
        EXPECT_LE(std::strlen(row.name), 10u) << row.name;
        EXPECT_NE(row.code, 0u);
    }
    EXPECT_EQ(rows.front().code, 1u);
    EXPECT_EQ(rows.back().code, 0x34u);
}

TEST(DeviceCatalogueTest, LookupsAndAttributes) {
    const DeviceType* sounderBeacon = DeviceTypeFind(0xD1);
    ASSERT_NE(sounderBeacon, nullptr);
    EXPECT_TRUE(sounderBeacon->hasInput && sounderBeacon->hasOutput && sounderBeacon->beaconOnNextGroup);
    EXPECT_FALSE(sounderBeacon->talking);
    EXPECT_EQ(sounderBeacon->alarmMilliamps, 13.5f);
    EXPECT_EQ(DeviceTypeFind(0x1D1), sounderBeacon) << "only the low byte is compared";
    EXPECT_EQ(DeviceTypeFind(0), nullptr);
    EXPECT_EQ(DeviceTypeFind(7), nullptr);
    EXPECT_EQ(DeviceTypeFind(0xD0)->alarmMilliamps, 9.23f);
    EXPECT_EQ(DeviceTypeFind(0x49)->quiescentMilliamps, 35.0f);
    EXPECT_EQ(DeviceTypeFind(0x83)->minVersion, 31);
    EXPECT_TRUE(DeviceTypeFind(0xE1)->talking);
    EXPECT_EQ(DeviceTypeName(7), "07");
    EXPECT_EQ(DeviceTypeName(0xAB), "AB");
    EXPECT_EQ(DeviceTypeName(0xD0), DeviceTypeFind(0xD0)->name);
    EXPECT_TRUE(IsManualCallPointType(197));
    EXPECT_FALSE(IsManualCallPointType(1));
}

TEST(DeviceCatalogueTest, SensitivityStepping) {
    EXPECT_EQ(step("3", 33), "1");
    EXPECT_EQ(step("1", 33), "3");
    EXPECT_EQ(step("0", 218), "1");
    EXPECT_EQ(step("5", 36), "1") << "after 5 comes 0, which no type allows";
    EXPECT_EQ(step("3", 36), "5");
    EXPECT_EQ(step("4", 212), "5");
    EXPECT_EQ(step("9", 1), "1") << "values above 5 wrap through 0";
    EXPECT_EQ(step("3", 2), "0");
    EXPECT_EQ(step("x", 34), "1");
}

TEST(DeviceCatalogueTest, CodeToTextTables) {
    EXPECT_EQ(ClassName(0), "Automatic");
    EXPECT_EQ(ClassName(11), "Disable Output Group 32");
    EXPECT_EQ(ClassName(12), "Unknown");
    EXPECT_EQ(SensModeName("5"), "Prison");
    EXPECT_EQ(SensModeName("7"), "7");
    EXPECT_EQ(SensModeName(nullptr), "?!?!?!");
    EXPECT_EQ(VolumeName(2), "Low");
    EXPECT_EQ(VolumeName(4), "Medium");
    EXPECT_EQ(VolumeName(15), "High");
    EXPECT_EQ(VolumeName(7), "7");
    EXPECT_EQ(AlarmTypeName("0"), "Alarm");
    EXPECT_EQ(AlarmTypeName("1"), "Control");
    EXPECT_EQ(AlarmTypeName("9"), "9");
    EXPECT_STREQ(CoverageName(164, 1), "W-2.4-5");
    EXPECT_STREQ(CoverageName(158, 0), "C-3-7.5");
    EXPECT_EQ(CoverageName(164, 3), nullptr);
    EXPECT_EQ(CoverageName(1, 0), nullptr);
    EXPECT_EQ(ConfigOptionName(10), "INVALID");
    EXPECT_EQ(ConfigOptionName(13), "NL FS FCR");
    EXPECT_EQ(ConfigOptionName(16), "INVALID");
    EXPECT_EQ(LatchingName(true), "Non-Latching");
}

}  // namespace
}  // namespace tamrik
