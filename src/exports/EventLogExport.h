#pragma once

#include <string>

#include "settings/SettingsStore.h"

namespace tamrik {

// Both event logs merged and ordered oldest first, as CSV: a heading, then one line per event with
// its code, address, zone, time, event text and ON or OFF.
std::string EventLogCsv(const SettingsStore& store);

}  // namespace tamrik
