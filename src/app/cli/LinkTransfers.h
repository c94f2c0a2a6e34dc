#pragma once

#include <memory>

#include "app/cli/PanelTransfers.h"
#include "panel/PanelLink.h"

namespace tamrik {

// The panel transfers over a link: each runs its worker on a thread of its own under the
// observer's progress display and waits for it.
std::unique_ptr<PanelTransfers> MakeLinkTransfers(std::unique_ptr<PanelLink> link);

}  // namespace tamrik
