#include "panel/FirmwareImage.h"

#include <cctype>

namespace tamrik {
namespace {

// Characters kept two per program word, in the word's first two bytes.
std::string charsAt(const std::uint8_t* image, std::uint32_t address, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text.push_back(static_cast<char>(image[2 * static_cast<std::size_t>(address) + 4 * (i / 2) + (i % 2)]));
    }
    return text;
}

void setCharsAt(std::uint8_t* image, std::uint32_t address, std::size_t count, std::string_view text) {
    for (std::size_t word = 0; word < count / 2; ++word) {
        std::uint8_t* bytes = image + 2 * static_cast<std::size_t>(address) + 4 * word;
        for (std::size_t i = 0; i < 2; ++i) {
            const std::size_t at = 2 * word + i;
            bytes[i] = at < text.size() ? static_cast<std::uint8_t>(text[at]) : ' ';
        }
        bytes[2] = 0;
        bytes[3] = 0;
    }
}

std::string shownType(const std::uint8_t* image) {
    std::string type = FirmwareTypeChars(image);
    type = type.substr(0, type.find_first_of(std::string_view(" \0", 2)));
    for (char& c : type) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return type;
}

}  // namespace

std::string FirmwareVersionChars(const std::uint8_t* image) { return charsAt(image, kFirmwareVersionAddress, 8); }

std::string FirmwareTypeChars(const std::uint8_t* image) { return charsAt(image, kFirmwareTypeAddress, 10); }

bool FirmwareTypeIsKnown(const std::uint8_t* image) {
    const std::string type = shownType(image);
    return type == "5300" || type == "KESTRELIX";
}

std::string FirmwareTypeName(const std::uint8_t* image) {
    return FirmwareTypeIsKnown(image) ? shownType(image) : "Unknown";
}

std::uint16_t FirmwareChecksum(const std::uint8_t* image, std::uint32_t end) {
    std::uint16_t sum = 0;
    for (std::uint32_t address = kFirmwareStartAddress; address < end; address += 2) {
        const std::uint8_t* word = image + 2 * static_cast<std::size_t>(address);
        sum = static_cast<std::uint16_t>(sum + 256 * word[0] + word[1]);
        sum = static_cast<std::uint16_t>(sum + 256 * word[2]);
    }
    return sum;
}

void FirmwareStampChecksum(std::uint8_t* image, std::uint32_t end) {
    const auto stamp = static_cast<std::uint16_t>(0x5A5A - FirmwareChecksum(image, end));
    const std::size_t offset = 2 * static_cast<std::size_t>(kFirmwareChecksumAddress);
    image[offset] = static_cast<std::uint8_t>(stamp >> 8);
    image[offset + 1] = static_cast<std::uint8_t>(stamp);
}

void FirmwareSetVersionChars(std::uint8_t* image, std::string_view eight) {
    setCharsAt(image, kFirmwareVersionAddress, 8, eight);
}

void FirmwareSetTypeChars(std::uint8_t* image, std::string_view ten) {
    setCharsAt(image, kFirmwareTypeAddress, 10, ten);
}

}  // namespace tamrik
