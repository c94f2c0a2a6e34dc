#include "images/LoopRecord.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "images/ImageBytes.h"
#include "images/ImageLayout.h"
#include "images/ValueText.h"

namespace tamrik {
namespace {

// Where each one-byte field of a record lives: a whole byte, or the low or high nibble.
enum class Part : std::uint8_t { Byte, LowNibble, HighNibble };

struct RecordField {
    const char* prefix;
    std::uint8_t offset;
    Part part;
};

// In the order decoding inserts the keys; the serial number (bytes 0..3) comes first and the
// latching flag and coverage (byte 15) last.
constexpr RecordField kFields[] = {
    {"Type_", 4, Part::Byte},          {"Version_", 5, Part::Byte},       {"OPGroup_", 6, Part::Byte},
    {"IPGroup_", 7, Part::Byte},       {"DisplayGroup_", 13, Part::Byte}, {"MapNode_", 8, Part::Byte},
    {"Sens1_", 9, Part::LowNibble},    {"Sens2_", 9, Part::HighNibble},   {"Class_", 10, Part::LowNibble},
    {"Volume_", 10, Part::HighNibble}, {"Zone_", 11, Part::Byte},         {"RptGroup_", 12, Part::Byte},
};

// The record's other keys: the serial number (hexadecimal), the latching flag (present when
// non-latching) and the coverage.
constexpr const char* kNonLatching = "NonLatching_";
constexpr const char* kCoverage = "Coverage_";

constexpr std::size_t kSerialOffset = 0;
constexpr std::size_t kOwnAddressOffset = 14;
constexpr std::size_t kLatchingOffset = 15;

std::string key(const char* prefix, int address) { return prefix + std::to_string(address); }

bool validAddress(int address) { return address >= 1 && address <= kLoopRecordCount; }

}  // namespace

void LoopRecordDecode(SettingsStore& store, int address, const std::uint8_t* record) {
    if (!validAddress(address)) return;
    char serial[16];
    std::snprintf(serial, sizeof serial, "%06X", static_cast<unsigned>(imagebytes::ReadU32(record + kSerialOffset)));
    store.put(key(kLoopSerialPrefix, address), serial);
    for (const RecordField& field : kFields) {
        const std::uint8_t byte = record[field.offset];
        const int value = field.part == Part::Byte ? byte : field.part == Part::LowNibble ? byte & 0x0F : byte >> 4;
        store.put(key(field.prefix, address), valuetext::FormatInt(value));
    }
    const std::uint8_t latching = record[kLatchingOffset];
    // The key's presence is the flag, so a record without it must not leave an older key behind.
    if (latching & 1) {
        store.put(key(kNonLatching, address), "1");
    } else {
        store.erase(key(kNonLatching, address));
    }
    store.put(key(kCoverage, address), valuetext::FormatInt((latching >> 1) & 0x1F));
}

std::vector<LoopRecordNumberKey> LoopRecordNumberKeys() {
    std::vector<LoopRecordNumberKey> keys;
    for (const RecordField& field : kFields) keys.push_back({field.prefix, field.part == Part::Byte ? 255 : 15});
    keys.push_back({kCoverage, 0x1F});
    return keys;
}

void LoopRecordEncode(const SettingsStore& store, std::uint8_t* record, int address) {
    std::memset(record, 0, kLoopRecordSize);
    if (!validAddress(address)) return;
    const std::uint32_t serial = ParseHex32(store.text(key(kLoopSerialPrefix, address), "0"));
    imagebytes::WriteU32(record + kSerialOffset, serial);
    record[kOwnAddressOffset] = serial != 0 ? static_cast<std::uint8_t>(address) : 0;
    for (const RecordField& field : kFields) {
        const auto value = static_cast<std::uint8_t>(ParseDecimal(store.text(key(field.prefix, address), "0")));
        switch (field.part) {
            case Part::Byte:
                record[field.offset] = value;
                break;
            case Part::LowNibble:
                record[field.offset] = static_cast<std::uint8_t>(record[field.offset] | (value & 0x0F));
                break;
            case Part::HighNibble:
                record[field.offset] = static_cast<std::uint8_t>(record[field.offset] | (value & 0x0F) << 4);
                break;
        }
    }
    const auto coverage = static_cast<std::uint8_t>(ParseDecimal(store.text(key(kCoverage, address), "0")));
    std::uint8_t latching = static_cast<std::uint8_t>((coverage & 0x1F) << 1);
    if (store.get(key(kNonLatching, address))) latching |= 1;
    record[kLatchingOffset] = latching;
}

}  // namespace tamrik
