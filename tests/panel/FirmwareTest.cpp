#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>

#include "panel/FirmwareImage.h"
#include "panel/FirmwareUpdate.h"
#include "panel/FirmwareWorker.h"
#include "panel/HexFile.h"
#include "panel/HexTestSupport.h"
#include "panel/PanelTestSupport.h"
#include "support/TempDir.h"

namespace tamrik {
namespace {

using testing::HexRecord;
using Messages = std::vector<std::string>;
const std::string kFirmwareWritten = "Success|Firmware written to the panel|none|fg";
const std::string kFirmwareFailed = "Fail!|Firmware has NOT been written to panel|error|fg";

std::vector<std::uint8_t> loaded(0x100);
std::string parseError;
int parse(const std::string& text) {
    loaded.assign(0x100, 0xFF);
    parseError.clear();
    return HexFileParse(text, loaded.data(), loaded.size(), &parseError);
}

TEST(HexFileTest, LoadsDataRecordsAtTheirAddressesUnderEachAddressRecordKind) {
    std::string lower = HexRecord(0, 0x30, {0xCD, 0xEF});
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::string text =
        HexRecord(0, 0x0010, {1, 2, 3}) + "\n" + HexRecord(2, 0, {0x00, 0x02}) + "\n" +  // segment base 0x20
        HexRecord(0, 0x0004, {4}) + "\n" + HexRecord(4, 0, {0x00, 0x00}) + "\n" +        // linear base 0
        HexRecord(0, 0x0040, {5, 6}) + "\n" + HexRecord(5, 0, {0, 0, 0, 0}) + "\n" +  // start address: nothing to load
        HexRecord(0x0C, 0x50, {1, 2}) + "\n" + lower + "\r\n" +                       // unknown type: skipped
        HexRecord(0, 0xFE, {1, 2, 3, 4}) + "\n" +                                     // bytes past the image dropped
        HexRecord(1, 0, {}) + "\n" + HexRecord(0, 0x60, {0xAB}) + "\n";  // records after the end are loaded too
    ASSERT_EQ(parse(text), 1) << parseError;
    const std::pair<int, int> bytes[] = {{0x10, 1}, {0x12, 3},    {0x13, 0xFF}, {0x24, 4},    {0x40, 5},
                                         {0x41, 6}, {0x50, 0xFF}, {0x60, 0xAB}, {0x31, 0xEF}, {0xFF, 2}};
    for (const auto& [at, byte] : bytes) EXPECT_EQ(loaded[at], byte) << at;

    std::vector<std::uint8_t> data(255);
    for (int i = 0; i < 255; ++i) data[i] = static_cast<std::uint8_t>(i);
    ASSERT_EQ(parse(HexRecord(0, 0, data) + "\n" + HexRecord(1, 0, {}) + "\n"), 1) << parseError;  // 500+ characters
    EXPECT_EQ(loaded[254], 254);
}

TEST(HexFileTest, RefusesUnsoundRecordsNamingTheLine) {
    std::string badChecksum = HexRecord(0, 0x10, {1, 2, 3});
    badChecksum.back() = badChecksum.back() == '0' ? '1' : '0';
    const std::string full = HexRecord(0, 0x10, {1, 2, 3, 4});
    std::string notHex = HexRecord(0, 0x10, {0x12, 0x34});
    notHex[10] = 'G';
    const std::string end = HexRecord(1, 0, {}) + "\n";
    const std::pair<std::string, std::string> cases[] = {
        {HexRecord(0, 0, {1}) + "\r\n" + HexRecord(1, 0, {}) + "\r\n\r\n", "line 3: does not start with ':'"},
        {"junk\n", "line 1: does not start with ':'"},
        {HexRecord(0, 0, {9}) + "\n" + badChecksum + "\n" + end, "line 2: the record checksum is wrong"},
        {full.substr(0, full.size() - 4) + "\n", "line 1: the record is shorter than its count"},
        {":\n", "line 1: the byte count is not hexadecimal"},
        {notHex + "\n", "line 1: the record holds a character that is not a hex digit"},
        {HexRecord(4, 0, {0x01}) + "\n", "line 1: the address record does not hold two bytes"},
        {HexRecord(0, 0, {1}) + "\r\n" + HexRecord(0, 1, {2}) + "\r\n",
         "line 2: the file ends before its end-of-file record"},
        {HexRecord(0, 0, {1}) + "\n" + HexRecord(0, 1, {2}), "line 2: the file ends before its end-of-file record"},
    };
    for (const auto& [text, message] : cases) {
        EXPECT_EQ(parse(text), 0) << text;
        EXPECT_EQ(parseError, message) << text;
    }
}

// A firmware image with code in every word of the application area, the given version and type.
std::vector<std::uint8_t> firmwareImage(const char* version, const char* type = "5300") {
    std::vector<std::uint8_t> image(kFirmwareImageSize, 0xFF);
    std::mt19937 random(1234);
    for (std::size_t offset = 2 * kFirmwareStartAddress; offset < kFirmwareImageSize; offset += 4) {
        for (int i = 0; i < 3; ++i) image[offset + i] = static_cast<std::uint8_t>(random());
        image[offset + 3] = 0;
    }
    FirmwareSetVersionChars(image.data(), version);
    FirmwareSetTypeChars(image.data(), type);
    return image;
}

TEST(FirmwareImageTest, TypeAndVersionSitTwoCharactersPerWord) {
    std::vector<std::uint8_t> image(kFirmwareImageSize, 0xFF);
    const std::pair<const char*, const char*> types[] = {
        {"5300      ", "5300"}, {"kestrelix ", "KESTRELIX"}, {"5300X     ", "Unknown"}, {"          ", "Unknown"}};
    for (const auto& [chars, name] : types) {
        FirmwareSetTypeChars(image.data(), chars);
        EXPECT_EQ(FirmwareTypeName(image.data()), name) << chars;
    }
    FirmwareSetVersionChars(image.data(), "12345678");
    FirmwareSetTypeChars(image.data(), "5300");
    const std::pair<int, char> bytes[] = {{0xA224, '1'}, {0xA225, '2'}, {0xA228, '3'},
                                          {0xA231, '8'}, {0xA234, '5'}, {0xA239, '0'}};
    for (const auto& [at, byte] : bytes) EXPECT_EQ(image[at], byte) << at;
}

class FirmwareUpdateTest : public ::testing::Test {
protected:
    // The HEX text of a whole image, made once per image and kept for the other tests.
    std::string hexFile(const std::vector<std::uint8_t>& image) {
        static std::map<std::vector<std::uint8_t>, std::string> made;
        auto& text = made[image];
        if (text.empty()) text = testing::HexFileOf(image, 0, image.size());
        testing::WriteBytes(dir.file("firmware.hex"), text);
        return dir.file("firmware.hex");
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
    // The stamp, high byte first, makes the words with the file's own checksum bytes add up to 0x5A5A.
    const auto stamp = static_cast<std::uint16_t>(0x5A5A - FirmwareChecksum(image.data(), 0x2A400));
    EXPECT_EQ(bench.panel->programMemory()[0xA220], stamp >> 8);
    EXPECT_EQ(bench.panel->programMemory()[0xA221], stamp & 0xFF);

    EXPECT_EQ(bench.requestsOf(kCommandEraseBlock).size(), 149u);
    EXPECT_EQ(erasesAt(0x2A000), 1u);
    EXPECT_EQ(erasesAt(0x2A400), 0u);
    const Messages events = {"open",
                             "title:Erasing... (1/3)",
                             "title:Writing panel firmware... (2/3)",
                             "title:Verifying panel firmware... (3/3)",
                             "message:" + kFirmwareWritten,
                             "close"};
    EXPECT_EQ(bench.observer.events(), events);
}

// Only an older version asks first; the panel's own version goes on without a question.
TEST_F(FirmwareUpdateTest, OlderFirmwareIsInstalledOnlyAfterAYesAndThenCoversTheLastBlockToo) {
    testing::RecordingObserver saysNo(false);
    PanelSession declining(bench.link, bench.store, saysNo);
    EXPECT_EQ(FirmwareUpdateFromFile(declining, hexFile(firmwareImage(kDemoFirmwareVersion))),
              FirmwareUpdateResult::Written);
    EXPECT_EQ(saysNo.events().front(), "open");

    const std::string path = hexFile(firmwareImage("12359999"));
    testing::RecordingObserver saysNoAgain(false);
    PanelSession decliningAgain(bench.link, bench.store, saysNoAgain);
    bench.panel->clearRequests();
    EXPECT_EQ(FirmwareUpdateFromFile(decliningAgain, path), FirmwareUpdateResult::Declined);
    EXPECT_EQ(saysNoAgain.events(),
              Messages{"question:Are you sure?|Are you sure you want to update the panel firmware\r\n"
                       "with a version older than the one currently in use?"});
    EXPECT_TRUE(bench.requestsOf(kCommandEraseBlock).empty());

    EXPECT_EQ(FirmwareUpdateFromFile(bench.session, path), FirmwareUpdateResult::Written);
    EXPECT_EQ(bench.requestsOf(kCommandEraseBlock).size(), 150u);
    EXPECT_EQ(erasesAt(0x2A400), 1u);
    EXPECT_EQ(bench.panel->programMemory()[2 * kIdentityCopyAddress + 3], 0);  // programmed from the file
}

// A panel that fails a step: the update fails with the panel's firmware reported not written.
TEST_F(FirmwareUpdateTest, APanelFaultFailsTheUpdate) {
    const struct {
        const char* what;
        std::function<void(SimFaults&)> fault;
        Messages messages;
        int erases;  // -1: any number
        bool programs;
    } cases[] = {
        {"erase not acknowledged",
         [](SimFaults& f) { f.eraseFails = [](std::uint32_t a) { return a == 0x6000; }; },
         {kFirmwareFailed},
         5,
         false},
        {"program not acknowledged",
         [](SimFaults& f) { f.programFails = [](std::uint32_t a) { return a >= 0x10000; }; },
         {testing::kCannotProgramMessage, kFirmwareFailed},
         -1,
         true},
        {"a word reads back wrong",
         [](SimFaults& f) { f.wrongBitAddress = 0x1A2C6, f.wrongBitMask = 0x40; },
         {"5300 Commissioning software Error|The panel's program memory differs from the firmware file at "
          "address 0x1A2C6|error|fg",
          kFirmwareFailed},
         -1,
         true},
        {"silent at the query",
         [](SimFaults& f) {
             f.replyFault = [](const SimRequest& r) {
                 return r.command == kCommandQuery ? ReplyFault::Lost : ReplyFault::None;
             };
         },
         {},
         0,
         false},
        {"memory end off the block grid",
         [](SimFaults& f) { f.queryValues[1] = 0x900; },
         {kFirmwareFailed},
         150,
         false},
        {"memory larger than an image", [](SimFaults& f) { f.queryValues[1] = 0x1000; }, {kFirmwareFailed}, 0, false},
    };
    const std::string path = hexFile(firmwareImage("12600000"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        testing::SimulatedBench fresh;
        c.fault(fresh.panel->faults);
        fresh.panel->clearRequests();
        EXPECT_EQ(FirmwareUpdateFromFile(fresh.session, path), FirmwareUpdateResult::Failed);
        EXPECT_EQ(fresh.observer.messages(), c.messages);
        if (c.erases >= 0) {
            EXPECT_EQ(fresh.requestsOf(kCommandEraseBlock).size(), static_cast<std::size_t>(c.erases));
        }
        EXPECT_EQ(!fresh.requestsOf(kCommandProgram).empty(), c.programs);
        EXPECT_FALSE(fresh.observer.progressIsOpen());
    }
}

TEST_F(FirmwareUpdateTest, FilesOfUnknownTypeOrUnsoundRecordsAreNotWritten) {
    const std::string before = bench.panel->state();
    std::string detail;
    EXPECT_EQ(FirmwareUpdateFromFile(bench.session, hexFile(firmwareImage("12600000", "4100")), &detail),
              FirmwareUpdateResult::UnknownType);

    EXPECT_EQ(FirmwareUpdateFromFile(bench.session, dir.file("missing.hex"), &detail),
              FirmwareUpdateResult::FileRefused);

    // A download cut at a line boundary: every record is sound, the end-of-file record is missing.
    std::string text = testing::HexFileOf(firmwareImage("12600000"), 0, kFirmwareImageSize);
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

    FirmwareJob job;  // without an image (the desktop runs its own job) nothing is sent and the display closes
    bench.panel->faults.noPanel = false;
    bench.panel->clearRequests();
    bench.observer.ProgressOpen();
    EXPECT_FALSE(FirmwareWorker(bench.session, job));
    EXPECT_TRUE(bench.panel->requests().empty());
    EXPECT_FALSE(bench.observer.progressIsOpen());
}

}  // namespace
}  // namespace tamrik
