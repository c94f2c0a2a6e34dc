#include "app/gui/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QMenuBar>
#include <QStatusBar>
#include <QUrl>

#include "app/gui/SiteBackground.h"
#include "app/gui/UserPrompts.h"
#include "checker/SiteCheck.h"
#include "exports/CsvExport.h"
#include "panel/PanelLink.h"
#include "panel/PanelSession.h"
#include "panel/ReadPanelWorker.h"
#include "panel/WritePanelWorker.h"
#include "panel/hid/PanelLinkFactory.h"
#include "settings/DefaultSettings.h"
#include "ui/dialogs/AboutWindow.h"
#include "ui/editors/EditorFactory.h"
#include "ui/editors/SiteEditor.h"
#include "ui/dialogs/DesignCheckDialog.h"
#include "ui/dialogs/FirmwareDialog.h"
#include "ui/dialogs/GuiTransferObserver.h"
#include "ui/dialogs/PanelSettingsDialog.h"
#include "ui/dialogs/SiteInfoDialog.h"
#include "ui/dialogs/ProgressDialog.h"
#include "settings/SiteFile.h"
#include "settings/TextTidy.h"

namespace tamrik {
namespace {

const QString kSiteFileFilter = QStringLiteral("Site file,*.psf");
const QString kImportFilter = QStringLiteral("Site file,*.psf,Text file,*.txt");

std::string toLocal(const QString& path) { return path.toLocal8Bit().toStdString(); }

}  // namespace

MainWindow::MainWindow(SettingsStore& store, DesktopOptions options, QWidget* parent)
    : QMainWindow(parent), store_(store), options_(std::move(options)) {
    setObjectName(QStringLiteral("mainWindow"));
    background_ = new SiteBackground(this);
    setCentralWidget(background_);
    buildMenus();
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->setSizeGripEnabled(true);
    statusBar()->showMessage(QStringLiteral("Ready."));
    updateTitle();
}

MainWindow::~MainWindow() = default;

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
        // No editor is closed first: the export shows the site as the store holds it.
        const QString path = UserPrompts::saveFileName(this, QString(), QStringLiteral("CSV file,*.csv"));
        const bool written = !path.isEmpty() && CsvExportWrite(item.kind, store_, toLocal(path));
        if (written) {
            UserPrompts::show(this, QString::fromLatin1(item.title), QString::fromLatin1(item.success), PromptIcon::None);
        } else {
            UserPrompts::show(this, QString::fromLatin1(item.title), QString::fromLatin1(item.failure), PromptIcon::Error);
        }
    }
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
                               QStringLiteral("Are you sure you wish to overwrite current panel settings?"))) {
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
    file->addSeparator();
    addCommand(file, QStringLiteral("E&xit"), kCommandExit, QStringLiteral("Exits this application"))
        ->setShortcut(QKeySequence::Quit);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    addCommand(edit, QStringLiteral("&Enter Site Info"), kCommandSiteInfo, QStringLiteral("Edits site specific info"));
    addCommand(edit, QStringLiteral("&Matrix editor"), kCommandMatrixEditor, QStringLiteral("Edits the matrix for this site"));
    addCommand(edit, QStringLiteral("&Text editor"), kCommandTextEditor, QStringLiteral("Edits site text"));
    addCommand(edit, QStringLiteral("&Device editor"), kCommandDeviceEditor, QStringLiteral("Edits loop device info"));
    addCommand(edit, QStringLiteral("&Coincidence"), kCommandCoincidence);
    addCommand(edit, QStringLiteral("&Panel info"), kCommandPanelInfo);

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    addCommand(view, QStringLiteral("Fire event log"), kCommandFireLog, QStringLiteral("View fire event log"));
    addCommand(view, QStringLiteral("Non-fire event log"), kCommandNonFireLog, QStringLiteral("View non-fire event log"));
    addCommand(view, QStringLiteral("Combined Fire / Non-fire event log"), kCommandCombinedLog,
               QStringLiteral("View combined fire / non-fire event log"));
    view->addSeparator();
    addCommand(view, QStringLiteral("Design checker"), kCommandDesignChecker);

    QMenu* panel = menuBar()->addMenu(QStringLiteral("&Panel"));
    addCommand(panel, QStringLiteral("&Send settings to panel"), kCommandSendToPanel,
               QStringLiteral("Send the site information from the PC to the panel"));
    addCommand(panel, QStringLiteral("&Get settings from panel"), kCommandGetFromPanel,
               QStringLiteral("Gets the site information from the panel"));
    panel->addSeparator();
    addCommand(panel, QStringLiteral("&Update panel firmware"), kCommandUpdateFirmware);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    addCommand(help, QStringLiteral("&Web interface"), kCommandWebInterface,
               QStringLiteral("Open an alternative GUI in a web browser."))
        ->setEnabled(false);
    QMenu* documentation = help->addMenu(QStringLiteral("&Documentation"));
    addCommand(documentation, QStringLiteral("Installation manual"), kCommandInstallationManual);
    addCommand(documentation, QStringLiteral("User manual"), kCommandUserManual);
    addCommand(documentation, QStringLiteral("Programming manual"), kCommandProgrammingManual);
    help->addSeparator();
    QAction* about = addCommand(help, QStringLiteral("&About ..."), kCommandAbout, QStringLiteral("About this application"));
    about->setShortcuts({QKeySequence(Qt::ALT | Qt::Key_Question), QKeySequence(Qt::ALT | Qt::Key_Slash)});
}

