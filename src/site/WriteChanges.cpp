#include "site/WriteChanges.h"

#include <array>
#include <vector>

#include "images/ImageLayout.h"
#include "images/LoopRecord.h"
#include "images/SiteImage.h"
#include "site/SiteComparison.h"

namespace tamrik {

std::vector<std::string> WriteChanges(const SettingsStore& panelSite, const SettingsStore& site) {
    // The encoder tidies the store it encodes: it works on a copy.
    SettingsStore encoded;
    StoreCreate(encoded);
    for (std::uint32_t i = 0; i < site.slotCount; ++i) {
        if (const auto& entry = site.slotTable[i].entry) SettingPut(encoded, entry->key, entry->value);
    }
    std::vector<std::uint8_t> image(kSiteImageSize);
    PanelIdentity identity{};
    SiteImageEncode(encoded, image.data(), identity);

    SettingsStore written;
    StoreCreate(written);
    std::vector<std::string> changes;
    if (SiteImageDecode(written, image.data())) {
        std::array<std::uint8_t, kLoopRecordSize> record{};
        for (int address = 1; address <= kLoopRecordCount; ++address) {
            LoopRecordEncode(encoded, record.data(), address);
            LoopRecordDecode(written, address, record.data());
        }
        if (const char* version = SettingGet(panelSite, "FirmwareVersion")) {
            SettingPut(written, "FirmwareVersion", version);
        }
        changes = CompareSites(panelSite, written, false);
    }
    StoreDestroy(&written);
    StoreDestroy(&encoded);
    return changes;
}

}  // namespace tamrik
