#include "settings/DeviceCatalogue.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "settings/SettingsStore.h"

namespace tamrik {
namespace {

constexpr bool Y = true;
constexpr bool N = false;

// code, name, input, output, beacon on next group, talking, quiescent mA, alarm mA, minimum version
constexpr std::array<DeviceType, 68> kCatalogue{{
    {0x01, "OPT", Y, N, N, N, 0.2f, 2.4f, 15},        {0x21, "OPT-B", Y, N, N, N, 0.2f, 2.4f, 15},
    {0x22, "MULTI", Y, N, N, N, 0.4f, 2.53f, 15},     {0x24, "OPT-HEAT", Y, N, N, N, 0.45f, 2.58f, 15},
    {0x40, "MCP", Y, N, N, N, 0.5f, 4.5f, 11},        {0xD0, "MULTI-SND", Y, Y, N, N, 0.4f, 9.23f, 15},
    {0xD1, "MULTI-SB", Y, Y, Y, N, 0.55f, 13.5f, 15}, {0xD2, "MULTI-VOX", Y, Y, N, Y, 0.4f, 14.23f, 15},
    {0xD3, "MULTI-VB", Y, Y, Y, Y, 0.55f, 12.5f, 15}, {0xD4, "OH-SND", Y, Y, N, N, 0.45f, 9.28f, 15},
    {0xD5, "OH-SB", Y, Y, Y, N, 0.55f, 13.5f, 15},    {0xD6, "OH-VB", Y, Y, Y, Y, 0.55f, 12.5f, 15},
    {0xD7, "OPT-SND", Y, Y, N, N, 0.4f, 9.23f, 15},   {0xD8, "OPT-SB", Y, Y, Y, N, 0.55f, 13.5f, 15},
    {0xD9, "OPT-VB", Y, Y, Y, Y, 0.55f, 12.5f, 15},   {0xDA, "OPTB-SND", Y, Y, N, N, 0.4f, 9.23f, 15},
    {0xDB, "OPT-BCN", Y, Y, Y, N, 0.4f, 7.53f, 15},   {0xDC, "MULTI-BCN", Y, Y, Y, N, 0.55f, 7.0f, 15},
    {0xDD, "OH-BCN", Y, Y, Y, N, 0.55f, 7.0f, 15},    {0x23, "HEAT", Y, N, N, N, 0.35f, 2.62f, 15},
    {0x83, "SOUNDER", N, Y, N, N, 0.65f, 5.0f, 31},   {0xA1, "WALL-SB", N, Y, N, N, 0.7f, 12.5f, 2},
    {0x48, "BEAM", Y, N, N, N, 0.65f, 4.0f, 10},      {0x81, "BELL", N, Y, N, N, 0.6f, 20.0f, 7},
    {0x82, "IO-UNIT", Y, Y, N, N, 0.55f, 2.2f, 15},   {0x49, "ISOL-PSU", N, N, N, N, 35.0f, 40.0f, 25},
    {0x85, "SND-BCN", N, Y, N, N, 0.87f, 6.8f, 28},   {0x87, "BEACON", N, Y, N, N, 0.58f, 1.5f, 8},
    {0x88, "RELAY", N, Y, N, N, 0.6f, 10.0f, 4},      {0x86, "BEACON-B", N, Y, N, N, 0.58f, 1.5f, 8},
    {0x9E, "CEIL-BCN", N, Y, N, N, 0.8f, 5.0f, 1},    {0x41, "MCP-B", Y, N, N, N, 0.5f, 4.5f, 5},
    {0xC3, "ZONE-MOD", Y, Y, N, N, 2.0f, 4.0f, 9},    {0xC4, "CONV-4Z", Y, Y, N, N, 7.0f, 7.0f, 26},
    {0xC5, "MCP-16", Y, Y, N, N, 7.0f, 7.0f, 7},      {0xC6, "INPUT-16", Y, Y, N, N, 7.0f, 7.0f, 7},
    {0x47, "REPEATER", N, N, N, N, 6.5f, 6.5f, 8},    {0x90, "IO-MOD", Y, Y, N, N, 1.35f, 5.0f, 2},
    {0x8A, "OUT-MOD", N, Y, N, N, 2.5f, 4.0f, 2},     {0x43, "MIMIC", N, N, N, N, 6.5f, 6.5f, 9},
    {0xCD, "RELAY-4", N, Y, N, N, 5.0f, 5.0f, 6},     {0xC8, "DOOR-HOLD", Y, Y, N, N, 0.7f, 67.0f, 1},
    {0x30, "SWITCH", Y, Y, N, N, 1.0f, 1.0f, 1},      {0x91, "IO-MINI", Y, Y, N, N, 0.9f, 9.0f, 1},
    {0xC2, "SUPV-OUT", Y, Y, N, N, 4.3f, 73.0f, 1},   {0xCA, "SUPV-OUT2", Y, Y, N, N, 5.3f, 87.5f, 1},
    {0xC9, "KEYSWITCH", Y, Y, N, N, 0.3f, 0.3f, 1},   {0xA4, "WALL-SBI", Y, Y, N, N, 0.8f, 7.5f, 20},
    {0xA5, "WALL-VOX", Y, Y, N, Y, 0.6f, 13.5f, 20},  {0xA3, "VOX-SND", N, Y, N, Y, 0.45f, 14.42f, 1},
    {0x33, "FLAME", Y, N, N, N, 0.7f, 0.7f, 1},       {0xCE, "ASPIRATOR", Y, N, N, N, 0.7f, 0.7f, 1},
    {0xC0, "IO-DUAL", Y, Y, N, N, 0.9f, 9.0f, 1},     {0x31, "VIRT-IN", Y, N, N, N, 0.0f, 0.0f, 1},
    {0x32, "VIRT-IN2", Y, N, N, N, 0.0f, 0.0f, 1},    {0xBA, "EXT-PSU", N, Y, N, N, 35.0f, 35.0f, 1},
    {0xB7, "NET-IN", Y, N, N, N, 0.0f, 0.0f, 1},      {0xB3, "NET-OUT", N, Y, N, N, 0.0f, 0.0f, 1},
    {0x50, "RADIO-IN", Y, N, N, N, 0.0f, 0.0f, 1},    {0xBB, "RADIO-IN2", Y, N, N, N, 0.0f, 0.0f, 1},
    {0xB0, "RADIO-OUT", N, Y, N, N, 0.0f, 0.0f, 1},   {0xDE, "BASE-SND", N, Y, N, N, 0.4f, 9.23f, 16},
    {0xDF, "BASE-SB", N, Y, N, N, 0.55f, 13.5f, 16},  {0xE0, "BASE-VOX", N, Y, N, Y, 0.4f, 14.23f, 16},
    {0xE1, "BASE-VB", N, Y, N, Y, 0.55f, 12.5f, 16},  {0x8B, "SPUR-PSU", Y, Y, N, N, 11.0f, 14.0f, 1},
    {0x8E, "IO-CONF", Y, Y, N, N, 0.7f, 4.0f, 1},     {0x34, "CO-HEAT", Y, N, N, N, 0.7f, 0.7f, 1},
}};

struct SensModeSet {
    std::array<std::uint8_t, 9> types;
    std::array<std::uint8_t, 4> modes;
    std::uint8_t modeCount;
};

constexpr SensModeSet kSensModeSets[] = {
    {{1}, {1, 2, 3}, 3},
    {{33}, {1, 3}, 2},
    {{34}, {1, 2, 3, 4}, 4},
    {{35}, {1, 2, 3}, 3},
    {{36}, {1, 2, 3, 5}, 4},
    {{208, 209, 210, 211, 220}, {1, 2, 3, 4}, 4},
    {{212, 213, 214, 221}, {1, 2, 3, 5}, 4},
    {{215, 216, 217, 219}, {1, 2, 3}, 3},
    {{218}, {1, 3}, 2},
};

constexpr std::uint32_t kCeilingCoverageTypes[] = {158, 209, 211, 213, 214, 216, 217, 220, 221, 223, 225};
constexpr std::uint32_t kWallCoverageTypes[] = {161, 164, 165};
constexpr std::uint32_t kManualCallPointTypes[] = {64, 65, 197};

template <std::size_t Size>
bool contains(const std::uint32_t (&codes)[Size], std::uint32_t code) {
    return std::find(std::begin(codes), std::end(codes), code) != std::end(codes);
}

constexpr const char* kClassNames[] = {"Automatic",
                                       "Manual",
                                       "Silence",
                                       "Reset",
                                       "Sound Alarms",
                                       "Accept",
                                       "I Reset",
                                       "Technical Alarm",
                                       "Invisible Switch",
                                       "Disable Control Groups",
                                       "Disable Output Group 31",
                                       "Disable Output Group 32"};

constexpr const char* kSensModeNames[] = {"None", "Office", "Bedroom", "Enhanced", "No Op", "Prison"};

constexpr const char* kConfigOptionNames[] = {
    "NONE",    "NL",     "14s",     "NL 14s",     "FS",      "NL FS",     "14s FS",  "NL 14s FS",
    "INVALID", "NL FCR", "INVALID", "NL 14s FCR", "INVALID", "NL FS FCR", "INVALID", "NL 14s FS FCR"};

}  // namespace

std::span<const DeviceType> DeviceTypeCatalogue() { return kCatalogue; }

const DeviceType* DeviceTypeFind(std::uint32_t code) {
    const std::uint32_t lowByte = code & 0xFF;
    for (const auto& row : kCatalogue) {
        if (row.code == lowByte) return &row;
    }
    return nullptr;
}

std::string DeviceTypeName(std::uint32_t code) {
    for (const auto& row : kCatalogue) {
        if (row.code == code) return row.name;
    }
    char hex[16];
    std::snprintf(hex, sizeof hex, "%02X", code);
    return hex;
}

bool IsManualCallPointType(std::uint32_t code) { return contains(kManualCallPointTypes, code); }

std::span<const std::uint8_t> SensModesAllowed(std::uint32_t code) {
    for (const auto& set : kSensModeSets) {
        for (const auto type : set.types) {
            if (type != 0 && type == code) return {set.modes.data(), set.modeCount};
        }
    }
    return {};
}

bool HasCeilingCoverage(std::uint32_t code) { return contains(kCeilingCoverageTypes, code); }
bool HasWallCoverage(std::uint32_t code) { return contains(kWallCoverageTypes, code); }

std::string_view ClassName(int classNumber) {
    if (classNumber < 0 || classNumber >= static_cast<int>(std::size(kClassNames))) return "Unknown";
    return kClassNames[classNumber];
}

std::string SensModeName(std::optional<std::string_view> value) {
    if (!value) return "?!?!?!";
    if (!value->empty() && (*value)[0] >= '0' && (*value)[0] <= '5') return kSensModeNames[(*value)[0] - '0'];
    return std::string(*value);
}

std::string VolumeName(int volume) {
    switch (volume) {
        case 2:
            return "Low";
        case 4:
            return "Medium";
        case 15:
            return "High";
        default:
            return std::to_string(volume);
    }
}

std::string AlarmTypeName(std::string_view value) {
    if (!value.empty() && value[0] == '0') return "Alarm";
    if (!value.empty() && value[0] == '1') return "Control";
    return std::string(value);
}

const char* CoverageName(std::uint32_t typeCode, int index) {
    static constexpr const char* ceiling[] = {"C-3-7.5", "C-3-5", "C-3-3"};
    static constexpr const char* wall[] = {"W-2.4-7.5", "W-2.4-5", "W-2.4-3"};
    if (index < 0 || index > 2) return nullptr;
    if (HasCeilingCoverage(typeCode)) return ceiling[index];
    if (HasWallCoverage(typeCode)) return wall[index];
    return nullptr;
}

std::string_view ConfigOptionName(int index) {
    if (index < 0) return {};
    if (index >= static_cast<int>(std::size(kConfigOptionNames))) return "INVALID";
    return kConfigOptionNames[index];
}

std::string Msg52Text(std::uint32_t typeCode, int code) {
    if (typeCode == kConfigOptionType) {
        const std::string_view name = ConfigOptionName(code);
        return name.empty() ? "???" : std::string(name);
    }
    const char* name = CoverageName(typeCode, code);
    return name ? name : "N/A";
}

std::string_view LatchingName(bool nonLatchingKeyPresent) {
    return nonLatchingKeyPresent ? "Non-Latching" : "Latching";
}

std::string SensModeStepped(std::string_view value, std::uint32_t typeCode) {
    const auto allowed = SensModesAllowed(typeCode);
    if (allowed.empty()) return "0";
    const unsigned start = static_cast<unsigned>(ParseLeadingInt(value)) % 256;
    unsigned mode = start;
    do {
        mode = (mode <= 4) ? mode + 1 : 0;
        if (std::find(allowed.begin(), allowed.end(), mode) != allowed.end())
            return std::string(1, static_cast<char>('0' + mode));
    } while (mode != start);
    return std::string(value);
}

}  // namespace tamrik
