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
// Coverage codes as the device export shows them are in the reviewed devices.csv; a configuration
// unit's negative code has no name at all, which is not the same as a code past the table.
TEST(DeviceCatalogueTest, Msg52TextOfANegativeCode) { EXPECT_EQ(Msg52Text(142, -1), "???"); }

}  // namespace tamrik
