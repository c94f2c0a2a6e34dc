#include <gtest/gtest.h>

#include "settings/DefaultSettings.h"
#include "site/SiteComparison.h"

namespace tamrik {
namespace {

using Lines = std::vector<std::string>;

class SiteComparisonTest : public ::testing::Test {
protected:
    SiteComparisonTest() {
        for (SettingsStore* store : {&before, &after}) ApplyDefaultSettings(*store);
    }

    SettingsStore before, after;
};

TEST_F(SiteComparisonTest, SpeaksOfEachChangeInItsGroupAndNeverShowsACode) {
    EXPECT_EQ(CompareSites(before, after, true), Lines{});
    // A missing key is what the panel gets as zero.
    before.put("ClassChange", "0");
    before.put("OutputDelay_3", "0:00");
    after.put("SiteNumber", "");
    EXPECT_EQ(CompareSites(before, after, true), Lines{});

    before.put("Zone_12", "3");
    before.put("Language", "0");
    before.put("FireEvent_1", "5, 17, 946684800");
    before.put("QuiescentCurrent", "1.00mA");
    // Added in the opposite order to the report's, which follows the site, not the store.
    after.put("Foo", "bar");
    after.put("FireEvent_1", "133, 209, 946688400");
    after.put("ZoneText_4", "Lobby               ");
    after.put("OutputDelay_5", "0:30");
    after.put("DisabledOPGroups", "16");
    after.put("Matrix_3_5", "P");
    after.put("NonLatching_12", "1");
    after.put("Zone_12", "4");
    after.put("FlashOnPoll", "01");
    after.put("UserCode", "111111");
    after.put("Language", "2");
    after.put("SiteName", "Caf\xE9");

    const Lines common = {
        "Site name: \"\" -> \"Caf\xE9\"",
        "Language: English -> Hungarian",
        "Flash on poll: \"1\" -> \"01\"",
        "User code: changed",
        "Device 12: Zone 3 -> 4",
        "Device 12: Latching Latching -> Non-Latching",
        "Matrix IPG3 / OPG5: C -> P",
        "Output group 5: enabled -> disabled",
        "Output delay T1 of OPG5: (none) -> 0:30",
        "Zone text 4: \"Zone 04\" -> \"Lobby\"",
    };
    Lines withoutEvents = common;
    withoutEvents.push_back("Setting Foo: (none) -> \"bar\"");
    EXPECT_EQ(CompareSites(before, after, false), withoutEvents);

    Lines withEvents = common;
    withEvents.push_back(
        "Fire event 1: 1/1/2000 0:00:00 DEVICE IN ALARM, address 17 ON -> "
        "1/1/2000 1:00:00 DEVICE IN ALARM, zone 17 OFF");
    withEvents.push_back("Setting Foo: (none) -> \"bar\"");
    EXPECT_EQ(CompareSites(before, after, true), withEvents);
}

}  // namespace
}  // namespace tamrik
