// The commands that talk to the panel: send, get and compare settings, the backups and the firmware update.
#include "app/gui/DesktopSettings.h"
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
#include "site/PanelBackups.h"
#include "site/SiteComparison.h"
#include "ui/dialogs/FirmwareDialog.h"
#include "ui/dialogs/GuiTransferObserver.h"
#include "ui/dialogs/PanelBackupStep.h"
#include "ui/dialogs/RestoreBackupDialog.h"
#include "ui/dialogs/SiteDifferencesDialog.h"
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
                                  const std::function<bool(PanelSession&)>& work, const QString& heading) {
    if (!panelLink()) return false;
    GuiTransferObserver observer(this);
    // Held only while the transfer runs: another program may use the panel in between.
    PanelTransferLock lock;
    if (!lock.take(*panelLink_, kind, observer)) return false;
    transferRunning_ = true;
    PanelSession session(*panelLink_, site, observer);
    bool succeeded = false;
    observer.run(
        kind, [&] { succeeded = work(session); }, heading);
    transferRunning_ = false;
    return succeeded && !observer.wasStopped();
}

bool MainWindow::readPanelInto(SettingsStore& site, const QString& heading) {
    return runPanelTransfer(
        TransferKind::Read, site, [](PanelSession& session) { return ReadPanelWorker(session); }, heading);
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
    // One reading of the panel is both its backup and what the write is compared with.
    if (BackupBeforeWritingEnabled()) {
        const auto changes = BackUpBeforeWriting(
            this, [this](SettingsStore& site) { return readPanelInto(site, kBackingUpHeading); }, options_.backupFolder,
            &store_);
        if (!changes) return;
        QStringList lines;
        for (const std::string& line : *changes) lines << QString::fromLatin1(line.c_str());
        QString text = QString::fromStdString(ChangeCountText(changes->size()));
        if (!lines.isEmpty()) text += QStringLiteral("\r\nThe details list them: now on the panel -> after sending.");
        UserPrompts::show(this, QStringLiteral("Send settings to panel"), text, PromptIcon::Information,
                          lines.join(QLatin1Char('\n')));
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
    if (readPanelInto(read)) {
        store_.swap(read);
        panelReadAt_ = ReportTimeText();
        siteCheckQuiet();
    }
    updateTitle();
}

void MainWindow::commandCompareWithPanel() {
    if (transferRunning_) return;
    if (SiteEditor* open = editor()) open->writeBack();
    SettingsStore panel;
    if (readPanelInto(panel)) {
        SiteDifferencesDialog dialog(CompareSites(panel, store_, false), this);
        dialog.exec();
    }
}

void MainWindow::commandRestoreBackup() {
    std::vector<PanelBackup> backups = ListPanelBackups(options_.backupFolder);
    if (backups.empty()) {
        UserPrompts::show(this, kProgramTitle,
                          QStringLiteral("There are no panel backups in %1")
                              .arg(QString::fromLocal8Bit(options_.backupFolder.string().c_str())),
                          PromptIcon::Information);
        return;
    }
    if (!mayReplaceSite()) return;
    RestoreBackupDialog dialog(std::move(backups), this);
    if (dialog.exec() != QDialog::Accepted || dialog.chosenPath().isEmpty()) return;
    // Save asks for a name of its own: the backup is never overwritten by mistake.
    loadSiteFile(dialog.chosenPath());
    sitePath_.clear();
}

void MainWindow::commandUpdateFirmware() {
    // No editor is closed: a firmware update does not touch the site.
    PanelLink* link = panelLink();
    if (!link) return;
    std::optional<std::filesystem::path> backupFolder;
    if (BackupBeforeWritingEnabled()) backupFolder = options_.backupFolder;
    RunFirmwareDialog(this, *link, store_, {}, backupFolder);
}

}  // namespace tamrik
