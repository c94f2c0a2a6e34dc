#include "panel/hid/PanelLinkFactory.h"

#include "panel/hid/HidLink.h"
#include "panel/sim/SimulatedPanelFile.h"

namespace tamrik {

std::unique_ptr<PanelLink> OpenPanelLink(const std::string& which, std::string* error) {
    if (which == "usb") return std::make_unique<HidLink>();
    constexpr std::string_view kUsbPrefix = "usb:";
    if (which.compare(0, kUsbPrefix.size(), kUsbPrefix) == 0) {
        const std::string path = which.substr(kUsbPrefix.size());
        if (path.empty()) {
            if (error) *error = "usb: needs a device path, as in usb:/dev/hidraw0";
            return nullptr;
        }
        return std::make_unique<HidLink>(path);
    }
    constexpr std::string_view kSimPrefix = "sim:";
    if (which.compare(0, kSimPrefix.size(), kSimPrefix) == 0) {
        const std::string path = which.substr(kSimPrefix.size());
        if (path.empty()) {
            if (error) *error = "sim: needs a panel state file, as in sim:demo.panel";
            return nullptr;
        }
        return OpenSimulatedPanelLink(path, {}, error);
    }
    if (error) *error = "unknown panel '" + which + "' (use usb, usb:PATH or sim:FILE)";
    return nullptr;
}

}  // namespace tamrik
