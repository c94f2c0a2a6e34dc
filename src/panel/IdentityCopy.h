#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "images/PanelIdentity.h"

namespace tamrik {

// CRC-16/MODBUS: initial value 0xFFFF, reflected polynomial 0xA001, no final XOR.
std::uint16_t Crc16Modbus(const std::uint8_t* bytes, std::size_t length);

// The sealed identity copy the panel keeps in program memory: the nine identity bytes, 0x01 for
// "valid", and the CRC of those ten bytes, little-endian.
std::array<std::uint8_t, 12> IdentityCopyBuild(const PanelIdentity& identity);
bool IdentityCopyIsValid(const std::uint8_t* twelve);

}  // namespace tamrik
