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

TEST(TextTidyTest, ImportTidiesOnlyTextKeys) {
    SettingsStore store;
    const struct {
        const char *key, *value, *tidied;
    } cases[] = {{"DeviceText_7", "Kitchen", "      Kitchen       "},
                 {"ZoneText_32", " Z ", "Z"},
                 {"BannerText_2", "HELLO", "       HELLO        "},
                 {"BannerText_3", "  left alone  ", "  left alone  "},
                 {"SiteName", "  left alone  ", "  left alone  "}};
    for (const auto& c : cases) store.insertIfAbsent(c.key, c.value);
    TidyImportedTexts(store);
    for (const auto& c : cases) EXPECT_EQ(store.get(c.key), c.tidied) << c.key;
    EXPECT_FALSE(store.get("DeviceText_8")) << "absent keys are not created";
}

}  // namespace
}  // namespace tamrik
