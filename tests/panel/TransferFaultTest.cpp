#include <gtest/gtest.h>

#include <functional>

#include "images/ImageLayout.h"
#include "panel/IdentityCopy.h"
#include "panel/PanelMessages.h"
#include "panel/PanelTestSupport.h"
#include "settings/SiteFile.h"

namespace tamrik {
namespace {

using testing::kCannotProgramMessage;
using testing::kConnectionFaultMessage;
using testing::kWriteFailedMessage;
using testing::kWriteSucceededMessage;
using Messages = std::vector<std::string>;

// A bench whose store already holds a saved site, as after an earlier read.
struct LoadedBench : testing::SimulatedBench {
    LoadedBench() {
        DemoSiteSettings(store);
        store.put("SiteName", "Before the transfer");
        store.markSaved();
        before = SiteFileFormat(store);
        panel->clearRequests();
    }
    // A read is all or nothing: one that fails leaves the site, saved mark included, as it was.
    bool storeUnchanged() const { return SiteFileFormat(store) == before && !store.changedSinceSaved(); }
    void expectFailedRead(const std::string& message = kConnectionFaultMessage) {
        EXPECT_FALSE(read());
        EXPECT_EQ(observer.messages(), Messages{message});
        EXPECT_TRUE(storeUnchanged());
        EXPECT_FALSE(observer.progressIsOpen());
    }
    bool anyRequestIn(std::uint8_t command, std::uint32_t from, std::uint32_t to) const {
        for (const auto& request : panel->requests()) {
            if (request.command == command && request.address >= from && request.address < to) return true;
        }
        return false;
    }
    // Whether the whole demo site, loop and event log arrived.
    bool readEverything() const {
        return value("SiteName") == "Harbour View Offices" && value("DeviceText_30") == "Meeting room        " &&
               value("FirmwareVersion") == "1.250 / 0.110" && value("NonFireEvent_12") == "36, 0, 1718467200";
    }
    std::string before;
};

// The given fault on the replies to every request the predicate picks.
std::function<ReplyFault(const SimRequest&)> faultWhere(std::function<bool(const SimRequest&)> picks,
                                                        ReplyFault fault) {
    return [=](const SimRequest& request) { return picks(request) ? fault : ReplyFault::None; };
}
std::function<ReplyFault(const SimRequest&)> faultOn(std::uint8_t command, ReplyFault fault) {
    return faultWhere([command](const SimRequest& request) { return request.command == command; }, fault);
}

TEST(NoPanelTest, ReadFailsAfterHalfASecondWithTheStoreUnchangedAndAWriteIsToldThatNothingWasWritten) {
    LoadedBench bench;
    bench.panel->faults.noPanel = true;
    const auto start = bench.now();
    bench.expectFailedRead();
    EXPECT_GT(bench.now() - start, kReplyWaitLimit);
    EXPECT_EQ(bench.panel->searches(), 4u);

    LoadedBench writing;
    writing.panel->faults.noPanel = true;
    EXPECT_FALSE(writing.write());
    EXPECT_EQ(writing.observer.messages(),
              (Messages{kConnectionFaultMessage, kConnectionFaultMessage, kWriteFailedMessage}));
}

TEST(UnpluggedTest, APanelPluggedBackInWhileSendingIsFoundAgainAndTheReadCompletes) {
    LoadedBench bench;
    bench.panel->faults.unplugAfterReports = 100;
    bench.panel->faults.replugAfterSearches = 2;
    EXPECT_TRUE(bench.read());
    EXPECT_EQ(bench.value("PanelData"), "1");
    EXPECT_TRUE(bench.observer.messages().empty());
    EXPECT_EQ(bench.panel->searches(), 3u);  // the first search, one that found nothing, one that found it
}

TEST(UnpluggedTest, ATransferCutShortFailsAndTheNextOneFindsThePanelAgain) {
    LoadedBench bench;
    bench.panel->faults.unplugAfterReports = 300;  // during the loop data
    bench.expectFailedRead();
    EXPECT_FALSE(bench.link.isOpen());

    bench.panel->plugIn();
    const auto searches = bench.panel->searches();
    EXPECT_TRUE(bench.read());
    EXPECT_EQ(bench.panel->searches(), searches + 1);
    EXPECT_EQ(bench.value("PanelData"), "1");
}

TEST(LateReplyTest, AReplyLaterThanHalfASecondIsAConnectionFaultAndASlowButTimelyOneIsWaitedFor) {
    for (const int lateBy : {700, 350}) {
        SCOPED_TRACE(lateBy);
        LoadedBench bench;
        bench.panel->faults.lateBy = std::chrono::milliseconds{lateBy};
        bench.panel->faults.replyFault =
            faultWhere([](const SimRequest& r) { return r.sequence == 5; }, ReplyFault::Late);
        const auto start = bench.now();
        if (lateBy > 500) {
            bench.expectFailedRead();
        } else {
            EXPECT_TRUE(bench.read());
            EXPECT_GE(bench.now() - start, std::chrono::milliseconds{lateBy});
        }
    }
}

TEST(StaleReportTest, AStaleReportIsTakenAsTheReplySoTheVerificationFails) {
    LoadedBench bench;
    // The first read-back of the site after programming it gets an old report in front of its reply.
    bool programmed = false;
    bench.panel->faults.replyFault = [&](const SimRequest& request) {
        if (request.command == kCommandProgramComplete) programmed = true;
        const bool firstVerify =
            programmed && request.command == kCommandReadProgram && request.address == kSiteDataAddress;
        return firstVerify ? ReplyFault::StaleFirst : ReplyFault::None;
    };
    EXPECT_FALSE(bench.write());
    EXPECT_EQ(bench.observer.messages(), Messages{kWriteFailedMessage});
    EXPECT_FALSE(bench.anyRequestIn(kCommandEraseBlock, 0x1800, 0x2400));
}

// Counts of 0 and above 58 at the level of single replies: PanelProtocolTest.
TEST(ReplyCountTest, OccasionalEmptyRepliesAreAskedAgain) {
    LoadedBench bench;
    bench.panel->faults.replyFault =
        faultWhere([](const SimRequest& r) { return r.sequence % 7 == 0; }, ReplyFault::CountZero);
    EXPECT_TRUE(bench.read());
    EXPECT_TRUE(bench.readEverything());
}

TEST(DamagedIdentityTest, TheIdentityComesFromTheSiteDataAndTheWriteSealsAFreshCopy) {
    LoadedBench bench;
    bench.panel->damageIdentityCopy();

    PanelIdentity identity{};
    EXPECT_EQ(bench.session.PanelReadIdentity(identity), 2);
    EXPECT_EQ(identity.serialNumber, 0x5300A1C7u);
    EXPECT_EQ(identity.numZones, 6);

    bench.panel->clearRequests();
    EXPECT_TRUE(bench.write());
    EXPECT_TRUE(bench.anyRequestIn(kCommandReadProgram, kSiteIdentityAddress, kSiteIdentityAddress + 1));
    const auto copy = bench.panel->readWordData(kIdentityCopyAddress, kIdentityCopySize);
    EXPECT_TRUE(IdentityCopyIsValid(copy.data()));
    EXPECT_EQ(bench.observer.messages(), Messages{kWriteSucceededMessage});
}

TEST(UnsupportedSiteTest, ARevisionThreeImageLeavesTheStoreAloneAndStopsTheRead) {
    LoadedBench bench;
    bench.panel->setSiteRevision(3);
    bench.expectFailedRead("Site data error|Site data is in an unsupported format|error|bg");
    EXPECT_FALSE(bench.anyRequestIn(kCommandReadProgram, kLoopDataAddress, kSiteDataAddress));
    EXPECT_TRUE(bench.requestsOf(kCommandReadData).empty());
}

TEST(VerifyTest, ASiteDataMismatchStopsBeforeTheLoopDataIsTouched) {
    LoadedBench bench;
    bench.panel->faults.wrongBitAddress = kSiteDataAddress + 0x100;
    const auto loopBefore = bench.panel->readWordData(kLoopDataAddress, kLoopImageSize);
    EXPECT_FALSE(bench.write());
    EXPECT_EQ(bench.observer.messages(), Messages{kWriteFailedMessage});
    EXPECT_FALSE(bench.anyRequestIn(kCommandEraseBlock, kLoopDataAddress, kSiteDataAddress));
    EXPECT_FALSE(bench.anyRequestIn(kCommandProgram, kLoopDataAddress, kSiteDataAddress));
    EXPECT_FALSE(bench.anyRequestIn(kCommandWriteData, kLoopChecksumDataAddress, kLoopChecksumDataAddress + 1));
    EXPECT_EQ(bench.panel->readWordData(kLoopDataAddress, kLoopImageSize), loopBefore);
}

// A panel that fails a step of a write: whether the write still counts as done, and what is told.
TEST(WriteFaultTest, EachUnacknowledgedOrWrongStepIsToldAndOnlyTheIdentityCopyMayFail) {
    const struct {
        const char* what;
        std::function<void(LoadedBench&)> fault;
        bool written;
        Messages messages;
    } cases[] = {
        {"loop data reads back wrong",
         [](LoadedBench& b) { b.panel->faults.wrongBitAddress = kLoopDataAddress + 0x40; },
         false,
         {kWriteFailedMessage}},
        {"identity erase not acknowledged",
         [](LoadedBench& b) {
             b.panel->faults.eraseFails = [](std::uint32_t address) { return address == kIdentityCopyAddress; };
         },
         true,
         {"NV Fail!|NV Data not written to panel!|error|fg", kWriteSucceededMessage}},
        {"a site block left unerased",
         [](LoadedBench& b) {
             b.store.put("SiteName", "Zzzzzzzzzzzzzzzzzzzz");  // bits the old name does not have
             b.panel->faults.eraseFails = [](std::uint32_t address) { return address == 0x3800; };
         },
         false,
         {kWriteFailedMessage}},
        {"program step not acknowledged",
         [](LoadedBench& b) {
             b.panel->faults.programFails = [](std::uint32_t address) { return address == kSiteDataAddress + 0x38; };
         },
         false,
         {kCannotProgramMessage, kWriteFailedMessage}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LoadedBench bench;
        c.fault(bench);
        EXPECT_EQ(bench.write(), c.written);
        EXPECT_EQ(bench.observer.messages(), c.messages);
        if (c.written) {  // the identity copy that could not be erased is not programmed over
            EXPECT_FALSE(bench.anyRequestIn(kCommandProgram, kIdentityCopyAddress, kIdentityCopyAddress + 12));
        }
    }
}

TEST(AcknowledgeTest, ALostChecksumWriteIsToldAndTheWriteGoesOn) {
    LoadedBench bench;
    bench.panel->faults.replyFault = faultWhere(
        [](const SimRequest& r) { return r.command == kCommandWriteData && r.address == kSiteChecksumDataAddress; },
        ReplyFault::Lost);
    EXPECT_TRUE(bench.write());
    EXPECT_EQ(bench.observer.messages(),
              (Messages{"5300 Commissioning software Error|Fault with connection to panel|error|bg",
                        kWriteSucceededMessage}));
    // The display closed with the fault; the titles after it were not shown.
    const auto events = bench.observer.events();
    EXPECT_EQ(std::count(events.begin(), events.end(), "title:Writing site data... (1/4)"), 0);
}

// A write that did not finish leaves the stored checksum words behind their images: still read, with a warning.
TEST(HalfWrittenTest, ImagesThatDoNotMatchTheirStoredChecksumsAreReadWithAWarning) {
    LoadedBench bench;
    bench.panel->dataMemory()[kSiteChecksumDataAddress] ^= 0xFF;
    EXPECT_TRUE(bench.read());
    EXPECT_TRUE(bench.readEverything());
    EXPECT_EQ(bench.observer.messages(), Messages{std::string("5300 Commissioning software|") +
                                                  panelmessages::kPanelDataChecksumMismatch + "|warning|fg"});
}

TEST(EventLogTest, AnUnreadableEventLogAtTheLastStepLeavesTheSiteAsItWas) {
    LoadedBench bench;
    bench.panel->faults.replyFault = faultOn(kCommandReadData, ReplyFault::Lost);
    bench.expectFailedRead();
}

}  // namespace
}  // namespace tamrik
