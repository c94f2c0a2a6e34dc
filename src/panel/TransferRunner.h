#pragma once

#include <functional>

#include "panel/PanelLink.h"
#include "panel/TransferObserver.h"

namespace tamrik {

// Runs one transfer the way every front end does: the progress display opens first (so nothing
// the worker reports can get lost), the work runs on its own thread, and the caller waits for it.
// Returns what the work returned; false when the user stopped it (observer.wasStopped()).
bool RunTransfer(TransferObserver& observer, TransferKind kind, const std::function<bool()>& work);

// The same for a transfer over `link`, holding the panel for the whole of it (PanelTransferLock):
// false at once, before the progress display opens, when another program is using the panel.
bool RunTransfer(PanelLink& link, TransferObserver& observer, TransferKind kind, const std::function<bool()>& work);

// The worker's side of that: runs `work` on the calling thread as a transfer of `kind`, turning a
// stop into a failed result with the progress display closed.
bool RunStoppableWork(TransferObserver& observer, TransferKind kind, const std::function<bool()>& work);

}  // namespace tamrik
