#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "settings/DeviceCatalogue.h"

namespace tamrik {
namespace {

TEST(DeviceCatalogueTest, RowsAreUniqueAndNamesFitTheDisplay) {
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
}

TEST(DeviceCatalogueTest, LookupsByTheLowByteAndUnknownCodes) {
    ASSERT_NE(DeviceTypeFind(0xD1), nullptr);
    EXPECT_EQ(DeviceTypeFind(0x1D1), DeviceTypeFind(0xD1));
    EXPECT_EQ(DeviceTypeFind(0), nullptr);
    EXPECT_EQ(DeviceTypeFind(7), nullptr);
    EXPECT_EQ(DeviceTypeName(7), "07");
    EXPECT_EQ(DeviceTypeName(0xAB), "AB");
    EXPECT_EQ(DeviceTypeName(0xD0), DeviceTypeFind(0xD0)->name);
    EXPECT_TRUE(IsManualCallPointType(197));
    EXPECT_FALSE(IsManualCallPointType(1));
}

TEST(DeviceCatalogueTest, SensitivityStepping) {
    const struct {
        const char* value;
        std::uint32_t type;
        const char* next;
    } cases[] = {{"3", 33, "1"}, {"1", 33, "3"},  {"0", 218, "1"},
                 {"5", 36, "1"},                                  // after 5 comes 0, which no type allows
                 {"3", 36, "5"}, {"4", 212, "5"}, {"9", 1, "1"},  // values above 5 wrap through 0
                 {"3", 2, "0"},  {"x", 34, "1"}};
    for (const auto& c : cases) {
        EXPECT_EQ(SensModeStepped(c.value, c.type), c.next) << c.value << " for type " << c.type;
    }
}

// Ends of the code-to-text tables and what stands in for codes they do not hold.
TEST(DeviceCatalogueTest, CodeToTextFallbacks) {
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {std::string(ClassName(11)), "Disable Output Group 32"}, {std::string(ClassName(12)), "Unknown"},
        {SensModeName("5"), "Prison"}, {SensModeName("7"), "7"}, {SensModeName(std::nullopt), "?!?!?!"},
        {VolumeName(2), "Low"}, {VolumeName(7), "7"}, {AlarmTypeName("9"), "9"}, {CoverageName(158, 0), "C-3-7.5"},
        {std::string(ConfigOptionName(10)), "INVALID"}, {std::string(ConfigOptionName(13)), "NL FS FCR"},
        {std::string(ConfigOptionName(16)), "INVALID"}};
    // clang-format on
    for (const auto& [actual, expected] : cases) EXPECT_EQ(actual, expected);
    EXPECT_EQ(CoverageName(164, 3), nullptr);
    EXPECT_EQ(CoverageName(1, 0), nullptr);
}

}  // namespace
}  // namespace tamrik
