#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "settings/SettingsStore.h"

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
// The key format of a column ("Zone_%d"), or null for the address column.
const char* DeviceColumnKey(int column);

// Placeholder shown for a key the site lacks.
inline constexpr const char* kMissingValueText = "NULL";

// The text of one cell of the device table; nullopt where a missing key leaves the cell empty
// (type, volume, class, Msg52 Config).
std::optional<std::string> DeviceCellText(const SettingsStore& store, int address, int column);

// What a click on Volume, Class and Msg52 Config does to the stored number.
int VolumeStep(int volume);        // 2 -> 4 -> 15 -> 2, anything else -> 2
int ClassStep(int deviceClass);    // +1, wrapping from above 11 to 0
int ConfigOptionStep(int option);  // four-channel unit: 0..7, then 9, 11, 13, 15, then 0
int CoverageStep(int coverage);
}  // namespace tamrik
