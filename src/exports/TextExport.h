#pragma once

#include <string>

#include "settings/SettingsStore.h"

namespace tamrik {

// Device, zone and banner texts as CSV: a heading, then one line per loop address holding its
// device text, the zone text of zones 1 to 32 and the banner text of lines 1 and 2.
std::string TextCsv(const SettingsStore& store);

}  // namespace tamrik
