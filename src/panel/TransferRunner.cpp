#include "panel/TransferRunner.h"

#include <thread>

#include "panel/PanelTransferLock.h"

namespace tamrik {

bool RunStoppableWork(TransferObserver& observer, TransferKind kind, const std::function<bool()>& work) {
    observer.TransferBegin(kind);
    bool result = false;
    try {
        result = work();
    } catch (const TransferStopped&) {
        result = false;
    }
    observer.TransferEnd();
    if (observer.wasStopped()) {
        observer.ProgressSet(-1);
        result = false;
    }
    return result;
}

bool RunTransfer(TransferObserver& observer, TransferKind kind, const std::function<bool()>& work) {
    observer.ProgressOpen();
    bool result = false;
    std::thread worker([&] { result = RunStoppableWork(observer, kind, work); });
    worker.join();
    // A worker always closes the display; this only matters if one returned without doing so.
    observer.ProgressSet(-1);
    return result;
}

bool RunTransfer(PanelLink& link, TransferObserver& observer, TransferKind kind, const std::function<bool()>& work) {
    PanelTransferLock lock;
    if (!lock.take(link, kind, observer)) return false;
    const bool result = RunTransfer(observer, kind, work);
    PanelTransferLock::tellNotices(link, observer);
    return result;
}

}  // namespace tamrik
