#pragma once

#include <cstdint>

#include "settings/SettingsStore.h"

namespace tamrik {

// Sets the keys of loop address `address` (1..192) from its 16-byte record, replacing existing
// values. NonLatching_<a> is present ("1") exactly when the record says non-latching.
void LoopRecordDecode(SettingsStore& store, int address, const std::uint8_t* record /* 16 bytes */);

// Fills the 16-byte record of loop address `address` (1..192) from the store; missing keys give 0.
void LoopRecordEncode(SettingsStore& store, std::uint8_t* record, int address);

}  // namespace tamrik
