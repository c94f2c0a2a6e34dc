#pragma once

#include <memory>

#include "app/cli/PanelTransfers.h"
#include "panel/PanelLink.h"

namespace tamrik {

// Whether a display is there for windows (an X or Wayland session, or a Qt platform named outright).
bool DisplayAvailable();

// The command line's panel transfers over `link`, except that "-f" runs in the "Change panel
// firmware" window with its file preset, as it does when started from a desktop session.
std::unique_ptr<PanelTransfers> MakeWindowedFirmwareTransfers(std::unique_ptr<PanelLink> link, int& argc,
                                                              char** argv);

}  // namespace tamrik
