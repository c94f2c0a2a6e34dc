#pragma once

#include "panel/sim/SimulatedPanel.h"
#include "settings/SettingsStore.h"

namespace tamrik {

// The firmware the demo panel runs: "1.250 / 0.110", a 5300 panel.
inline constexpr const char* kDemoFirmwareVersion = "12500110";
inline constexpr const char* kDemoFirmwareType = "5300";
inline constexpr const char* kDemoPanelSerial = "5300A1C7";

// The site the demo panel holds: a small two-storey building with 30 loop devices, designed so that
// the design check finds no fault.
void DemoSiteSettings(SettingsStore& store);

// Makes `panel` a complete demo panel: firmware identification with its checksum, the site and loop
// images with their checksums in data memory, the sealed identity copy, and fire and non-fire events.
void BuildDemoPanel(SimulatedPanel& panel);

}  // namespace tamrik
