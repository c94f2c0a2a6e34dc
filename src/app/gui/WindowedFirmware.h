#pragma once

#include <memory>

#include "app/cli/PanelTransfers.h"
#include "panel/PanelLink.h"

namespace tamrik {

// The command line's panel transfers over `link`, except that "-f" runs in the "Change panel
// firmware" window with its file preset, as it does when started from a desktop session.
std::unique_ptr<PanelTransfers> MakeWindowedFirmwareTransfers(std::unique_ptr<PanelLink> link, int& argc, char** argv);

}  // namespace tamrik
