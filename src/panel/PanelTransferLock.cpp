#include "panel/PanelTransferLock.h"

#include <string>

#include "panel/PanelMessages.h"

namespace tamrik {
namespace {

void tell(TransferObserver& observer, const std::string& text, MessageIcon icon) {
    const char* title = icon == MessageIcon::Error ? panelmessages::kErrorTitle : panelmessages::kProgramTitle;
    observer.Message({title, text, icon, false});
}

}  // namespace

void PanelTransferLock::tellNotices(PanelLink& link, TransferObserver& observer) {
    for (const std::string& text : link.takeNotices()) tell(observer, text, MessageIcon::Warning);
}

bool PanelTransferLock::take(PanelLink& link, TransferKind kind, TransferObserver& observer) {
    const std::string name = link.lockName();
    tellNotices(link, observer);
    if (!name.empty()) {
        std::string error;
        switch (lock_.tryLock(name, link.lockNameIsCreated(), &error)) {
            case FileLock::Outcome::Held:
                break;
            case FileLock::Outcome::Busy:
                tell(observer, kPanelInUseMessage, MessageIcon::Error);
                return false;
            case FileLock::Outcome::Failed:
                tell(observer, "Cannot reserve the panel: " + error, MessageIcon::Error);
                return false;
        }
    }
    std::string error;
    if (!link.prepareTransfer(kind != TransferKind::Read, &error)) {
        lock_.release();
        tell(observer, error, MessageIcon::Error);
        return false;
    }
    return true;
}

}  // namespace tamrik
