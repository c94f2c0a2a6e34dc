#include <gtest/gtest.h>

#include "settings/DefaultSettings.h"
#include "site/SiteComparison.h"

namespace tamrik {
namespace {

using Lines = std::vector<std::string>;

class SiteComparisonTest : public ::testing::Test {
protected:
    SiteComparisonTest() {
        for (SettingsStore* store : {&before, &after}) {
            StoreCreate(*store);
            ApplyDefaultSettings(*store);
        }
    }
    ~SiteComparisonTest() override {
        StoreDestroy(&before);
        StoreDestroy(&after);
    }

    SettingsStore before, after;
};

TEST_F(SiteComparisonTest, SpeaksOfEachChangeInItsGroupAndNeverShowsACode) {
    EXPECT_EQ(CompareSites(before, after, true), Lines{});
    // A missing key is what the panel gets as zero.
    SettingPut(before, "ClassChange", "0");
    SettingPut(before, "OutputDelay_3", "0:00");
    SettingPut(after, "SiteNumber", "");
    EXPECT_EQ(CompareSites(before, after, true), Lines{});

    SettingPut(before, "Zone_12", "3");
    SettingPut(before, "Language", "0");
    SettingPut(before, "FireEvent_1", "5, 17, 946684800");
    SettingPut(before, "QuiescentCurrent", "1.00mA");
    // Added in the opposite order to the report's, which follows the site, not the store.
    SettingPut(after, "Foo", "bar");
    SettingPut(after, "FireEvent_1", "133, 209, 946688400");
    SettingPut(after, "ZoneText_4", "Lobby               ");
    SettingPut(after, "OutputDelay_5", "0:30");
    SettingPut(after, "DisabledOPGroups", "16");
    SettingPut(after, "Matrix_3_5", "P");
    SettingPut(after, "NonLatching_12", "1");
    SettingPut(after, "Zone_12", "4");
    SettingPut(after, "FlashOnPoll", "01");
    SettingPut(after, "UserCode", "111111");
    SettingPut(after, "Language", "2");
    SettingPut(after, "SiteName", "Caf\xE9");

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
