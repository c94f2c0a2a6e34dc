#include <gtest/gtest.h>

#include <algorithm>

#include "images/ImageChecksum.h"
#include "images/ImageLayout.h"
#include "images/LoopRecord.h"
#include "images/SiteImage.h"
#include "panel/IdentityCopy.h"
#include "panel/PanelTestSupport.h"
#include "settings/SiteFile.h"
#include "support/TempDir.h"

namespace tamrik {
namespace {

using testing::SimulatedBench;
using Lines = std::vector<std::string>;

std::uint16_t dataWord(SimulatedPanel& panel, std::size_t offset) {
    return static_cast<std::uint16_t>(panel.dataMemory()[offset] | panel.dataMemory()[offset + 1] << 8);
}

TEST(ReadTransferTest, ReadsSiteDevicesFirmwareAndEventLogsOfTheDemoPanelWithoutChangingIt) {
    SimulatedBench bench;
    const std::string before = bench.panel->state();
    ASSERT_TRUE(bench.read());
    EXPECT_TRUE(bench.panel->state() == before);
    // The whole site as read, byte for byte: the demo panel's site, devices, firmware version and events.
    EXPECT_TRUE(SiteFileFormat(bench.store) == testing::ReadBytes(TAMRIK_TEST_DATA_DIR "/demo_panel_read.psf"));
    EXPECT_EQ(bench.observer.events(),
              (Lines{"open", "title:Reading site data... (1/3)", "title:Reading loop data... (2/3)",
                     "title:Reading event log... (3/3)", "close"}));

    const auto reads = bench.requestsOf(kCommandReadProgram);
    ASSERT_EQ(reads.size(), 220u + 110u + 1u);  // site, loop, firmware version
    EXPECT_EQ(reads.front().address, kSiteDataAddress);
    EXPECT_EQ(bench.requestsOf(kCommandReadData).size(), (8192 + 57) / 58);
    PanelIdentity identity{};
    EXPECT_EQ(bench.session.PanelReadIdentity(identity), 1) << "the demo panel's identity copy is sound";
}

// The request log as the steps of the sequence: erases and data writes by address, runs of reads or
// programming by the area they start in; acknowledgements and completions belong to their step.
Lines steps(const std::vector<SimRequest>& requests) {
    Lines found;
    for (const auto& request : requests) {
        const std::uint32_t a = request.address;
        const std::string area = a == kSiteIdentityAddress      ? "site identity"
                                 : a >= kIdentityCopyAddress    ? "identity"
                                 : a >= kFirmwareVersionAddress ? "version"
                                 : a >= kSiteDataAddress        ? "site"
                                                                : "loop";
        char hex[16];
        std::snprintf(hex, sizeof hex, "%X", a);
        std::string step;
        if (request.command == kCommandEraseBlock) {
            step = "erase " + std::string(hex);
        } else if (request.command == kCommandWriteData) {
            step = "data " + std::string(hex);
        } else if (request.command == kCommandReadProgram || request.command == kCommandProgram) {
            step = (request.command == kCommandProgram ? "program " : "read ") + area;
        } else {
            continue;
        }
        if (found.empty() || found.back() != step || request.command == kCommandEraseBlock) found.push_back(step);
    }
    return found;
}

// Reads the demo panel, changes the site the way an engineer would and writes it back.
TEST(WriteTransferTest, LeavesExactlyTheEncodedImagesInTheirStepsAndReadsBackAsTheChangedSite) {
    SimulatedBench bench;
    ASSERT_TRUE(bench.read());
    const std::pair<const char*, const char*> changes[] = {
        {"SiteName", "Harbour View Offices (rewired)"},
        {"DeviceText_31", "New corridor       "},
        {"Type_31", "1"},
        {"SNum_31", "0ABCDE"},
        {"Zone_31", "6"},
        {"Matrix_1_2", "W"},
        {"PanelSnum", "5300BEEF"},
    };
    for (const auto& [key, value] : changes) bench.store.put(key, value);
    bench.store.erase("NonLatching_25");

    // What the write must leave: the images the encoders make of the same store.
    std::vector<std::uint8_t> site(kSiteImageSize), loop(kLoopImageSize);
    PanelIdentity identity{};
    const std::uint16_t siteChecksum = SiteImageEncode(bench.store, site.data(), identity);
    for (int address = 1; address <= kLoopRecordCount; ++address) {
        LoopRecordEncode(bench.store, loop.data() + kLoopRecordSize * (address - 1), address);
    }
    bench.panel->clearRequests();
    ASSERT_TRUE(bench.write());

    EXPECT_EQ(bench.panel->readWordData(kSiteDataAddress, kSiteImageSize), site);
    EXPECT_EQ(bench.panel->readWordData(kLoopDataAddress, kLoopImageSize), loop);
    EXPECT_EQ(dataWord(*bench.panel, kSiteChecksumDataAddress), siteChecksum);
    EXPECT_EQ(dataWord(*bench.panel, kLoopChecksumDataAddress), ImageChecksum(loop.data(), loop.size()));
    const auto copy = bench.panel->readWordData(kIdentityCopyAddress, kIdentityCopySize);
    EXPECT_TRUE(IdentityCopyIsValid(copy.data()));
    EXPECT_EQ(PanelIdentity::fromBytes(copy.data()).serialNumber, 0x5300BEEFu);

    EXPECT_EQ(steps(bench.panel->requests()),
              (Lines{"read identity", "read version", "data 1FF4", "erase 2A400", "program identity", "erase 2400",
                     "erase 2800", "erase 2C00", "erase 3000", "erase 3400", "erase 3800", "program site", "read site",
                     "data 1FF6", "erase 1800", "erase 1C00", "erase 2000", "program loop", "read loop"}));
    auto events = bench.observer.events();
    events.erase(events.begin(), std::find(events.rbegin(), events.rend(), "open").base() - 1);
    EXPECT_EQ(events, (Lines{"open", "title:Writing site data... (1/4)", "title:Verifying site data... (2/4)",
                             "title:Writing loop data... (3/4)", "title:Verifying loop data... (4/4)", "close",
                             "message:" + testing::kWriteSucceededMessage}));

    SimulatedBench again(bench.panel);
    ASSERT_TRUE(again.read());
    for (const auto& [key, value] : changes) {
        // Display texts come back right-aligned in their 20 characters.
        EXPECT_EQ(again.value(key), std::string(key) == "DeviceText_31" ? " New corridor       " : value) << key;
    }
    EXPECT_EQ(again.value("NonLatching_25"), "<absent>");
    EXPECT_EQ(again.value("PanelData"), "1");
}

TEST(TransferRunnerTest, TheDisplayOpensBeforeTheWorkerAndNoRequestIsLost) {
    testing::RecordingObserver observer;
    const bool result = RunTransfer(observer, TransferKind::Read, [&] {
        // A worker that is quick off the mark: everything it says must still be seen.
        observer.ProgressTitle("Quick");
        observer.ProgressSet(-1);
        observer.ProgressTitle("After close");
        return true;
    });
    EXPECT_TRUE(result);
    EXPECT_EQ(observer.events(), (Lines{"open", "title:Quick", "close"}));
    EXPECT_FALSE(observer.progressIsOpen());
}

}  // namespace
}  // namespace tamrik
