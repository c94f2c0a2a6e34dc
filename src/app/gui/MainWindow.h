#pragma once

#include <QMainWindow>
#include <QMap>
#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/gui/MenuCommands.h"
#include "app/gui/RecentSites.h"
#include "panel/TransferObserver.h"
#include "settings/SettingsStore.h"
#include "site/PanelBackups.h"
#include "site/SiteHistory.h"

class QAction;
class QMenu;

namespace tamrik {

class PanelLink;
struct CommissioningReport;
class SiteBackground;
class SiteEditor;

struct DesktopOptions {
    bool acceptErrors = false;  // "-ld": a site file that fails its check is still loaded
    QString panel = QStringLiteral("usb");
    QString sitePath;  // the site file the store was loaded from before the window opened, if any
    std::filesystem::path backupFolder = BackupFolder();  // where the panel backups are kept
    bool simulatedPanel() const { return panel.startsWith(QStringLiteral("sim:")); }
};

// The name of the undoable step a command makes ("Load site"), or empty when the step is named after
// what it changed.
QString StepName(int command);

// The one top-level window: menu, status bar, background, the editor area, and every command.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static inline const QString kProgramTitle = QStringLiteral("5300 Commissioning software");
    static inline const QString kSupportSite = QStringLiteral("https://support.tamrik.example/5300");

    MainWindow(SettingsStore& store, DesktopOptions options, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Runs a menu command by its id, exactly as choosing it from the menu does.
    void runCommand(int command);
    QAction* action(int command) const { return actions_.value(command); }

    QString sitePath() const { return sitePath_; }
    int siteErrors() const { return siteErrors_; }
    EditorKind editorKind() const { return editorKind_; }
    SiteBackground* background() const { return background_; }
    // The open editor or view, or null.
    SiteEditor* editor() const;
    bool transferRunning() const { return transferRunning_; }
    void updateTitle();

    // Closes the open editor or view (writing text and device editors back when `writeBack`),
    // then refreshes the site-errors flag with the quiet design check.
    void editorClose(bool writeBack = true);
    void siteCheckQuiet();

    // Loads a site file as Load does once its dialog has given the name (a file dropped on the
    // window, a recent site): first asks whether to save unsaved changes.
    void openSiteFile(const QString& path);
    // Takes what changed in the site since the last step (an open editor's cells included) as one
    // undoable step, named after the command that made it or else after what changed.
    void noteChanges(const QString& stepName = {});
    const SiteHistory& history() const { return history_; }
    QMenu* recentSitesMenu() const { return recentMenu_; }
    // Keeps the whole window, frame and caption bar included, on the screen's free area.
    void fitIntoScreen();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenus();
    QAction* addCommand(QMenu* menu, const QString& text, int command, const QString& statusTip = {});
    void showStatusReady();

    // True when the site may be replaced: nothing unsaved, or the user saved or discarded it.
    bool mayReplaceSite();
    void commandUndoRedo(bool undo);
    void updateUndoActions();
    void commandNew();
    void commandLoad();
    void loadSite(const QString& path);
    void fillRecentSitesMenu();
    // Puts a site file opened or saved first in File > Recent sites.
    void rememberSite(const QString& path);
    void commandImportText();
    void commandSave();
    void commandOpenEditor(int command);
    void commandExport(int command);
    void commandExportReport();
    void commandPrintReport();
    // The report of the site as it stands, with whatever an open editor holds.
    CommissioningReport currentReport();
    void commandDialog(int command);
    void commandUpdateFirmware();
    // The panel link, made on first use; null (after saying why) when it cannot be made.
    PanelLink* panelLink();
    void refreshErrorBanner();
    void commandSendToPanel();
    void commandGetFromPanel();
    void commandCompareWithPanel();
    void commandRestoreBackup();
    // Loads a site file as Load does, after the question about unsaved work was answered.
    void loadSiteFile(const QString& path);
    // Runs a panel transfer of `kind` on `site` under the progress window (with `heading` above its
    // bar when given); true when the link was made and the work succeeded without being stopped.
    bool runPanelTransfer(TransferKind kind, SettingsStore& site, const std::function<bool(class PanelSession&)>& work,
                          const QString& heading = {});
    // Reads the whole panel into `site` under the progress window.
    bool readPanelInto(SettingsStore& site, const QString& heading = {});
    void commandDocumentation(int command);
    void commandWebInterface();
    void destroyEditorWithoutWriteBack();
    void resetErrorFlags();

    SettingsStore& store_;
    SiteHistory history_;
    bool changesQueued_ = false;
    int editorCommand_ = 0;  // the command that opened the editor shown
    DesktopOptions options_;
    SiteBackground* background_ = nullptr;
    QMap<int, QAction*> actions_;
    RecentSites recentSites_;
    QMenu* recentMenu_ = nullptr;
    QString sitePath_;
    // When the site was read from the panel, while it is that reading that the store holds.
    std::optional<std::string> panelReadAt_;
    QString importPath_ = QStringLiteral("*.txt");
    EditorKind editorKind_ = EditorKind::None;
    std::unique_ptr<PanelLink> panelLink_;
    bool transferRunning_ = false;
    int siteErrors_ = 0;
    int lastShownErrors_ = 0;
};

}  // namespace tamrik
