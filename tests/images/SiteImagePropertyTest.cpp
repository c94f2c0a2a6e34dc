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
using Kind = SiteFieldKind;

// The first offset where two images differ, or -1.
long firstDifference(const Bytes& a, const Bytes& b) {
    const auto [at, _] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return at == a.end() && a.size() == b.size() ? -1 : at - a.begin();
}

class Random {
public:
    explicit Random(unsigned seed) : engine_(seed) {}
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
    bool chance(int percent) { return between(1, 100) <= percent; }
    std::string number(int low, int high) { return std::to_string(between(low, high)); }
    std::string text(std::size_t maxLength) {
        std::string result(static_cast<std::size_t>(between(0, static_cast<int>(maxLength))), ' ');
        for (char& c : result) c = static_cast<char>(between(1, 255));  // any byte but NUL
        return result;
    }
    void fill(std::uint8_t* at, int count, int low, int high) {
        for (int i = 0; i < count; ++i) at[i] = static_cast<std::uint8_t>(between(low, high));
    }

private:
    std::mt19937 engine_;
};

// A valid text for a field, often in a form that encoding has to normalise ("7:5", "130.7", an odd
// number of seconds, a text longer than its field).
std::string randomText(const SiteField& field, Random& random) {
    std::string text;
    switch (field.kind) {
        case Kind::Revision:
            return random.chance(30) ? "1" : "2";
        case Kind::Serial: {
            char hex[16];
            std::snprintf(hex, sizeof hex, "%08X", static_cast<unsigned>(random.between(0, 0x7FFFFFFF)) * 2u + 1u);
            return hex;
        }
        case Kind::Byte:
            return random.number(0, 255);
        case Kind::Word:
            return random.number(0, 65535);
        case Kind::Mask:
            return random.number(-2147483647, 2147483647);
        case Kind::BeaconRate:
            return random.number(0, 2);
        case Kind::DisplayMode:
        case Kind::AlarmTypes:
            return random.number(0, 3);
        case Kind::FiveSeconds: {
            const int seconds = random.between(0, field.arg * 5);
            return std::to_string(seconds / 60) + (seconds % 60 < 10 ? ":0" : ":") + std::to_string(seconds % 60);
        }
        case Kind::HalfSeconds:
            text = random.number(0, 130);
            return text + "." + random.number(0, 9);
        case Kind::TimeOfDay:
            text = random.number(0, 23);
            return text + ":" + random.number(0, 59);
        case Kind::AccessCode:
            for (int digit = 0; digit < 6; ++digit) text += static_cast<char>('1' + random.between(0, 3));
            return text;
        case Kind::Flag:
            return random.chance(50) ? "1" : "0";
        case Kind::DisplayText:
            return random.text(25);
        case Kind::SiteText:
            return random.text(field.arg + 4u);
        case Kind::Matrix:
            return std::string(1, "OCPWX"[random.between(0, 4)]);
    }
    return text;
}

// Fills the store with valid values of every kind, some keys left out.
void fillRandomSite(SettingsStore& store, Random& random) {
    for (const SiteField& field : SiteImageFields()) {
        const bool matrix = field.kind == Kind::Matrix;
        // Any key may be missing except the pulse times: a missing one is written as 0, which reads
        // back as "0.0", which the panel's half-second range turns into 0.5 s.
        const int missing = matrix ? 10 : field.kind == Kind::HalfSeconds ? 0 : 5;
        for (int i = 1; i <= field.count; ++i) {
            for (int output = 1; output <= (matrix ? field.count : 1); ++output) {
                if (random.chance(missing)) continue;
                const std::string key = matrix            ? "Matrix_" + std::to_string(i) + "_" + std::to_string(output)
                                        : field.count > 1 ? field.key + std::to_string(i)
                                                          : std::string(field.key);
                store.put(key, randomText(field, random));
            }
        }
    }
}

// An image as the panel itself would hold it: every field within its range, texts terminated,
// reserved bytes zero.
Bytes randomNormalImage(Random& random) {
    Bytes image(kSiteImageSize, 0);
    for (const SiteField& field : SiteImageFields()) {
        std::uint8_t* at = image.data() + field.offset;
        switch (field.kind) {
            case Kind::Revision:
                at[0] = 2;
                break;
            case Kind::Serial:
            case Kind::Mask:
                random.fill(at, 4, 0, 255);
                break;
            case Kind::Byte:
                random.fill(at, 1, 0, 255);
                break;
            case Kind::Word:
            case Kind::TimeOfDay:
                random.fill(at, 2, 0, 255);
                break;
            case Kind::Matrix:
            case Kind::AlarmTypes:
                random.fill(at, field.kind == Kind::Matrix ? 256 : 8, 0, 255);
                break;
            case Kind::BeaconRate:
                random.fill(at, 1, 0, 2);
                break;
            case Kind::FiveSeconds:
                random.fill(at, field.count, 0, field.arg);
                break;
            case Kind::HalfSeconds:
                random.fill(at, 1, 1, 255);
                break;
            case Kind::AccessCode:
                random.fill(at, 6, 0, 9);
                break;
            case Kind::Flag:
                if (random.chance(50)) at[0] = static_cast<std::uint8_t>(at[0] | 1 << field.arg);
                break;
            case Kind::DisplayMode:
                at[0] = static_cast<std::uint8_t>(at[0] | random.between(0, 3) << 1);
                break;
            case Kind::DisplayText:
                for (int slot = 0; slot < field.count; ++slot) random.fill(at + 21 * slot, 20, 1, 255);
                break;
            case Kind::SiteText: {
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
        fillRandomSite(store, random);
        Bytes first(kSiteImageSize), second(kSiteImageSize);
        PanelIdentity firstIdentity{}, secondIdentity{};
        const std::uint16_t firstSum = SiteImageEncode(store, first.data(), firstIdentity);
        ASSERT_TRUE(SiteImageDecode(store, first.data())) << "seed " << seed;
        const std::uint16_t secondSum = SiteImageEncode(store, second.data(), secondIdentity);
        ASSERT_EQ(firstDifference(first, second), -1) << "seed " << seed;
        EXPECT_EQ(firstSum, secondSum);
        EXPECT_EQ(firstIdentity.toBytes(), secondIdentity.toBytes());
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
        ASSERT_TRUE(SiteImageDecode(store, image.data()));
        Bytes encoded(kSiteImageSize);
        PanelIdentity identity{};
        SiteImageEncode(store, encoded.data(), identity);
        ASSERT_EQ(firstDifference(encoded, image), -1) << "seed " << seed;
    }
}

}  // namespace
}  // namespace tamrik
