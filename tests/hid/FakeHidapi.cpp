#include "hid/FakeHidapi.h"

#include <hidapi/hidapi.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tamrik::fakehid {

std::vector<Device>& Devices() {
    static std::vector<Device> devices;
    return devices;
}

Calls& CallLog() {
    static Calls calls;
    return calls;
}

void Reset() {
    Devices().clear();
    CallLog() = Calls{};
}

}  // namespace tamrik::fakehid

using tamrik::fakehid::CallLog;
using tamrik::fakehid::Devices;

struct hid_device_ {
    std::size_t index;
};

namespace {

// A device without a panel is always there; one with a panel is there while the panel is plugged
// in (each enumeration counts as a search, which may bring an unplugged panel back).
bool presentForEnumeration(tamrik::fakehid::Device& device) { return !device.panel || device.panel->search(); }

bool present(const tamrik::fakehid::Device& device) { return !device.panel || device.panel->present(); }

}  // namespace

extern "C" {

int HID_API_EXPORT HID_API_CALL hid_init(void) { return 0; }

int HID_API_EXPORT HID_API_CALL hid_exit(void) { return 0; }

struct hid_device_info HID_API_EXPORT* HID_API_CALL hid_enumerate(unsigned short vendor_id, unsigned short product_id) {
    ++CallLog().enumerations;
    hid_device_info* first = nullptr;
    hid_device_info** tail = &first;
    for (auto& device : Devices()) {
        if (vendor_id != 0 && device.vendorId != vendor_id) continue;
        if (product_id != 0 && device.productId != product_id) continue;
        if (!presentForEnumeration(device)) continue;
        auto* info = new hid_device_info{};
        info->path = new char[device.path.size() + 1];
        std::memcpy(info->path, device.path.c_str(), device.path.size() + 1);
        info->vendor_id = device.vendorId;
        info->product_id = device.productId;
        info->release_number = device.releaseNumber;
        *tail = info;
        tail = &info->next;
    }
    return first;
}

void HID_API_EXPORT HID_API_CALL hid_free_enumeration(struct hid_device_info* devs) {
    while (devs) {
        hid_device_info* next = devs->next;
        delete[] devs->path;
        delete devs;
        devs = next;
    }
}

hid_device* HID_API_EXPORT HID_API_CALL hid_open_path(const char* path) {
    auto& devices = Devices();
    for (std::size_t i = 0; i < devices.size(); ++i) {
        if (devices[i].path == path && devices[i].openable && present(devices[i])) {
            CallLog().opened.push_back(path);
            return new hid_device_{i};
        }
        if (devices[i].path == path) errno = devices[i].openError;
    }
    return nullptr;
}

void HID_API_EXPORT HID_API_CALL hid_close(hid_device* dev) {
    ++CallLog().closed;
    delete dev;
}

int HID_API_EXPORT HID_API_CALL hid_write(hid_device* dev, const unsigned char* data, size_t length) {
    CallLog().writeLengths.push_back(length);
    CallLog().writeReportIds.push_back(data[0]);
    auto& device = Devices()[dev->index];
    if (!device.panel) return static_cast<int>(length);
    if (device.shortWrites) return static_cast<int>(length) - 1;
    tamrik::Report report{};
    std::memcpy(report.data(), data, std::min(length, report.size()));
    return device.panel->receive(report) ? static_cast<int>(length) : -1;
}

int HID_API_EXPORT HID_API_CALL hid_read_timeout(hid_device* dev, unsigned char* data, size_t length,
                                                 int milliseconds) {
    CallLog().readLengths.push_back(length);
    CallLog().readTimeouts.push_back(milliseconds);
    auto& device = Devices()[dev->index];
    if (!device.panel) return 0;
    if (!device.panel->present()) return -1;
    const auto reply = device.panel->takeReply();
    if (!reply) return 0;
    // Reports without numbered IDs arrive as their 64 payload bytes.
    const std::size_t copied = std::min(length, reply->report.size() - 1);
    std::memcpy(data, reply->report.data() + 1, copied);
    return static_cast<int>(copied);
}

}  // extern "C"
