#include "panel/sim/SimulatedPanelLink.h"

#include <algorithm>

#include "platform/FileLock.h"

namespace tamrik {

namespace {
constexpr std::chrono::milliseconds kFrame{1};
}

SimulatedPanelLink::SimulatedPanelLink(std::shared_ptr<SimulatedPanel> panel, SimLinkOptions options, std::string name)
    : panel_(std::move(panel)), options_(options), name_(std::move(name)) {
    epoch_ = clock().now();
}

LinkClock& SimulatedPanelLink::clock() { return options_.virtualTime ? manualClock_ : SystemLinkClock(); }

std::int64_t SimulatedPanelLink::frameAt(LinkClock::TimePoint when) const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(when - epoch_).count();
}

LinkClock::TimePoint SimulatedPanelLink::frameEnd(std::int64_t frame) const { return epoch_ + (frame + 1) * kFrame; }

bool SimulatedPanelLink::prepareTransfer(bool changesPanel, std::string* error) {
    const std::string& path = panel_->stateFilePath();
    if (path.empty()) return true;
    if (changesPanel) {
        if (const std::string reason = WhyFileIsReadOnly(path); !reason.empty()) {
            if (error) *error = "The simulated panel cannot be changed: " + reason;
            return false;
        }
    }
    std::string reason;
    if (panel_->reload(&reason)) return true;
    if (error) *error = "The simulated panel cannot be read: " + reason;
    return false;
}

bool SimulatedPanelLink::deviceOpen() {
    inbox_.clear();
    return panel_->search();
}

void SimulatedPanelLink::deviceClose() { inbox_.clear(); }

bool SimulatedPanelLink::deviceWrite(const Report& report, std::chrono::milliseconds limit) {
    LinkClock& time = clock();
    if (!panel_->present()) return false;
    std::int64_t outFrame = 0;
    LinkClock::TimePoint through{};
    if (options_.frameTiming) {
        outFrame = std::max(frameAt(time.now()), lastOutFrame_ + 1);
        through = frameEnd(outFrame);
        if (through - time.now() > limit) return false;
        lastOutFrame_ = outFrame;
    }
    // The panel works on the request while its frame runs out (saving its state file, for one).
    if (!panel_->receive(report)) return false;
    while (auto reply = panel_->takeReply()) {
        LinkClock::TimePoint due = time.now();
        if (options_.frameTiming) {
            lastInFrame_ = std::max(outFrame + 1, lastInFrame_ + 1);
            due = frameEnd(lastInFrame_);
        }
        inbox_.push_back({reply->report, due + reply->delay});
    }
    if (options_.frameTiming) time.sleepUntil(through);
    return true;
}

PanelLink::ReadResult SimulatedPanelLink::deviceRead(Report& report, std::chrono::milliseconds limit) {
    LinkClock& time = clock();
    if (!panel_->present()) {
        inbox_.clear();
        return ReadResult::DeviceFailed;
    }
    const auto giveUp = time.now() + limit;
    if (inbox_.empty() || inbox_.front().due > giveUp) {
        time.sleepUntil(giveUp);
        return ReadResult::TimedOut;
    }
    time.sleepUntil(inbox_.front().due);
    report = inbox_.front().report;
    inbox_.pop_front();
    return ReadResult::Received;
}

}  // namespace tamrik
