// The menu: every item with its command id, status help and shortcut, and the dispatch of commands.
#include <QAction>
#include <QFileInfo>
#include <QMenuBar>

#include "app/gui/DesktopSettings.h"
#include "app/gui/MainWindow.h"
#include "ui/dialogs/AboutWindow.h"

namespace tamrik {

QAction* MainWindow::addCommand(QMenu* menu, const QString& text, int command, const QString& statusTip) {
    auto* action = menu->addAction(text);
    action->setObjectName(QStringLiteral("command%1").arg(command));
    action->setStatusTip(statusTip);
    connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
    actions_.insert(command, action);
    return action;
}

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    addCommand(file, QStringLiteral("&New"), kCommandNew, QStringLiteral("Creates a new site"))
        ->setShortcut(QKeySequence::New);
    addCommand(file, QStringLiteral("&Load..."), kCommandLoad, QStringLiteral("Loads site info from a file"))
        ->setShortcut(QKeySequence::Open);
    recentMenu_ = file->addMenu(QStringLiteral("&Recent sites"));
    recentMenu_->setObjectName(QStringLiteral("recentSitesMenu"));
    recentMenu_->setToolTipsVisible(true);
    connect(recentMenu_, &QMenu::aboutToShow, this, &MainWindow::fillRecentSitesMenu);
    fillRecentSitesMenu();
    addCommand(file, QStringLiteral("&Import text"), kCommandImportText,
               QStringLiteral("Import device and zone text from a file"));
    file->addSeparator();
    addCommand(file, QStringLiteral("&Save..."), kCommandSave, QStringLiteral("Saves current site info to a file"))
        ->setShortcut(QKeySequence::Save);
    addCommand(file, QStringLiteral("S&ave as..."), kCommandSaveAs, QStringLiteral("Saves current site info to a file"))
        ->setShortcut(QKeySequence::SaveAs);
    QMenu* exportMenu = file->addMenu(QStringLiteral("&Export"));
    exportMenu->setObjectName(QStringLiteral("exportMenu"));
    addCommand(exportMenu, QStringLiteral("Event log"), kCommandExportLog);
    addCommand(exportMenu, QStringLiteral("Device data"), kCommandExportDevices);
    addCommand(exportMenu, QStringLiteral("Matrix"), kCommandExportMatrix);
    addCommand(exportMenu, QStringLiteral("Text"), kCommandExportText);
    addCommand(exportMenu, QStringLiteral("Commissioning report..."), kCommandExportReport,
               QStringLiteral("Saves the commissioning report of this site as HTML or PDF"));
    addCommand(file, QStringLiteral("&Print report..."), kCommandPrintReport,
               QStringLiteral("Shows the commissioning report of this site ready to print"))
        ->setShortcut(QKeySequence::Print);
    file->addSeparator();
    addCommand(file, QStringLiteral("E&xit"), kCommandExit, QStringLiteral("Exits this application"))
        ->setShortcut(QKeySequence::Quit);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    addCommand(edit, QStringLiteral("&Undo"), kCommandUndo)->setShortcut(QKeySequence::Undo);
    addCommand(edit, QStringLiteral("&Redo"), kCommandRedo)->setShortcut(QKeySequence::Redo);
    edit->addSeparator();
    addCommand(edit, QStringLiteral("&Enter Site Info"), kCommandSiteInfo, QStringLiteral("Edits site specific info"));
    addCommand(edit, QStringLiteral("&Matrix editor"), kCommandMatrixEditor,
               QStringLiteral("Edits the matrix for this site"));
    addCommand(edit, QStringLiteral("&Text editor"), kCommandTextEditor, QStringLiteral("Edits site text"));
    addCommand(edit, QStringLiteral("&Device editor"), kCommandDeviceEditor, QStringLiteral("Edits loop device info"));
    addCommand(edit, QStringLiteral("&Coincidence"), kCommandCoincidence);
    addCommand(edit, QStringLiteral("&Panel info"), kCommandPanelInfo);

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    addCommand(view, QStringLiteral("Fire event log"), kCommandFireLog, QStringLiteral("View fire event log"));
    addCommand(view, QStringLiteral("Non-fire event log"), kCommandNonFireLog,
               QStringLiteral("View non-fire event log"));
    addCommand(view, QStringLiteral("Combined Fire / Non-fire event log"), kCommandCombinedLog,
               QStringLiteral("View combined fire / non-fire event log"));
    view->addSeparator();
    addCommand(view, QStringLiteral("Design checker"), kCommandDesignChecker);

