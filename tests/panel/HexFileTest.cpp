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
        HexRecord(1, 0, {}) + "\n";
    ASSERT_EQ(parse(text), 1) << error;
    EXPECT_EQ(image[0x10], 1);
    EXPECT_EQ(image[0x12], 3);
    EXPECT_EQ(image[0x24], 4);
    EXPECT_EQ(image[0x40], 5);
    EXPECT_EQ(image[0x41], 6);
    EXPECT_EQ(image[0x13], 0xFF);
}

TEST_F(HexFileTest, RecordsAfterTheEndOfFileRecordAreLoadedToo) {
    ASSERT_EQ(parse(HexRecord(1, 0, {}) + "\r\n" + HexRecord(0, 0x20, {0xAB}) + "\r\n"), 1) << error;
    EXPECT_EQ(image[0x20], 0xAB);
}

TEST_F(HexFileTest, LowerCaseDigitsAndCrLfLineEndsAreFine) {
    std::string record = HexRecord(0, 0x30, {0xCD, 0xEF});
    for (char& c : record) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    ASSERT_EQ(parse(record + "\r\n"), 1) << error;
    EXPECT_EQ(image[0x31], 0xEF);
}

TEST_F(HexFileTest, AFileEndingInAnEmptyLineIsRefused) {
    EXPECT_EQ(parse(HexRecord(0, 0, {1}) + "\r\n" + HexRecord(1, 0, {}) + "\r\n\r\n"), 0);
    EXPECT_EQ(error, "line 3: does not start with ':'");
    EXPECT_EQ(parse(HexRecord(1, 0, {}) + "\n\n"), 0);
    EXPECT_EQ(error, "line 2: does not start with ':'");
    EXPECT_EQ(parse("junk\n"), 0);
}

TEST_F(HexFileTest, ABadRecordChecksumIsRefusedNamingItsLine) {
    std::string bad = HexRecord(0, 0x10, {1, 2, 3});
    bad[bad.size() - 1] = bad.back() == '0' ? '1' : '0';
    EXPECT_EQ(parse(HexRecord(0, 0, {9}) + "\n" + bad + "\n" + HexRecord(1, 0, {}) + "\n"), 0);
    EXPECT_EQ(error, "line 2: the record checksum is wrong");
}

TEST_F(HexFileTest, ARecordShorterThanItsCountIsRefused) {
    const std::string full = HexRecord(0, 0x10, {1, 2, 3, 4});
    EXPECT_EQ(parse(full.substr(0, full.size() - 4) + "\n"), 0);
    EXPECT_EQ(error, "line 1: the record is shorter than its count");
    EXPECT_EQ(parse(":\n"), 0);
}

TEST_F(HexFileTest, NonHexadecimalCharactersAreRefused) {
    std::string record = HexRecord(0, 0x10, {0x12, 0x34});
    record[10] = 'G';
    EXPECT_EQ(parse(record + "\n"), 0);
    EXPECT_EQ(error, "line 1: the record holds a character that is not a hex digit");
}

TEST_F(HexFileTest, AnAddressRecordMustHoldTwoBytes) {
    EXPECT_EQ(parse(HexRecord(4, 0, {0x01}) + "\n"), 0);
    EXPECT_EQ(error, "line 1: the address record does not hold two bytes");
}

TEST_F(HexFileTest, RecordsOfAnyLengthLoad) {
    std::vector<std::uint8_t> data(255);
    for (int i = 0; i < 255; ++i) data[i] = static_cast<std::uint8_t>(i);
    const std::string longRecord = HexRecord(0, 0, data);
    ASSERT_GT(longRecord.size(), 500u);
    ASSERT_EQ(parse(longRecord + "\n"), 1) << error;
    EXPECT_EQ(image[254], 254);
}

TEST_F(HexFileTest, BytesPastTheImageAreDroppedAndTheLoadSucceeds) {
    ASSERT_EQ(parse(HexRecord(0, 0xFE, {1, 2, 3, 4}) + "\n" + HexRecord(4, 0, {0x00, 0x05}) + "\n" +
                    HexRecord(0, 0x0000, {7}) + "\n"),
              1)
        << error;
    EXPECT_EQ(image[0xFE], 1);
    EXPECT_EQ(image[0xFF], 2);
}

TEST_F(HexFileTest, UnknownRecordTypesAreSkipped) {
    ASSERT_EQ(parse(HexRecord(0x0C, 0x10, {1, 2}) + "\n"), 1) << error;
    EXPECT_EQ(image[0x10], 0xFF);
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
    FirmwareSetTypeChars(image.data(), "5300      ");
    EXPECT_EQ(FirmwareTypeName(image.data()), "5300");
    FirmwareSetTypeChars(image.data(), "kestrelix ");
    EXPECT_EQ(FirmwareTypeName(image.data()), "KESTRELIX");
    FirmwareSetTypeChars(image.data(), "5300X     ");
    EXPECT_EQ(FirmwareTypeName(image.data()), "Unknown");
    FirmwareSetTypeChars(image.data(), "          ");
    EXPECT_EQ(FirmwareTypeName(image.data()), "Unknown");
}

TEST_F(FirmwareImageTest, VersionAndTypeSitTwoCharactersPerWord) {
    FirmwareSetVersionChars(image.data(), "12345678");
    EXPECT_EQ(image[0xA224], '1');
    EXPECT_EQ(image[0xA225], '2');
    EXPECT_EQ(image[0xA228], '3');
    EXPECT_EQ(image[0xA231], '8');
    EXPECT_EQ(FirmwareVersionChars(image.data()), "12345678");
    FirmwareSetTypeChars(image.data(), "5300");
    EXPECT_EQ(image[0xA234], '5');
    EXPECT_EQ(image[0xA239], '0');
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
