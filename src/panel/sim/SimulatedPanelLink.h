#pragma once

#include <deque>
#include <memory>
#include <string>

#include "panel/PanelLink.h"
#include "panel/sim/SimulatedPanel.h"

namespace tamrik {

struct SimLinkOptions {
    // Waits cost nothing: the link runs on a manual clock that jumps ahead instead of sleeping.
    bool virtualTime = false;
    // Every report occupies one 1 ms USB frame in its direction: a report goes out in the frame
    // under way when it is written (or the next free one) and is through when that frame ends; the
    // reply travels in a later frame than its request.
    bool frameTiming = false;
};

// A panel link to a simulated panel, keeping the same contract as the USB link.
class SimulatedPanelLink final : public PanelLink {
public:
    explicit SimulatedPanelLink(std::shared_ptr<SimulatedPanel> panel, SimLinkOptions options = {},
                                std::string name = "simulated panel");

    LinkClock& clock() override;
    bool isSimulated() const override { return true; }
    std::string describe() const override { return name_; }
    // The panel kept in a state file is held by locking that file.
    std::string lockName() override { return panel_->stateFilePath(); }
    bool lockNameIsCreated() const override { return false; }
    // Takes the state file afresh (the program that held the panel before may have changed it) and
    // refuses a change to a panel whose file can't be written.
    bool prepareTransfer(bool changesPanel, std::string* error) override;

    SimulatedPanel& panel() { return *panel_; }
    std::shared_ptr<SimulatedPanel> sharedPanel() { return panel_; }
    ManualLinkClock& manualClock() { return manualClock_; }

protected:
    bool deviceOpen() override;
    void deviceClose() override;
    bool deviceWrite(const Report& report, std::chrono::milliseconds limit) override;
    ReadResult deviceRead(Report& report, std::chrono::milliseconds limit) override;

private:
    struct Pending {
        Report report;
        LinkClock::TimePoint due;
    };

    std::int64_t frameAt(LinkClock::TimePoint when) const;
    LinkClock::TimePoint frameEnd(std::int64_t frame) const;

    std::shared_ptr<SimulatedPanel> panel_;
    SimLinkOptions options_;
    std::string name_;
    ManualLinkClock manualClock_;
    LinkClock::TimePoint epoch_;
    std::int64_t lastOutFrame_ = -1;
    std::int64_t lastInFrame_ = -1;
    std::deque<Pending> inbox_;
};

}  // namespace tamrik
