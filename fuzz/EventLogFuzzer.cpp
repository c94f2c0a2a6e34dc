// Feeds arbitrary bytes to the event log decoder as an event log image (short inputs are padded
// with zeros). However many events the image claims, the decoder must stay inside the event areas,
// and every event it writes must read back as a sane date and time.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "images/EventLog.h"
#include "images/ImageLayout.h"
#include "site/EventRow.h"

namespace {

void checkEvents(const tamrik::SettingsStore& store, const char* prefix, std::size_t limit) {
    for (std::size_t i = 1;; ++i) {
        const auto value = store.get(prefix + std::to_string(i));
        if (!value) return;
        if (i > limit) std::abort();
        const tamrik::EventRow row = tamrik::EventRowOf(*value);
        // "d/m/yyyy h:mm:ss": a date from 1970 on and a time of day.
        int day = 0, month = 0, year = 0, hour = 0, minute = 0, second = 0;
        if (std::sscanf(row.time.c_str(), "%d/%d/%d %d:%d:%d", &day, &month, &year, &hour, &minute, &second) != 6) {
            std::abort();
        }
        if (month < 1 || month > 12 || day < 1 || day > 31 || year < 1970 || hour > 23) std::abort();
        if (row.text.empty()) std::abort();
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
