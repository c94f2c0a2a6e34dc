#pragma once

#include <functional>

#include "panel/TransferObserver.h"

namespace tamrik {

// Runs one transfer the way every front end does: the progress display opens first (so nothing
// the worker reports can get lost), the work runs on its own thread, and the caller waits for it.
// Returns what the work returned.
bool RunTransfer(TransferObserver& observer, const std::function<bool()>& work);

}  // namespace tamrik
