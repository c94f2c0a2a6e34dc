#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "panel/LinkClock.h"

namespace tamrik {

// Every report is 65 bytes: byte 0 is the HID report ID (always 0 here), bytes 1..64 the payload.
constexpr std::size_t kReportSize = 65;
using Report = std::array<std::uint8_t, kReportSize>;

// How long one write or one read may take before it counts as failed.
constexpr std::chrono::milliseconds kLinkWaitLimit{100};

// The one channel to the panel. The four Link operations keep the contract the protocol relies on,
// whatever carries the reports:
// - LinkWrite opens the link itself when it is closed; a failed write closes it, so the next write
//   searches for the device again (a panel unplugged and plugged in again is picked up that way).
// - LinkRead never opens the link and fails while it is closed; a read that times out leaves it open.
// - LinkRead copies the first `length` bytes of the 65-byte report: the report ID comes along at
//   index 0 and the payload starts at index 1.
// Backends supply the device primitives below. Only one thread drives a link at a time.
class PanelLink {
public:
    virtual ~PanelLink() = default;
    PanelLink() = default;
    PanelLink(const PanelLink&) = delete;
    PanelLink& operator=(const PanelLink&) = delete;

    // 1 when the link is open (already, or now); -1 when no panel is found.
    int LinkOpen();
    // Always 1.
    int LinkClose();
    // 1 when the 65-byte report was sent within the wait limit; -1 otherwise. Bytes past `length`
    // keep what the previous write left in the output buffer.
    int LinkWrite(const std::uint8_t* report, std::uint16_t length);
    // 1 when a report arrived within the wait limit (its first `length` bytes copied out); -1 otherwise.
    // A time-out leaves the link open; a device failure (unplugged) closes it.
    int LinkRead(std::uint8_t* destination, std::uint8_t length);

    bool isOpen() const { return open_; }

    // The clock the link waits in; the protocol's reply deadlines use the same one.
    virtual LinkClock& clock() { return SystemLinkClock(); }
    // True for the simulated panel: the program never presents it as a real one.
    virtual bool isSimulated() const { return false; }
    // Short description for banners and logs ("USB panel", "simulated panel (demo.panel)").
    virtual std::string describe() const = 0;

    // The file whose lock marks this panel as taken by one transfer: every program that uses the
    // panel locks it for the whole of a read, write or firmware update. Empty when there is nothing
    // to lock (no panel found: the transfer then fails in its usual way). May pick the device the
    // transfer is going to use.
    virtual std::string lockName() { return {}; }
    // Whether the lock file may be created (a lock beside the device) or must exist (the panel's
    // own file).
    virtual bool lockNameIsCreated() const { return true; }
    // Called with the lock held, before the transfer's first report: the link can now trust what
    // it finds. False, with the reason in `error`, refuses the transfer.
    virtual bool prepareTransfer(bool changesPanel, std::string* error) {
        (void)changesPanel;
        (void)error;
        return true;
    }
    // Words for the user gathered while the device was chosen or opened (which of several panels
    // is used, why one that is present could not be opened); each is handed out once.
    std::vector<std::string> takeNotices() { return std::move(notices_); }

    // Reports that went out and came in successfully since the link was made.
    std::uint64_t reportsWritten() const { return reportsWritten_; }
    std::uint64_t reportsRead() const { return reportsRead_; }

protected:
    void notice(std::string text) { notices_.push_back(std::move(text)); }

    virtual bool deviceOpen() = 0;
    virtual void deviceClose() = 0;
    // Sends the whole report; false when it was not taken within `limit`.
    virtual bool deviceWrite(const Report& report, std::chrono::milliseconds limit) = 0;
    // Fills the whole report. A device that fails (rather than stays silent) has gone away: the
    // link closes, and the next write searches for it again.
    enum class ReadResult { Received, TimedOut, DeviceFailed };
    virtual ReadResult deviceRead(Report& report, std::chrono::milliseconds limit) = 0;

private:
    bool open_ = false;
    Report output_{};
    Report input_{};
    std::uint64_t reportsWritten_ = 0;
    std::uint64_t reportsRead_ = 0;
    std::vector<std::string> notices_;
};

}  // namespace tamrik
