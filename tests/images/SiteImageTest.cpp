#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "images/ImageChecksum.h"
#include "images/ImageLayout.h"
#include "images/SiteImage.h"
#include "settings/DefaultSettings.h"
#include "support/SettingsText.h"
#include "support/TempDir.h"

namespace tamrik {
namespace {

using Bytes = std::vector<std::uint8_t>;

class SiteImageTest : public ::testing::Test {
protected:
    void emptyStore() { store.clear(); }
    Bytes encode() {
        Bytes image(kSiteImageSize, 0xEE);
        checksum = SiteImageEncode(store, image.data(), identity);
        return image;
    }
    bool decode(const Bytes& image) { return SiteImageDecode(store, image.data()); }
    std::string value(const std::string& key) { return std::string(store.text(key, "<absent>")); }
    // A revision-2 image, zero but for the revision.
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
// Sixteen bytes a line in hexadecimal and as characters; a run of repeated lines shows as one "*".
std::string hexDump(const Bytes& image) {
    std::string dump, last;
    for (std::size_t at = 0; at < image.size(); at += 16) {
        char line[80];
        std::string hex, text;
        for (std::size_t i = at; i < at + 16; ++i) {
            std::snprintf(line, sizeof line, " %02x", image[i]);
            hex += line;
            text += image[i] >= 0x20 && image[i] < 0x7F ? static_cast<char>(image[i]) : '.';
        }
        if (hex == last && at + 16 < image.size()) {
            if (!dump.ends_with("*\n")) dump += "*\n";
            continue;
        }
        last = hex;
        std::snprintf(line, sizeof line, "%04zu:", at);
        dump += line + hex + "  " + text + "\n";
    }
    return dump;
}
bool allZero(const Bytes& image, std::size_t from, std::size_t to) {
    return std::all_of(image.begin() + static_cast<long>(from), image.begin() + static_cast<long>(to),
                       [](std::uint8_t byte) { return byte == 0; });
}

TEST(ImageChecksum, WordsAndChecksumAddUpTo5A5A) {
    const Bytes zero(kSiteImageSize, 0);
    EXPECT_EQ(ImageChecksum(zero.data(), zero.size()), 0x5A5A);
    const Bytes bytes = {0x34, 0x12, 0xFF, 0xFF, 0x01, 0x00};
    const std::uint16_t sum = ImageChecksum(bytes.data(), bytes.size());
    EXPECT_EQ(static_cast<std::uint16_t>(0x1234 + 0xFFFF + 0x0001 + sum), 0x5A5A);
    const Bytes odd = {0x00, 0x00, 0x07};
    EXPECT_EQ(ImageChecksum(odd.data(), odd.size()), 0x5A5A - 7);
}

// The default site with a value of every kind changed, some of them beyond what their fields hold.
constexpr const char* kVariedSite =
    "SiteName=NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNN; SiteNumber=1234567; PanelSnum=9ABCDEF0; Language=2; "
    "NumZones=300; ZoneText_1=Garage1; DeviceText_192=A text much longer than twenty; BannerText_4=; "
    "Matrix_1_1=W; Matrix_1_17=P; Matrix_2_32=Cxx; Matrix_3_1=O; Matrix_3_2=; Matrix_3_3=X; Matrix_3_4=c; "
    "AlarmType_1=3; AlarmType_16=7; AlarmType_32=1; UserCode=123456; EngineerCode=12; AdvancedCode=1234567; "
    "DisplayMode=5; RemoteAlarmInput=1; Beacon=1; FBP=1; OutputDelay_2=1:30; FireLinkDelay=0:10; FireEvent_1=1, 2, 3";

// Every byte of the image, against the reviewed dump in tests/data/images; then decoded back.
TEST_F(SiteImageTest, VariedSiteEncodesToTheReviewedImageAndDecodesBack) {
    ApplyDefaultSettings(store);
    testing::PutSettings(store, kVariedSite);
    const Bytes image = encode();
    EXPECT_EQ(hexDump(image), testing::ReadBytes(TAMRIK_TEST_DATA_DIR "/images/varied_site_image.txt"));
    EXPECT_EQ(checksum, ImageChecksum(image.data(), image.size()));
    EXPECT_EQ(identity.toBytes(), (PanelIdentity{0x9ABCDEF0, 0, 300 & 0xFF, 192, 0, 2}.toBytes()));

    store.put("SiteName", "changed");
    ASSERT_TRUE(decode(image));
    // Loop keys come from the loop image and events from the event log, not from this one.
    const std::pair<const char*, const char*> values[] = {
        {"FireEvent_1", "<absent>"}, {"SNum_1", "<absent>"},     {"SiteName", "NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNN"},
        {"PanelSnum", "9ABCDEF0"},   {"SFRevision", "2"},        {"ZoneText_1", "             Garage1"},
        {"Matrix_2_32", "C"},        {"Matrix_3_2", "O"},        {"Matrix_32_1", "C"},
        {"AlarmType_16", "3"},       {"EngineerCode", "120000"}, {"AdvancedCode", "123456"},
        {"DisplayMode", "1"},        {"OutputDelay_2", "1:30"},  {"UserCode2", "312244"},
        {"SiteNumber", "123456"},    {"MaleVoice", "0"},         {"FlashOnPoll", "1"},
    };
    for (const auto& [key, text] : values) EXPECT_EQ(value(key), text) << key;
    EXPECT_EQ(value("BannerText_4"), std::string(20, ' '));
    EXPECT_FALSE(store.changedSinceSaved());
    EXPECT_EQ(encode(), image);
    store.erase("PanelSnum");
    encode();
    EXPECT_EQ(identity.serialNumber, 0u);
}

// The store is left alone (a read's saved mark: TransferFaultTest); the revision is a whole 16-bit word.
TEST_F(SiteImageTest, UnsupportedRevisionsAreRefused) {
    store.put("Keep", "me");
    for (std::uint16_t revision : {0, 3, 0x0102, 0xFFFF}) {
        Bytes image = blankImage();
        image[0] = static_cast<std::uint8_t>(revision);
        image[1] = static_cast<std::uint8_t>(revision >> 8);
        EXPECT_FALSE(decode(image)) << revision;
    }
    EXPECT_EQ(store.size(), 1);
    EXPECT_EQ(value("Keep"), "me");
}

// Revision 1 is revision 2 without UserCode2: everything after UserCode lies 6 bytes lower.
TEST_F(SiteImageTest, RevisionOneDecodesSixBytesLowerAndEncodesBack) {
    ApplyDefaultSettings(store);
    store.put("SiteBatteryInstallation", "2024-05-01");
    store.put("Serial", "1");
    store.put("AdvancedCode", "123412");
    const Bytes revision2 = encode();
    Bytes revision1(revision2.begin(), revision2.begin() + 5141);
    revision1.insert(revision1.end(), revision2.begin() + 5147, revision2.end());
    revision1.resize(kSiteImageSize, 0);
    revision1[0] = 1;

    ASSERT_TRUE(decode(revision1));
    const std::pair<const char*, const char*> values[] = {
        {"SFRevision", "1"},
        {"UserCode", "241133"},
        {"UserCode2", "000000"},
        {"EngineerCode", "423311"},
        {"AdvancedCode", "123412"},
        {"TalkingSndSyncTime", "20"},
        {"Serial", "1"},
        {"SiteBatteryInstallation", "2024-05-01"},
    };
    for (const auto& [key, text] : values) EXPECT_EQ(value(key), text) << key;

    EXPECT_EQ(encode(), revision1);
    EXPECT_EQ(checksum, ImageChecksum(revision1.data(), revision1.size()));
    EXPECT_EQ(identity.serialNumber, 0x53000000u);

    for (const char* revision : {"3", "0", "", "x", "1"}) {
        store.put("SFRevision", revision);
        EXPECT_EQ(word(encode(), 0), *revision == '1' ? 1 : 2) << "only the two known revisions are written";
    }
    store.erase("SFRevision");
    EXPECT_EQ(word(encode(), 0), 2);
}

// One field at a time in an otherwise empty store: the bytes it encodes to and the text the image
// decodes back to (nullptr: not checked). Encoding leaves the store as it was.
TEST_F(SiteImageTest, FieldsEncodeTheirTextAndDecodeBack) {
    const struct {
        const char* key;
        const char* text;  // nullptr: the key is missing
        std::size_t offset;
        Bytes bytes;
        const char* decoded;
    } cases[] = {
        {"OutputDelay_1", "1:5", 270, {13}, "1:05"},
        {"OutputDelay_2", "0:09", 271, {1}, "0:05"},  // rounded down to 5 s
        {"OutputDelayT2_32", "20:00", 333, {240}, "20:00"},
        {"OutputDelay_1", "25:00", 270, {255}, "10:00"},  // saturates: 300 counts would wrap to 3:40
        {"FirstKnockSearchTime", "21:15", 5216, {255}, nullptr},
        {"FireLinkDelay", "-1:00", 5214, {0}, nullptr},
        {"SearchTime", "no colon", 5217, {0}, nullptr},
        {"OutputDelay_3", nullptr, 272, {0}, nullptr},
        {"PulseOnTime", "0.0", 5212, {1}, "0.5"},
        {"PulseOffTime", "200", 5213, {255}, "127.5"},
        {"PulseOnTime", nullptr, 5212, {0}, "0.0"},
        {"DayNightOnTime", "7:05", 5208, {7, 5}, "7:05"},
        {"DayNightOffTime", "18", 5210, {18, 0}, "18:00"},
        {"ContractorCode", "70000", 12, {0x70, 0x11}, "4464"},  // the low 16 bits
        {"NumZones", "300", 7, {300 & 0xFF}, nullptr},
        {"DisabledOPGroups", "-1", 5130, {0xFF, 0xFF, 0xFF, 0xFF}, "-1"},
        {"DisabledOPGroups", "2147483648", 5130, {0, 0, 0, 0x80}, "-2147483648"},  // unsigned: same bits
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " = " + (c.text ? c.text : "<missing>"));
        emptyStore();
        if (c.text) store.put(c.key, c.text);
        const Bytes image = encode();
        EXPECT_EQ(range(image, c.offset, c.bytes.size()), c.bytes);
        EXPECT_EQ(value(c.key), c.text ? c.text : "<absent>");
        ASSERT_TRUE(decode(image));
        if (c.decoded) {
            EXPECT_EQ(value(c.key), c.decoded);
        }
    }
}

// Bytes in an otherwise blank image and the text they decode to: counts beyond their fields clamp,
// texts stop at a NUL, at their width or at 20 characters, a digit that is no digit shows as "?".
TEST_F(SiteImageTest, DamagedAndOutOfRangeFieldsDecodeSafely) {
    const struct {
        std::size_t offset;
        std::string bytes;
        const char* key;
        std::string text;
    } cases[] = {
        {270, "\x78", "OutputDelay_1", "10:00"},
        {271, "\x79", "OutputDelay_2", "10:00"},
        {272, "\x05", "OutputDelay_3", "0:25"},
        {302, "\xF0", "OutputDelayT2_1", "20:00"},
        {303, "\xF1", "OutputDelayT2_2", "20:00"},
        {333, "\xFF", "OutputDelayT2_32", "20:00"},
        {5214, "\xFF", "FireLinkDelay", "10:00"},
        {5222, "\x0C", "PulsingAlarmTimeoutTime", "1:00"},
        {5224, "\x07", "BeaconFlashrate", "2"},
        {5213, "\x05", "PulseOffTime", "2.5"},
        {4450, std::string("Zone 1  \0xxxxxxxxxxx", 20), "ZoneText_1", "Zone 1  "},
        {418, std::string(21, 'Q'), "DeviceText_1", std::string(20, 'Q')},
        {5262, "7777777", "SiteNumber", "7777777"},
        {5135, "\xD0\x05\x04\x03\x02\x01", "UserCode", "12345?"},
        {5226, "\xFF", "DisplayMode", "3"},
    };
    Bytes image = blankImage();
    for (const auto& c : cases) std::copy(c.bytes.begin(), c.bytes.end(), image.begin() + c.offset);
    ASSERT_TRUE(decode(image));
    for (const auto& c : cases) EXPECT_EQ(value(c.key), c.text) << c.key;
}

TEST_F(SiteImageTest, EachOptionFlagHasItsOwnBit) {
    const struct {
        const char* key;
        std::size_t offset;
        int bit;
    } flags[] = {
        {"FlashOnPoll", 5226, 0},   {"RemoteAlarmInput", 5226, 3}, {"RaiControl", 5226, 4},
        {"ClassChange", 5226, 6},   {"DayNightIp", 5226, 7},       {"MaleVoice", 5227, 0},
        {"Beacon", 5227, 1},        {"BeaconFlashUntil", 5227, 2}, {"ClassBeacon", 5227, 3},
        {"TsSpokenTest", 5227, 4},  {"TsSpokenMess", 5227, 5},     {"TsElectronic", 5227, 6},
        {"TsBellSound", 5227, 7},   {"2ndKnock", 5228, 0},         {"SecondFireLink", 5228, 1},
        {"FlashFirstDG", 5228, 2},  {"CancelDelays", 5228, 3},     {"FBP", 5228, 4},
        {"FBP_NoDisplay", 5228, 5}, {"Serial", 5228, 6},
    };
    for (const auto& flag : flags) {
        emptyStore();
        store.put(flag.key, "2");  // any non-zero number sets the bit
        const Bytes image = encode();
        for (std::size_t offset : {5226u, 5227u, 5228u}) {
            EXPECT_EQ(image[offset], offset == flag.offset ? 1 << flag.bit : 0) << flag.key << " at " << offset;
        }
        ASSERT_TRUE(decode(image));
        for (const auto& other : flags) EXPECT_EQ(value(other.key), &other == &flag ? "1" : "0") << other.key;
    }
}

TEST_F(SiteImageTest, ReservedBytesAreWrittenAsZero) {
    Bytes image(kSiteImageSize, 0xAA);
    image[0] = 2, image[1] = 0;
    ASSERT_TRUE(decode(image));
    image = encode();
    EXPECT_TRUE(allZero(image, 5159, 5207));
    for (std::size_t i : {5223u, 5225u, 5229u}) EXPECT_EQ(image[i], 0) << i;
    EXPECT_EQ(image[5226] & 0x20, 0);
    EXPECT_EQ(image[5228] & 0x80, 0);
    EXPECT_TRUE(allZero(image, 5733, kSiteImageSize));
}

}  // namespace
}  // namespace tamrik
