#include "panel/hid/HidLink.h"

#include <hidapi/hidapi.h>

#include <algorithm>
#include <cstring>

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

HidLink::~HidLink() { LinkClose(); }

bool HidLink::deviceOpen() {
    device_ = HidFindDevice(0, kPanelVendorId, kPanelProductId, 0, kMatchVendor | kMatchProduct);
    return device_ != nullptr;
}

void HidLink::deviceClose() {
    if (device_) hid_close(device_);
    device_ = nullptr;
}

// hidapi takes the report ID in the first byte and sends the payload behind it; the panel uses
// report ID 0 only. Its writes have no time limit of their own, so only an error counts as failure.
bool HidLink::deviceWrite(const Report& report, std::chrono::milliseconds) {
    if (!device_) return false;
    Report out = report;
    out[0] = 0;
    return hid_write(device_, out.data(), out.size()) != -1;
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
