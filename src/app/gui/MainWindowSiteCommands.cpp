// The commands on the site: New, Load, Import text, Save, the exports, the site dialogs and the notes.
#include <QDesktopServices>
#include <QUrl>

#include "app/gui/MainWindow.h"
#include "app/gui/SiteBackground.h"
#include "app/gui/UserPrompts.h"
#include "exports/CsvExport.h"
#include "settings/DefaultSettings.h"
#include "settings/SiteFile.h"
#include "settings/SiteLoad.h"
#include "site/TextTidy.h"
#include "ui/dialogs/DesignCheckDialog.h"
#include "ui/dialogs/PanelSettingsDialog.h"
#include "ui/dialogs/SiteInfoDialog.h"
#include "ui/editors/SiteEditor.h"

namespace tamrik {
namespace {

const QString kSiteFileFilter = QStringLiteral("Site file,*.psf");
const QString kImportFilter = QStringLiteral("Site file,*.psf,Text file,*.txt");

std::string toLocal(const QString& path) { return path.toLocal8Bit().toStdString(); }

QString couldNotOpen(const std::string& reason) {
    return QStringLiteral("Couldn't open file\r\n") + QString::fromLocal8Bit(reason.c_str());
}

}  // namespace

bool MainWindow::mayReplaceSite() {
    // Cells typed into an open text or device editor are part of the work at stake.
    if (SiteEditor* open = editor()) open->writeBack();
    if (!store_.siteChangedSinceSaved()) return true;
    switch (UserPrompts::askSaveChanges(this)) {
        case SaveChoice::Discard:
            return true;
        case SaveChoice::Save:
            commandSave();
            return !store_.siteChangedSinceSaved();  // a cancelled or failed save keeps the site
        case SaveChoice::Cancel:
            break;
    }
    return false;
}

void MainWindow::commandNew() {
    if (!mayReplaceSite()) return;
    if (!UserPrompts::askYesNo(this, kProgramTitle, QStringLiteral("Delete current settings?"))) return;
    editorClose(false);
    store_.clear();
    resetErrorFlags();
    panelReadAt_.reset();
    ApplyDefaultSettings(store_);
    updateTitle();
    update();
}

void MainWindow::commandLoad() {
    if (!mayReplaceSite()) return;
    const QString path = UserPrompts::openFileName(this, sitePath_, kSiteFileFilter);
    if (!path.isEmpty()) loadSite(path);
}

void MainWindow::openSiteFile(const QString& path) {
    if (!mayReplaceSite()) return;
    loadSite(path);
    noteChanges(StepName(kCommandLoad));
}

void MainWindow::loadSite(const QString& path) {
    sitePath_ = path;
    loadSiteFile(path);
}

void MainWindow::loadSiteFile(const QString& path) {
    resetErrorFlags();
    panelReadAt_.reset();
    std::string reason;
    switch (SiteLoad(store_, toLocal(path), options_.acceptErrors, &reason)) {
        case SiteLoadResult::Unreadable:
            UserPrompts::show(this, kProgramTitle, couldNotOpen(reason), PromptIcon::Error);
            return;
        case SiteLoadResult::RefusedWithErrors:
            UserPrompts::show(this, kProgramTitle, QStringLiteral("Not done!\r\nFile contains errors"),
                              PromptIcon::Error);
            break;
        case SiteLoadResult::LoadedWithErrors:
            UserPrompts::show(this, kProgramTitle, QStringLiteral("Loaded but file contains errors"),
                              PromptIcon::Information);
            destroyEditorWithoutWriteBack();
            rememberSite(path);
            break;
        case SiteLoadResult::Loaded:
            UserPrompts::show(this, kProgramTitle, QStringLiteral("Site info. loaded from file"),
                              PromptIcon::Information);
            destroyEditorWithoutWriteBack();
            rememberSite(path);
            break;
    }
    updateTitle();
}

void MainWindow::commandImportText() {
    if (!mayReplaceSite()) return;
    const QString path = UserPrompts::openFileName(this, importPath_, kImportFilter);
    if (path.isEmpty()) return;
    importPath_ = path;
    std::string reason;
    if (SiteFileRead(toLocal(path), store_, &reason) == kSiteFileUnreadable) {
        UserPrompts::show(this, kProgramTitle, couldNotOpen(reason), PromptIcon::Error);
        return;
    }
    TidyImportedTexts(store_);
    UserPrompts::show(this, kProgramTitle, QStringLiteral("Text imported into current site file"),
                      PromptIcon::Information);
    destroyEditorWithoutWriteBack();
    updateTitle();
}

void MainWindow::commandSave() {
    editorClose();
    const QString path = UserPrompts::saveFileName(this, sitePath_, kSiteFileFilter);
    if (path.isEmpty()) return;
    sitePath_ = path;
    std::string error;
    if (!SiteFileWrite(toLocal(path), store_, &error)) {
        // A failed save must never look like a successful one: the old file is still intact.
        UserPrompts::show(this, kProgramTitle,
                          QStringLiteral("Site info. NOT saved\r\n%1").arg(QString::fromLocal8Bit(error.c_str())),
                          PromptIcon::Error);
        return;
    }
    UserPrompts::show(this, kProgramTitle, QStringLiteral("Site info. saved"), PromptIcon::Information);
    store_.markSaved();
    rememberSite(path);
}

void MainWindow::commandExport(int command) {
    struct ExportCommand {
        int command;
        CsvExportKind kind;
        const char* title;
        const char* success;
        const char* failure;
    };
    static constexpr ExportCommand kExports[] = {
        {kCommandExportLog, CsvExportKind::EventLog, "Log", "Log exported", "Could not export log"},
        {kCommandExportDevices, CsvExportKind::DeviceData, "Device data", "Device data exported",
         "Could not export device data"},
        {kCommandExportMatrix, CsvExportKind::Matrix, "Matrix", "Matrix exported", "Could not export matrix"},
        {kCommandExportText, CsvExportKind::Text, "Text", "Text exported", "Could not export text"},
    };
    for (const auto& item : kExports) {
        if (item.command != command) continue;
        // The export includes what is typed in an open editor, which stays open.
        if (SiteEditor* open = editor()) open->writeBack();
        const QString path = UserPrompts::saveFileName(this, QString(), QStringLiteral("CSV file,*.csv"));
        const bool written = !path.isEmpty() && CsvExportWrite(item.kind, store_, toLocal(path));
        if (written) {
            UserPrompts::show(this, QString::fromLatin1(item.title), QString::fromLatin1(item.success),
                              PromptIcon::None);
        } else {
            UserPrompts::show(this, QString::fromLatin1(item.title), QString::fromLatin1(item.failure),
                              PromptIcon::Error);
        }
    }
}

void MainWindow::commandDocumentation(int command) {
    QString manual = QStringLiteral("Installation");
    if (command == kCommandUserManual) manual = QStringLiteral("User");
    if (command == kCommandProgrammingManual) manual = QStringLiteral("Programming");
    UserPrompts::show(this, QStringLiteral("5300 %1 manual").arg(manual),
                      QStringLiteral("The latest 5300 %1 manual is available from\n\n%2").arg(manual, kSupportSite),
                      PromptIcon::None);
}

void MainWindow::commandWebInterface() {
    QDesktopServices::openUrl(QUrl(QStringLiteral("http://localhost/web_files/index.html")));
}

void MainWindow::commandDialog(int command) {
    editorClose();
    if (command == kCommandDesignChecker) {
        siteErrors_ = RunDesignCheckDialog(this, store_);
        refreshErrorBanner();
        return;
    }
    if (command == kCommandSiteInfo) {
        RunSiteInfoDialog(this, store_);
    } else {
        RunPanelSettingsDialog(this, store_);
    }
    siteCheckQuiet();
    updateTitle();
}

}  // namespace tamrik
