#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace tamrik::testing {

// One Intel HEX record line (without its line end), checksum included.
inline std::string HexRecord(unsigned type, unsigned address, const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> bytes = {static_cast<std::uint8_t>(data.size()), static_cast<std::uint8_t>(address >> 8),
                                       static_cast<std::uint8_t>(address), static_cast<std::uint8_t>(type)};
    bytes.insert(bytes.end(), data.begin(), data.end());
    unsigned sum = 0;
    for (auto byte : bytes) sum += byte;
    bytes.push_back(static_cast<std::uint8_t>(0x100 - sum % 256));
    std::string line = ":";
    char digits[3];
    for (auto byte : bytes) {
        std::snprintf(digits, sizeof digits, "%02X", byte);
        line += digits;
    }
    return line;
}

// The bytes of `image` from `from` to `to` as a HEX file with extended linear address records and
// 32-byte data records, CR LF line ends, ending with an end-of-file record. Runs of 0xFF are left out.
inline std::string HexFileOf(const std::vector<std::uint8_t>& image, std::size_t from, std::size_t to) {
    std::string file;
    unsigned upper = 0xFFFFFFFF;
    for (std::size_t at = from; at < to; at += 32) {
        const std::size_t end = std::min(at + 32, to);
        std::vector<std::uint8_t> data(image.begin() + at, image.begin() + end);
        bool blank = true;
        for (auto byte : data) blank = blank && byte == 0xFF;
        if (blank) continue;
        if ((at >> 16) != upper) {
            upper = static_cast<unsigned>(at >> 16);
            file += HexRecord(4, 0, {static_cast<std::uint8_t>(upper >> 8), static_cast<std::uint8_t>(upper)}) + "\r\n";
        }
        file += HexRecord(0, at & 0xFFFF, data) + "\r\n";
    }
    return file + HexRecord(1, 0, {}) + "\r\n";
}

}  // namespace tamrik::testing
