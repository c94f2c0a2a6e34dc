#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "images/ImageChecksum.h"
#include "images/ImageLayout.h"
#include "images/SiteImage.h"
#include "settings/DefaultSettings.h"

namespace tamrik {
namespace {

using Bytes = std::vector<std::uint8_t>;

class SiteImageTest : public ::testing::Test {
protected:
    void SetUp() override { StoreCreate(store); }
    void TearDown() override { StoreDestroy(&store); }

    Bytes encode() {
        Bytes image(kSiteImageSize, 0xEE);
        checksum = SiteImageEncode(store, image.data(), identity);
        return image;
    }
    bool decode(const Bytes& image) { return SiteImageDecode(store, image.data()); }
    std::string value(const std::string& key) {
        const char* text = SettingGet(store, key);
        return text ? text : "<absent>";
    }
    // A revision-2 image holding one field value on an otherwise zero image.
    static Bytes blankImage() {
        Bytes image(kSiteImageSize, 0);
        image[0] = 2;
        return image;
    }

    SettingsStore store;
    PanelIdentity identity{};
    std::uint16_t checksum = 0;
};

std::uint16_t word(const Bytes& image, std::size_t offset) {
    return static_cast<std::uint16_t>(image[offset] | image[offset + 1] << 8);
}
Bytes range(const Bytes& image, std::size_t offset, std::size_t length) {
    return Bytes(image.begin() + static_cast<long>(offset), image.begin() + static_cast<long>(offset + length));
}
std::string chars(const Bytes& image, std::size_t offset, std::size_t length) {
    return std::string(reinterpret_cast<const char*>(&image[offset]), length);
}
bool allZero(const Bytes& image, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) {
        if (image[i] != 0) return false;
    }
    return true;
}

TEST(ImageChecksum, WordsAndChecksumAddUpTo5A5A) {
    const Bytes zero(kSiteImageSize, 0);
    EXPECT_EQ(ImageChecksum(zero.data(), zero.size()), 0x5A5A);
    const Bytes bytes = {0x34, 0x12, 0xFF, 0xFF, 0x01, 0x00};
    const std::uint16_t sum = ImageChecksum(bytes.data(), bytes.size());
    EXPECT_EQ(sum, static_cast<std::uint16_t>(0x5A5A - 0x1234 - 0xFFFF - 0x0001));
    EXPECT_EQ(static_cast<std::uint16_t>(0x1234 + 0xFFFF + 0x0001 + sum), 0x5A5A);
    const Bytes odd = {0x00, 0x00, 0x07};
    EXPECT_EQ(ImageChecksum(odd.data(), odd.size()), 0x5A5A - 7);
}

TEST(PanelIdentityRecord, NineBytesInImageOrder) {
    const PanelIdentity id{0x9ABCDEF0, 1, 32, 192, 3, 4};
    const auto bytes = id.toBytes();
    EXPECT_EQ(bytes, (std::array<std::uint8_t, 9>{0xF0, 0xDE, 0xBC, 0x9A, 1, 32, 192, 3, 4}));
    const PanelIdentity back = PanelIdentity::fromBytes(bytes.data());
    EXPECT_EQ(back.serialNumber, 0x9ABCDEF0u);
    EXPECT_EQ(back.language, 4);
    EXPECT_EQ(back.maxLoggedDevices, 192);
}

TEST_F(SiteImageTest, DefaultSiteEncodesFieldByField) {
    ApplyDefaultSettings(store);
    const Bytes image = encode();
    EXPECT_EQ(checksum, ImageChecksum(image.data(), image.size()));
    EXPECT_EQ(word(image, 0), 2);
    EXPECT_EQ(range(image, 2, 9), (Bytes{0x00, 0x00, 0x00, 0x53, 0, 32, 192, 0, 0}));
    EXPECT_EQ(identity.serialNumber, 0x53000000u);
    EXPECT_EQ(identity.numZones, 32);
    EXPECT_EQ(identity.maxLoggedDevices, 192);
    EXPECT_EQ(image[11], 90);                            // ServiceReminderDays
    EXPECT_EQ(range(image, 14, 256), Bytes(256, 0x55));  // every cell "C"
    EXPECT_EQ(chars(image, 334, 21), std::string("    TARVEX 5300     \0", 21));
    EXPECT_EQ(chars(image, 334 + 42, 21), std::string(20, ' ') + '\0');
    EXPECT_EQ(chars(image, 4450, 20), "Zone 01             ");
    EXPECT_EQ(range(image, 5135, 24), (Bytes{3, 3, 1, 1, 4, 2, 4, 4, 2, 2, 1, 3, 1, 1, 3, 3, 2, 4, 4, 4, 2, 2, 3, 1}));
    EXPECT_EQ(image[5134], 1);   // ConvAlarmOpGroup
    EXPECT_EQ(image[5207], 20);  // TalkingSndSyncTime
    EXPECT_EQ(image[5212], 2);   // PulseOnTime 1.0
    EXPECT_EQ(image[5213], 2);
    EXPECT_EQ(image[5220], 12);    // WalkTestTimeout
    EXPECT_EQ(image[5221], 1);     // PulsingAlarmTimeoutTone
    EXPECT_EQ(image[5224], 2);     // BeaconFlashrate
    EXPECT_EQ(image[5226], 0x01);  // FlashOnPoll
    EXPECT_EQ(image[5227], 0x20);  // TsSpokenMess
    EXPECT_EQ(image[5228], 0x00);
    EXPECT_TRUE(allZero(image, 5159, 5207));
    EXPECT_TRUE(allZero(image, 5230, kSiteImageSize));
}

TEST_F(SiteImageTest, DecodeReplacesTheStoreAndCountsAsSaved) {
    ApplyDefaultSettings(store);
    SettingPut(store, "SiteName", "Harbour Yard");
    const Bytes image = encode();
    SettingPut(store, "FireEvent_1", "1, 2, 3");
    SettingPut(store, "SiteName", "changed");

    ASSERT_TRUE(decode(image));
    EXPECT_EQ(value("FireEvent_1"), "<absent>");
    EXPECT_EQ(value("SNum_1"), "<absent>");  // loop keys come from the loop image, not this one
    EXPECT_EQ(value("SiteName"), "Harbour Yard");
    EXPECT_EQ(value("PanelSnum"), "53000000");
    EXPECT_EQ(value("SFRevision"), "2");
    EXPECT_EQ(value("UserCode2"), "312244");
    EXPECT_EQ(value("Matrix_32_32"), "C");
    EXPECT_EQ(value("PulseOnTime"), "1.0");
    EXPECT_EQ(value("OutputDelay_3"), "0:00");
    EXPECT_EQ(value("PanelType"), "0");
    EXPECT_EQ(value("MaleVoice"), "0");
    EXPECT_EQ(value("FlashOnPoll"), "1");
    EXPECT_EQ(value("BannerText_3"), std::string(20, ' '));
    EXPECT_EQ(store.savedChecksum, StoreChecksum(&store));
    EXPECT_FALSE(StoreChangedSinceSaved(store));
    // Decoding the same image twice gives the same store.
    const Bytes again = encode();
    EXPECT_EQ(again, image);
}

TEST_F(SiteImageTest, UnsupportedRevisionLeavesTheStoreAlone) {
    SettingPut(store, "Keep", "me");
    store.savedChecksum = 1234;
    for (std::uint16_t revision : {0, 3, 0x0102, 0xFFFF}) {
        Bytes image = blankImage();
        image[0] = static_cast<std::uint8_t>(revision);
        image[1] = static_cast<std::uint8_t>(revision >> 8);
        EXPECT_FALSE(decode(image)) << revision;
        EXPECT_EQ(value("Keep"), "me");
        EXPECT_EQ(store.entryCount, 1);
        EXPECT_EQ(store.savedChecksum, 1234u);
    }
}

// Revision 1 is revision 2 without UserCode2: everything after UserCode lies 6 bytes lower.
Bytes toRevision1(const Bytes& revision2) {
    Bytes image(revision2.begin(), revision2.begin() + 5141);
    image.insert(image.end(), revision2.begin() + 5147, revision2.end());
    image.resize(kSiteImageSize, 0);
    image[0] = 1;
    image[1] = 0;
    return image;
}

TEST_F(SiteImageTest, RevisionOneDecodesSixBytesLowerAndEncodesBack) {
    ApplyDefaultSettings(store);
    SettingPut(store, "SiteBatteryInstallation", "2024-05-01");
    SettingPut(store, "Serial", "1");
    SettingPut(store, "AdvancedCode", "123412");
    const Bytes revision2 = encode();
    const Bytes revision1 = toRevision1(revision2);

    ASSERT_TRUE(decode(revision1));
    EXPECT_EQ(value("SFRevision"), "1");
    EXPECT_EQ(value("UserCode"), "241133");
    EXPECT_EQ(value("UserCode2"), "000000");
    EXPECT_EQ(value("EngineerCode"), "423311");
    EXPECT_EQ(value("AdvancedCode"), "123412");
    EXPECT_EQ(value("TalkingSndSyncTime"), "20");
    EXPECT_EQ(value("Serial"), "1");
    EXPECT_EQ(value("SiteBatteryInstallation"), "2024-05-01");

    const Bytes encoded = encode();
    EXPECT_EQ(encoded, revision1);
    for (std::size_t i = 6138; i < kSiteImageSize; ++i) EXPECT_EQ(encoded[i], 0);
    EXPECT_EQ(checksum, ImageChecksum(revision1.data(), revision1.size()));
    EXPECT_EQ(identity.serialNumber, 0x53000000u);
}

TEST_F(SiteImageTest, OnlyTheTwoKnownRevisionsAreWritten) {
    for (const char* revision : {"3", "0", "", "x"}) {
        SettingPut(store, "SFRevision", revision);
        EXPECT_EQ(word(encode(), 0), 2) << revision;
    }
    SettingDelete(store, "SFRevision");
    EXPECT_EQ(word(encode(), 0), 2);
    SettingPut(store, "SFRevision", "1");
    EXPECT_EQ(word(encode(), 0), 1);
}

TEST_F(SiteImageTest, OutOfRangeCountsClampWhenDecoded) {
    Bytes image = blankImage();
    const std::pair<std::size_t, std::uint8_t> bytes[] = {{270, 120}, {271, 121},  {272, 5},   {302, 240}, {303, 241},
                                                          {333, 255}, {5214, 255}, {5222, 12}, {5224, 7}};
    for (const auto& [offset, count] : bytes) image[offset] = count;
    ASSERT_TRUE(decode(image));
    EXPECT_EQ(value("OutputDelay_1"), "10:00");
    EXPECT_EQ(value("OutputDelay_2"), "10:00");
    EXPECT_EQ(value("OutputDelay_3"), "0:25");
    EXPECT_EQ(value("OutputDelayT2_1"), "20:00");
    EXPECT_EQ(value("OutputDelayT2_2"), "20:00");
    EXPECT_EQ(value("OutputDelayT2_32"), "20:00");
    EXPECT_EQ(value("FireLinkDelay"), "10:00");
    EXPECT_EQ(value("PulsingAlarmTimeoutTime"), "1:00");
    EXPECT_EQ(value("BeaconFlashrate"), "2");
}

TEST_F(SiteImageTest, FiveSecondTextsAreNormalisedAndRoundedDown) {
    SettingPut(store, "OutputDelay_1", "1:5");
    SettingPut(store, "OutputDelay_2", "0:09");
    SettingPut(store, "OutputDelayT2_32", "20:00");
    SettingPut(store, "SearchTime", "no colon");
    SettingPut(store, "FirstKnockSearchTime", "21:15");
    const Bytes image = encode();
    EXPECT_EQ(image[270], 13);
    EXPECT_EQ(value("OutputDelay_1"), "1:05");
    EXPECT_EQ(image[271], 1);
    EXPECT_EQ(image[333], 240);
    EXPECT_EQ(image[5217], 0);
    EXPECT_EQ(value("SearchTime"), "no colon");
    EXPECT_EQ(image[5216], 255);
    EXPECT_EQ(image[272], 0);  // missing key
}

TEST_F(SiteImageTest, OverlongDelaysSaturateInsteadOfWrapping) {
    SettingPut(store, "OutputDelay_1", "25:00");  // 300 counts: would wrap to 44 (3:40)
    SettingPut(store, "FireLinkDelay", "-1:00");
    const Bytes image = encode();
    EXPECT_EQ(image[270], 255);
    EXPECT_EQ(image[5214], 0);
    ASSERT_TRUE(decode(image));
    EXPECT_EQ(value("OutputDelay_1"), "10:00");
}

TEST_F(SiteImageTest, PulseTimesInHalfSeconds) {
    SettingPut(store, "PulseOnTime", "0.0");
    SettingPut(store, "PulseOffTime", "200");
    Bytes image = encode();
    EXPECT_EQ(image[5212], 1);
    EXPECT_EQ(value("PulseOnTime"), "0.5");
    EXPECT_EQ(image[5213], 255);
    EXPECT_EQ(value("PulseOffTime"), "127.5");

    image = blankImage();
    image[5212] = 0;
    image[5213] = 5;
    ASSERT_TRUE(decode(image));
    EXPECT_EQ(value("PulseOnTime"), "0.0");
    EXPECT_EQ(value("PulseOffTime"), "2.5");
    SettingDelete(store, "PulseOnTime");
    EXPECT_EQ(encode()[5212], 0);
}

TEST_F(SiteImageTest, DisplayTextsAreRightAlignedInTwentyCharacters) {
    SettingPut(store, "ZoneText_1", "Garage1");
    SettingPut(store, "DeviceText_192", "A text much longer than twenty");
    SettingPut(store, "BannerText_4", "");
    Bytes image = encode();
    EXPECT_EQ(chars(image, 4450, 21), std::string(13, ' ') + "Garage1" + '\0');
    EXPECT_EQ(chars(image, 4450 + 4 * 21, 21), std::string(20, ' ') + '\0');  // ZoneText_5 missing
    EXPECT_EQ(chars(image, 418 + 191 * 21, 21), std::string("A text much longer t") + '\0');
    EXPECT_EQ(chars(image, 334 + 3 * 21, 21), std::string(20, ' ') + '\0');

    // Decoding stops at a NUL, keeps spaces and never takes more than 20 characters.
    std::memcpy(&image[4450], "Zone 1  \0xxxxxxxxxxx", 20);
    std::memset(&image[418], 'Q', 21);
    ASSERT_TRUE(decode(image));
    EXPECT_EQ(value("ZoneText_1"), "Zone 1  ");
    EXPECT_EQ(value("ZoneText_5"), std::string(20, ' '));
    EXPECT_EQ(value("DeviceText_1"), std::string(20, 'Q'));
}

TEST_F(SiteImageTest, MatrixLettersPackTwoBitsFirstEntryHighest) {
    SettingPut(store, "Matrix_1_1", "W");
    SettingPut(store, "Matrix_1_16", "C");
    SettingPut(store, "Matrix_1_17", "P");
    SettingPut(store, "Matrix_2_32", "Cxx");
    SettingPut(store, "Matrix_3_1", "O");
    SettingPut(store, "Matrix_3_2", "");
    SettingPut(store, "Matrix_3_3", "X");
    SettingPut(store, "Matrix_3_4", "c");
    Bytes image = encode();
    EXPECT_EQ(range(image, 14, 8), (Bytes{0x01, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x80}));
    EXPECT_EQ(range(image, 22, 8), (Bytes{0, 0, 0, 0, 0x01, 0, 0, 0}));
    for (std::size_t i = 30; i < 38; ++i) EXPECT_EQ(image[i], 0) << i;

    ASSERT_TRUE(decode(image));
    EXPECT_EQ(value("Matrix_1_1"), "W");
    EXPECT_EQ(value("Matrix_1_16"), "C");
    EXPECT_EQ(value("Matrix_1_17"), "P");
    EXPECT_EQ(value("Matrix_2_32"), "C");
    EXPECT_EQ(value("Matrix_3_2"), "O");
    EXPECT_EQ(value("Matrix_32_1"), "O");
}

TEST_F(SiteImageTest, AlarmTypesPackLikeTheMatrix) {
    SettingPut(store, "AlarmType_1", "3");
    SettingPut(store, "AlarmType_16", "7");  // only the low two bits
    SettingPut(store, "AlarmType_32", "1");
    const Bytes image = encode();
    EXPECT_EQ(range(image, 5122, 8), (Bytes{0x03, 0x00, 0x00, 0xC0, 0x01, 0, 0, 0}));
    ASSERT_TRUE(decode(image));
    EXPECT_EQ(value("AlarmType_1"), "3");
    EXPECT_EQ(value("AlarmType_16"), "3");
    EXPECT_EQ(value("AlarmType_17"), "0");
    EXPECT_EQ(value("AlarmType_32"), "1");
}

struct FlagBit {
    const char* key;
    std::size_t offset;
    int bit;
};

TEST_F(SiteImageTest, EachOptionFlagHasItsOwnBit) {
    const FlagBit flags[] = {
        {"FlashOnPoll", 5226, 0},   {"RemoteAlarmInput", 5226, 3}, {"RaiControl", 5226, 4},
        {"ClassChange", 5226, 6},   {"DayNightIp", 5226, 7},       {"MaleVoice", 5227, 0},
        {"Beacon", 5227, 1},        {"BeaconFlashUntil", 5227, 2}, {"ClassBeacon", 5227, 3},
        {"TsSpokenTest", 5227, 4},  {"TsSpokenMess", 5227, 5},     {"TsElectronic", 5227, 6},
        {"TsBellSound", 5227, 7},   {"2ndKnock", 5228, 0},         {"SecondFireLink", 5228, 1},
        {"FlashFirstDG", 5228, 2},  {"CancelDelays", 5228, 3},     {"FBP", 5228, 4},
        {"FBP_NoDisplay", 5228, 5}, {"Serial", 5228, 6},
    };
    for (const FlagBit& flag : flags) {
        StoreDestroy(&store);
        StoreCreate(store);
        SettingPut(store, flag.key, "2");  // any non-zero number sets the bit
        const Bytes image = encode();
        for (std::size_t offset : {5226u, 5227u, 5228u}) {
            EXPECT_EQ(image[offset], offset == flag.offset ? 1 << flag.bit : 0) << flag.key << " at " << offset;
        }
        ASSERT_TRUE(decode(image));
        for (const FlagBit& other : flags) EXPECT_EQ(value(other.key), &other == &flag ? "1" : "0") << other.key;
    }
}

TEST_F(SiteImageTest, DisplayModeUsesBitsOneAndTwo) {
    SettingPut(store, "DisplayMode", "5");
    SettingPut(store, "RemoteAlarmInput", "1");
    Bytes image = encode();
    EXPECT_EQ(image[5226], 0x02 | 0x08);
    image = blankImage();
    image[5226] = 0xFF;
    ASSERT_TRUE(decode(image));
    EXPECT_EQ(value("DisplayMode"), "3");
    EXPECT_EQ(value("FlashOnPoll"), "1");
    EXPECT_EQ(encode()[5226], 0xDF);  // the reserved bit 5 is written as zero
}

TEST_F(SiteImageTest, AccessCodesAreDigitValuesLastDigitFirst) {
    SettingPut(store, "UserCode", "123456");
    SettingPut(store, "EngineerCode", "12");  // too short: the missing digits count as 0
    SettingPut(store, "AdvancedCode", "1234567");
    Bytes image = encode();
    EXPECT_EQ(range(image, 5135, 6), (Bytes{6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(range(image, 5141, 6), (Bytes{0, 0, 0, 0, 0, 0}));  // missing key
    EXPECT_EQ(range(image, 5147, 6), (Bytes{0, 0, 0, 0, 2, 1}));
    EXPECT_EQ(range(image, 5153, 6), (Bytes{6, 5, 4, 3, 2, 1}));

    image[5135] = 0xD0;  // would be a NUL character
    ASSERT_TRUE(decode(image));
    EXPECT_EQ(value("UserCode"), "12345?");
    EXPECT_EQ(value("EngineerCode"), "120000");
}

TEST_F(SiteImageTest, SerialNumbersKeepAllThirtyTwoBits) {
    for (const char* serial : {"9ABCDEF0", "80000000", "FFFFFFFF", "00000001"}) {
        SettingPut(store, "PanelSnum", serial);
        const Bytes image = encode();
        const std::uint32_t expected = static_cast<std::uint32_t>(std::stoul(serial, nullptr, 16));
        EXPECT_EQ(identity.serialNumber, expected) << serial;
        EXPECT_EQ(image[2] | image[3] << 8 | image[4] << 16 | static_cast<std::uint32_t>(image[5]) << 24, expected);
        ASSERT_TRUE(decode(image));
        EXPECT_EQ(value("PanelSnum"), serial);
    }
    SettingPut(store, "PanelSnum", "abc");
    encode();
    EXPECT_EQ(identity.serialNumber, 0xABCu);
    SettingDelete(store, "PanelSnum");
    encode();
    EXPECT_EQ(identity.serialNumber, 0u);
}

TEST_F(SiteImageTest, NumbersKeepTheLowBitsOfTheirField) {
    SettingPut(store, "ContractorCode", "70000");
    SettingPut(store, "NumZones", "300");
    SettingPut(store, "Language", "2");
    SettingPut(store, "DisabledOPGroups", "-1");
    Bytes image = encode();
    EXPECT_EQ(word(image, 12), 70000 & 0xFFFF);
    EXPECT_EQ(image[7], 300 & 0xFF);
    EXPECT_EQ(identity.numZones, 300 & 0xFF);
    EXPECT_EQ(identity.language, 2);
    EXPECT_EQ(range(image, 5130, 4), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
    ASSERT_TRUE(decode(image));
    EXPECT_EQ(value("DisabledOPGroups"), "-1");
    EXPECT_EQ(value("ContractorCode"), "4464");

    // A mask written unsigned gives the same bits as its signed form.
    SettingPut(store, "DisabledOPGroups", "2147483648");
    image = encode();
    EXPECT_EQ(range(image, 5130, 4), (Bytes{0, 0, 0, 0x80}));
    ASSERT_TRUE(decode(image));
    EXPECT_EQ(value("DisabledOPGroups"), "-2147483648");
}

TEST_F(SiteImageTest, TimesOfDayAreHourAndMinuteBytes) {
    SettingPut(store, "DayNightOnTime", "7:05");
    SettingPut(store, "DayNightOffTime", "18");
    Bytes image = encode();
    EXPECT_EQ(range(image, 5208, 4), (Bytes{7, 5, 18, 0}));
    ASSERT_TRUE(decode(image));
    EXPECT_EQ(value("DayNightOnTime"), "7:05");
    EXPECT_EQ(value("DayNightOffTime"), "18:00");
}

TEST_F(SiteImageTest, SiteTextsKeepWidthLessOneAndAreCreatedWhenMissing) {
    SettingPut(store, "SiteName", std::string(40, 'N'));
    SettingPut(store, "SiteNumber", "1234567");
    Bytes image = encode();
    EXPECT_EQ(chars(image, 5230, 32), std::string(31, 'N') + '\0');
    EXPECT_EQ(chars(image, 5262, 7), std::string("123456") + '\0');
    EXPECT_EQ(value("SiteBatteryInstallation"), "");
    EXPECT_EQ(value("SiteComments"), "");

    // A damaged field without a terminator is read to its width and no further.
    std::memset(&image[5262], '7', 7);
    ASSERT_TRUE(decode(image));
    EXPECT_EQ(value("SiteNumber"), "7777777");
    EXPECT_EQ(value("SiteName"), std::string(31, 'N'));
}

TEST_F(SiteImageTest, ReservedBytesAreWrittenAsZero) {
    Bytes image(kSiteImageSize, 0xAA);
    image[0] = 2, image[1] = 0;
    ASSERT_TRUE(decode(image));
    image = encode();
    EXPECT_TRUE(allZero(image, 5159, 5207));
    for (std::size_t i : {5223u, 5225u, 5229u}) EXPECT_EQ(image[i], 0) << i;
    EXPECT_EQ(image[5228] & 0x80, 0);
    EXPECT_TRUE(allZero(image, 5733, kSiteImageSize));
}

}  // namespace
}  // namespace tamrik
