#pragma once

#include <string>
#include <vector>

#include "settings/SettingsStore.h"

namespace tamrik {

// What writing `site` to a panel that holds `panelSite` (as read from it) will change there, in
// CompareSites' lines. The panel's site is compared with `site` as the panel will hold it once
// written: texts aligned in their fields and times in their steps, as the images carry them, so a
// site that the panel already holds changes nothing. The write leaves the firmware and the event
// logs alone.
std::vector<std::string> WriteChanges(const SettingsStore& panelSite, const SettingsStore& site);

}  // namespace tamrik
