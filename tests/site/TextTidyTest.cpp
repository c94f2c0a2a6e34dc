#include <gtest/gtest.h>

#include "site/TextTidy.h"

namespace tamrik {
namespace {

TEST(TextTidyTest, CentresInTheDisplayField) {
    const std::pair<std::string, std::string> cases[] = {
        {"  ABC  ", std::string(8, ' ') + "ABC" + std::string(9, ' ')},
        {"    ", ""},
        {"A", "A"},
        {" \tA\x01 ", "A"},
        {"AB", std::string(9, ' ') + "AB" + std::string(9, ' ')},
        {"ABCDEFGHIJKLMNOPQRSTUVWXY", "ABCDEFGHIJKLMNOPQRST"},
        {"\xe9"
         "Caf\xe9 bar\xff",
         std::string(6, ' ') + "Caf\xe9 bar" + std::string(6, ' ')},  // high bytes inside stay
    };
    for (const auto& [text, tidied] : cases) EXPECT_EQ(TidyText(text), tidied) << text;
}

// Device, zone and the two shown banner texts are tidied; other keys stay, absent ones stay absent.
TEST(TextTidyTest, ImportTidiesOnlyTextKeys) {
    SettingsStore store;
    for (const char* key : {"DeviceText_7", "ZoneText_32", "BannerText_2", "BannerText_3", "SiteName"})
        store.put(key, " Z ");
    TidyImportedTexts(store);
    std::string tidied;
    for (const char* key : {"DeviceText_7", "ZoneText_32", "BannerText_2", "BannerText_3", "SiteName"})
        tidied += std::string(store.text(key)) + "|";
    EXPECT_EQ(tidied, "Z|Z|Z| Z | Z |");
    EXPECT_FALSE(store.get("DeviceText_8"));
}

}  // namespace
}  // namespace tamrik
