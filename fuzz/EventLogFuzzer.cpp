// Feeds arbitrary bytes to the event log decoder as an event log image (short inputs are padded
// with zeros). However many events the image claims, the decoder must stay inside the event areas,
// and every event it writes must read back as a sane date and time.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "images/EventLog.h"
#include "images/ImageLayout.h"

namespace {

void checkEvents(const tamrik::SettingsStore& store, const char* prefix, std::size_t limit) {
    for (std::size_t i = 1;; ++i) {
        const char* value = store.get(prefix + std::to_string(i));
        if (!value) return;
        if (i > limit) std::abort();
        tamrik::EventValue event;
        if (!tamrik::EventValueParse(value, event)) std::abort();
        const tamrik::EventTime t = tamrik::EventTimeSplit(event.time);
        if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.year < 1970 || t.hour > 23) std::abort();
        if (tamrik::EventText(event.eventNumber()) == nullptr && event.eventNumber() < 50) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::array<std::uint8_t, tamrik::kEventLogImageSize> image{};
    std::copy_n(data, std::min(size, image.size()), image.begin());

    tamrik::SettingsStore store;
    tamrik::EventLogDecode(store, image.data());
    if (store.size() > 1 + tamrik::kMaxFireEvents + tamrik::kMaxNonFireEvents) std::abort();
    checkEvents(store, "FireEvent_", tamrik::kMaxFireEvents);
    checkEvents(store, "NonFireEvent_", tamrik::kMaxNonFireEvents);
    return 0;
}
