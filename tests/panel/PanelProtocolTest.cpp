#include <gtest/gtest.h>

#include <map>

#include "panel/IdentityCopy.h"
#include "panel/PanelSession.h"
#include "panel/PanelTestSupport.h"

namespace tamrik {
namespace {

using testing::MakeReport;
using testing::RecordingObserver;
using testing::ReportAddress;
using testing::ScriptedLink;
using Messages = std::vector<std::string>;

// A reply with `count` in byte 6 and the bytes 7, 8, 9, ... 64 numbered by their place.
std::vector<Report> numberedReply(std::uint8_t command, std::uint8_t count) {
    Report reply = MakeReport(command, count);
    for (int i = 7; i < 65; ++i) reply[i] = static_cast<std::uint8_t>(i);
    return {reply};
}
// A program memory read reply (words right-aligned in groups of four from byte 9).
std::vector<Report> wordReply(std::uint8_t count) { return numberedReply(kCommandReadProgram, count); }

// A panel that answers only queries, each with an empty query report.
std::vector<Report> acknowledgeQueries(const Report& request) {
    return request[1] == kCommandQuery ? std::vector<Report>{MakeReport(kCommandQuery)} : std::vector<Report>{};
}

class ProtocolTest : public ::testing::Test {
protected:
    ScriptedLink link;
    SettingsStore store;
    RecordingObserver observer;
    PanelSession session{link, store, observer};
};

TEST_F(ProtocolTest, ProgramWordsPutsWordsRightAlignedThenAcknowledgesAndCompletes) {
    observer.ProgressOpen();
    link.answer = acknowledgeQueries;
    const std::uint8_t source[12] = {0x11, 0x12, 0x21, 0x22, 0x31, 0x32, 0x41, 0x42, 0x51, 0x52, 0x61, 0x62};
    ASSERT_EQ(session.PanelProgramWords(source, 0x2400, sizeof source), 1);

    ASSERT_EQ(link.written.size(), 3u);
    Report program = MakeReport(kCommandProgram, 24, 0x2400);
    for (int word = 0; word < 6; ++word) {  // two data bytes and two zero bytes per word, the last word at 61
        program[41 + 4 * word] = source[2 * word];
        program[42 + 4 * word] = source[2 * word + 1];
    }
    EXPECT_EQ(link.written[0], program);
    // The acknowledgement request is the same report with the command changed.
    program[1] = kCommandQuery;
    EXPECT_EQ(link.written[1], program);
    EXPECT_EQ(link.written[2][1], kCommandProgramComplete);
    EXPECT_EQ(ReportAddress(link.written[2]), 0u);
    EXPECT_EQ(link.written[2][6], 0);
}

// The reply count says how many bytes of the report hold words; a count past the report's end is
// read as the report's 58 bytes, and a word the report's end cuts short is asked for again.
TEST_F(ProtocolTest, ReplyCountsAreClampedToTheReportAndCutWordsAskedAgain) {
    const struct {
        std::uint8_t count;
        std::size_t length, exchanges;
    } cases[] = {{58, 30, 1}, {0xFF, 60, 2}, {57, 30, 2}};
    for (const auto& c : cases) {
        link.written.clear();
        link.answer = [&](const Report&) { return wordReply(c.count); };
        std::vector<std::uint8_t> bytes(c.length);
        ASSERT_EQ(session.PanelReadWords(bytes.data(), 0x1800, c.length), 1) << int(c.count);
        EXPECT_EQ(link.written.size(), c.exchanges) << int(c.count);
        if (c.count == 57) {  // 14 whole words at 8..63, then a group at 64 with one byte in the report
            EXPECT_EQ(ReportAddress(link.written[1]), 0x1800u + 28);
        } else {  // 58 bytes: 15 words, the last cut to its two data bytes
            EXPECT_EQ(bytes[0], 7);
            EXPECT_EQ(bytes[28], 63);
            EXPECT_EQ(bytes[29], 64);
        }
    }

    link.written.clear();
    link.answer = [](const Report&) { return numberedReply(kCommandReadData, 200); };
    std::vector<std::uint8_t> data(116);
    ASSERT_EQ(session.PanelReadMemory(data.data(), 0, 116), 1);
    EXPECT_EQ(link.written.size(), 2u);
    EXPECT_EQ(data[57], 64);
    EXPECT_EQ(ReportAddress(link.written[1]), 58u);
}

TEST_F(ProtocolTest, RepeatedEmptyRepliesAreAConnectionFaultNotAnEndlessLoop) {
    observer.ProgressOpen();
    link.answer = [](const Report&) { return wordReply(0); };
    std::uint8_t bytes[8] = {};
    EXPECT_EQ(session.PanelReadWords(bytes, 0x5112, sizeof bytes), 0);
    EXPECT_EQ(link.written.size(), static_cast<std::size_t>(kMaxEmptyReplies));
    EXPECT_EQ(observer.messages(), Messages{testing::kConnectionFaultMessage});
    EXPECT_FALSE(observer.progressIsOpen());

    link.written.clear();
    link.answer = [](const Report&) { return std::vector<Report>{MakeReport(kCommandReadData, 0)}; };
    EXPECT_EQ(session.PanelReadMemory(bytes, 0, sizeof bytes), 0);
    EXPECT_EQ(link.written.size(), static_cast<std::size_t>(kMaxEmptyReplies));
}

TEST_F(ProtocolTest, WriteMemorySendsCountAndDataLeftAligned) {
    link.answer = [](const Report&) { return std::vector<Report>{MakeReport(0x55)}; };
    const std::uint8_t two[2] = {0x34, 0x12};
    ASSERT_EQ(session.PanelWriteMemory(two, 0x1FF4, 2), 1);
    ASSERT_EQ(link.written.size(), 1u);
    Report expected = MakeReport(kCommandWriteData, 2, 0x1FF4);
    expected[7] = 0x34, expected[8] = 0x12;
    EXPECT_EQ(link.written[0], expected);

    link.written.clear();
    std::vector<std::uint8_t> block(100, 0xAB);
    ASSERT_EQ(session.PanelWriteMemory(block.data(), 0x100, 100), 1);
    ASSERT_EQ(link.written.size(), 2u);
    EXPECT_EQ(link.written[0][6], 58);
    EXPECT_EQ(ReportAddress(link.written[1]), 0x100u + 58);
    EXPECT_EQ(link.written[1][6], 42);
}

TEST_F(ProtocolTest, SilentPanelTimesOutAfterHalfASecondReadingInBoundedSlots) {
    const auto start = link.clock().now();
    EXPECT_EQ(session.PanelQuery(), 0);
    const auto waited = link.clock().now() - start;
    EXPECT_GT(waited, kReplyWaitLimit);
    EXPECT_LE(waited, kReplyWaitLimit + kLinkWaitLimit);
    EXPECT_EQ(link.reads, 6);
    EXPECT_TRUE(observer.messages().empty());  // the query leaves telling to its caller
}

TEST_F(ProtocolTest, QuerySumsTheTwoValuesOfTheReply) {
    link.answer = [](const Report&) {
        Report reply = MakeReport(kCommandQuery);
        reply[5] = 0x00, reply[6] = 0xA0, reply[7] = 0x02;  // 0x2A000
        reply[9] = 0x00, reply[10] = 0x08;                  // 0x800
        return std::vector<Report>{reply};
    };
    ASSERT_EQ(session.PanelQuery(), 1);
    EXPECT_EQ(session.programMemoryEnd, 0x2A800u);
}

TEST_F(ProtocolTest, EraseSendsTheBlockThenTheSameReportAsAQuery) {
    link.answer = acknowledgeQueries;
    ASSERT_EQ(session.PanelEraseBlock(0x2A400), 1);
    ASSERT_EQ(link.written.size(), 2u);
    EXPECT_EQ(link.written[0], MakeReport(kCommandEraseBlock, 0, 0x2A400));
    EXPECT_EQ(link.written[1], MakeReport(kCommandQuery, 0, 0x2A400));
}

TEST(IdentityCopyTest, SealsNineBytesWithFlagAndModbusCrc) {
    const std::uint8_t check[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    EXPECT_EQ(Crc16Modbus(check, sizeof check), 0x4B37);

    const PanelIdentity identity{0x5300A1C7, 1, 32, 192, 2, 3};
    auto copy = IdentityCopyBuild(identity);
    const std::uint16_t crc = Crc16Modbus(copy.data(), 10);
    const std::vector<std::uint8_t> expected = {0xC7, 0xA1, 0x00, 0x53, 1, 32, 192, 2, 3, 0x01};
    EXPECT_EQ(std::vector<std::uint8_t>(copy.begin(), copy.begin() + 10), expected);
    EXPECT_EQ(copy[10] | copy[11] << 8, crc);
    EXPECT_TRUE(IdentityCopyIsValid(copy.data()));
    copy[11] ^= 1;
    EXPECT_FALSE(IdentityCopyIsValid(copy.data()));
    copy = IdentityCopyBuild(identity);
    copy[9] = 0;
    EXPECT_FALSE(IdentityCopyIsValid(copy.data()));
}

// A panel whose program memory holds the given areas (2 data bytes per word from the address asked).
std::function<std::vector<Report>(const Report&)> panelHolding(
    std::map<std::uint32_t, std::vector<std::uint8_t>> areas) {
    return [areas](const Report& request) {
        Report reply = MakeReport(kCommandReadProgram, 56);
        for (std::uint32_t at = ReportAddress(request), word = 0; word < 14; ++word, at += 2) {
            for (const auto& [start, bytes] : areas) {
                if (at < start || at - start >= bytes.size()) continue;
                reply[9 + 4 * word] = bytes[at - start];
                reply[10 + 4 * word] = at - start + 1 < bytes.size() ? bytes[at - start + 1] : 0;
            }
        }
        return std::vector<Report>{reply};
    };
}

TEST_F(ProtocolTest, FirmwareVersionIsShownAsTwoNumbersAndBecomesZeroWhenUnreadable) {
    const std::string raw = "12345678";
    link.answer = panelHolding({{0x5112, std::vector<std::uint8_t>(raw.begin(), raw.end())}});
    std::string read;
    ASSERT_EQ(session.PanelReadFirmwareVersion(&read), 1);
    EXPECT_EQ(read, "12345678");
    EXPECT_EQ(store.get("FirmwareVersion"), "1.234 / 5.678");

    link.answer = nullptr;
    EXPECT_EQ(session.PanelReadFirmwareVersion(&read), 0);
    EXPECT_EQ(read, "");
    EXPECT_EQ(store.get("FirmwareVersion"), "0");

    EXPECT_EQ(FirmwareVersionNumber("12350000"), 123);
    EXPECT_EQ(FirmwareVersionNumber("9x"), 9);
    EXPECT_EQ(FirmwareVersionNumber("x12"), 0);
    EXPECT_EQ(FirmwareVersionText(std::string("12\00045678", 8)), "1.2");
}

}  // namespace
}  // namespace tamrik
