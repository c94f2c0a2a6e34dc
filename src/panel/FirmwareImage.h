#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "panel/PanelMemoryMap.h"

namespace tamrik {

// A firmware image is program memory as bytes: 4 bytes per word, image offset = 2 x address,
// covering addresses 0 to 0x2A7FF; what a file does not fill stays 0xFF.
constexpr std::size_t kFirmwareImageSize = kProgramMemoryBytes;
constexpr std::uint32_t kFirmwareImageEnd = static_cast<std::uint32_t>(kFirmwareImageSize / 2);

// From this version on the firmware leaves the last block of program memory (the identity copy)
// alone: the update neither erases nor programs it.
constexpr int kKeepsIdentityBlockFromVersion = 124;

// The 8 version characters and the 10 type characters stored two per word (the word's first two bytes).
std::string FirmwareVersionChars(const std::uint8_t* image);
std::string FirmwareTypeChars(const std::uint8_t* image);

// The type as shown: the 10 characters cut at the first blank, upper-cased, when it is a known type
// ("5300" or "KESTRELIX"); "Unknown" otherwise.
std::string FirmwareTypeName(const std::uint8_t* image);
bool FirmwareTypeIsKnown(const std::uint8_t* image);

// The sum that the firmware checks over the words from 0x5000 below `end`; the stamp makes it 0x5A5A.
std::uint16_t FirmwareChecksum(const std::uint8_t* image, std::uint32_t end);
// Stores the stamp at the checksum word (image offsets 0xA220, 0xA221), high byte first.
void FirmwareStampChecksum(std::uint8_t* image, std::uint32_t end);

// Writers for building images (the demo panel, tests).
void FirmwareSetVersionChars(std::uint8_t* image, std::string_view eight);
void FirmwareSetTypeChars(std::uint8_t* image, std::string_view ten);

}  // namespace tamrik
