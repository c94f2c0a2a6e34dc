#pragma once

#include "panel/PanelLink.h"
#include "panel/TransferObserver.h"
#include "platform/FileLock.h"

namespace tamrik {

inline constexpr const char* kPanelInUseMessage = "The panel is in use by another program";

// Holds a panel for one transfer, so that no other program's transfer reaches it meanwhile (two
// writes at once would interleave their commands). Taken before the transfer's first report and
// held until destroyed.
class PanelTransferLock {
public:
    // Takes the link's lock and readies the link for a transfer of `kind`. False, after telling the
    // observer why, when the panel is in use or the link refuses; nothing has been sent then. The
    // link's notices go to the observer as warnings either way.
    bool take(PanelLink& link, TransferKind kind, TransferObserver& observer);
    // Passes on what the link found to say during the transfer.
    static void tellNotices(PanelLink& link, TransferObserver& observer);

private:
    FileLock lock_;
};

}  // namespace tamrik
