#include <gtest/gtest.h>

#include "settings/TextTidy.h"

namespace tamrik {
namespace {

TEST(TextTidyTest, CentresInTheDisplayField) {
    EXPECT_EQ(TidyText("  ABC  "), std::string(8, ' ') + "ABC" + std::string(9, ' '));
    EXPECT_EQ(TidyText("    "), "");
    EXPECT_EQ(TidyText("A"), "A");
    EXPECT_EQ(TidyText(" \tA\x01 "), "A");
    EXPECT_EQ(TidyText("AB"), std::string(9, ' ') + "AB" + std::string(9, ' '));
    EXPECT_EQ(TidyText("ABCDEFGHIJKLMNOPQRSTUVWXY"), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(TidyText("\xe9" "Caf\xe9 bar\xff"), std::string(6, ' ') + "Caf\xe9 bar" + std::string(6, ' '))
        << "high bytes inside the text stay";
}

TEST(TextTidyTest, ImportTidiesOnlyTextKeys) {
    SettingsStore store;
    StoreCreate(store);
    SettingSet(store, "DeviceText_7", "Kitchen");
    SettingSet(store, "ZoneText_32", " Z ");
    SettingSet(store, "BannerText_2", "HELLO");
    SettingSet(store, "BannerText_3", "  left alone  ");
    SettingSet(store, "SiteName", "  left alone  ");
    TidyImportedTexts(store);
    EXPECT_STREQ(SettingGet(store, "DeviceText_7"), "      Kitchen       ");
    EXPECT_STREQ(SettingGet(store, "ZoneText_32"), "Z");
    EXPECT_STREQ(SettingGet(store, "BannerText_2"), "       HELLO        ");
    EXPECT_STREQ(SettingGet(store, "BannerText_3"), "  left alone  ");
    EXPECT_STREQ(SettingGet(store, "SiteName"), "  left alone  ");
    EXPECT_EQ(SettingGet(store, "DeviceText_8"), nullptr) << "absent keys are not created";
    StoreDestroy(&store);
}

}  // namespace
}  // namespace tamrik
