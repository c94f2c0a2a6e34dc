#pragma once

#include <array>
#include <cstdint>

namespace tamrik {

// The panel's nine-byte identity record: the same bytes as site image offsets 2..10.
// Layout: serial number (32-bit little-endian), panel type, number of zones, highest number of
// logged devices, overlay type, language.
struct PanelIdentity {
    std::uint32_t serialNumber;
    std::uint8_t panelType, numZones, maxLoggedDevices, overlayType, language;

    std::array<std::uint8_t, 9> toBytes() const;
    static PanelIdentity fromBytes(const std::uint8_t* nine);
};

}  // namespace tamrik
