#pragma once

#include <cstdint>
#include <string_view>

#include "settings/SettingsStore.h"

namespace tamrik {

// Adds AlarmCount, FireEvent_<n> and NonFireEvent_<n> from the event log image when its check
// bytes agree; otherwise writes nothing. Never reads past the fire area (300 records) or past the
// non-fire area's end (721 records), whatever counts the image claims.
void EventLogDecode(SettingsStore& store, const std::uint8_t* image /* kEventLogImageSize bytes */);

// The panel's 20-character text for event numbers 0..49; null for 50..127 (and anything else).
const char* EventText(int eventNumber);

struct EventTime {
    int day, month, year, hour, minute, second;
};
// Calendar date and time of day of a count of seconds since 1970-01-01 00:00:00.
EventTime EventTimeSplit(std::uint32_t seconds);

}  // namespace tamrik
