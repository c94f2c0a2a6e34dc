#include "app/cli/LinkTransfers.h"

#include "panel/FirmwareUpdate.h"
#include "panel/PanelMessages.h"
#include "panel/PanelSession.h"
#include "panel/PanelTransferLock.h"
#include "panel/ReadPanelWorker.h"
#include "panel/TransferRunner.h"
#include "panel/WritePanelWorker.h"

namespace tamrik {
namespace {

class LinkTransfers final : public PanelTransfers {
public:
    explicit LinkTransfers(std::unique_ptr<PanelLink> link) : link_(std::move(link)) {}

    bool simulated() const override { return link_->isSimulated(); }
    std::string describe() const override { return link_->describe(); }

    bool read(SettingsStore& store, TransferObserver& observer) override {
        PanelSession session(*link_, store, observer);
        return RunTransfer(*link_, observer, TransferKind::Read, [&] { return ReadPanelWorker(session); });
    }

    bool write(SettingsStore& store, TransferObserver& observer) override {
        PanelSession session(*link_, store, observer);
        return RunTransfer(*link_, observer, TransferKind::Write, [&] { return WritePanelWorker(session); });
    }

    bool firmware(const std::string& hexPath, SettingsStore& store, TransferObserver& observer) override {
        // The panel's version is read before the update: the panel is held from then on.
        PanelTransferLock lock;
        if (!lock.take(*link_, TransferKind::Firmware, observer)) return false;
        PanelSession session(*link_, store, observer);
        std::string detail;
        const FirmwareUpdateResult result = FirmwareUpdateFromFile(session, hexPath, &detail);
        // The refusals that happen before the worker runs have told nobody yet.
        if (!detail.empty()) {
            observer.Message({panelmessages::kErrorTitle, detail, MessageIcon::Error, false});
        } else if (result == FirmwareUpdateResult::Declined) {
            observer.Message(
                {panelmessages::kFailTitle, panelmessages::kFirmwareNotWritten, MessageIcon::Error, false});
        }
        return result == FirmwareUpdateResult::Written;
    }

private:
    std::unique_ptr<PanelLink> link_;
};

}  // namespace

std::unique_ptr<PanelTransfers> MakeLinkTransfers(std::unique_ptr<PanelLink> link) {
    if (!link) return nullptr;
    return std::make_unique<LinkTransfers>(std::move(link));
}

}  // namespace tamrik
