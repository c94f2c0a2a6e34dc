#include "images/SiteImage.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "images/ImageBytes.h"
#include "images/ImageChecksum.h"
#include "images/ImageLayout.h"
#include "images/SiteImageFields.h"
#include "images/ValueSteps.h"
#include "images/ValueText.h"

namespace tamrik {
namespace {

using imagebytes::ReadU16;
using imagebytes::ReadU32;
using imagebytes::WriteU16;
using imagebytes::WriteU32;
using valuetext::FormatInt;

using Image = std::array<std::uint8_t, kSiteImageSize>;

constexpr std::size_t kDisplayTextLength = 20;
constexpr std::size_t kDisplayTextSlot = kDisplayTextLength + 1;
constexpr std::size_t kAccessCodeLength = 6;
constexpr char kMatrixLetters[] = "OCPW";

// Builds "<prefix><index>" or "<prefix><first>_<second>" without touching the heap.
class KeyText {
public:
    std::string_view indexed(const char* prefix, int index) {
        const int length = std::snprintf(buffer_, sizeof buffer_, "%s%d", prefix, index);
        return {buffer_, static_cast<std::size_t>(length)};
    }
    std::string_view indexed(const char* prefix, int first, int second) {
        const int length = std::snprintf(buffer_, sizeof buffer_, "%s%d_%d", prefix, first, second);
        return {buffer_, static_cast<std::size_t>(length)};
    }

private:
    char buffer_[64];
};

// 2-bit entries packed sixteen to a little-endian word, the first entry in the top bits.
// `index` counts from 0 over consecutive words.
int packedEntry(const std::uint8_t* words, int index) {
    const std::uint32_t word = ReadU32(words + 4 * (index / 16));
    return static_cast<int>(word >> (30 - 2 * (index % 16))) & 3;
}

void setPackedEntry(std::uint8_t* words, int index, int code) {
    std::uint8_t* at = words + 4 * (index / 16);
    const int shift = 30 - 2 * (index % 16);
    const std::uint32_t word = (ReadU32(at) & ~(3u << shift)) | (static_cast<std::uint32_t>(code & 3) << shift);
    WriteU32(at, word);
}

// The panel holds each access code digit as its value 0..9. Anything else can only come from a
// damaged image; it is shown as the character it would encode back from, and a byte that would
// make a NUL (cutting the code short) as '?'.
char accessCodeCharacter(std::uint8_t digit) {
    const char c = static_cast<char>(static_cast<std::uint8_t>('0' + digit));
    return c == '\0' ? '?' : c;
}

std::string_view textUpToNul(const std::uint8_t* field, std::size_t width) {
    const auto* text = reinterpret_cast<const char*>(field);
    const void* nul = std::memchr(text, 0, width);
    return {text, nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : width};
}

// A delay longer than the byte can count is held as the longest one (which the panel treats as
// its maximum) rather than wrapping round to a short delay; a negative one as no delay.
std::uint8_t fiveSecondCount(int seconds) { return static_cast<std::uint8_t>(std::clamp(seconds / 5, 0, 255)); }

Image revision1ToRevision2(const std::uint8_t* image) {
    Image converted{};
    std::copy_n(image, kRevision1MovedFrom, converted.begin());
    std::copy(image + kRevision1MovedFrom, image + kSiteImageSize - kRevision1Shift,
              converted.begin() + kRevision1MovedFrom + kRevision1Shift);
    return converted;
}

void revision2ToRevision1(const Image& work, std::uint8_t* image) {
    std::fill_n(image, kSiteImageSize, std::uint8_t{0});
    std::copy_n(work.begin(), kRevision1MovedFrom, image);
    std::copy(work.begin() + kRevision1MovedFrom + kRevision1Shift, work.end(), image + kRevision1MovedFrom);
}

void decodeField(SettingsStore& store, const std::uint8_t* image, const SiteField& field) {
    const std::uint8_t* at = image + field.offset;
    KeyText key;
    switch (field.kind) {
        case SiteFieldKind::Revision:
        case SiteFieldKind::Word:
            store.put(field.key, FormatInt(ReadU16(at)));
            break;
        case SiteFieldKind::Serial: {
            char text[16];
            std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(ReadU32(at)));
            store.put(field.key, text);
            break;
        }
        case SiteFieldKind::Byte:
            store.put(field.key, FormatInt(*at));
            break;
        case SiteFieldKind::Mask:
            store.put(field.key, FormatInt(static_cast<std::int32_t>(ReadU32(at))));
            break;
        case SiteFieldKind::BeaconRate:
            store.put(field.key, FormatInt(std::min<int>(*at, 2)));
            break;
        case SiteFieldKind::FiveSeconds:
            for (int i = 0; i < field.count; ++i) {
                const int count = std::min<int>(at[i], field.arg);
                const std::string_view name = field.count > 1 ? key.indexed(field.key, i + 1) : field.key;
                store.put(name, valuetext::FormatMinSec(count * 5));
            }
            break;
        case SiteFieldKind::HalfSeconds:
            store.put(field.key, valuetext::FormatHalfSeconds(*at));
            break;
        case SiteFieldKind::TimeOfDay:
            store.put(field.key, valuetext::FormatClock(at[0], at[1]));
            break;
        case SiteFieldKind::AccessCode: {
            char code[kAccessCodeLength];
            for (std::size_t i = 0; i < kAccessCodeLength; ++i)
                code[i] = accessCodeCharacter(at[kAccessCodeLength - 1 - i]);
            store.put(field.key, std::string_view(code, kAccessCodeLength));
            break;
        }
        case SiteFieldKind::Flag:
            store.put(field.key, (*at >> field.arg) & 1 ? "1" : "0");
            break;
        case SiteFieldKind::DisplayMode:
            store.put(field.key, FormatInt((*at >> 1) & 3));
            break;
        case SiteFieldKind::Matrix:
            for (int input = 1; input <= field.count; ++input) {
                for (int output = 1; output <= field.count; ++output) {
                    const int code = packedEntry(at + 8 * (input - 1), output - 1);
                    store.put(key.indexed(field.key, input, output), std::string_view(&kMatrixLetters[code], 1));
                }
            }
            break;
        case SiteFieldKind::AlarmTypes:
            for (int group = 1; group <= field.count; ++group) {
                store.put(key.indexed(field.key, group), FormatInt(packedEntry(at, group - 1)));
            }
            break;
        case SiteFieldKind::DisplayText:
            for (int i = 1; i <= field.count; ++i) {
                const std::uint8_t* slot = at + kDisplayTextSlot * static_cast<std::size_t>(i - 1);
                store.put(key.indexed(field.key, i), textUpToNul(slot, kDisplayTextLength));
            }
            break;
        case SiteFieldKind::SiteText:
            store.put(field.key, textUpToNul(at, field.arg));
            break;
    }
}

// Reads a time through its step routine (direction 0 only normalises), on a copy of the value
// with the room the routine writes into.
template <typename Step>
int normalised(std::string_view value, Step step) {
    std::string buffer(value);
    buffer.resize(std::max<std::size_t>(buffer.size(), kStepTextCapacity), '\0');
    return step(buffer.data());
}

int minSecSeconds(char* text) { return MinSecStep(text, 0, nullptr); }
int halfSeconds(char* text) { return HalfSecStep(text, 0); }

void encodeField(const SettingsStore& store, std::uint8_t* image, const SiteField& field) {
    std::uint8_t* at = image + field.offset;
    KeyText key;
    const auto number = [&store](std::string_view name) { return ParseDecimal(store.text(name, "0")); };
    switch (field.kind) {
        case SiteFieldKind::Revision:
            // Only the two layouts the panel knows are ever written: anything but 1 is the current one.
            WriteU16(at, number(field.key) == 1 ? 1 : 2);
            break;
        case SiteFieldKind::Serial:
            WriteU32(at, ParseHex32(store.text(field.key, "0")));
            break;
        case SiteFieldKind::Byte:
        case SiteFieldKind::BeaconRate:
            *at = static_cast<std::uint8_t>(number(field.key));
            break;
        case SiteFieldKind::Word:
            WriteU16(at, static_cast<std::uint32_t>(number(field.key)));
            break;
        case SiteFieldKind::Mask:
            WriteU32(at, static_cast<std::uint32_t>(number(field.key)));
            break;
        case SiteFieldKind::FiveSeconds:
            for (int i = 0; i < field.count; ++i) {
                const std::string_view name = field.count > 1 ? key.indexed(field.key, i + 1) : field.key;
                if (const auto value = store.get(name)) at[i] = fiveSecondCount(normalised(*value, minSecSeconds));
            }
            break;
        case SiteFieldKind::HalfSeconds:
            if (const auto value = store.get(field.key))
                *at = static_cast<std::uint8_t>(normalised(*value, halfSeconds));
            break;
        case SiteFieldKind::TimeOfDay:
            if (const auto value = store.get(field.key)) {
                const std::string_view text = *value;
                const std::size_t colon = text.find(':');
                at[0] = static_cast<std::uint8_t>(ParseDecimal(text.substr(0, colon)));
                at[1] = colon == std::string_view::npos
                            ? 0
                            : static_cast<std::uint8_t>(ParseDecimal(text.substr(colon + 1)));
            }
            break;
        case SiteFieldKind::AccessCode:
            if (const auto value = store.get(field.key)) {
                // A code shorter than six characters counts its missing digits as 0.
                const std::string_view text = *value;
                for (std::size_t i = 0; i < kAccessCodeLength; ++i) {
                    const char c = i < text.size() ? text[i] : '0';
                    at[kAccessCodeLength - 1 - i] = static_cast<std::uint8_t>(c - '0');
                }
            }
            break;
        case SiteFieldKind::Flag:
            if (number(field.key) != 0) *at = static_cast<std::uint8_t>(*at | (1u << field.arg));
            break;
        case SiteFieldKind::DisplayMode:
            *at = static_cast<std::uint8_t>(*at | ((number(field.key) & 3) << 1));
            break;
        case SiteFieldKind::Matrix:
            for (int input = 1; input <= field.count; ++input) {
                for (int output = 1; output <= field.count; ++output) {
                    const int code = MatrixLetterCode(store.text(key.indexed(field.key, input, output)));
                    setPackedEntry(at + 8 * (input - 1), output - 1, code);
                }
            }
            break;
        case SiteFieldKind::AlarmTypes:
            for (int group = 1; group <= field.count; ++group) {
                setPackedEntry(at, group - 1, static_cast<int>(number(key.indexed(field.key, group)) & 3));
            }
            break;
        case SiteFieldKind::DisplayText:
            for (int i = 1; i <= field.count; ++i) {
                // Right-aligned in 20 characters, as the panel's display shows them.
                const std::string_view text = store.text(key.indexed(field.key, i)).substr(0, kDisplayTextLength);
                std::uint8_t* slot = at + kDisplayTextSlot * static_cast<std::size_t>(i - 1);
                const std::size_t padding = kDisplayTextLength - text.size();
                std::fill_n(slot, padding, static_cast<std::uint8_t>(' '));
                std::copy(text.begin(), text.end(), slot + padding);
                slot[kDisplayTextLength] = 0;
            }
            break;
        case SiteFieldKind::SiteText: {
            const std::string_view text = store.text(field.key);
            const std::size_t length = std::min<std::size_t>(text.size(), field.arg - 1u);
            std::copy_n(text.begin(), length, at);
            std::fill(at + length, at + field.arg, std::uint8_t{0});
        } break;
    }
}

}  // namespace

