#pragma once

#include <cstdint>
#include <string>

#include "panel/PanelLink.h"

struct hid_device_;

namespace tamrik {

constexpr std::uint16_t kPanelVendorId = 0x04D8;
constexpr std::uint16_t kPanelProductId = 0xFB4C;

// Which attributes HidFindDevice compares.
enum HidMatchFlags : std::uint32_t {
    kMatchVendor = 1u << 0,
    kMatchProduct = 1u << 1,
    kMatchVersion = 1u << 2,
};

// Opens the HID interface number `wantedIndex` (counting from 0) among the present ones whose
// compared attributes match, in the order the system lists them; interfaces that can't be opened
// are skipped. Null when there is none.
hid_device_* HidFindDevice(std::uint32_t wantedIndex, std::uint16_t vendorId, std::uint16_t productId,
                           std::uint16_t versionNumber, std::uint32_t matchFlags);

// The panel over USB HID: the first interface with the panel's vendor and product id, whatever its
// release number.
class HidLink final : public PanelLink {
public:
    HidLink() = default;
    ~HidLink() override;

    std::string describe() const override { return "USB panel"; }

protected:
    bool deviceOpen() override;
    void deviceClose() override;
    bool deviceWrite(const Report& report, std::chrono::milliseconds limit) override;
    ReadResult deviceRead(Report& report, std::chrono::milliseconds limit) override;

private:
    hid_device_* device_ = nullptr;
};

}  // namespace tamrik
