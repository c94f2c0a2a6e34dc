// The commands that talk to the panel: send and get settings, and the firmware update.
#include "app/gui/MainWindow.h"
#include "app/gui/UserPrompts.h"
#include "checker/SiteCheck.h"
#include "images/ImageValueCheck.h"
#include "panel/PanelLink.h"
#include "panel/PanelSession.h"
#include "panel/PanelTransferLock.h"
#include "panel/ReadPanelWorker.h"
#include "panel/WritePanelWorker.h"
#include "panel/hid/PanelLinkFactory.h"
#include "report/CommissioningReport.h"
#include "ui/dialogs/FirmwareDialog.h"
#include "ui/dialogs/GuiTransferObserver.h"
#include "ui/editors/SiteEditor.h"

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

bool MainWindow::runPanelTransfer(TransferKind kind, SettingsStore& site,
                                  const std::function<bool(PanelSession&)>& work) {
    if (!panelLink()) return false;
    GuiTransferObserver observer(this);
    // Held only while the transfer runs: another program may use the panel in between.
    PanelTransferLock lock;
    if (!lock.take(*panelLink_, kind, observer)) return false;
    transferRunning_ = true;
    PanelSession session(*panelLink_, site, observer);
    bool succeeded = false;
    observer.run(kind, [&] { succeeded = work(session); });
    transferRunning_ = false;
    return succeeded && !observer.wasStopped();
}

void MainWindow::commandSendToPanel() {
    if (transferRunning_) return;
    // The checks and the write see what is typed in an open editor too.
    if (SiteEditor* open = editor()) open->writeBack();
    // Values the panel cannot hold are refused outright: no answer makes them writable.
    if (const auto problems = ImageValueProblems(store_); !problems.empty()) {
        QStringList lines{QStringLiteral("These values cannot be written to the panel:")};
        for (const std::string& line : problems) lines << QString::fromLatin1(line.c_str());
        UserPrompts::show(this, kProgramTitle + QStringLiteral(" Error"), lines.join(QStringLiteral("\r\n")),
                          PromptIcon::Error);
        return;
    }
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
    runPanelTransfer(TransferKind::Write, store_, [](PanelSession& session) { return WritePanelWorker(session); });
}

void MainWindow::commandGetFromPanel() {
    if (transferRunning_ || !mayReplaceSite()) return;
    if (!UserPrompts::askYesNo(this, QStringLiteral("Are you sure?"),
                               QStringLiteral("Are you sure you wish to overwrite site data changes?"))) {
        return;
    }
    editorClose();
    // The site read replaces the one here only when the whole read succeeded: a failed or stopped
    // read leaves the site, its saved mark and the caption as they were.
    SettingsStore read;
    if (runPanelTransfer(TransferKind::Read, read, [](PanelSession& session) { return ReadPanelWorker(session); })) {
        store_.swap(read);
        panelReadAt_ = ReportTimeText();
        siteCheckQuiet();
    }
    updateTitle();
}

void MainWindow::commandUpdateFirmware() {
    // No editor is closed: a firmware update does not touch the site.
    if (PanelLink* link = panelLink()) RunFirmwareDialog(this, *link, store_);
}

}  // namespace tamrik
