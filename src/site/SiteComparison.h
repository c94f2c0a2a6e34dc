#pragma once

#include <string>
#include <vector>

#include "settings/SettingsStore.h"

namespace tamrik {

// What differs between two sites, one line per setting in an engineer's words, grouped and ordered
// as the engineer thinks of a site: site information, panel options, devices by address, the matrix
// by input and output group, output delays and alarm types, texts, and (when asked for) the event
// logs; settings the tool has no words for come last under their keys. Access codes are never shown,
// only that one changed. Values the tool works out itself (the loop currents) and the mark of a panel
// reading are left out. Examples:
//   Device 12: Zone 3 -> 4
//   Matrix IPG3 / OPG5: C -> P
//   Zone text 4: "Reception" -> "Lobby"
std::vector<std::string> CompareSites(const SettingsStore& before, const SettingsStore& after, bool withEvents);

}  // namespace tamrik
