#include "panel/LinkClock.h"

#include <thread>

namespace tamrik {
namespace {

class SystemClock final : public LinkClock {
public:
    TimePoint now() override { return std::chrono::steady_clock::now(); }
    void sleepUntil(TimePoint when) override { std::this_thread::sleep_until(when); }
};

}  // namespace

LinkClock& SystemLinkClock() {
    static SystemClock clock;
    return clock;
}

LinkClock::TimePoint ManualLinkClock::now() {
    std::lock_guard lock(mutex_);
    return now_;
}

void ManualLinkClock::sleepUntil(TimePoint when) {
    std::lock_guard lock(mutex_);
    if (when > now_) now_ = when;
}

void ManualLinkClock::advance(std::chrono::steady_clock::duration by) {
    std::lock_guard lock(mutex_);
    now_ += by;
}

}  // namespace tamrik
