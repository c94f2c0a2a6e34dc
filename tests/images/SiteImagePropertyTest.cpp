// Round trips over many random sites: whatever valid values a site holds, the image it encodes to
// must decode to settings that encode to the very same bytes; and an image in the panel's own
// normal form must survive decoding and encoding unchanged.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "images/ImageLayout.h"
#include "images/SiteImage.h"
#include "images/SiteImageFields.h"

namespace tamrik {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The first offset where two images differ, or -1.
long firstDifference(const Bytes& a, const Bytes& b) {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        if (a[i] != b[i]) return static_cast<long>(i);
    }
    return a.size() == b.size() ? -1 : static_cast<long>(std::min(a.size(), b.size()));
}

class Random {
public:
    explicit Random(unsigned seed) : engine_(seed) {}
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
    bool chance(int percent) { return between(1, 100) <= percent; }
    std::string text(std::size_t maxLength) {
        std::string result(static_cast<std::size_t>(between(0, static_cast<int>(maxLength))), ' ');
        for (char& c : result) c = static_cast<char>(between(1, 255));  // any byte but NUL
        return result;
    }

private:
    std::mt19937 engine_;
};

std::string indexedKey(const SiteField& field, int index) {
    return field.count > 1 ? field.key + std::to_string(index) : std::string(field.key);
}

std::string minSec(int seconds) {
    return std::to_string(seconds / 60) + ":" + (seconds % 60 < 10 ? "0" : "") + std::to_string(seconds % 60);
}

// Fills the store with valid values of every kind, some keys left out, some texts in forms that
// encoding has to normalise.
void fillRandomSite(SettingsStore& store, Random& random) {
    for (const SiteField& field : SiteImageFields()) {
        for (int i = 1; i <= field.count; ++i) {
            if (field.kind == SiteFieldKind::Matrix) {
                for (int output = 1; output <= field.count; ++output) {
                    if (random.chance(90)) {
                        const std::string key = "Matrix_" + std::to_string(i) + "_" + std::to_string(output);
                        SettingPut(store, key, std::string(1, "OCPWX"[random.between(0, 4)]));
                    }
                }
                continue;
            }
            const std::string key = indexedKey(field, i);
            // Any key may be missing except the pulse times: a missing one is written as 0, which
            // reads back as "0.0", which the panel's half-second range turns into 0.5 s.
            if (field.kind != SiteFieldKind::HalfSeconds && random.chance(5)) continue;
            std::string value;
            switch (field.kind) {
                case SiteFieldKind::Revision:
                    value = random.chance(30) ? "1" : "2";
                    break;
                case SiteFieldKind::Serial: {
                    char hex[16];
                    std::snprintf(hex, sizeof hex, "%08X",
                                  static_cast<unsigned>(random.between(0, 0x7FFFFFFF)) * 2u + 1u);
                    value = hex;
                    break;
                }
                case SiteFieldKind::Byte:
                    value = std::to_string(random.between(0, 255));
                    break;
                case SiteFieldKind::Word:
                    value = std::to_string(random.between(0, 65535));
                    break;
                case SiteFieldKind::Mask:
                    value = std::to_string(random.between(-2147483647, 2147483647));
                    break;
                case SiteFieldKind::BeaconRate:
                    value = std::to_string(random.between(0, 2));
                    break;
                case SiteFieldKind::FiveSeconds:
                    value = minSec(random.between(0, field.arg * 5));
                    break;
                case SiteFieldKind::HalfSeconds:
                    value = std::to_string(random.between(0, 130)) + "." + std::to_string(random.between(0, 9));
                    break;
                case SiteFieldKind::TimeOfDay:
                    value = std::to_string(random.between(0, 23)) + ":" + std::to_string(random.between(0, 59));
                    break;
                case SiteFieldKind::AccessCode:
                    for (int digit = 0; digit < 6; ++digit) value += static_cast<char>('1' + random.between(0, 3));
                    break;
                case SiteFieldKind::Flag:
                    value = random.chance(50) ? "1" : "0";
                    break;
                case SiteFieldKind::DisplayMode:
                    value = std::to_string(random.between(0, 3));
                    break;
                case SiteFieldKind::AlarmTypes:
                    value = std::to_string(random.between(0, 3));
                    break;
                case SiteFieldKind::DisplayText:
                    value = random.text(25);
                    break;
                case SiteFieldKind::SiteText:
                    value = random.text(field.arg + 4u);
                    break;
                case SiteFieldKind::Matrix:
                    break;
            }
            SettingPut(store, key, value);
        }
    }
}

