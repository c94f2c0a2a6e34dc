#include "settings/NumberText.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace tamrik {
namespace {

bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

struct Leading {
    bool negative = false;
    std::uint64_t magnitude = 0;  // saturated at the 64-bit range
};

// Blanks, sign and decimal digits at the start of `text`.
Leading leadingDecimal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    Leading leading;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) leading.negative = text[i++] == '-';
    const auto [end, error] = std::from_chars(text.data() + i, text.data() + text.size(), leading.magnitude);
    if (error == std::errc::result_out_of_range) leading.magnitude = std::numeric_limits<std::uint64_t>::max();
    if (error == std::errc::invalid_argument) leading.magnitude = 0;
    return leading;
}

}  // namespace

std::int64_t ParseDecimal(std::string_view text) {
    const Leading leading = leadingDecimal(text);
    constexpr auto kLargest = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (leading.negative) {
        return leading.magnitude > kLargest ? std::numeric_limits<std::int64_t>::min()
                                            : -static_cast<std::int64_t>(leading.magnitude);
    }
    return static_cast<std::int64_t>(std::min(leading.magnitude, kLargest));
}

std::int32_t ParseLeadingInt(std::string_view text) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        ParseDecimal(text), std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::uint32_t ParseUnsigned32(std::string_view text) {
    const Leading leading = leadingDecimal(text);
    const auto magnitude = static_cast<std::uint32_t>(std::min<std::uint64_t>(leading.magnitude, 0xFFFFFFFFu));
    return leading.negative ? 0u - magnitude : magnitude;
}

std::uint32_t ParseHex32(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i + 2 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
        IsHexDigit(text[i + 2])) {
        i += 2;
    }
    std::uint64_t value = 0;
    for (; i < text.size() && IsHexDigit(text[i]); ++i) {
        value = value * 16 + static_cast<std::uint64_t>(HexDigitValue(text[i]));
        if (value > 0xFFFFFFFFu) value = 0xFFFFFFFFu + 1ull;  // remember the overflow, keep counting digits
    }
    if (value > 0xFFFFFFFFu) return 0xFFFFFFFFu;
    const auto result = static_cast<std::uint32_t>(value);
    return negative ? 0u - result : result;
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace tamrik
