#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/SettingsStore.h"
#include "site/KeyFamily.h"

namespace tamrik {

// Columns of the device table; the row is the loop address.
enum DeviceColumn : int {
    kDeviceAddressColumn = 0,
    kDeviceSerialColumn = 1,
    kDeviceTypeColumn = 2,
    kDeviceVersionColumn = 3,
    kDeviceMapNodeColumn = 4,
    kDeviceZoneColumn = 5,
    kDeviceDaySensColumn = 6,
    kDeviceNightSensColumn = 7,
    kDeviceInputGroupColumn = 8,
    kDeviceOutputGroupColumn = 9,
    kDeviceDisplayGroupColumn = 10,
    kDeviceRepeatGroupColumn = 11,
    kDeviceVolumeColumn = 12,
    kDeviceClassColumn = 13,
    kDeviceNonLatchingColumn = 14,
    kDeviceMsg52Column = 15,
};
inline constexpr int kDeviceColumnCount = 15;  // data columns, after the address column

const char* DeviceHeading(int column);
// Columns the user types into (serial number, zone and the four groups).
bool DeviceColumnTyped(int column);
// The key family of a column, or null for the address column.
const KeyFamily* DeviceColumnKey(int column);

// Placeholder shown for a key the site lacks.
inline constexpr const char* kMissingValueText = "NULL";

// The text of one cell of the device table; nullopt where a missing key leaves the cell empty
// (type, volume, class, Msg52 Config).
std::optional<std::string> DeviceCellText(const SettingsStore& store, int address, int column);

// A click on a stepped column (the sensitivities, Volume, Class, Non Latching, Msg52 Config) steps
// the device's value once. Returns the text the cell then shows, or nullopt when the column does not
// step or the device has nothing to step (no Msg52 Config value).
std::optional<std::string> DeviceCellClick(SettingsStore& store, int address, int column);
// The texts a stepped cell shows click after click, starting with the one it shows now.
std::vector<std::string> DeviceCellSteps(const SettingsStore& store, int address, int column);

// Manual call points become class Manual, every other address Automatic.
void DeviceClassesReset(SettingsStore& store);

// Whether a text typed into a column may be stored. The zone and the groups take plain numbers within
// their range; input groups 30 and 31 are refused while the class change or remote alarm input has them.
enum class TypedValue { Accepted, Refused, RemoteAlarmInputGroup, ClassChangeInputGroup };
TypedValue DeviceTypedValue(const SettingsStore& store, int column, std::string_view typed);

// Every existing device key of the address takes its empty value and the address becomes latching.
// The device's text stays: it belongs to the address, not to the device.
void DeviceClear(SettingsStore& store, int address);
// The devices at the two addresses change places, missing keys included.
void DeviceSwap(SettingsStore& store, int first, int second);

}  // namespace tamrik
