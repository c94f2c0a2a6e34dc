#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/SettingsStore.h"

namespace tamrik {

// A device's serial code as typed: two hexadecimal digits of device type, six of serial number.
struct SerialCode {
    std::uint32_t typeCode = 0;
    std::uint32_t serial = 0;        // 24 bits
    std::string serialText() const;  // "%06X"
    std::string text() const;        // "%02X%06X"
};

// Reads the code at the start of a typed text: eight hexadecimal digits (either case) not followed
// by a ninth. False when the text holds no such code.
bool SerialCodeParse(std::string_view typed, SerialCode& code);

// Typing the same code again at the next addresses numbers the channels of a multi-channel device:
// a 16-channel unit (types C4, C5, C6) gets up to 15 further serial numbers, the four-channel unit
// (type 8E) up to 3. The memory lives while the device editor is open.
class SerialNumberMemory {
public:
    // The code to install for a typed code: the typed one, or the next channel's.
    SerialCode next(const SerialCode& typed);
    void forget() { *this = SerialNumberMemory(); }

private:
    bool remembered_ = false;
    SerialCode code_;
    int sixteenChannelCount_ = 0;
    int fourChannelCount_ = 0;
};

// The lowest address 1 to 192 whose SNum_<a> holds the serial number, or 0.
int SerialNumberUsedAt(const SettingsStore& store, const std::string& serialText);

// Makes the address hold a new device of the code: its serial number and type, the first
// sensitivity modes the type allows, version 0.
void DeviceInstall(SettingsStore& store, int address, const SerialCode& code);

// What a serial code typed at an address did.
struct SerialEntry {
    enum class Outcome { Installed, NotACode, InUse };
    Outcome outcome = Outcome::NotACode;
    std::string serial;  // the serial number installed or refused
    int usedAt = 0;      // for InUse: the address that has it
};
// Installs the device of a typed code (either case, channels numbered through `memory`) unless its
// serial number is in use at another address.
SerialEntry DeviceSerialEntered(SettingsStore& store, SerialNumberMemory& memory, int address, std::string_view typed);

}  // namespace tamrik
