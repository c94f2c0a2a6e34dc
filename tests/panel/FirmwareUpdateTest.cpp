#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "panel/FirmwareImage.h"
#include "panel/FirmwareUpdate.h"
#include "panel/FirmwareWorker.h"
#include "panel/HexTestSupport.h"
#include "panel/PanelTestSupport.h"
#include "panel/TransferRunner.h"
#include "support/TempDir.h"

namespace tamrik {
namespace {

using Messages = std::vector<std::string>;
const std::string kFirmwareWritten = "Success|Firmware written to the panel|none|fg";
const std::string kFirmwareFailed = "Fail!|Firmware has NOT been written to panel|error|fg";

// A firmware image with code in every word of the application area, the given version and type.
std::vector<std::uint8_t> firmwareImage(const char* version, const char* type = "5300") {
    std::vector<std::uint8_t> image(kFirmwareImageSize, 0xFF);
    std::mt19937 random(1234);
    for (std::size_t offset = 2 * kFirmwareStartAddress; offset < kFirmwareImageSize; offset += 4) {
        image[offset] = static_cast<std::uint8_t>(random());
        image[offset + 1] = static_cast<std::uint8_t>(random());
        image[offset + 2] = static_cast<std::uint8_t>(random());
        image[offset + 3] = 0;
    }
    FirmwareSetVersionChars(image.data(), version);
    FirmwareSetTypeChars(image.data(), type);
    return image;
}

class FirmwareUpdateTest : public ::testing::Test {
protected:
    // The HEX text of a whole image, made once per image and kept for the other tests.
    std::string hexFile(const std::vector<std::uint8_t>& image) {
        static std::map<std::vector<std::uint8_t>, std::string> made;
        auto& text = made[image];
        if (text.empty()) text = testing::HexFileOf(image, 0, image.size());
        const std::string path = dir.file("firmware.hex");
        testing::WriteBytes(path, text);
        return path;
    }
    std::size_t erasesAt(std::uint32_t address) const {
        const auto erases = bench.requestsOf(kCommandEraseBlock);
        return std::count_if(erases.begin(), erases.end(), [&](const SimRequest& r) { return r.address == address; });
    }

