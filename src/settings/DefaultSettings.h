#pragma once

#include "settings/SettingsStore.h"

namespace tamrik {

constexpr int kLoopAddressCount = 192;
constexpr int kZoneCount = 32;
constexpr int kGroupCount = 32;

// Fills in every key of a new site that the store lacks (existing values stay), in a fixed order
// that fixes the slot order and so the bytes of a new site file, then records the store's
// checksum as saved.
void ApplyDefaultSettings(SettingsStore& store);

}  // namespace tamrik
