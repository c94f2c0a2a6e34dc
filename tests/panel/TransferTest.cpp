#include <gtest/gtest.h>

#include <algorithm>

#include "images/ImageChecksum.h"
#include "images/ImageLayout.h"
#include "images/LoopRecord.h"
#include "images/SiteImage.h"
#include "panel/IdentityCopy.h"
#include "panel/PanelTestSupport.h"
#include "panel/ReadPanelWorker.h"
#include "panel/TransferRunner.h"
#include "panel/WritePanelWorker.h"

namespace tamrik {
namespace {

using testing::SimulatedBench;

std::uint16_t dataWord(SimulatedPanel& panel, std::size_t offset) {
    return static_cast<std::uint16_t>(panel.dataMemory()[offset] | panel.dataMemory()[offset + 1] << 8);
}

bool readPanel(SimulatedBench& bench) {
    return RunTransfer(bench.observer, [&] { return ReadPanelWorker(bench.session); });
}

bool writePanel(SimulatedBench& bench) {
    return RunTransfer(bench.observer, [&] { return WritePanelWorker(bench.session); });
}

TEST(ReadTransferTest, ReadsSiteDevicesFirmwareAndEventLogsOfTheDemoPanel) {
    SimulatedBench bench;
    ASSERT_TRUE(readPanel(bench));
    EXPECT_EQ(bench.value("PanelData"), "1");
    EXPECT_EQ(bench.value("SiteName"), "Harbour View Offices");
    EXPECT_EQ(bench.value("PanelSnum"), kDemoPanelSerial);
    EXPECT_EQ(bench.value("FirmwareVersion"), "1.250 / 0.110");
    EXPECT_EQ(bench.value("Type_1"), "64");
    EXPECT_EQ(bench.value("DeviceText_2"), "Reception           ");
    EXPECT_EQ(bench.value("SNum_30"), "10A456");
    EXPECT_EQ(bench.value("NonLatching_25"), "1");
    EXPECT_EQ(bench.value("NonLatching_24"), "<absent>");
    EXPECT_EQ(bench.value("Type_31"), "0");
    EXPECT_EQ(bench.value("ZoneText_3"), "Warehouse           ");
    EXPECT_EQ(bench.value("Matrix_3_3"), "P");
    EXPECT_EQ(bench.value("OutputDelay_5"), "1:00");
    EXPECT_EQ(bench.value("AlarmCount"), "2");
    EXPECT_EQ(bench.value("FireEvent_1"), "5, 7, 1718010720");
    EXPECT_EQ(bench.value("FireEvent_6"), "133, 5, 1718287290");
    EXPECT_EQ(bench.value("FireEvent_7"), "<absent>");
    EXPECT_EQ(bench.value("NonFireEvent_12"), "36, 0, 1718467200");

    const std::vector<std::string> expected = {"open", "title:Reading site data...", "title:Reading loop data...",
                                               "title:Reading event log...", "close"};
    EXPECT_EQ(bench.observer.events(), expected);
}

TEST(ReadTransferTest, ReadsTheImagesInTheirOrderWithoutChangingThePanel) {
    SimulatedBench bench;
    const std::string before = bench.panel->state();
    ASSERT_TRUE(readPanel(bench));
    EXPECT_EQ(bench.panel->state(), before);
    const auto reads = bench.requestsOf(kCommandReadProgram);
    ASSERT_FALSE(reads.empty());
    EXPECT_EQ(reads.front().address, kSiteDataAddress);
    EXPECT_EQ(bench.requestsOf(kCommandReadData).size(), (8192 + 57) / 58);
    // site 220 + loop 110 + firmware version 1 exchanges
    EXPECT_EQ(reads.size(), 220u + 110u + 1u);
}

class WriteTransferTest : public ::testing::Test {
protected:
    // Reads the demo panel, then changes the site the way an engineer would.
    void SetUp() override {
        ASSERT_TRUE(readPanel(bench));
        SettingPut(bench.store, "SiteName", "Harbour View Offices (rewired)");
        SettingPut(bench.store, "DeviceText_31", "New corridor       ");
        SettingPut(bench.store, "Type_31", "1");
        SettingPut(bench.store, "SNum_31", "0ABCDE");
        SettingPut(bench.store, "Zone_31", "6");
        SettingPut(bench.store, "Matrix_1_2", "W");
        SettingPut(bench.store, "PanelSnum", "5300BEEF");
        SettingDelete(bench.store, "NonLatching_25");
    }

