#include <gtest/gtest.h>

#include <cstring>

#include "settings/DefaultSettings.h"
#include "settings/SiteFile.h"

namespace tamrik {
namespace {

class DefaultSettingsTest : public ::testing::Test {
protected:
    SettingsStore store;
};

TEST_F(DefaultSettingsTest, NewSiteHoldsEveryKeyWithItsDefault) {
    ApplyDefaultSettings(store);
    EXPECT_EQ(store.size(), 4022);
    EXPECT_EQ(store.savedChecksum(), store.checksum());
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
    for (const auto& [key, expected] : samples)
        EXPECT_EQ(store.text(key, "<absent>"), expected ? expected : "<absent>") << key;
    for (int n = 1; n <= 32; ++n) EXPECT_EQ(store.text("ZoneText_" + std::to_string(n)).size(), 20u);
}

// The insertion order fixes the slot order and so the bytes of a new site file.
TEST_F(DefaultSettingsTest, FillsOnlyWhatIsMissingAndTwiceChangesNothing) {
    store.insertIfAbsent("Volume_3", "7");
    store.insertIfAbsent("Custom", "x");
    ApplyDefaultSettings(store);
    EXPECT_EQ(store.get("Volume_3"), "7");
    EXPECT_EQ(store.size(), 4023);
    const std::string first = SiteFileFormat(store);
    ApplyDefaultSettings(store);
    EXPECT_EQ(SiteFileFormat(store), first);
}

}  // namespace
}  // namespace tamrik
