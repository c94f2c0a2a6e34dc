#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "images/ImageLayout.h"
#include "images/LoopRecord.h"
#include "settings/DefaultSettings.h"

namespace tamrik {
namespace {

using Record = std::array<std::uint8_t, kLoopRecordSize>;

class LoopRecordTest : public ::testing::Test {
protected:
    Record encode(int address) {
        Record record;
        record.fill(0xEE);
        LoopRecordEncode(store, record.data(), address);
        return record;
    }
    std::string value(const std::string& key) { return std::string(store.text(key, "<absent>")); }

    SettingsStore store;
};

// Map node 192 is the last node; a version of 0x80 has the top bit of its byte set.
TEST_F(LoopRecordTest, EveryFieldHasItsByte) {
    const std::pair<const char*, const char*> values[] = {
        {"SNum_7", "00A1B2"}, {"Type_7", "210"},   {"Version_7", "128"},    {"OPGroup_7", "3"},  {"IPGroup_7", "4"},
        {"MapNode_7", "192"}, {"Sens1_7", "2"},    {"Sens2_7", "5"},        {"Class_7", "3"},    {"Volume_7", "15"},
        {"Zone_7", "32"},     {"RptGroup_7", "6"}, {"DisplayGroup_7", "9"}, {"Coverage_7", "2"}, {"NonLatching_7", "1"},
    };
    const Record record{0xB2, 0xA1, 0x00, 0x00, 210, 0x80, 3, 4, 192, 0x52, 0xF3, 32, 6, 9, 7, 0x05};
    for (const auto& [key, text] : values) store.put(key, text);
    EXPECT_EQ(encode(7), record);

    store.clear();
    LoopRecordDecode(store, 7, encode(7).data());  // an empty store encodes all zero ...
    EXPECT_EQ(value("SNum_7"), "000000");
    LoopRecordDecode(store, 7, record.data());  // ... and a second decode replaces every value
    for (const auto& [key, text] : values) EXPECT_EQ(value(key), text) << key;
}

// Non-latching is the presence of the key, whatever its value; nibbles and coverage keep their low bits.
TEST_F(LoopRecordTest, PackedFieldsKeepTheirLowBits) {
    const std::pair<const char*, const char*> values[] = {
        {"Sens1_1", "17"}, {"Sens2_1", "18"}, {"Volume_1", "15"}, {"Class_1", "3"}, {"Coverage_1", "33"},
    };
    for (const auto& [key, text] : values) store.put(key, text);
    Record record = encode(1);
    EXPECT_EQ(record[9], 0x21);
    EXPECT_EQ(record[10], 0xF3);
    EXPECT_EQ(record[15], 0x02);  // coverage 1, latching
    store.put("NonLatching_1", "0");
    EXPECT_EQ(encode(1)[15], 0x03);

    record = Record{};
    record[15] = 0xFF;  // bits 6-7 are not ours
    LoopRecordDecode(store, 4, record.data());
    EXPECT_EQ(value("NonLatching_4"), "1");
    EXPECT_EQ(value("Coverage_4"), "31");
    record[15] = 0x3E;
    LoopRecordDecode(store, 4, record.data());
    EXPECT_EQ(value("NonLatching_4"), "<absent>");
    EXPECT_EQ(value("Coverage_4"), "31");
}

TEST_F(LoopRecordTest, AddressesOutsideTheLoopAreIgnored) {
    store.put("SNum_0", "123456");
    EXPECT_EQ(encode(0), Record{});
    EXPECT_EQ(encode(193), Record{});
    const Record record{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    LoopRecordDecode(store, 193, record.data());
    LoopRecordDecode(store, -1, record.data());
    EXPECT_EQ(store.size(), 1);
}

// Random records decode to values that encode back to them: serial numbers of eight digits among them,
// and the own address byte only where a serial number is set.
TEST_F(LoopRecordTest, WholeLoopImageSurvivesDecodeAndEncode) {
    std::mt19937 engine(5300);
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<std::uint8_t> image(kLoopImageSize);
    for (int a = 1; a <= kLoopRecordCount; ++a) {
        std::uint8_t* record = &image[kLoopRecordSize * static_cast<std::size_t>(a - 1)];
        for (std::size_t i = 0; i < kLoopRecordSize; ++i) record[i] = static_cast<std::uint8_t>(byte(engine));
        if (a % 5 == 0) record[0] = record[1] = record[2] = record[3] = 0;
        const bool present = record[0] | record[1] | record[2] | record[3];
        record[14] = present ? static_cast<std::uint8_t>(a) : 0;
        record[15] &= 0x3F;
    }
    ApplyDefaultSettings(store);
    for (int a = 1; a <= kLoopRecordCount; ++a) LoopRecordDecode(store, a, &image[kLoopRecordSize * (a - 1)]);
    std::vector<std::uint8_t> encoded(kLoopImageSize);
    for (int a = 1; a <= kLoopRecordCount; ++a) LoopRecordEncode(store, &encoded[kLoopRecordSize * (a - 1)], a);
    EXPECT_EQ(encoded, image);
}

}  // namespace
}  // namespace tamrik
