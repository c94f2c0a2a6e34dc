#include "images/PanelIdentity.h"

#include "images/ImageBytes.h"

namespace tamrik {

std::array<std::uint8_t, 9> PanelIdentity::toBytes() const {
    std::array<std::uint8_t, 9> bytes{};
    imagebytes::WriteU32(bytes.data(), serialNumber);
    bytes[4] = panelType;
    bytes[5] = numZones;
    bytes[6] = maxLoggedDevices;
    bytes[7] = overlayType;
    bytes[8] = language;
    return bytes;
}

PanelIdentity PanelIdentity::fromBytes(const std::uint8_t* nine) {
    return PanelIdentity{imagebytes::ReadU32(nine), nine[4], nine[5], nine[6], nine[7], nine[8]};
}

}  // namespace tamrik
