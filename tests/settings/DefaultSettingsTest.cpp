#include <gtest/gtest.h>

#include <cstring>

#include "settings/DefaultSettings.h"
#include "settings/SiteFile.h"

namespace tamrik {
namespace {

class DefaultSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { StoreCreate(store); }
    void TearDown() override { StoreDestroy(&store); }
    SettingsStore store;
};

TEST_F(DefaultSettingsTest, NewSiteHoldsEveryKeyWithItsDefault) {
    ApplyDefaultSettings(store);
    EXPECT_EQ(store.entryCount, 4022);
    EXPECT_EQ(store.savedChecksum, StoreChecksum(&store));
    // nullptr: keys a new site must not hold (the panel or the editors add them).
    // clang-format off
    const std::pair<const char*, const char*> samples[] = {
        {"DeviceText_192", "                    "}, {"Volume_1", "15"}, {"Coverage_77", "2"}, {"SNum_5", "000000"},
        {"ZoneText_1", "Zone 01             "}, {"ZoneText_32", "Zone 32             "},
        {"BannerText_1", "    TARVEX 5300     "}, {"BannerText_2", "   CONTROL PANEL    "}, {"BannerText_3", nullptr},
        {"Matrix_32_32", "C"}, {"PulseOnTime", "1.0"}, {"UserCode2", "312244"}, {"PanelSnum", "53000000"},
        {"SiteBatteryInstallation", ""}, {"Serial", "0"}, {"PanelType", nullptr}, {"Language", nullptr},
        {"OutputDelay_1", nullptr}, {"ClassChange", nullptr}, {"NonLatching_1", nullptr}};
    // clang-format on
    for (const auto& [key, expected] : samples) EXPECT_STREQ(SettingGet(store, key), expected) << key;
    for (int n = 1; n <= 32; ++n) EXPECT_EQ(std::strlen(SettingGet(store, "ZoneText_" + std::to_string(n))), 20u);
}

// The insertion order fixes the slot order and so the bytes of a new site file.
TEST_F(DefaultSettingsTest, FillsOnlyWhatIsMissingAndTwiceChangesNothing) {
    SettingSet(store, "Volume_3", "7");
    SettingSet(store, "Custom", "x");
    ApplyDefaultSettings(store);
    EXPECT_STREQ(SettingGet(store, "Volume_3"), "7");
    EXPECT_EQ(store.entryCount, 4023);
    const std::string first = SiteFileFormat(&store);
    ApplyDefaultSettings(store);
    EXPECT_EQ(SiteFileFormat(&store), first);
}

}  // namespace
}  // namespace tamrik
