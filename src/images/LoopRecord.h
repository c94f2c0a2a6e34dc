#pragma once

#include <cstdint>
#include <vector>

#include "settings/SettingsStore.h"

namespace tamrik {

// The serial number key of a loop address is this prefix and the address.
inline constexpr const char* kLoopSerialPrefix = "SNum_";

// Sets the keys of loop address `address` (1..192) from its 16-byte record, replacing existing
// values. NonLatching_<a> is present ("1") exactly when the record says non-latching.
void LoopRecordDecode(SettingsStore& store, int address, const std::uint8_t* record /* 16 bytes */);

// The record's one-number keys (completed by the loop address) and the largest value each holds:
// 255 for a whole byte, 15 for a nibble, 31 for the coverage.
struct LoopRecordNumberKey {
    const char* prefix;
    int maximum;
};
std::vector<LoopRecordNumberKey> LoopRecordNumberKeys();

// Fills the 16-byte record of loop address `address` (1..192) from the store; missing keys give 0.
void LoopRecordEncode(const SettingsStore& store, std::uint8_t* record, int address);

}  // namespace tamrik
