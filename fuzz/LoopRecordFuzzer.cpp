// Feeds arbitrary bytes to the loop record decoder: the first byte picks the address, the next 16
// are the record. What was decoded must encode to the record with only the bits the panel
// ignores cleared and the address byte set, and that record must survive another round.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

#include "images/ImageLayout.h"
#include "images/LoopRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const int address = data[0];  // 0 and 193..255 are out of range and must be harmless
    std::array<std::uint8_t, tamrik::kLoopRecordSize> record{};
    std::copy_n(data + 1, std::min(size - 1, record.size()), record.begin());

    tamrik::SettingsStore store;
    tamrik::LoopRecordDecode(store, address, record.data());
    std::array<std::uint8_t, tamrik::kLoopRecordSize> encoded{}, again{};
    tamrik::LoopRecordEncode(store, encoded.data(), address);
    if (address >= 1 && address <= tamrik::kLoopRecordCount) {
        auto expected = record;
        const bool present = expected[0] | expected[1] | expected[2] | expected[3];
        expected[14] = present ? static_cast<std::uint8_t>(address) : 0;
        expected[15] &= 0x3F;
        if (encoded != expected) std::abort();
    } else if (encoded != decltype(encoded){} || store.size() != 0) {
        std::abort();
    }
    tamrik::LoopRecordDecode(store, address, encoded.data());
    tamrik::LoopRecordEncode(store, again.data(), address);
    if (again != encoded) std::abort();
    return 0;
}
