#pragma once

#include <memory>
#include <string>

#include "panel/sim/SimulatedPanel.h"
#include "panel/sim/SimulatedPanelLink.h"

namespace tamrik {

// Opens a panel state file (exactly 0x55000 bytes of program memory, then 8192 bytes of data
// memory). A missing file is created as the demo panel. Every later change is saved to the file.
// Null, with the reason in `error`, when the file can't be read, has the wrong size, or can't be created.
std::shared_ptr<SimulatedPanel> OpenSimulatedPanel(const std::string& path, std::string* error = nullptr);

// A link to the simulated panel kept in `path`, named "simulated panel (<path>)".
std::unique_ptr<SimulatedPanelLink> OpenSimulatedPanelLink(const std::string& path, SimLinkOptions options = {},
                                                           std::string* error = nullptr);

}  // namespace tamrik
