#include <gtest/gtest.h>

#include <vector>

#include "panel/FirmwareImage.h"
#include "panel/HexFile.h"
#include "panel/HexTestSupport.h"
#include "support/TempDir.h"

namespace tamrik {
namespace {

using testing::HexRecord;

class HexFileTest : public ::testing::Test {
protected:
    int parse(const std::string& text) {
        image.assign(0x100, 0xFF);
        error.clear();
        return HexFileParse(text, image.data(), image.size(), &error);
    }

    std::vector<std::uint8_t> image;
    std::string error;
};

TEST_F(HexFileTest, LoadsDataRecordsAtTheirAddressesUnderEachAddressRecordKind) {
    const std::string text =
        HexRecord(0, 0x0010, {1, 2, 3}) + "\n" + HexRecord(2, 0, {0x00, 0x02}) + "\n" +  // segment base 0x20
        HexRecord(0, 0x0004, {4}) + "\n" + HexRecord(4, 0, {0x00, 0x00}) + "\n" +        // linear base 0
        HexRecord(0, 0x0040, {5, 6}) + "\n" + HexRecord(5, 0, {0, 0, 0, 0}) + "\n" +  // start address: nothing to load
        HexRecord(0x0C, 0x50, {1, 2}) + "\n" +                                        // unknown type: skipped
        HexRecord(1, 0, {}) + "\n" + HexRecord(0, 0x60, {0xAB}) + "\n";  // records after the end are loaded too
    ASSERT_EQ(parse(text), 1) << error;
    const std::pair<int, int> bytes[] = {{0x10, 1}, {0x12, 3}, {0x13, 0xFF}, {0x24, 4},
                                         {0x40, 5}, {0x41, 6}, {0x50, 0xFF}, {0x60, 0xAB}};
    for (const auto& [at, byte] : bytes) EXPECT_EQ(image[at], byte) << at;
}

TEST_F(HexFileTest, LowerCaseLongRecordsAndBytesPastTheImageLoad) {
    std::string lower = HexRecord(0, 0x30, {0xCD, 0xEF});
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::string end = HexRecord(1, 0, {}) + "\n";
    ASSERT_EQ(parse(lower + "\r\n" + end), 1) << error;
    EXPECT_EQ(image[0x31], 0xEF);

    std::vector<std::uint8_t> data(255);
    for (int i = 0; i < 255; ++i) data[i] = static_cast<std::uint8_t>(i);
    ASSERT_EQ(parse(HexRecord(0, 0, data) + "\n" + end), 1) << error;  // a line of over 500 characters
    EXPECT_EQ(image[254], 254);

    // Bytes past the image are dropped and the load succeeds.
    ASSERT_EQ(parse(HexRecord(0, 0xFE, {1, 2, 3, 4}) + "\n" + HexRecord(4, 0, {0x00, 0x05}) + "\n" +
                    HexRecord(0, 0x0000, {7}) + "\n" + end),
              1)
        << error;
    EXPECT_EQ(image[0xFE], 1);
    EXPECT_EQ(image[0xFF], 2);
}

TEST_F(HexFileTest, RefusesUnsoundRecordsNamingTheLine) {
    std::string badChecksum = HexRecord(0, 0x10, {1, 2, 3});
    badChecksum.back() = badChecksum.back() == '0' ? '1' : '0';
    const std::string full = HexRecord(0, 0x10, {1, 2, 3, 4});
    std::string notHex = HexRecord(0, 0x10, {0x12, 0x34});
    notHex[10] = 'G';
    const std::string end = HexRecord(1, 0, {}) + "\n";
    const std::pair<std::string, std::string> cases[] = {
        {HexRecord(0, 0, {1}) + "\r\n" + HexRecord(1, 0, {}) + "\r\n\r\n", "line 3: does not start with ':'"},
        {end + "\n", "line 2: does not start with ':'"},
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
        EXPECT_EQ(error, message) << text;
    }
}

TEST(HexFileLoadTest, ReadsAFileAndRefusesOneThatIsMissing) {
    testing::TempDir dir;
    testing::WriteBytes(dir.file("fw.hex"), HexRecord(0, 2, {0x42}) + "\r\n" + HexRecord(1, 0, {}) + "\r\n");
    std::vector<std::uint8_t> image(16, 0xFF);
    std::string error;
    EXPECT_EQ(HexFileLoad(dir.file("fw.hex"), image.data(), image.size(), &error), 1);
    EXPECT_EQ(image[2], 0x42);
    EXPECT_EQ(HexFileLoad(dir.file("missing.hex"), image.data(), image.size(), &error), 0);
    EXPECT_NE(error.find("cannot open"), std::string::npos);
}

class FirmwareImageTest : public ::testing::Test {
protected:
    std::vector<std::uint8_t> image = std::vector<std::uint8_t>(kFirmwareImageSize, 0xFF);
};

TEST_F(FirmwareImageTest, TypeIsCutAtTheFirstBlankAndUpperCased) {
    const std::pair<const char*, const char*> types[] = {
        {"5300      ", "5300"}, {"kestrelix ", "KESTRELIX"}, {"5300X     ", "Unknown"}, {"          ", "Unknown"}};
    for (const auto& [chars, name] : types) {
        FirmwareSetTypeChars(image.data(), chars);
        EXPECT_EQ(FirmwareTypeName(image.data()), name) << chars;
    }
}

TEST_F(FirmwareImageTest, VersionAndTypeSitTwoCharactersPerWord) {
    FirmwareSetVersionChars(image.data(), "12345678");
    FirmwareSetTypeChars(image.data(), "5300");
    const std::pair<int, char> bytes[] = {{0xA224, '1'}, {0xA225, '2'}, {0xA228, '3'},
                                          {0xA231, '8'}, {0xA234, '5'}, {0xA239, '0'}};
    for (const auto& [at, byte] : bytes) EXPECT_EQ(image[at], byte) << at;
    EXPECT_EQ(FirmwareVersionChars(image.data()), "12345678");
}

TEST_F(FirmwareImageTest, ChecksumStampIsStoredHighByteFirst) {
    image[0xA000] = 0x01;  // word 0x5000: 256 x 1 + 0xFF, then 256 x 0xFF
    const std::uint32_t end = 0x5400;
    const std::uint16_t sum = FirmwareChecksum(image.data(), end);
    FirmwareStampChecksum(image.data(), end);
    const auto stamp = static_cast<std::uint16_t>(0x5A5A - sum);
    EXPECT_EQ(image[0xA220], stamp >> 8);
    EXPECT_EQ(image[0xA221], stamp & 0xFF);

    // An erased block sums each word as 0xFFFF + 0xFF00.
    std::vector<std::uint8_t> erased(kFirmwareImageSize, 0xFF);
    EXPECT_EQ(FirmwareChecksum(erased.data(), 0x5002), static_cast<std::uint16_t>(0xFFFF + 0xFF00));
}

}  // namespace
}  // namespace tamrik