bool SiteImageDecode(SettingsStore& store, const std::uint8_t* image) {
    const std::uint16_t revision = ReadU16(image + kSiteRevisionOffset);
    if (revision != 1 && revision != 2) return false;
    Image converted;
    const std::uint8_t* layout = image;
    if (revision == 1) {
        converted = revision1ToRevision2(image);
        layout = converted.data();
    }
    store.clear();
    for (const SiteField& field : SiteImageFields()) decodeField(store, layout, field);
    store.markSaved();
    return true;
}

std::uint16_t SiteImageEncode(const SettingsStore& store, std::uint8_t* image, PanelIdentity& identity) {
    Image work{};
    for (const SiteField& field : SiteImageFields()) encodeField(store, work.data(), field);
    identity = PanelIdentity::fromBytes(work.data() + kSiteIdentityOffset);
    if (ReadU16(work.data() + kSiteRevisionOffset) == 1) {
        revision2ToRevision1(work, image);
    } else {
        std::copy(work.begin(), work.end(), image);
    }
    return ImageChecksum(image, kSiteImageSize);
}

int MatrixLetterCode(std::string_view letter) {
    const std::size_t code = letter.empty() ? 0 : std::string_view(kMatrixLetters).find(letter[0]);
    return code == std::string_view::npos ? 0 : static_cast<int>(code);
}

}  // namespace tamrik
