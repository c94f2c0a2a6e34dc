#include "panel/HexFile.h"

#include <optional>

#include "platform/FileRead.h"
#include "settings/NumberText.h"

namespace tamrik {
namespace {

// The byte written as two hex digits at `at`, if both are there and hexadecimal.
std::optional<unsigned> hexByte(std::string_view line, std::size_t at) {
    if (at + 2 > line.size()) return std::nullopt;
    const int high = HexDigitValue(line[at]);
    const int low = HexDigitValue(line[at + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    return static_cast<unsigned>(high * 16 + low);
}

bool refuse(std::string* error, std::size_t lineNumber, const char* reason) {
    if (error) *error = "line " + std::to_string(lineNumber) + ": " + reason;
    return false;
}

struct Loader {
    std::uint8_t* image;
    std::size_t imageSize;
    std::uint64_t base = 0;
    bool endOfFileSeen = false;

    bool record(std::string_view line, std::size_t lineNumber, std::string* error) {
        if (line.empty() || line[0] != ':') return refuse(error, lineNumber, "does not start with ':'");
        const auto count = hexByte(line, 1);
        if (!count) return refuse(error, lineNumber, "the byte count is not hexadecimal");
        // Count, two address bytes, type, the data and the checksum, two digits each. What follows the
        // checksum (a CR, blanks) is not part of the record.
        const std::size_t recordBytes = 5 + *count;
        if (line.size() < 1 + 2 * recordBytes) return refuse(error, lineNumber, "the record is shorter than its count");
        unsigned bytes[5 + 255] = {};
        unsigned sum = 0;
        for (std::size_t i = 0; i < recordBytes; ++i) {
            const auto value = hexByte(line, 1 + 2 * i);
            if (!value) return refuse(error, lineNumber, "the record holds a character that is not a hex digit");
            bytes[i] = *value;
            sum += *value;
        }
        if (sum % 256 != 0) return refuse(error, lineNumber, "the record checksum is wrong");

        const unsigned address = bytes[1] * 256 + bytes[2];
        const unsigned type = bytes[3];
        const unsigned* data = bytes + 4;
        switch (type) {
            case 0:
                for (unsigned i = 0; i < *count; ++i) {
                    const std::uint64_t offset = base + address + i;
                    if (offset < imageSize) image[offset] = static_cast<std::uint8_t>(data[i]);
                }
                return true;
            case 2:
            case 4:
                if (*count != 2) return refuse(error, lineNumber, "the address record does not hold two bytes");
                base = static_cast<std::uint64_t>(data[0] * 256 + data[1]) << (type == 2 ? 4 : 16);
                return true;
            case 1:
                endOfFileSeen = true;
                return true;
            default:
                return true;  // start addresses and anything else: nothing to load
        }
    }
};

}  // namespace

int HexFileParse(std::string_view contents, std::uint8_t* image, std::size_t imageSize, std::string* error) {
    Loader loader{image, imageSize};
    std::size_t lineNumber = 0;
    while (!contents.empty()) {
        const std::size_t end = contents.find('\n');
        std::string_view line = contents.substr(0, end);
        contents.remove_prefix(end == std::string_view::npos ? contents.size() : end + 1);
        ++lineNumber;
        if (!loader.record(line, lineNumber, error)) return 0;
    }
    // A download cut at a line boundary reads as sound records up to the cut: without the end-of-file
    // record the rest of the image would be left erased.
    if (!loader.endOfFileSeen) {
        refuse(error, lineNumber, "the file ends before its end-of-file record");
        return 0;
    }
    return 1;
}

int HexFileLoad(const std::string& path, std::uint8_t* image, std::size_t imageSize, std::string* error) {
    std::string contents;
    std::string reason;
    if (!ReadFileBounded(path, kHexFileMaxBytes, contents, &reason)) {
        if (error) *error = "cannot open " + path + ": " + reason;
        return 0;
    }
    return HexFileParse(contents, image, imageSize, error);
}

}  // namespace tamrik
