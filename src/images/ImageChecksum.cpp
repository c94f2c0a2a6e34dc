#include "images/ImageChecksum.h"

#include "images/ImageBytes.h"

namespace tamrik {

std::uint16_t ImageChecksum(const std::uint8_t* bytes, std::size_t length) {
    std::uint16_t sum = 0;
    std::size_t i = 0;
    for (; i + 1 < length; i += 2) sum = static_cast<std::uint16_t>(sum + imagebytes::ReadU16(bytes + i));
    if (i < length) sum = static_cast<std::uint16_t>(sum + bytes[i]);
    return static_cast<std::uint16_t>(0x5A5A - sum);
}

}  // namespace tamrik
