#include <gtest/gtest.h>

#include "settings/DefaultSettings.h"
#include "settings/SiteFile.h"
#include "site/PanelBackups.h"
#include "support/TempDir.h"

namespace tamrik {
namespace {

using Clock = std::chrono::system_clock;

// 2026-12-06 14:05:09 UTC and the seconds after it.
Clock::time_point at(int secondsLater) { return Clock::from_time_t(1796565909) + std::chrono::seconds(secondsLater); }

TEST(PanelBackupsTest, KeepsTheNewestFiftyOfEachPanelAndListsThemNewestFirst) {
    testing::TempDir folder;
    SettingsStore site;
    ApplyDefaultSettings(site);
    site.put("PanelSnum", "5300A1C7");
    std::string error;
    for (int n = 0; n < 52; ++n) {
        site.put("SiteName", "Site " + std::to_string(n));
        ASSERT_TRUE(SavePanelBackup(site, folder.path(), at(n), &error)) << error;
    }
    // A second backup within the same second keeps both; a panel without a usable serial number.
    const auto repeat = SavePanelBackup(site, folder.path(), at(51), &error);
    ASSERT_TRUE(repeat);
    EXPECT_EQ(std::filesystem::path(*repeat).filename(), "20261206-140600-2.psf");
    site.put("PanelSnum", "../x");
    ASSERT_TRUE(SavePanelBackup(site, folder.path(), at(0), &error));

    const std::vector<PanelBackup> panel = ListPanelBackups(folder.path(), "5300A1C7");
    ASSERT_EQ(panel.size(), kKeptBackups);
    EXPECT_EQ(panel.front().path, *repeat);
    EXPECT_EQ(panel[1].takenAt, "2026-12-06 14:06:00 UTC");
    EXPECT_EQ(panel[1].siteName, "Site 51");
    EXPECT_EQ(panel.back().siteName, "Site 3");  // sites 0 to 2 made room
    const std::vector<PanelBackup> all = ListPanelBackups(folder.path());
    ASSERT_EQ(all.size(), kKeptBackups + 1);
    EXPECT_EQ(all.back().serial, "unknown");

    // Each backup is a site file that loads with its check accepted.
    SettingsStore loaded;
    EXPECT_EQ(SiteFileRead(panel[1].path, loaded), kSiteFileOk);
}

}  // namespace
}  // namespace tamrik