    testing::TempDir dir;
    testing::SimulatedBench bench;
};

TEST_F(FirmwareUpdateTest, NewerFirmwareFillsTheApplicationAreaAndSparesTheIdentityBlock) {
    const auto image = firmwareImage("12600000");
    const std::string identityBefore = bench.panel->state().substr(2 * kIdentityCopyAddress, 0x800);
    bench.panel->clearRequests();

    std::string detail;
    ASSERT_EQ(FirmwareUpdateFromFile(bench.session, hexFile(image), &detail), FirmwareUpdateResult::Written) << detail;

    auto expected = image;
    FirmwareStampChecksum(expected.data(), 0x2A400);
    const std::size_t from = 2 * kFirmwareStartAddress, to = 2 * 0x2A400;
    EXPECT_TRUE(std::equal(expected.begin() + from, expected.begin() + to, bench.panel->programMemory() + from));
    EXPECT_EQ(bench.panel->state().substr(2 * kIdentityCopyAddress, 0x800), identityBefore);
    // The stamp makes the words with the file's own checksum bytes add up to 0x5A5A.
    const auto stamp = static_cast<std::uint16_t>(0x5A5A - FirmwareChecksum(image.data(), 0x2A400));
    EXPECT_EQ(bench.panel->programMemory()[0xA220], stamp >> 8);
    EXPECT_EQ(bench.panel->programMemory()[0xA221], stamp & 0xFF);

    EXPECT_EQ(bench.requestsOf(kCommandEraseBlock).size(), 149u);
    EXPECT_EQ(erasesAt(0x2A000), 1u);
    EXPECT_EQ(erasesAt(0x2A400), 0u);
    EXPECT_EQ(bench.observer.messages(), Messages{kFirmwareWritten});
    const Messages events = {"open",
                             "title:Erasing... (1/3)",
                             "title:Writing panel firmware... (2/3)",
                             "title:Verifying panel firmware... (3/3)",
                             "message:" + kFirmwareWritten,
                             "close"};
    EXPECT_EQ(bench.observer.events(), events);
}

TEST_F(FirmwareUpdateTest, OlderFirmwareIsInstalledOnlyAfterAYesAndThenCoversTheLastBlockToo) {
    const std::string path = hexFile(firmwareImage("12359999"));
    testing::RecordingObserver saysNo(false);
    PanelSession declining(bench.link, bench.store, saysNo);
    bench.panel->clearRequests();
    EXPECT_EQ(FirmwareUpdateFromFile(declining, path), FirmwareUpdateResult::Declined);
    EXPECT_EQ(saysNo.events(), Messages{"question:Are you sure?|Are you sure you want to update the panel firmware\r\n"
                                        "with a version older than the one currently in use?"});
    EXPECT_TRUE(bench.requestsOf(kCommandEraseBlock).empty());

    EXPECT_EQ(FirmwareUpdateFromFile(bench.session, path), FirmwareUpdateResult::Written);
    EXPECT_EQ(bench.requestsOf(kCommandEraseBlock).size(), 150u);
    EXPECT_EQ(erasesAt(0x2A400), 1u);
    EXPECT_EQ(bench.panel->programMemory()[2 * kIdentityCopyAddress + 3], 0);  // programmed from the file
}

TEST_F(FirmwareUpdateTest, AnEraseNotAcknowledgedStopsBeforeProgramming) {
    bench.panel->faults.eraseFails = [](std::uint32_t address) { return address == 0x6000; };
    bench.panel->clearRequests();
    EXPECT_EQ(FirmwareUpdateFromFile(bench.session, hexFile(firmwareImage("12600000"))), FirmwareUpdateResult::Failed);
    EXPECT_EQ(bench.observer.messages(), Messages{kFirmwareFailed});
    EXPECT_TRUE(bench.requestsOf(kCommandProgram).empty());
    EXPECT_EQ(bench.requestsOf(kCommandEraseBlock).size(), 5u);
}

TEST_F(FirmwareUpdateTest, AProgramStepNotAcknowledgedCannotProgramThePage) {
    bench.panel->faults.programFails = [](std::uint32_t address) { return address >= 0x10000; };
    EXPECT_EQ(FirmwareUpdateFromFile(bench.session, hexFile(firmwareImage("12600000"))), FirmwareUpdateResult::Failed);
    EXPECT_EQ(bench.observer.messages(),
              (Messages{"5300 Commissioning software Error|Can't program page!|error|fg", kFirmwareFailed}));
}

TEST_F(FirmwareUpdateTest, AWordThatReadsBackWrongFailsTheUpdateNamingItsAddress) {
    bench.panel->faults.wrongBitAddress = 0x1A2C6;
    bench.panel->faults.wrongBitMask = 0x40;
    EXPECT_EQ(FirmwareUpdateFromFile(bench.session, hexFile(firmwareImage("12600000"))), FirmwareUpdateResult::Failed);
    EXPECT_EQ(
        bench.observer.messages(),
        (Messages{"5300 Commissioning software Error|The panel's program memory differs from the firmware file at "
                  "address 0x1A2C6|error|fg",
                  kFirmwareFailed}));
    EXPECT_FALSE(bench.observer.progressIsOpen());
}

TEST_F(FirmwareUpdateTest, APanelSilentAtTheQueryEndsWithoutAMessage) {
    bench.panel->faults.replyFault = [](const SimRequest& request) {
        return request.command == kCommandQuery ? ReplyFault::Lost : ReplyFault::None;
    };
    EXPECT_EQ(FirmwareUpdateFromFile(bench.session, hexFile(firmwareImage("12600000"))), FirmwareUpdateResult::Failed);
    EXPECT_TRUE(bench.observer.messages().empty());
    EXPECT_FALSE(bench.observer.progressIsOpen());
}

TEST_F(FirmwareUpdateTest, AProgramMemoryEndOffTheBlockGridFailsAfterErasing) {
    bench.panel->faults.queryValues[1] = 0x900;  // ends at 0x2A900, 0x2A500 without the last block
    bench.panel->clearRequests();
    EXPECT_EQ(FirmwareUpdateFromFile(bench.session, hexFile(firmwareImage("12600000"))), FirmwareUpdateResult::Failed);
    EXPECT_EQ(bench.observer.messages(), Messages{kFirmwareFailed});
    EXPECT_EQ(bench.requestsOf(kCommandEraseBlock).size(), 150u);
    EXPECT_TRUE(bench.requestsOf(kCommandProgram).empty());
}

TEST_F(FirmwareUpdateTest, AProgramMemoryLargerThanTheImageIsRefusedBeforeAnythingIsErased) {
    bench.panel->faults.queryValues[1] = 0x1000;  // 0x2B000: past what a firmware image covers
    bench.panel->clearRequests();
    EXPECT_EQ(FirmwareUpdateFromFile(bench.session, hexFile(firmwareImage("12300000"))), FirmwareUpdateResult::Failed);
    EXPECT_EQ(bench.observer.messages().back(), kFirmwareFailed);
    EXPECT_TRUE(bench.requestsOf(kCommandEraseBlock).empty());
}

TEST_F(FirmwareUpdateTest, FilesOfUnknownTypeOrUnsoundRecordsAreNotWritten) {
    const std::string before = bench.panel->state();
    std::string detail;
    EXPECT_EQ(FirmwareUpdateFromFile(bench.session, hexFile(firmwareImage("12600000", "4100")), &detail),
              FirmwareUpdateResult::UnknownType);

    std::string text = testing::HexFileOf(firmwareImage("12600000"), 0, kFirmwareImageSize);
    text.replace(text.find("\r\n", 1000) - 2, 2, "00");
    testing::WriteBytes(dir.file("bad.hex"), text);
    EXPECT_EQ(FirmwareUpdateFromFile(bench.session, dir.file("bad.hex"), &detail), FirmwareUpdateResult::FileRefused);
    EXPECT_NE(detail.find("line "), std::string::npos);
    EXPECT_NE(detail.find("checksum"), std::string::npos);

    EXPECT_EQ(FirmwareUpdateFromFile(bench.session, dir.file("missing.hex"), &detail),
              FirmwareUpdateResult::FileRefused);

    // A download cut at a line boundary: every record is sound, the end-of-file record is missing.
    text = testing::HexFileOf(firmwareImage("12600000"), 0, kFirmwareImageSize);
    text.resize(text.rfind(':'));
    testing::WriteBytes(dir.file("cut.hex"), text);
    EXPECT_EQ(FirmwareUpdateFromFile(bench.session, dir.file("cut.hex"), &detail), FirmwareUpdateResult::FileRefused);
    const auto lines = std::count(text.begin(), text.end(), '\n');
    EXPECT_EQ(detail, dir.file("cut.hex") + ": line " + std::to_string(lines) +
                          ": the file ends before its end-of-file record");
    EXPECT_EQ(bench.panel->state(), before);
    EXPECT_TRUE(bench.observer.messages().empty());
}

TEST_F(FirmwareUpdateTest, APanelThatCannotBeReachedIsToldAboutBeforeTheFileIsRead) {
    bench.panel->faults.noPanel = true;
    EXPECT_EQ(FirmwareUpdateFromFile(bench.session, dir.file("missing.hex")), FirmwareUpdateResult::PanelUnreachable);
    EXPECT_EQ(bench.observer.messages(), Messages{testing::kConnectionFaultMessage});
    EXPECT_EQ(bench.value("FirmwareVersion"), "0");
}

TEST(FirmwareWorkerTest, WithoutAnImageNothingIsSentAndTheDisplayCloses) {
    testing::SimulatedBench bench;
    FirmwareJob job;
    bench.observer.ProgressOpen();
    EXPECT_FALSE(FirmwareWorker(bench.session, job));
    EXPECT_TRUE(bench.panel->requests().empty());
    EXPECT_FALSE(bench.observer.progressIsOpen());
}

TEST(FirmwareFileTest, ShowsTypeAndVersionOfAKnownFile) {
    testing::TempDir dir;
    const auto image = firmwareImage("12400007", "kestrelix");
    testing::WriteBytes(dir.file("k.hex"), testing::HexFileOf(image, 0xA200, 0xA260));
    FirmwareFile file;
    ASSERT_TRUE(FirmwareFileLoad(dir.file("k.hex"), file));
    EXPECT_EQ(file.type, "KESTRELIX");
    EXPECT_EQ(file.versionText, "1.240 / 0.007");
    EXPECT_EQ(file.versionNumber, 124);

    const auto unknown = firmwareImage("12400007", "53000");
    testing::WriteBytes(dir.file("u.hex"), testing::HexFileOf(unknown, 0xA200, 0xA260));
    ASSERT_TRUE(FirmwareFileLoad(dir.file("u.hex"), file));
    EXPECT_EQ(file.type, "Unknown");
    EXPECT_EQ(file.versionText, "Unknown");
}

}  // namespace
}  // namespace tamrik
