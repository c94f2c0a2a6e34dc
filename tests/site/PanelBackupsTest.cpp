#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <vector>

#include "images/ImageLayout.h"
#include "images/LoopRecord.h"
#include "images/SiteImage.h"
#include "settings/DefaultSettings.h"
#include "settings/SiteFile.h"
#include "site/PanelBackups.h"
#include "site/WriteChanges.h"
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

// What a panel that was sent `site` gives back when read: the site through the images.
void ReadBackAfterWriting(SettingsStore& site, SettingsStore& panel) {
    std::vector<std::uint8_t> image(kSiteImageSize);
    PanelIdentity identity{};
    SiteImageEncode(site, image.data(), identity);
    ASSERT_TRUE(SiteImageDecode(panel, image.data()));
    std::array<std::uint8_t, kLoopRecordSize> record{};
    for (int address = 1; address <= kLoopRecordCount; ++address) {
        LoopRecordEncode(site, record.data(), address);
        LoopRecordDecode(panel, address, record.data());
    }
    panel.put("FirmwareVersion", "1.250 / 0.110");
    panel.put("PanelData", "1");
}

// One reading serves the backup and the changes; the changes are those the panel will see, so a
// site the panel already holds changes nothing however its texts and times are typed. No reading,
// no backup; a backup that can't be saved says why.
TEST(PanelBackupsTest, BackUpPanelKeepsWhatWasReadAndListsWhatTheWriteChanges) {
    testing::TempDir folder;
    // The same site twice: one sent to the panel (encoding tidies it), one as typed.
    SettingsStore sent, site, panel;
    for (SettingsStore* store : {&sent, &site}) {
        ApplyDefaultSettings(*store);
        store->put("ZoneText_2", "Lobby");    // the panel holds it aligned in 20 characters
        store->put("FireLinkDelay", "0:07");  // ... and in 5-second steps
    }
    ReadBackAfterWriting(sent, panel);
    const std::uint64_t untouched = site.fingerprint();
    int reads = 0;
    const auto readPanel = [&](SettingsStore& into) {
        ++reads;
        ReadBackAfterWriting(sent, into);
        return true;
    };

    BackupBeforeWrite backup = BackUpPanel(readPanel, folder.path(), &site);
    ASSERT_TRUE(backup.path) << backup.error;
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(backup.changes, std::vector<std::string>{});
    EXPECT_EQ(site.fingerprint(), untouched);
    EXPECT_EQ(ChangeCountText(0), "No settings will change");

    site.put("Zone_5", "9");
    EXPECT_EQ(WriteChanges(panel, site), std::vector<std::string>{"Device 5: Zone 1 -> 9"});
    EXPECT_EQ(ChangeCountText(1), "1 setting will change");

    backup = BackUpPanel([](SettingsStore&) { return false; }, folder.path(), &site);
    EXPECT_FALSE(backup.path);
    EXPECT_EQ(backup.error, "the panel was not read");
    const std::filesystem::path blocked = folder.path() / "a-file";
    std::ofstream(blocked.string()) << "not a folder";
    backup = BackUpPanel(readPanel, blocked / "backups", &site);
    EXPECT_FALSE(backup.path);
    EXPECT_NE(backup.error.find("cannot make the backup folder"), std::string::npos) << backup.error;
}

}  // namespace
}  // namespace tamrik