void MainWindow::updateTitle() {
    const char* siteName = SettingGet(store_, "SiteName");
    QString caption = (siteName && *siteName)
                          ? QStringLiteral("%1 - [%2]").arg(kProgramTitle, QString::fromLocal8Bit(siteName).left(90))
                          : QStringLiteral("%1 - No site name!").arg(kProgramTitle);
    if (options_.simulatedPanel()) caption += QStringLiteral(" [simulated panel]");
    setWindowTitle(caption);
}

void MainWindow::showStatusReady() { statusBar()->showMessage(QStringLiteral("Ready")); }

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    showStatusReady();
}

void MainWindow::resetErrorFlags() {
    siteErrors_ = 0;
    lastShownErrors_ = 0;
    background_->setShowErrorBanner(false);
}

void MainWindow::siteCheckQuiet() {
    siteErrors_ = static_cast<int>(SiteCheck(store_, false).faultCount);
    refreshErrorBanner();
}

void MainWindow::refreshErrorBanner() {
    if (siteErrors_ != lastShownErrors_) {
        lastShownErrors_ = siteErrors_;
        background_->setShowErrorBanner(siteErrors_ != 0);
    }
}

SiteEditor* MainWindow::editor() const { return qobject_cast<SiteEditor*>(background_->editor()); }

void MainWindow::editorClose(bool writeBack) {
    if (SiteEditor* open = editor(); open && writeBack) open->writeBack();
    destroyEditorWithoutWriteBack();
    siteCheckQuiet();
}

void MainWindow::commandOpenEditor(int command) {
    struct EditorCommand {
        int command;
        EditorView view;
        EditorKind kind;
    };
    static constexpr EditorCommand kEditors[] = {
        {kCommandMatrixEditor, EditorView::Matrix, EditorKind::Matrix},
        {kCommandTextEditor, EditorView::Text, EditorKind::Text},
        {kCommandDeviceEditor, EditorView::Device, EditorKind::Device},
        {kCommandFireLog, EditorView::FireLog, EditorKind::EventLog},
        {kCommandNonFireLog, EditorView::NonFireLog, EditorKind::EventLog},
        {kCommandCombinedLog, EditorView::CombinedLog, EditorKind::EventLog},
        {kCommandCoincidence, EditorView::Coincidence, EditorKind::Coincidence},
    };
    for (const auto& item : kEditors) {
        if (item.command != command) continue;
        editorClose();
        std::unique_ptr<SiteEditor> created = CreateSiteEditor(item.view, store_, background_);
        if (!created) {
            UserPrompts::show(this, QStringLiteral("Err!"), EditorOpenFailureText(item.view), PromptIcon::None);
            return;
        }
        editorKind_ = item.kind;
        SiteEditor* opened = created.release();
        background_->setEditor(opened, opened->toolBar());
        opened->setFocus();
    }
}

void MainWindow::destroyEditorWithoutWriteBack() {
    QWidget* editor = background_->editor();
    QWidget* toolBar = background_->toolBar();
    background_->setEditor(nullptr, nullptr);
    delete editor;
    delete toolBar;
}

