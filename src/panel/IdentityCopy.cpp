#include "panel/IdentityCopy.h"

#include <algorithm>

namespace tamrik {

std::uint16_t Crc16Modbus(const std::uint8_t* bytes, std::size_t length) {
    std::uint16_t crc = 0xFFFF;
    for (std::size_t i = 0; i < length; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001) : static_cast<std::uint16_t>(crc >> 1);
        }
    }
    return crc;
}

std::array<std::uint8_t, 12> IdentityCopyBuild(const PanelIdentity& identity) {
    std::array<std::uint8_t, 12> copy{};
    const auto record = identity.toBytes();
    std::copy(record.begin(), record.end(), copy.begin());
    copy[9] = 0x01;
    const std::uint16_t crc = Crc16Modbus(copy.data(), 10);
    copy[10] = static_cast<std::uint8_t>(crc);
    copy[11] = static_cast<std::uint8_t>(crc >> 8);
    return copy;
}

bool IdentityCopyIsValid(const std::uint8_t* twelve) {
    if (twelve[9] != 0x01) return false;
    const std::uint16_t crc = Crc16Modbus(twelve, 10);
    return twelve[10] == static_cast<std::uint8_t>(crc) && twelve[11] == static_cast<std::uint8_t>(crc >> 8);
}

}  // namespace tamrik
