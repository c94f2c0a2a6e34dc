#pragma once

#include <chrono>
#include <mutex>

namespace tamrik {

// The time a panel link waits in. The USB link waits in real time; the simulated panel can run on
// a manual clock so that time-outs cost nothing in tests.
class LinkClock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    virtual ~LinkClock() = default;
    virtual TimePoint now() = 0;
    virtual void sleepUntil(TimePoint when) = 0;
};

// Real time: steady_clock and a blocking sleep.
LinkClock& SystemLinkClock();

// Time that passes only when someone sleeps: sleeping moves the clock forward at once.
class ManualLinkClock final : public LinkClock {
public:
    TimePoint now() override;
    void sleepUntil(TimePoint when) override;
    void advance(std::chrono::steady_clock::duration by);

private:
    std::mutex mutex_;
    TimePoint now_{};
};

}  // namespace tamrik