void MainWindow::runCommand(int command) {
    switch (command) {
    case kCommandNew: commandNew(); break;
    case kCommandLoad: commandLoad(); break;
    case kCommandImportText: commandImportText(); break;
    case kCommandSave:
    case kCommandSaveAs: commandSave(); break;
    case kCommandExit: close(); break;
    case kCommandMatrixEditor:
    case kCommandTextEditor:
    case kCommandDeviceEditor:
    case kCommandFireLog:
    case kCommandNonFireLog:
    case kCommandCombinedLog:
    case kCommandCoincidence: commandOpenEditor(command); break;
    case kCommandExportLog:
    case kCommandExportDevices:
    case kCommandExportMatrix:
    case kCommandExportText: commandExport(command); break;
    case kCommandSendToPanel: commandSendToPanel(); break;
    case kCommandGetFromPanel: commandGetFromPanel(); break;
    case kCommandInstallationManual:
    case kCommandUserManual:
    case kCommandProgrammingManual: commandDocumentation(command); break;
    case kCommandWebInterface: commandWebInterface(); break;
    case kCommandAbout: AboutWindow::Open(this); break;
    case kCommandSiteInfo:
    case kCommandPanelInfo:
    case kCommandDesignChecker: commandDialog(command); break;
    case kCommandUpdateFirmware: commandUpdateFirmware(); break;
    default: break;
    }
}

void MainWindow::commandNew() {
    if (!UserPrompts::askYesNo(this, kProgramTitle, QStringLiteral("Delete current settings?"))) return;
    editorClose(false);
    StoreDestroy(&store_);
    StoreCreate(store_);
    resetErrorFlags();
    ApplyDefaultSettings(store_);
    updateTitle();
    update();
}

void MainWindow::commandLoad() {
    const QString path = UserPrompts::openFileName(this, sitePath_, kSiteFileFilter);
    if (path.isEmpty()) return;
    sitePath_ = path;
    StoreDestroy(&store_);
    StoreCreate(store_);
    resetErrorFlags();
    const int result = SiteFileRead(toLocal(path), store_);
    ApplyDefaultSettings(store_);
    if (result == kSiteFileUnreadable) {
        UserPrompts::show(this, kProgramTitle, QStringLiteral("Couldn't open file"), PromptIcon::Error);
        return;
    }
    if (result == kSiteFileBadCheck && !options_.acceptErrors) {
        UserPrompts::show(this, kProgramTitle, QStringLiteral("Not done!\r\nFile contains errors"), PromptIcon::Error);
        StoreDestroy(&store_);
        StoreCreate(store_);
        ApplyDefaultSettings(store_);
    } else if (result == kSiteFileBadCheck) {
        UserPrompts::show(this, kProgramTitle, QStringLiteral("Loaded but file contains errors"),
                          PromptIcon::Information);
        destroyEditorWithoutWriteBack();
    } else {
        UserPrompts::show(this, kProgramTitle, QStringLiteral("Site info. loaded from file"), PromptIcon::Information);
        destroyEditorWithoutWriteBack();
    }
    updateTitle();
}

void MainWindow::commandImportText() {
    const QString path = UserPrompts::openFileName(this, importPath_, kImportFilter);
    if (path.isEmpty()) return;
    importPath_ = path;
    if (SiteFileRead(toLocal(path), store_) == kSiteFileUnreadable) {
        UserPrompts::show(this, kProgramTitle, QStringLiteral("Couldn't open file"), PromptIcon::Error);
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
    if (!SiteFileWrite(toLocal(path), &store_, &error)) {
        // A failed save must never look like a successful one: the old file is still intact.
        UserPrompts::show(this, kProgramTitle,
                          QStringLiteral("Site info. NOT saved\r\n%1").arg(QString::fromLocal8Bit(error.c_str())),
                          PromptIcon::Error);
        return;
    }
    UserPrompts::show(this, kProgramTitle, QStringLiteral("Site info. saved"), PromptIcon::Information);
    StoreMarkSaved(store_);
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

void MainWindow::commandUpdateFirmware() {
    // No editor is closed: a firmware update does not touch the site.
    if (PanelLink* link = panelLink()) RunFirmwareDialog(this, *link, store_);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    editorClose();
    if (StoreChangedSinceSaved(store_) &&
        !UserPrompts::askYesNo(this, QStringLiteral("Are you sure?"),
                               QStringLiteral("Settings have changed since they were loaded.\r\n"
                                              "Are you sure you want to exit the application?"))) {
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace tamrik
