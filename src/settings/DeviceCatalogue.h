#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tamrik {

struct DeviceType {
    std::uint32_t code;
    const char* name;  // at most 10 characters
    bool hasInput;
    bool hasOutput;
    bool beaconOnNextGroup;
    bool talking;
    float quiescentMilliamps;
    float alarmMilliamps;
    std::uint8_t minVersion;
};

// The 68 known device types in catalogue order.
std::span<const DeviceType> DeviceTypeCatalogue();

// Row whose code equals the low byte of `code`, or null.
const DeviceType* DeviceTypeFind(std::uint32_t code);
// The row's name, or the code as two upper-case hex digits.
std::string DeviceTypeName(std::uint32_t code);

bool IsManualCallPointType(std::uint32_t code);
// Sensitivity modes a type allows (empty for types without modes).
std::span<const std::uint8_t> SensModesAllowed(std::uint32_t code);
bool HasCeilingCoverage(std::uint32_t code);
bool HasWallCoverage(std::uint32_t code);
constexpr std::uint32_t kConfigOptionType = 142;

std::string_view ClassName(int classNumber);
// Keyed by the first character; null gives "?!?!?!", unknown values are shown as they are.
std::string SensModeName(std::optional<std::string_view> value);
std::string VolumeName(int volume);
std::string AlarmTypeName(std::string_view value);
// Null where the table has no entry.
const char* CoverageName(std::uint32_t typeCode, int index);
std::string_view ConfigOptionName(int index);  // none (empty) for a negative index

// A device's numbers (type, zone, groups, map node) count, as the panel counts them, by the low
// 8 bits of the stored number.
inline std::uint32_t DeviceNumberByte(std::int32_t stored) { return static_cast<std::uint32_t>(stored) & 0xFF; }
// What the device editor and the device export show for a coverage code: the configuration option
// of a type 142 unit ("???" without a name), else the coverage category ("N/A" without one).
std::string Msg52Text(std::uint32_t typeCode, int code);
std::string_view LatchingName(bool nonLatchingKeyPresent);

// The mode after `value` that the type allows ("0" for a type without sensitivity modes).
std::string SensModeStepped(std::string_view value, std::uint32_t typeCode);

}  // namespace tamrik
