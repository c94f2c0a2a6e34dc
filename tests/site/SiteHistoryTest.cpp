#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "settings/DefaultSettings.h"
#include "settings/SiteFile.h"
#include "site/SiteHistory.h"

namespace tamrik {
namespace {

// Each kind of change undoes to the very same site file (slot order included) and redoes again.
TEST(SiteHistoryTest, EveryKindOfStepUndoesAndRedoesExactly) {
    const struct {
        const char* expectedName;
        std::function<void(SettingsStore&)> change;
    } steps[] = {
        {"Zone of device 12", [](SettingsStore& s) { s.put("Zone_12", "4"); }},
        {"Site name", [](SettingsStore& s) { s.put("SiteName", "Harbour View"); }},
        {"Matrix IPG3 / OPG5", [](SettingsStore& s) { s.put("Matrix_3_5", "P"); }},
        {"Zone text 4", [](SettingsStore& s) { s.erase("ZoneText_4"); }},  // erasing moves chained entries
        {"Device 7", [](SettingsStore& s) { s.put("Type_7", "33"), s.put("SNum_7", "00C0FFEE"); }},
        {"Devices 3 and 9", [](SettingsStore& s) { s.put("Zone_3", "8"), s.put("Zone_9", "7"); }},
        {"Load site",
         [](SettingsStore& s) {
             s.clear();
             ApplyDefaultSettings(s);
             for (int n = 1; n <= 300; ++n) s.put("FireEvent_" + std::to_string(n), "event");
         }},
    };
    SettingsStore site;
    ApplyDefaultSettings(site);
    SiteHistory history;
    history.reset(site);
    std::vector<std::string> files{SiteFileFormat(site)};
    for (const auto& step : steps) {
        step.change(site);
        const std::string name = std::string_view(step.expectedName) == "Load site" ? "Load site" : "";
        ASSERT_TRUE(history.record(site, name)) << step.expectedName;
        EXPECT_EQ(history.undoName(), step.expectedName);
        files.push_back(SiteFileFormat(site));
    }
    EXPECT_FALSE(history.record(site)) << "nothing changed since";
    for (std::size_t i = files.size() - 1; i > 0; --i) {
        ASSERT_TRUE(history.undo(site));
        ASSERT_EQ(SiteFileFormat(site), files[i - 1]) << "undoing " << steps[i - 1].expectedName;
    }
    EXPECT_FALSE(history.undo(site));
    for (std::size_t i = 1; i < files.size(); ++i) {
        ASSERT_TRUE(history.redo(site));
        ASSERT_EQ(SiteFileFormat(site), files[i]) << "redoing " << steps[i - 1].expectedName;
    }
    EXPECT_FALSE(history.canRedo());
}

TEST(SiteHistoryTest, NewStepDropsRedoAndWorkedOutValuesMakeNoStep) {
    SettingsStore site;
    ApplyDefaultSettings(site);
    SiteHistory history;
    history.reset(site);
    site.put("Zone_1", "2");
    history.record(site);
    history.undo(site);
    site.put("Zone_1", "3");
    ASSERT_TRUE(history.record(site));
    EXPECT_FALSE(history.canRedo());
    site.put("QuiescentCurrent", "12.5");
    EXPECT_FALSE(history.record(site)) << "the design check's loop currents are nobody's edit";
    ASSERT_TRUE(history.undo(site));
    EXPECT_EQ(site.text("Zone_1"), "1");
    EXPECT_EQ(site.text("QuiescentCurrent"), "12.5");
}

// The depth holds; a hundred small edits of a full site take a small fraction of one site copy each.
TEST(SiteHistoryTest, KeepsTheLastHundredSteps) {
    SettingsStore site;
    ApplyDefaultSettings(site);
    SiteHistory history;
    history.reset(site);
    for (std::size_t n = 0; n < SiteHistory::kDepth + 20; ++n) {
        site.put("Zone_" + std::to_string(n % 192 + 1), std::to_string(n % 30 + 2));
        ASSERT_TRUE(history.record(site));
    }
    EXPECT_EQ(history.size(), SiteHistory::kDepth);
    EXPECT_LT(history.bytes(), 100u * 1024);
}

}  // namespace
}  // namespace tamrik