    SimulatedBench bench;
};

TEST_F(WriteTransferTest, LeavesExactlyTheEncodedImagesChecksumsAndIdentityInThePanel) {
    // What the write must leave: the images the encoders make of the same store.
    std::vector<std::uint8_t> site(kSiteImageSize);
    std::vector<std::uint8_t> loop(kLoopImageSize);
    PanelIdentity identity{};
    const std::uint16_t siteChecksum = SiteImageEncode(bench.store, site.data(), identity);
    for (int address = 1; address <= kLoopRecordCount; ++address) {
        LoopRecordEncode(bench.store, loop.data() + kLoopRecordSize * (address - 1), address);
    }
    bench.panel->clearRequests();
    ASSERT_TRUE(writePanel(bench));
    EXPECT_EQ(bench.observer.messages().back(), testing::kWriteSucceededMessage);

    EXPECT_EQ(bench.panel->readWordData(kSiteDataAddress, kSiteImageSize), site);
    EXPECT_EQ(bench.panel->readWordData(kLoopDataAddress, kLoopImageSize), loop);
    EXPECT_EQ(dataWord(*bench.panel, kSiteChecksumDataAddress), siteChecksum);
    EXPECT_EQ(dataWord(*bench.panel, kLoopChecksumDataAddress), ImageChecksum(loop.data(), loop.size()));
    const auto copy = bench.panel->readWordData(kIdentityCopyAddress, kIdentityCopySize);
    EXPECT_TRUE(IdentityCopyIsValid(copy.data()));
    EXPECT_EQ(PanelIdentity::fromBytes(copy.data()).serialNumber, 0x5300BEEFu);
    // The words' third and fourth bytes are programmed as 0.
    EXPECT_EQ(bench.panel->programMemory()[2 * kSiteDataAddress + 2], 0);
    EXPECT_EQ(bench.panel->programMemory()[2 * kSiteDataAddress + 3], 0);
}

TEST_F(WriteTransferTest, ReadingBackGivesTheChangedSite) {
    ASSERT_TRUE(writePanel(bench));
    SimulatedBench again(bench.panel);
    ASSERT_TRUE(readPanel(again));
    EXPECT_EQ(again.value("SiteName"), "Harbour View Offices (rewired)");
    EXPECT_EQ(again.value("DeviceText_31"), " New corridor       ");
    EXPECT_EQ(again.value("Type_31"), "1");
    EXPECT_EQ(again.value("SNum_31"), "0ABCDE");
    EXPECT_EQ(again.value("Matrix_1_2"), "W");
    EXPECT_EQ(again.value("PanelSnum"), "5300BEEF");
    EXPECT_EQ(again.value("NonLatching_25"), "<absent>");
    EXPECT_EQ(again.value("PanelData"), "1");
}

// Condenses the request log to the steps of the sequence: runs of the same command at consecutive
// addresses become one step.
std::vector<std::string> steps(const std::vector<SimRequest>& requests) {
    std::vector<std::string> found;
    for (const auto& request : requests) {
        char step[48];
        switch (request.command) {
            case kCommandReadProgram:
            case kCommandProgram:
                std::snprintf(step, sizeof step, "%s", request.command == kCommandProgram ? "program" : "read");
                break;
            case kCommandEraseBlock:
                std::snprintf(step, sizeof step, "erase %X", request.address);
                break;
            case kCommandWriteData:
                std::snprintf(step, sizeof step, "data %X", request.address);
                break;
            default:
                continue;  // acknowledgements and completions belong to their step
        }
        std::string text = step;
        if (text == "read" || text == "program") {
            // Name the area by the first request of the run.
            static const struct {
                std::uint32_t from, to;
                const char* name;
            } areas[] = {{0x1800, 0x2400, "loop"},
                         {0x2400, 0x3C00, "site"},
                         {0x2A400, 0x2A40C, "identity"},
                         {0x2402, 0x240B, "site identity"},
                         {0x5112, 0x511A, "version"}};
            std::string area = "?";
            for (const auto& a : areas) {
                if (request.address >= a.from && request.address < a.to) area = a.name;
            }
            if (request.address == 0x2402) area = "site identity";
            text += " " + area;
        }
        if (found.empty() || found.back() != text || text.rfind("erase", 0) == 0) found.push_back(text);
    }
    return found;
}

TEST_F(WriteTransferTest, StepsRunInTheirOrder) {
    bench.panel->clearRequests();
    ASSERT_TRUE(writePanel(bench));
    const std::vector<std::string> expected = {
        "read identity", "read version", "data 1FF4",  "erase 2A400",  "program identity", "erase 2400", "erase 2800",
        "erase 2C00",    "erase 3000",   "erase 3400", "erase 3800",   "program site",     "read site",  "data 1FF6",
        "erase 1800",    "erase 1C00",   "erase 2000", "program loop", "read loop"};
    EXPECT_EQ(steps(bench.panel->requests()), expected);
    const std::vector<std::string> titles = {"open",
                                             "title:Writing site data...",
                                             "title:Verifying site data...",
                                             "title:Writing loop data...",
                                             "title:Verifying loop data...",
                                             "close",
                                             "message:" + testing::kWriteSucceededMessage};
    auto events = bench.observer.events();
    events.erase(events.begin(), std::find(events.rbegin(), events.rend(), "open").base() - 1);
    EXPECT_EQ(events, titles);
}

TEST(TransferRunnerTest, TheDisplayOpensBeforeTheWorkerAndNoRequestIsLost) {
    testing::RecordingObserver observer;
    const bool result = RunTransfer(observer, [&] {
        // A worker that is quick off the mark: everything it says must still be seen.
        observer.ProgressTitle("Quick");
        observer.ProgressSet(-1);
        observer.ProgressTitle("After close");
        return true;
    });
    EXPECT_TRUE(result);
    EXPECT_EQ(observer.events(), (std::vector<std::string>{"open", "title:Quick", "close"}));
    EXPECT_FALSE(observer.progressIsOpen());
}

}  // namespace
}  // namespace tamrik
