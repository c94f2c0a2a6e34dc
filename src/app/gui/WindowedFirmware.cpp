#include "app/gui/WindowedFirmware.h"

#include <QApplication>

#include "app/cli/LinkTransfers.h"
#include "ui/dialogs/FirmwareDialog.h"

namespace tamrik {
namespace {

class WindowedFirmwareTransfers final : public PanelTransfers {
public:
    WindowedFirmwareTransfers(std::unique_ptr<PanelLink> link, int& argc, char** argv)
        : link_(link.get()), console_(MakeLinkTransfers(std::move(link))), argc_(argc), argv_(argv) {}

    bool simulated() const override { return console_->simulated(); }
    std::string describe() const override { return console_->describe(); }
    bool read(SettingsStore& store, TransferObserver& observer) override { return console_->read(store, observer); }
    bool write(SettingsStore& store, TransferObserver& observer) override { return console_->write(store, observer); }

    bool firmware(const std::string& hexPath, SettingsStore& store, TransferObserver&) override {
        std::unique_ptr<QApplication> app;
        if (!QCoreApplication::instance()) app = std::make_unique<QApplication>(argc_, argv_);
        return RunFirmwareDialog(nullptr, *link_, store, QString::fromLocal8Bit(hexPath.c_str()));
    }

private:
    PanelLink* link_;  // owned by console_
    std::unique_ptr<PanelTransfers> console_;
    int& argc_;
    char** argv_;
};

}  // namespace

std::unique_ptr<PanelTransfers> MakeWindowedFirmwareTransfers(std::unique_ptr<PanelLink> link, int& argc, char** argv) {
    if (!link) return nullptr;
    return std::make_unique<WindowedFirmwareTransfers>(std::move(link), argc, argv);
}

}  // namespace tamrik
