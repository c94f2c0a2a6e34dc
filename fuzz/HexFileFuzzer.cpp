// Feeds arbitrary bytes to the Intel HEX loader, then reads the firmware type and version out of the
// image it filled. A refused file must say which line it refused.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "panel/FirmwareImage.h"
#include "panel/HexFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static std::vector<std::uint8_t> image(tamrik::kFirmwareImageSize);
    image.assign(image.size(), 0xFF);
    std::string error;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (tamrik::HexFileParse(text, image.data(), image.size(), &error) == 1) {
        if (tamrik::FirmwareTypeName(image.data()).empty()) std::abort();
        (void)tamrik::FirmwareVersionChars(image.data());
        (void)tamrik::FirmwareChecksum(image.data(), tamrik::kFirmwareImageEnd);
    } else if (error.rfind("line ", 0) != 0) {
        std::abort();
    }
    return 0;
}
