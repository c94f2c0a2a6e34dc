#include "images/ImageValueCheck.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>

#include "images/ImageLayout.h"
#include "images/LoopRecord.h"
#include "images/SiteImageFields.h"

namespace tamrik {
namespace {

using Kind = SiteFieldKind;

constexpr std::size_t kDisplayTextLength = 20;

// Narrower than their byte: what the panel accepts.
struct KeyRange {
    std::string_view key;
    std::int64_t minimum, maximum;
};
constexpr KeyRange kPanelRanges[] = {
    {"Language", 0, 12},         {"NumZones", 1, 32},
    {"ConvAlarmOpGroup", 1, 32}, {"CoincidenceInputGroups", 0, 12},
    {"FireRelayMode", 0, 3},     {"PulsingAlarmTimeoutTone", 0, 3},
};

// A whole decimal number, optionally negative, and nothing else.
std::optional<std::int64_t> wholeNumber(std::string_view text) {
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || stop != end) return std::nullopt;
    return value;
}

bool isHexNumber(std::string_view text) {
    if (text.empty() || text.size() > 8) return false;
    for (const char c : text)
        if (!IsHexDigit(c)) return false;
    return true;
}

// "A:B" with both parts whole numbers; the parts, or nothing.
std::optional<std::pair<std::int64_t, std::int64_t>> colonPair(std::string_view text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const auto left = wholeNumber(text.substr(0, colon));
    const auto right = wholeNumber(text.substr(colon + 1));
    if (!left || !right || *left < 0 || *right < 0 || text.size() - colon - 1 > 2) return std::nullopt;
    return std::pair{*left, *right};
}

bool inRange(std::string_view text, std::int64_t minimum, std::int64_t maximum) {
    const auto value = wholeNumber(text);
    return value && *value >= minimum && *value <= maximum;
}

std::string rangeText(std::int64_t minimum, std::int64_t maximum) {
    return std::to_string(minimum) + " to " + std::to_string(maximum);
}

std::string minutesText(int seconds) {
    const int remainder = seconds % 60;
    return std::to_string(seconds / 60) + (remainder < 10 ? ":0" : ":") + std::to_string(remainder);
}

// Seconds in half-second steps: "S" or "S.D" with D 0 or 5.
bool isHalfSeconds(std::string_view text) {
    const std::size_t point = text.find('.');
    const auto whole = wholeNumber(text.substr(0, point));
    if (!whole || *whole < 0) return false;
    int halves = static_cast<int>(std::min<std::int64_t>(*whole, 1000)) * 2;
    if (point != std::string_view::npos) {
        const std::string_view fraction = text.substr(point + 1);
        if (fraction != "0" && fraction != "5") return false;
        halves += fraction == "5" ? 1 : 0;
    }
    return halves >= 1 && halves <= 255;
}

class Checker {
public:
    Checker(const SettingsStore& store, std::vector<std::string>& problems) : store_(store), problems_(problems) {}

    // Checks `key` when present; `rule` answers whether the value can be held, `wanted` says what can.
    template <typename Rule>
    void check(std::string_view key, Rule rule, const std::string& wanted) {
        const auto value = store_.get(key);
        if (value && !rule(*value)) problems_.push_back(std::string(key) + " = " + std::string(*value) + ": " + wanted);
    }

    void number(std::string_view key, std::int64_t minimum, std::int64_t maximum) {
        check(
            key, [&](std::string_view text) { return inRange(text, minimum, maximum); }, rangeText(minimum, maximum));
    }

    void field(const SiteField& field, std::string_view key) {
        switch (field.kind) {
            case Kind::Revision:
                check(
                    key, [](std::string_view text) { return text == "1" || text == "2"; }, "1 or 2");
                break;
            case Kind::Serial:
                check(key, isHexNumber, "1 to 8 hexadecimal digits");
                break;
            case Kind::Byte:
                for (const KeyRange& range : kPanelRanges) {
                    if (range.key == key) return number(key, range.minimum, range.maximum);
                }
                number(key, 0, 255);
                break;
            case Kind::Word:
                number(key, 0, 65535);
                break;
            case Kind::Mask:
                number(key, INT32_MIN, UINT32_MAX);
                break;
            case Kind::BeaconRate:
                number(key, 0, 2);
                break;
            case Kind::FiveSeconds: {
                const int most = 5 * field.arg;
                check(
                    key,
                    [&](std::string_view text) {
                        const auto time = colonPair(text);
                        return time && time->second < 60 && time->first * 60 + time->second <= most;
                    },
                    "0:00 to " + minutesText(most));
                break;
            }
            case Kind::HalfSeconds:
                check(key, isHalfSeconds, "0.5 to 127.5 in steps of 0.5");
                break;
            case Kind::TimeOfDay:
                check(
                    key,
                    [](std::string_view text) {
                        const auto time = colonPair(text);
                        return time && time->first <= 23 && time->second <= 59;
                    },
                    "0:00 to 23:59");
                break;
            case Kind::AccessCode:
                check(
                    key,
                    [](std::string_view text) {
                        return text.size() == 6 && text.find_first_not_of("1234") == std::string_view::npos;
                    },
                    "six digits, each 1 to 4");
                break;
            case Kind::Flag:
                check(
                    key, [](std::string_view text) { return text == "0" || text == "1"; }, "0 or 1");
                break;
            case Kind::DisplayMode:
            case Kind::AlarmTypes:
                number(key, 0, 3);
                break;
            case Kind::Matrix:
                check(
                    key,
                    [](std::string_view text) {
                        return text.size() == 1 && std::string_view("OCPW").find(text[0]) != std::string_view::npos;
                    },
                    "one of the letters O, C, P, W");
                break;
            case Kind::DisplayText:
                check(
                    key, [](std::string_view text) { return text.size() <= kDisplayTextLength; },
                    "at most " + std::to_string(kDisplayTextLength) + " characters");
                break;
            case Kind::SiteText:
                check(
                    key, [&](std::string_view text) { return text.size() < field.arg; },
                    "at most " + std::to_string(field.arg - 1) + " characters");
                break;
        }
    }

private:
    const SettingsStore& store_;
    std::vector<std::string>& problems_;
};

}  // namespace

std::vector<std::string> ImageValueProblems(const SettingsStore& store) {
    std::vector<std::string> problems;
    Checker checker(store, problems);
    for (const SiteField& field : SiteImageFields()) {
        if (field.kind == Kind::Matrix) {
            for (int input = 1; input <= field.count; ++input) {
                for (int output = 1; output <= field.count; ++output) {
                    checker.field(field, field.key + std::to_string(input) + "_" + std::to_string(output));
                }
            }
        } else if (field.count > 1) {
            for (int i = 1; i <= field.count; ++i) checker.field(field, field.key + std::to_string(i));
        } else {
            checker.field(field, field.key);
        }
    }
    const auto loopKeys = LoopRecordNumberKeys();
    for (int address = 1; address <= kLoopRecordCount; ++address) {
        const std::string number = std::to_string(address);
        checker.check(kLoopSerialPrefix + number, isHexNumber, "1 to 8 hexadecimal digits");
        for (const auto& key : loopKeys) checker.number(key.prefix + number, 0, key.maximum);
    }
    return problems;
}

std::optional<std::string> ImageValueProblem(std::string_view key, std::string_view value) {
    SettingsStore one;
    one.put(key, value);
    const std::vector<std::string> problems = ImageValueProblems(one);
    if (problems.empty()) return std::nullopt;
    // "Key = value: what it can hold"
    return problems.front().substr(key.size() + value.size() + 5);
}

}  // namespace tamrik
