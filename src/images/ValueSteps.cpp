#include "images/ValueSteps.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "images/ValueText.h"

namespace tamrik {
namespace {

using valuetext::CopyStepText;

constexpr std::int64_t kIntMin = std::numeric_limits<int>::min();
constexpr std::int64_t kIntMax = std::numeric_limits<int>::max();

int clampToInt(std::int64_t value) { return static_cast<int>(std::clamp(value, kIntMin, kIntMax)); }

// Numbers in the step texts are read as the panel dialogs always read them: as 32-bit integers.
std::int64_t readInt(std::string_view text) { return std::clamp(ParseDecimal(text), kIntMin, kIntMax); }

// Largest multiple of step that is not above value.
std::int64_t floorToStep(std::int64_t value, std::int64_t step) {
    if (step <= 1) return value;
    std::int64_t quotient = value / step;
    if (value % step != 0 && value < 0) --quotient;
    return quotient * step;
}

}  // namespace

int MinSecStep(char* text, int direction, const MinSecSpin* spin) {
    const char* colon = std::strchr(text, ':');
    if (!colon) return 0;
    std::int64_t value =
        readInt(std::string_view(text, static_cast<std::size_t>(colon - text))) * 60 + readInt(colon + 1);
    if (spin) {
        const std::int64_t limit = std::max(spin->limit, 0);
        const std::int64_t step = std::max(spin->step, 1);
        if (direction < 0) {
            if (value < limit) value += step;
        } else if (direction > 0) {
            value -= step;
        }
        // A spin keeps to its range: a step that would pass the limit stops at it, and nothing
        // typed below zero survives.
        value = std::clamp<std::int64_t>(value, 0, limit);
        value = floorToStep(value, step);
    }
    const int seconds = clampToInt(value);
    CopyStepText(text, valuetext::FormatMinSec(seconds));
    return seconds;
}

int HalfSecStep(char* text, int direction) {
    float value = valuetext::ParseFloat(text);
    if (direction < 0) value += 0.5f;
    if (direction > 0) value -= 0.5f;
    if (value > 127.5f) value = 127.5f;
    if (!(value >= 0.5f)) value = 0.5f;  // also catches a text reading as nan
    const int count = static_cast<int>(value / 0.5f);
    CopyStepText(text, valuetext::FormatHalfSeconds(count));
    return count;
}

int NumberStep(char* text, int direction, int step, int minimum, int maximum) {
    const std::int64_t stride = std::max(step, 1);
    std::int64_t value = readInt(text);
    if (direction < 0) value += stride;
    if (direction > 0) value -= stride;
    value = std::min<std::int64_t>(std::max<std::int64_t>(value, minimum), maximum);
    const int result = clampToInt(floorToStep(value, stride));
    CopyStepText(text, valuetext::FormatInt(result));
    return result;
}

void ClockStep(char* text, int direction) {
    std::int64_t hour = 0;
    std::int64_t minute = 0;
    if (const char* colon = std::strchr(text, ':')) {
        hour = readInt(std::string_view(text, static_cast<std::size_t>(colon - text)));
        minute = readInt(colon + 1);
    }
    if (direction < 0 && ++minute >= 60) {
        minute = 0;
        if (++hour >= 24) hour = 0;
    } else if (direction > 0 && --minute < 0) {
        minute = 59;
        if (--hour < 0) {
            hour = 23;
            minute = 59;
        }
    }
    if (hour < 0 || hour > 23) hour = 0;
    if (minute < 0 || minute > 59) minute = 0;
    CopyStepText(text, valuetext::FormatClock(static_cast<int>(hour), static_cast<int>(minute)));
}

}  // namespace tamrik
