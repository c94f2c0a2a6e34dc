#pragma once

#include <cstdint>
#include <string>
#include <vector>

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
// release number, or only the one at a given device path. The user hears which one is used when
// several are attached, and why one that is there can't be opened.
class HidLink final : public PanelLink {
public:
    // `path` names the one device to use (a hidraw node on Linux); empty: the first panel found.
    explicit HidLink(std::string path = {});
    ~HidLink() override;

    std::string describe() const override;
    // A file named from the device path in the runtime folder, shared by every user's programs.
    std::string lockName() override;
    // Drops replies that came in while another program held the panel.
    bool prepareTransfer(bool changesPanel, std::string* error) override;

protected:
    bool deviceOpen() override;
    void deviceClose() override;
    bool deviceWrite(const Report& report, std::chrono::milliseconds limit) override;
    ReadResult deviceRead(Report& report, std::chrono::milliseconds limit) override;

private:
    std::vector<std::string> panelPaths();
    bool openPath(const std::string& path);
    void noticeOnce(std::string text);

    std::string wantedPath_;
    std::string chosenPath_;
    hid_device_* device_ = nullptr;
    std::vector<std::string> told_;
};

}  // namespace tamrik
