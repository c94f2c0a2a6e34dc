#include "panel/hid/HidLink.h"

#include <hidapi/hidapi.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/FileLock.h"
#include "platform/SystemError.h"

namespace tamrik {

hid_device* HidFindDevice(std::uint32_t wantedIndex, std::uint16_t vendorId, std::uint16_t productId,
                          std::uint16_t versionNumber, std::uint32_t matchFlags) {
    if (hid_init() != 0) return nullptr;
    hid_device_info* devices =
        hid_enumerate((matchFlags & kMatchVendor) ? vendorId : 0, (matchFlags & kMatchProduct) ? productId : 0);
    hid_device* found = nullptr;
    std::uint32_t matchCounter = 0;
    for (const hid_device_info* info = devices; info && !found; info = info->next) {
        if ((matchFlags & kMatchVendor) && info->vendor_id != vendorId) continue;
        if ((matchFlags & kMatchProduct) && info->product_id != productId) continue;
        if ((matchFlags & kMatchVersion) && info->release_number != versionNumber) continue;
        hid_device* device = info->path ? hid_open_path(info->path) : nullptr;
        if (!device) continue;  // in use elsewhere, or no access: skipped without counting
        if (matchCounter != wantedIndex) {
            hid_close(device);
            ++matchCounter;
            continue;
        }
        found = device;
    }
    hid_free_enumeration(devices);
    return found;
}

HidLink::HidLink(std::string path) : wantedPath_(std::move(path)), chosenPath_(wantedPath_) {}

HidLink::~HidLink() {
    LinkClose();
    deviceClose();  // a device opened to choose it, before any transfer
}

std::string HidLink::describe() const { return wantedPath_.empty() ? "USB panel" : "USB panel (" + wantedPath_ + ")"; }

std::vector<std::string> HidLink::panelPaths() {
    std::vector<std::string> paths;
    if (hid_init() != 0) return paths;
    hid_device_info* devices = hid_enumerate(kPanelVendorId, kPanelProductId);
    for (const hid_device_info* info = devices; info; info = info->next) {
        if (info->vendor_id == kPanelVendorId && info->product_id == kPanelProductId && info->path) {
            paths.emplace_back(info->path);
        }
    }
    hid_free_enumeration(devices);
    return paths;
}

void HidLink::noticeOnce(std::string text) {
    if (std::find(told_.begin(), told_.end(), text) != told_.end()) return;
    told_.push_back(text);
    notice(std::move(text));
}

bool HidLink::openPath(const std::string& path) {
    errno = 0;
    device_ = hid_open_path(path.c_str());
    if (device_) {
        chosenPath_ = path;
        return true;
    }
    const int reason = errno;
    noticeOnce("Found a panel at " + path + " but cannot open it: " +
               (reason != 0 ? SystemErrorText(reason) : std::string("the system gave no reason")) +
               " (see README: udev rule)");
    return false;
}

bool HidLink::deviceOpen() {
    if (device_) return true;
    const std::vector<std::string> paths = panelPaths();
    if (!wantedPath_.empty()) {
        if (std::find(paths.begin(), paths.end(), wantedPath_) == paths.end()) {
            noticeOnce("No panel at " + wantedPath_);
            return false;
        }
        return openPath(wantedPath_);
    }
    // The panel used before comes first: another one plugged in meanwhile does not take its place.
    std::vector<std::string> order = paths;
    if (const auto used = std::find(order.begin(), order.end(), chosenPath_); used != order.end()) {
        std::rotate(order.begin(), used, used + 1);
    }
    for (const std::string& path : order) {
        if (!openPath(path)) continue;
        if (paths.size() > 1) {
            noticeOnce("Using the panel at " + path + " (" + std::to_string(paths.size()) +
                       " panels attached; choose one with --panel usb:PATH)");
        }
        return true;
    }
    return false;
}

std::string HidLink::lockName() {
    // Opening it now lets the user hear about the choice, or why it failed, before the transfer.
    if (!device_) deviceOpen();
    if (chosenPath_.empty()) return {};
    std::string name = chosenPath_;
    std::replace(name.begin(), name.end(), '/', '_');
    return RuntimeFolder() + "/tamrik-panel" + name + ".lock";
}

bool HidLink::prepareTransfer(bool, std::string*) {
    if (!device_) return true;
    std::uint8_t payload[kReportSize - 1];
    while (hid_read_timeout(device_, payload, sizeof payload, 0) > 0) {
    }
    return true;
}

void HidLink::deviceClose() {
    if (device_) hid_close(device_);
    device_ = nullptr;
}

// hidapi takes the report ID in the first byte and sends the payload behind it; the panel uses
// report ID 0 only. Its writes have no time limit of their own; an error or a report sent short fails.
bool HidLink::deviceWrite(const Report& report, std::chrono::milliseconds) {
    if (!device_) return false;
    Report out = report;
    out[0] = 0;
    return hid_write(device_, out.data(), out.size()) == static_cast<int>(out.size());
}

// hidapi returns the 64 payload bytes without the report ID; the link puts ID 0 back in front.
PanelLink::ReadResult HidLink::deviceRead(Report& report, std::chrono::milliseconds limit) {
    if (!device_) return ReadResult::DeviceFailed;
    std::uint8_t payload[kReportSize - 1];
    const int received = hid_read_timeout(device_, payload, sizeof payload, static_cast<int>(limit.count()));
    if (received < 0) return ReadResult::DeviceFailed;
    if (received == 0) return ReadResult::TimedOut;
    report.fill(0);
    std::memcpy(report.data() + 1, payload, std::min<std::size_t>(static_cast<std::size_t>(received), sizeof payload));
    return ReadResult::Received;
}

}  // namespace tamrik
