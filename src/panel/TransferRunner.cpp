#include "panel/TransferRunner.h"

#include <thread>

namespace tamrik {

bool RunTransfer(TransferObserver& observer, const std::function<bool()>& work) {
    observer.ProgressOpen();
    bool result = false;
    std::thread worker([&] { result = work(); });
    worker.join();
    // A worker always closes the display; this only matters if one returned without doing so.
    observer.ProgressSet(-1);
    return result;
}

}  // namespace tamrik
