#pragma once

#include <string>

#include "settings/SettingsStore.h"

namespace tamrik {

// The loop device table as CSV: a heading line and one line per loop address 1 to 192, CR LF.
std::string DeviceDataCsv(const SettingsStore& store);

}  // namespace tamrik
