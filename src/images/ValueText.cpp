#include "images/ValueText.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>

#include "images/ValueSteps.h"

namespace tamrik::valuetext {
namespace {

bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::size_t skipBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    return i;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::int64_t ParseDecimal(std::string_view text) {
    std::size_t i = skipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    constexpr std::uint64_t kLimit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + 1;
    std::uint64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const auto digit = static_cast<std::uint64_t>(text[i] - '0');
        magnitude = magnitude > (kLimit - digit) / 10 ? kLimit : magnitude * 10 + digit;
    }
    if (negative)
        return magnitude == kLimit ? std::numeric_limits<std::int64_t>::min() : -static_cast<std::int64_t>(magnitude);
    return magnitude >= kLimit ? std::numeric_limits<std::int64_t>::max() : static_cast<std::int64_t>(magnitude);
}

std::uint32_t ParseHex32(std::string_view text) {
    std::size_t i = skipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') && i + 2 < text.size() &&
        hexDigit(text[i + 2]) >= 0) {
        i += 2;
    }
    std::uint64_t value = 0;
    for (; i < text.size() && hexDigit(text[i]) >= 0; ++i) {
        value = value * 16 + static_cast<std::uint64_t>(hexDigit(text[i]));
        if (value > 0xFFFFFFFFu) value = 0xFFFFFFFFu + 1ull;  // remember the overflow, keep counting digits
    }
    if (value > 0xFFFFFFFFu) return 0xFFFFFFFFu;
    const auto result = static_cast<std::uint32_t>(value);
    return negative ? static_cast<std::uint32_t>(0u - result) : result;
}

float ParseFloat(std::string_view text) {
    std::size_t i = skipBlanks(text);
    if (i < text.size() && text[i] == '+') ++i;
    float value = 0.0f;
    const auto result = std::from_chars(text.data() + i, text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Beyond a float: a negative exponent means a value too small to tell from 0, anything else
        // one too large, of the text's sign.
        const std::string_view number(text.data() + i, static_cast<std::size_t>(result.ptr - (text.data() + i)));
        const std::size_t exponent = number.find_first_of("eE");
        if (exponent != std::string_view::npos && exponent + 1 < number.size() && number[exponent + 1] == '-')
            return 0.0f;
        const float huge = std::numeric_limits<float>::infinity();
        return !number.empty() && number[0] == '-' ? -huge : huge;
    }
    if (result.ec != std::errc()) return 0.0f;
    return value;
}

std::string FormatInt(std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string FormatMinSec(int seconds) {
    std::string text = FormatInt(seconds / 60);
    text.push_back(':');
    const int rest = seconds % 60;
    if (rest >= 0 && rest < 10) text.push_back('0');
    text.append(FormatInt(rest));
    return text;
}

std::string FormatClock(int hours, int minutes) {
    std::string text = FormatInt(hours);
    text.push_back(':');
    if (minutes >= 0 && minutes < 10) text.push_back('0');
    text.append(FormatInt(minutes));
    return text;
}

std::string FormatHalfSeconds(int count) {
    const bool negative = count < 0;
    const std::int64_t magnitude = negative ? -static_cast<std::int64_t>(count) : count;
    std::string text = negative ? "-" : "";
    text.append(FormatInt(magnitude / 2));
    text.append(magnitude % 2 ? ".5" : ".0");
    return text;
}

void CopyStepText(char* buffer, std::string_view text) {
    const std::size_t length = std::min<std::size_t>(text.size(), kStepTextCapacity - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

}  // namespace tamrik::valuetext
