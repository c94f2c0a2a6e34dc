#include "panel/hid/PanelLinkFactory.h"

#include "panel/hid/HidLink.h"
#include "panel/sim/SimulatedPanelFile.h"

namespace tamrik {

std::unique_ptr<PanelLink> OpenPanelLink(const std::string& spec, std::string* error) {
    if (spec == "usb") return std::make_unique<HidLink>();
    constexpr std::string_view kSimPrefix = "sim:";
    if (spec.compare(0, kSimPrefix.size(), kSimPrefix) == 0) {
        const std::string path = spec.substr(kSimPrefix.size());
        if (path.empty()) {
            if (error) *error = "sim: needs a panel state file, as in sim:demo.panel";
            return nullptr;
        }
        return OpenSimulatedPanelLink(path, {}, error);
    }
    if (error) *error = "unknown panel '" + spec + "' (use usb or sim:FILE)";
    return nullptr;
}

}  // namespace tamrik
