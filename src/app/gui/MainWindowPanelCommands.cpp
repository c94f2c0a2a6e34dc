// The commands that talk to the panel: send and get settings, and the firmware update.
#include "app/gui/MainWindow.h"
#include "app/gui/UserPrompts.h"
#include "checker/SiteCheck.h"
#include "panel/PanelLink.h"
#include "panel/PanelSession.h"
#include "panel/ReadPanelWorker.h"
#include "panel/WritePanelWorker.h"
#include "panel/hid/PanelLinkFactory.h"
#include "ui/dialogs/FirmwareDialog.h"
#include "ui/dialogs/GuiTransferObserver.h"

namespace tamrik {

PanelLink* MainWindow::panelLink() {
    if (!panelLink_) {
        std::string error;
        panelLink_ = OpenPanelLink(options_.panel.toStdString(), &error);
        if (!panelLink_) {
            UserPrompts::show(this, kProgramTitle + QStringLiteral(" Error"), QString::fromStdString(error),
                              PromptIcon::Error);
        }
    }
    return panelLink_.get();
}

bool MainWindow::runPanelTransfer(const std::function<bool(PanelSession&)>& work) {
    if (!panelLink()) return false;
    GuiTransferObserver observer(this);
    transferRunning_ = true;
    PanelSession session(*panelLink_, store_, observer);
    observer.run([&] { work(session); });
    transferRunning_ = false;
    return true;
}

void MainWindow::commandSendToPanel() {
    if (transferRunning_) return;
    siteCheckQuiet();
    if (siteErrors_ != 0 &&
        !UserPrompts::askYesNo(this, QStringLiteral("Accept errors?"),
                               QStringLiteral("The site file contains errors.  Do you want to accept these errors?"))) {
        return;
    }
    if (AllOutputsInOneZone(store_) &&
        !UserPrompts::askYesNo(this, QStringLiteral("WARNING"),
                               QStringLiteral("All outputs are programmed into a single zone. To comply with the "
                                              "relevant clauses of BS EN 54-2:1997+A1:2006 it is a requirement that "
                                              "outputs are programmed across multiple zones.\nAccept all outputs in "
                                              "one zone?"),
                               PromptIcon::Warning)) {
        return;
    }
    if (!UserPrompts::askYesNo(this, QStringLiteral("Are you sure?"),
                               QStringLiteral("Are you sure you wish to overwrite current panel settings?"),
                               PromptIcon::Question, true)) {
        return;
    }
    editorClose();
    runPanelTransfer([](PanelSession& session) { return WritePanelWorker(session); });
}

void MainWindow::commandGetFromPanel() {
    if (transferRunning_) return;
    if (!UserPrompts::askYesNo(this, QStringLiteral("Are you sure?"),
                               QStringLiteral("Are you sure you wish to overwrite site data changes?"))) {
        return;
    }
    editorClose();
    runPanelTransfer([](PanelSession& session) { return ReadPanelWorker(session); });
    updateTitle();
}

void MainWindow::commandUpdateFirmware() {
    // No editor is closed: a firmware update does not touch the site.
    if (PanelLink* link = panelLink()) RunFirmwareDialog(this, *link, store_);
}

}  // namespace tamrik