// An image as the panel itself would hold it: every field within its range, texts terminated,
// reserved bytes zero.
Bytes randomNormalImage(Random& random) {
    Bytes image(kSiteImageSize, 0);
    for (const SiteField& field : SiteImageFields()) {
        std::uint8_t* at = image.data() + field.offset;
        const auto byte = [&random] { return static_cast<std::uint8_t>(random.between(0, 255)); };
        switch (field.kind) {
            case SiteFieldKind::Revision:
                at[0] = 2;
                break;
            case SiteFieldKind::Serial:
            case SiteFieldKind::Mask:
                for (int i = 0; i < 4; ++i) at[i] = byte();
                break;
            case SiteFieldKind::Byte:
                at[0] = byte();
                break;
            case SiteFieldKind::Word:
                at[0] = byte(), at[1] = byte();
                break;
            case SiteFieldKind::BeaconRate:
                at[0] = static_cast<std::uint8_t>(random.between(0, 2));
                break;
            case SiteFieldKind::FiveSeconds:
                for (int i = 0; i < field.count; ++i) at[i] = static_cast<std::uint8_t>(random.between(0, field.arg));
                break;
            case SiteFieldKind::HalfSeconds:
                at[0] = static_cast<std::uint8_t>(random.between(1, 255));
                break;
            case SiteFieldKind::TimeOfDay:
                at[0] = byte(), at[1] = byte();
                break;
            case SiteFieldKind::AccessCode:
                for (int i = 0; i < 6; ++i) at[i] = static_cast<std::uint8_t>(random.between(0, 9));
                break;
            case SiteFieldKind::Flag:
                if (random.chance(50)) at[0] = static_cast<std::uint8_t>(at[0] | 1 << field.arg);
                break;
            case SiteFieldKind::DisplayMode:
                at[0] = static_cast<std::uint8_t>(at[0] | random.between(0, 3) << 1);
                break;
            case SiteFieldKind::Matrix:
            case SiteFieldKind::AlarmTypes:
                for (int i = 0; i < (field.kind == SiteFieldKind::Matrix ? 256 : 8); ++i) at[i] = byte();
                break;
            case SiteFieldKind::DisplayText:
                for (int slot = 0; slot < field.count; ++slot) {
                    for (int i = 0; i < 20; ++i) at[21 * slot + i] = static_cast<std::uint8_t>(random.between(1, 255));
                }
                break;
            case SiteFieldKind::SiteText: {
                const std::string text = random.text(field.arg - 1u);
                std::copy(text.begin(), text.end(), at);
                break;
            }
        }
    }
    return image;
}

TEST(SiteImageProperty, EncodeDecodeEncodeGivesTheSameBytes) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        Random random(seed);
        SettingsStore store;
        StoreCreate(store);
        fillRandomSite(store, random);
        Bytes first(kSiteImageSize), second(kSiteImageSize);
        PanelIdentity firstIdentity{}, secondIdentity{};
        const std::uint16_t firstSum = SiteImageEncode(store, first.data(), firstIdentity);
        ASSERT_TRUE(SiteImageDecode(store, first.data())) << "seed " << seed;
        const std::uint16_t secondSum = SiteImageEncode(store, second.data(), secondIdentity);
        ASSERT_EQ(firstDifference(first, second), -1) << "seed " << seed;
        EXPECT_EQ(firstSum, secondSum);
        EXPECT_EQ(firstIdentity.toBytes(), secondIdentity.toBytes());
        StoreDestroy(&store);
    }
}

TEST(SiteImageProperty, NormalImagesSurviveDecodeAndEncode) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        Random random(seed);
        Bytes image = randomNormalImage(random);
        if (seed % 2 == 0) {  // the same in the older layout
            image.erase(image.begin() + kRevision1MovedFrom, image.begin() + kRevision1MovedFrom + kRevision1Shift);
            image.resize(kSiteImageSize, 0);
            image[0] = 1;
        }
        SettingsStore store;
        StoreCreate(store);
        ASSERT_TRUE(SiteImageDecode(store, image.data()));
        Bytes encoded(kSiteImageSize);
        PanelIdentity identity{};
        SiteImageEncode(store, encoded.data(), identity);
        ASSERT_EQ(firstDifference(encoded, image), -1) << "seed " << seed;
        StoreDestroy(&store);
    }
}

}  // namespace
}  // namespace tamrik
