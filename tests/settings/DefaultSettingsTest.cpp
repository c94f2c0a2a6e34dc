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
    EXPECT_STREQ(SettingGet(store, "DeviceText_192"), "                    ");
    EXPECT_STREQ(SettingGet(store, "Volume_1"), "15");
    EXPECT_STREQ(SettingGet(store, "Coverage_77"), "2");
    EXPECT_STREQ(SettingGet(store, "SNum_5"), "000000");
    EXPECT_STREQ(SettingGet(store, "ZoneText_1"), "Zone 01             ");
    EXPECT_STREQ(SettingGet(store, "ZoneText_32"), "Zone 32             ");
    EXPECT_STREQ(SettingGet(store, "BannerText_1"), "    TARVEX 5300     ");
    EXPECT_STREQ(SettingGet(store, "BannerText_2"), "   CONTROL PANEL    ");
    EXPECT_EQ(SettingGet(store, "BannerText_3"), nullptr);
    EXPECT_STREQ(SettingGet(store, "Matrix_32_32"), "C");
    EXPECT_STREQ(SettingGet(store, "PulseOnTime"), "1.0");
    EXPECT_STREQ(SettingGet(store, "UserCode2"), "312244");
    EXPECT_STREQ(SettingGet(store, "PanelSnum"), "53000000");
    EXPECT_STREQ(SettingGet(store, "SiteBatteryInstallation"), "");
    EXPECT_STREQ(SettingGet(store, "Serial"), "0");
    for (const char* absent : {"PanelType", "Language", "OutputDelay_1", "ClassChange", "NonLatching_1"}) {
        EXPECT_EQ(SettingGet(store, absent), nullptr) << absent;
    }
    for (int n = 1; n <= 32; ++n) {
        EXPECT_EQ(std::strlen(SettingGet(store, "ZoneText_" + std::to_string(n))), 20u);
    }
}

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

// The insertion order fixes the slot order and so the bytes of a new site file.
TEST_F(DefaultSettingsTest, NewSiteFileHasAFixedLayout) {
    ApplyDefaultSettings(store);
    const std::string file = SiteFileFormat(&store);
    std::size_t lines = 0;
    for (std::size_t at = file.find("\r\n"); at != std::string::npos; at = file.find("\r\n", at + 2)) ++lines;
    EXPECT_EQ(lines, 4023u);
    EXPECT_EQ(file.find('\n'), file.find("\r\n") + 1) << "every line ends in CR LF";
    EXPECT_TRUE(file.ends_with("Check = \"" + std::to_string(StoreChecksum(&store)) + "\"\r\n"));
    // Slot order: the first line is the entry in the lowest occupied slot.
    std::uint32_t lowest = 5000;
    for (std::uint32_t i = 0; i < 5000; ++i) {
        if (store.slotTable[i].entry) {
            lowest = i;
            break;
        }
    }
    ASSERT_LT(lowest, 5000u);
    EXPECT_TRUE(file.starts_with(std::string(store.slotTable[lowest].entry->key) + " = \""));
}

}  // namespace
}  // namespace tamrik
