// Feeds arbitrary bytes to the site image decoder as a site data image (short inputs are padded
// with zeros). Whatever it accepts must encode to an image that is already in normal form:
// decoding and encoding that image again gives the same bytes.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

#include "images/ImageLayout.h"
#include "images/SiteImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::array<std::uint8_t, tamrik::kSiteImageSize> image{};
    std::copy_n(data, std::min(size, image.size()), image.begin());

    tamrik::SettingsStore store;
    if (tamrik::SiteImageDecode(store, image.data())) {
        std::array<std::uint8_t, tamrik::kSiteImageSize> first{}, second{};
        tamrik::PanelIdentity identity{};
        tamrik::SiteImageEncode(store, first.data(), identity);
        if (!tamrik::SiteImageDecode(store, first.data())) std::abort();
        tamrik::SiteImageEncode(store, second.data(), identity);
        if (first != second) std::abort();
    }
    return 0;
}
