#include "site/WriteChanges.h"

#include <array>
#include <vector>

#include "images/ImageLayout.h"
#include "images/LoopRecord.h"
#include "images/SiteImage.h"
#include "site/SiteComparison.h"

namespace tamrik {

std::vector<std::string> WriteChanges(const SettingsStore& panelSite, const SettingsStore& site) {
    std::vector<std::uint8_t> image(kSiteImageSize);
    PanelIdentity identity{};
    SiteImageEncode(site, image.data(), identity);

    SettingsStore written;
    std::vector<std::string> changes;
    if (SiteImageDecode(written, image.data())) {
        std::array<std::uint8_t, kLoopRecordSize> record{};
        for (int address = 1; address <= kLoopRecordCount; ++address) {
            LoopRecordEncode(site, record.data(), address);
            LoopRecordDecode(written, address, record.data());
        }
        if (const auto version = panelSite.get("FirmwareVersion")) written.put("FirmwareVersion", *version);
        changes = CompareSites(panelSite, written, false);
    }
    return changes;
}

}  // namespace tamrik
