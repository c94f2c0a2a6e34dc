#include <gtest/gtest.h>

#include "settings/DeviceCatalogue.h"

namespace tamrik {
namespace {

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
// The device editor and the device export show a coverage code the same way; a configuration unit's
// negative code has no name at all, which is not the same as a code past the table.
TEST(DeviceCatalogueTest, Msg52Texts) {
    const struct {
        std::uint32_t type;
        int code;
        const char* text;
    } cases[] = {{142, 9, "NL FCR"}, {142, 16, "INVALID"}, {142, -1, "???"}, {164, 1, "W-2.4-5"}, {164, 5, "N/A"}};
    for (const auto& c : cases) EXPECT_EQ(Msg52Text(c.type, c.code), c.text) << c.type << " " << c.code;
}

}  // namespace tamrik
