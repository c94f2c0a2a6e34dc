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

}  // namespace

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
