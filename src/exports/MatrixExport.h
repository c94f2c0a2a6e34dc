#pragma once

#include <string>

#include "settings/SettingsStore.h"

namespace tamrik {

// The input/output matrix as CSV: 36 lines of 33 fields, each line ending in a comma and CR LF.
// A matrix cell missing from the store is written as "C", the letter a new site holds.
std::string MatrixCsv(const SettingsStore& store);

}  // namespace tamrik