    QMenu* panel = menuBar()->addMenu(QStringLiteral("&Panel"));
    addCommand(panel, QStringLiteral("&Send settings to panel"), kCommandSendToPanel,
               QStringLiteral("Send the site information from the PC to the panel"));
    addCommand(panel, QStringLiteral("&Get settings from panel"), kCommandGetFromPanel,
               QStringLiteral("Gets the site information from the panel"));
    addCommand(panel, QStringLiteral("&Compare with panel"), kCommandCompareWithPanel,
               QStringLiteral("Lists the settings in which the panel and this site differ"));
    panel->addSeparator();
    addCommand(panel, QStringLiteral("&Restore backup..."), kCommandRestoreBackup,
               QStringLiteral("Loads a backup of a panel's settings as the current site"));
    QAction* backup = addCommand(panel, QStringLiteral("&Back up panel before writing"), kCommandBackupBeforeWriting,
                                 QStringLiteral("Keeps the panel's settings before they are overwritten"));
    backup->setCheckable(true);
    backup->setChecked(BackupBeforeWritingEnabled());
    panel->addSeparator();
    addCommand(panel, QStringLiteral("&Update panel firmware"), kCommandUpdateFirmware);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    QAction* web = addCommand(help, QStringLiteral("&Web interface"), kCommandWebInterface,
                              QStringLiteral("Open an alternative GUI in a web browser."));
    web->setEnabled(false);
    web->setToolTip(QStringLiteral("Not available in this version of the program"));
    help->setToolTipsVisible(true);
    QMenu* documentation = help->addMenu(QStringLiteral("&Documentation"));
    addCommand(documentation, QStringLiteral("Installation manual"), kCommandInstallationManual);
    addCommand(documentation, QStringLiteral("User manual"), kCommandUserManual);
    addCommand(documentation, QStringLiteral("Programming manual"), kCommandProgrammingManual);
    help->addSeparator();
    QAction* about =
        addCommand(help, QStringLiteral("&About ..."), kCommandAbout, QStringLiteral("About this application"));
    about->setShortcuts({QKeySequence(Qt::ALT | Qt::Key_Question), QKeySequence(Qt::ALT | Qt::Key_Slash)});
}

// Rebuilt each time it opens, so that a site file removed meanwhile shows greyed out.
void MainWindow::fillRecentSitesMenu() {
    recentMenu_->clear();
    const QStringList paths = recentSites_.paths();
    for (int i = 0; i < paths.size(); ++i) {
        const QString& path = paths[i];
        QAction* action = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path));
        action->setStatusTip(path);
        if (!QFileInfo::exists(path)) {
            action->setEnabled(false);
            action->setToolTip(QStringLiteral("This file no longer exists"));
        }
        connect(action, &QAction::triggered, this, [this, path] { openSiteFile(path); });
    }
    if (paths.isEmpty()) recentMenu_->addAction(QStringLiteral("No recent sites"))->setEnabled(false);
}

void MainWindow::rememberSite(const QString& path) {
    recentSites_.add(path);
    fillRecentSitesMenu();
}

void MainWindow::runCommand(int command) {
    switch (command) {
        case kCommandUndo:
        case kCommandRedo:
            commandUndoRedo(command == kCommandUndo);
            return;
        case kCommandNew:
            commandNew();
            break;
        case kCommandLoad:
            commandLoad();
            break;
        case kCommandImportText:
            commandImportText();
            break;
        case kCommandSave:
        case kCommandSaveAs:
            commandSave();
            break;
        case kCommandExit:
            close();
            break;
        case kCommandMatrixEditor:
        case kCommandTextEditor:
        case kCommandDeviceEditor:
        case kCommandFireLog:
        case kCommandNonFireLog:
        case kCommandCombinedLog:
        case kCommandCoincidence:
            commandOpenEditor(command);
            break;
        case kCommandExportLog:
        case kCommandExportDevices:
        case kCommandExportMatrix:
        case kCommandExportText:
            commandExport(command);
            break;
        case kCommandExportReport:
            commandExportReport();
            break;
        case kCommandPrintReport:
            commandPrintReport();
            break;
        case kCommandSendToPanel:
            commandSendToPanel();
            break;
        case kCommandGetFromPanel:
            commandGetFromPanel();
            break;
        case kCommandCompareWithPanel:
            commandCompareWithPanel();
            break;
        case kCommandRestoreBackup:
            commandRestoreBackup();
            break;
        case kCommandBackupBeforeWriting:
            SetBackupBeforeWriting(actions_.value(command)->isChecked());
            break;
        case kCommandInstallationManual:
        case kCommandUserManual:
        case kCommandProgrammingManual:
            commandDocumentation(command);
            break;
        case kCommandWebInterface:
            commandWebInterface();
            break;
        case kCommandAbout:
            AboutWindow::Open(this);
            break;
        case kCommandSiteInfo:
        case kCommandPanelInfo:
        case kCommandDesignChecker:
            commandDialog(command);
            break;
        case kCommandUpdateFirmware:
            commandUpdateFirmware();
            break;
        default:
            break;
    }
    noteChanges(StepName(command));
}

}  // namespace tamrik
