#pragma once

#include <cstdint>
#include <string>

#include "settings/SettingsStore.h"

namespace tamrik {

// The device rules stop examining addresses once this many faults were found.
constexpr std::uint32_t kSiteCheckFaultLimit = 20;
// The most the loop may draw in alarm.
constexpr float kAlarmCurrentLimit = 600.0f;

struct SiteCheckResult {
    std::uint32_t faultCount = 0;
    // One line per fault ending in CR LF; the closing "More than" line has no line end. Empty when
    // no report was asked for.
    std::string report;
    // Loop current totals of the devices examined, single precision as the panel's figures are.
    float quiescentMilliamps = 0.0f;
    float alarmMilliamps = 0.0f;
};

// Tests the site in `store` against the panel's design rules and totals the loop currents. The only
// change to the store is that `QuiescentCurrent` and `AlarmCurrent` are rewritten with the totals.
SiteCheckResult SiteCheck(SettingsStore& store, bool withReport = true);

// True when at least one output device has a zone from 1 to 32 and every such device shares it.
bool AllOutputsInOneZone(const SettingsStore& store);

// "%.02fmA", independent of the process locale.
std::string FormatMilliamps(float milliamps);

}  // namespace tamrik
