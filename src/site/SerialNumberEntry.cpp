#include "site/SerialNumberEntry.h"

#include <cstdio>

#include "settings/DefaultSettings.h"
#include "settings/DeviceCatalogue.h"
#include "site/KeyFamily.h"

namespace tamrik {
namespace {

constexpr std::uint32_t kSerialMask = 0xFFFFFF;
constexpr int kSixteenChannels = 16;
constexpr int kFourChannels = 4;

bool isSixteenChannelType(std::uint32_t type) { return type == 0xC4 || type == 0xC5 || type == 0xC6; }

}  // namespace

std::string SerialCode::serialText() const {
    char text[16];
    std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(serial & kSerialMask));
    return text;
}

std::string SerialCode::text() const {
    char text[16];
    std::snprintf(text, sizeof text, "%02X%06X", static_cast<unsigned>(typeCode & 0xFF),
                  static_cast<unsigned>(serial & kSerialMask));
    return text;
}

bool SerialCodeParse(std::string_view typed, SerialCode& code) {
    if (typed.size() < 8) return false;
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        const int digit = HexDigitValue(typed[i]);
        if (digit < 0) return false;
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    if (typed.size() > 8 && HexDigitValue(typed[8]) >= 0) return false;
    code.typeCode = value >> 24;
    code.serial = value & kSerialMask;
    return true;
}

SerialCode SerialNumberMemory::next(const SerialCode& typed) {
    if (!remembered_ || typed.typeCode != code_.typeCode || typed.serial != code_.serial) {
        remembered_ = true;
        code_ = typed;
        sixteenChannelCount_ = 1;
        fourChannelCount_ = 1;
        return typed;
    }
    SerialCode result = typed;
    if (isSixteenChannelType(typed.typeCode) && sixteenChannelCount_ < kSixteenChannels) {
        result.serial = (code_.serial + static_cast<std::uint32_t>(sixteenChannelCount_++)) & kSerialMask;
    } else if (typed.typeCode == kConfigOptionType && fourChannelCount_ < kFourChannels) {
        result.serial = (code_.serial + static_cast<std::uint32_t>(fourChannelCount_++)) & kSerialMask;
    }
    return result;
}

int SerialNumberUsedAt(const SettingsStore& store, const std::string& serialText) {
    for (int address = 1; address <= kLoopAddressCount; ++address) {
        if (store.get(key::Serial(address)) == serialText) return address;
    }
    return 0;
}

void DeviceInstall(SettingsStore& store, int address, const SerialCode& code) {
    store.put(key::Serial(address), code.serialText());
    store.put(key::Type(address), std::to_string(code.typeCode));
    store.put(key::DaySensitivity(address), SensModeStepped("0", code.typeCode));
    store.put(key::NightSensitivity(address), SensModeStepped("0", code.typeCode));
    store.put(key::Version(address), "0");
}

SerialEntry DeviceSerialEntered(SettingsStore& store, SerialNumberMemory& memory, int address, std::string_view typed) {
    SerialEntry entry;
    SerialCode code;
    if (!SerialCodeParse(typed, code)) return entry;
    code = memory.next(code);
    entry.serial = code.serialText();
    entry.usedAt = SerialNumberUsedAt(store, entry.serial);
    if (entry.usedAt) {
        entry.outcome = SerialEntry::Outcome::InUse;
        return entry;
    }
    DeviceInstall(store, address, code);
    entry.outcome = SerialEntry::Outcome::Installed;
    return entry;
}

}  // namespace tamrik
