#include <gtest/gtest.h>

#include "settings/DeviceCatalogue.h"

namespace tamrik {
namespace {

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

}  // namespace
}  // namespace tamrik
