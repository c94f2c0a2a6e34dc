// Plays arbitrary replies to the panel protocol's read operations and to a whole panel read. Each
// request written takes the next input byte: with its top bit set the panel stays silent, otherwise
// the next 64 bytes are the reply's payload. Waits run on a manual clock, so silence costs nothing.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "panel/PanelSession.h"
#include "panel/ReadPanelWorker.h"

namespace {

class ScriptedLink final : public tamrik::PanelLink {
public:
    ScriptedLink(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    tamrik::LinkClock& clock() override { return clock_; }
    std::string describe() const override { return "scripted"; }

protected:
    bool deviceOpen() override { return true; }
    void deviceClose() override {}
    bool deviceWrite(const tamrik::Report&, std::chrono::milliseconds) override {
        if (at_ >= size_) return true;
        const std::uint8_t control = data_[at_++];
        if (control & 0x80) return true;
        tamrik::Report reply{};
        const std::size_t taken = std::min<std::size_t>(64, size_ - at_);
        std::memcpy(reply.data() + 1, data_ + at_, taken);
        at_ += taken;
        pending_ = reply;
        hasReply_ = true;
        return true;
    }
    ReadResult deviceRead(tamrik::Report& report, std::chrono::milliseconds limit) override {
        if (!hasReply_) {
            clock_.advance(limit);
            return ReadResult::TimedOut;
        }
        report = pending_;
        hasReply_ = false;
        return ReadResult::Received;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
    tamrik::ManualLinkClock clock_;
    tamrik::Report pending_{};
    bool hasReply_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ScriptedLink link(data, size);
    tamrik::SettingsStore store;
    tamrik::SilentObserver observer;
    tamrik::PanelSession session(link, store, observer);

    std::uint8_t buffer[96];
    std::memset(buffer, 0xA5, sizeof buffer);
    session.PanelQuery();
    session.PanelReadWords(buffer, 0x2400, 61);  // odd on purpose: the last word is cut
    session.PanelReadMemory(buffer, 0x1FF0, 90);
    tamrik::PanelIdentity identity{};
    session.PanelReadIdentity(identity);
    std::string version;
    session.PanelReadFirmwareVersion(&version);
    if (version.size() > 8) std::abort();
    // Anything the panel says must leave the buffer's guard bytes alone.
    for (std::size_t i = 90; i < sizeof buffer; ++i) {
        if (buffer[i] != 0xA5) std::abort();
    }
    tamrik::ReadPanelWorker(session);
    return 0;
}
