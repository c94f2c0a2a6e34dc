#pragma once

#include <span>
#include <string>

#include "settings/SettingsStore.h"

namespace tamrik {

// The keys that make up one loop device, with the values of an empty address. A device's text is not
// among them: it belongs to the address, not to the device.
struct DeviceKey {
    const char* format;
    const char* clearValue;
};
std::span<const DeviceKey> DeviceKeyTable();

// Every existing device key of the address takes its empty value and the address becomes latching.
void DeviceClear(SettingsStore& store, int address);
// The devices at the two addresses change places, missing keys included.
void DeviceSwap(SettingsStore& store, int first, int second);

}  // namespace tamrik
