#pragma once

#include <cstddef>
#include <cstdint>

namespace tamrik {

// 0x5A5A minus the wrapping sum of the little-endian 16-bit words of the bytes, so that the words
// and the checksum together add up to 0x5A5A. An odd final byte counts as a word with a zero high
// byte (the panel's images all have even lengths).
std::uint16_t ImageChecksum(const std::uint8_t* bytes, std::size_t length);

}  // namespace tamrik
