#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <chrono>
#include <filesystem>
#include <tuple>

#include "app/gui/MainWindow.h"
#include "app/gui/RecentSites.h"
#include "app/gui/SiteBackground.h"
#include "app/gui/UserPrompts.h"
#include "panel/sim/DemoPanel.h"
#include "settings/DefaultSettings.h"
#include "settings/SiteFile.h"
#include "site/DeviceTable.h"
#include "site/PanelBackups.h"
#include "support/QtTestSupport.h"
#include "ui/dialogs/DesignCheckDialog.h"
#include "ui/dialogs/RestoreBackupDialog.h"
#include "ui/editors/SiteEditor.h"
#include "ui/grid/Grid.h"

using namespace tamrik;

namespace {

const QString kCaption = QStringLiteral("5300 Commissioning software - ");

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

UserPrompts::Shown LastShown() {
    const auto shown = UserPrompts::takeShown();
    return shown.isEmpty() ? UserPrompts::Shown{} : shown.last();
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    SettingsStore store;
    MainWindow* window = nullptr;
    QTemporaryDir dir;
    QTemporaryDir home;  // the desktop's data folder: backups land here

    void makeWindow(DesktopOptions options = {}) {
        delete window;
        window = new MainWindow(store, options);
        window->resize(900, 600);
        window->show();
    }
    QString writeSite(const QString& name, const std::string& siteName, bool damage = false) {
        SettingsStore site;
        ApplyDefaultSettings(site);
        site.put("SiteName", siteName);
        site.put("Volume_3", "7");
        std::string bytes = SiteFileFormat(site);
        if (damage) bytes.replace(bytes.find("Volume_3 = \"7\""), 14, "Volume_3 = \"8\"");
        const QString path = dir.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path;
    }
    void savePng(const QString& name, QWidget* shown = nullptr) {
        QDir().mkpath(TAMRIK_PNG_DIR);
        (shown ? shown : window)->grab().save(QStringLiteral(TAMRIK_PNG_DIR "/%1.png").arg(name));
    }
    // A window on the simulated panel `name`, with its site read from it.
    QString openOnReadPanel(const QString& name, std::optional<std::filesystem::path> backupFolder = {}) {
        const QString panel = dir.filePath(name);
        DesktopOptions options{false, QStringLiteral("sim:") + panel, {}};
        if (backupFolder) options.backupFolder = *backupFolder;
        makeWindow(options);
        UserPrompts::queueChoices({SaveChoice::Discard});
        UserPrompts::queueAnswers({true});
        window->runCommand(kCommandGetFromPanel);
        UserPrompts::takeShown();
        return panel;
    }
    // Send settings, answering Yes to every question; the boxes shown.
    QList<UserPrompts::Shown> send() {
        UserPrompts::queueAnswers({true, true, true});
        window->runCommand(kCommandSendToPanel);
        return UserPrompts::takeShown();
    }
    std::string backupFolder() const { return home.filePath(QStringLiteral("data/tamrik/backups")).toStdString(); }

private slots:
    void initTestCase() { qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit()); }
    void init() {
        // Every test starts with no recent sites and the desktop settings' defaults.
        qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit());
        QFile::remove(RecentSites::defaultListPath());
        QFile::remove(dir.filePath(QStringLiteral("config/tamrik/tamrik.ini")));
        UserPrompts::setTestMode(true);
        ApplyDefaultSettings(store);
        makeWindow();
    }
    void cleanup() {
        delete window;
        window = nullptr;
        store.clear();
    }

    // New and Load ask before unsaved work is lost: Cancel keeps it, Save writes it first. Merely
    // looking at a site (the design check records the loop currents) is no change.
    void newAndLoadAskBeforeUnsavedWorkIsLost() {
        store.put("Zone_5", "9");
        UserPrompts::queueChoices({SaveChoice::Discard});
        window->runCommand(kCommandNew);  // "Delete current settings?" answered No
        QCOMPARE(store.text("Zone_5"), std::string_view("9"));
        UserPrompts::queueChoices({SaveChoice::Discard});
        UserPrompts::queueAnswers({true});
        window->runCommand(kCommandNew);
        QCOMPARE(store.text("Zone_5"), std::string_view("1"));
        QVERIFY(!store.changedSinceSaved());

        const QString other = writeSite("other.psf", "Other site");
        store.put("SiteName", "Typed here");
        window->runCommand(kCommandLoad);  // no choice queued: Cancel
        QCOMPARE(LastShown().text, QStringLiteral("Save changes to the current site?"));
        QCOMPARE(store.text("SiteName"), std::string_view("Typed here"));
        const QString saved = dir.filePath(QStringLiteral("saved.psf"));
        window->siteCheckQuiet();  // the loop currents as every later check works them out
        const std::string typed = SiteFileFormat(store);
        UserPrompts::queueChoices({SaveChoice::Save});
        UserPrompts::queueFileNames({saved, other});
        window->runCommand(kCommandLoad);
        QCOMPARE(LastShown().text, QStringLiteral("Site info. loaded from file"));
        QCOMPARE(window->windowTitle(), kCaption + QStringLiteral("[Other site]"));
        QCOMPARE(store.text("Volume_3"), std::string_view("7"));
        QVERIFY(FileBytes(saved).contains("SiteName = \"Typed here\""));
        // A load is one undo step; the loaded file is what was last saved now.
        QCOMPARE(window->action(kCommandUndo)->text(), QStringLiteral("&Undo Load site"));
        window->runCommand(kCommandUndo);
        QCOMPARE(SiteFileFormat(store), typed);
        QCOMPARE(window->windowTitle(), kCaption + QStringLiteral("[Typed here] *"));
        window->runCommand(kCommandRedo);

        window->siteCheckQuiet();
        UserPrompts::queueFileNames({other});
        window->runCommand(kCommandLoad);
        QCOMPARE(UserPrompts::takeShown().size(), 1);  // only "Site info. loaded from file"
    }

    // A damaged file is refused (loaded only with the accept-errors option), and so is a missing one.
    void damagedFileIsRefusedUnlessAcceptErrors() {
        const QString damaged = writeSite("bad.psf", "Damaged", true);
        UserPrompts::queueFileNames({damaged, dir.filePath(QStringLiteral("missing.psf"))});
        window->runCommand(kCommandLoad);
        QCOMPARE(LastShown().icon, PromptIcon::Error);
        QCOMPARE(store.text("SiteName"), std::string_view(""));
        window->runCommand(kCommandLoad);
        QCOMPARE(LastShown().text, QStringLiteral("Couldn't open file\r\nNo such file or directory"));
        QCOMPARE(store.text("SiteName"), std::string_view(""));

        makeWindow(DesktopOptions{true, QStringLiteral("usb"), {}});
        UserPrompts::queueFileNames({damaged});
        window->runCommand(kCommandLoad);
        QCOMPARE(LastShown().text, QStringLiteral("Loaded but file contains errors"));
        QCOMPARE(store.text("Volume_3"), std::string_view("8"));
    }

    // A dropped site file opens as Load opens it, after the same question about unsaved work; File >
    // Recent sites lists what was opened or saved, newest first, with vanished files greyed out.
    void sitesOpenByDropAndFromTheRecentList() {
        const auto drop = [this](const QString& path) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(path)});
            QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(window, &enter);
            if (!enter.isAccepted()) return false;
            QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(window, &dropped);
            QCoreApplication::processEvents();
            return true;
        };
        const auto recent = [this] {
            emit window->recentSitesMenu()->aboutToShow();
            QStringList entries;
            for (QAction* entry : window->recentSitesMenu()->actions()) {
                entries << (entry->isEnabled() ? QString() : QStringLiteral("-")) +
                               QFileInfo(entry->statusTip()).fileName();
            }
            return entries;
        };
        QCOMPARE(recent(), QStringList{QStringLiteral("-")});  // "No recent sites"
        const QString first = writeSite("first.psf", "First");
        const QString second = writeSite("second.psf", "Second");
        QVERIFY(!drop(dir.filePath(QStringLiteral("notes.txt"))));
        store.put("SiteName", "Typed here");
        QVERIFY(drop(first));  // no choice queued: Cancel
        QCOMPARE(store.text("SiteName"), std::string_view("Typed here"));
        UserPrompts::queueChoices({SaveChoice::Discard});
        QVERIFY(drop(first));
        QCOMPARE(window->windowTitle(), kCaption + QStringLiteral("[First]"));

        UserPrompts::queueFileNames({second, dir.filePath(QStringLiteral("third.psf"))});
        window->runCommand(kCommandLoad);
        window->runCommand(kCommandSave);
        QFile::remove(second);
        makeWindow();  // the list outlives the window
        QCOMPARE(recent(), (QStringList{QStringLiteral("third.psf"), QStringLiteral("-second.psf"),
                                        QStringLiteral("first.psf")}));
        window->recentSitesMenu()->actions().last()->trigger();
        QCOMPARE(window->windowTitle(), kCaption + QStringLiteral("[First]"));
        QCOMPARE(recent().first(), QStringLiteral("first.psf"));
        // A site the command line loaded is where Save writes, and a recent site too.
        makeWindow(DesktopOptions{false, QStringLiteral("usb"), second});
        QCOMPARE(window->sitePath(), second);
        QCOMPARE(recent().first(), QStringLiteral("-second.psf"));
    }

    // However it was placed, the window ends up with its frame and caption bar on the free screen.
    void theWindowKeepsItsFrameOnTheScreen() {
        const QRect available = window->screen()->availableGeometry();
        window->move(available.left() - 50, available.top() - 80);
        window->resize(available.width() + 200, available.height() + 200);
        window->fitIntoScreen();
        QVERIFY(available.contains(window->frameGeometry()));
    }

    // Import merges the texts and counts as a change; it asks first about unsaved work, as Load does.
    void importMergesAndCountsAsAChange() {
        const QString path = dir.filePath(QStringLiteral("texts.txt"));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("DeviceText_4 = \"Plant room\"\r\n");
        file.close();
        UserPrompts::queueFileNames({path, path});
        window->siteCheckQuiet();
        store.markSaved();
        window->runCommand(kCommandImportText);
        QCOMPARE(store.text("DeviceText_4"), std::string_view("     Plant room     "));
        QCOMPARE(store.text("Zone_1"), std::string_view("1"));
        QVERIFY(store.changedSinceSaved());
        store.put("DeviceText_4", "Typed here");
        window->runCommand(kCommandImportText);  // no choice queued: Cancel
        QCOMPARE(store.text("DeviceText_4"), std::string_view("Typed here"));
    }

    // A save records the saved state; a failed one says so and leaves the site unsaved.
    void aFailedSaveSaysSo() {
        const QString path = dir.filePath(QStringLiteral("saved.psf"));
        store.put("Zone_9", "4");
        UserPrompts::queueFileNames({path, dir.filePath(QStringLiteral("no/such/folder/x.psf"))});
        window->runCommand(kCommandSave);
        QVERIFY(!store.changedSinceSaved());
        QCOMPARE(window->sitePath(), path);
        QVERIFY(FileBytes(path).contains("Zone_9 = \"4\""));
        store.put("Zone_9", "5");
        window->runCommand(kCommandSaveAs);
        const auto shown = LastShown();
        QVERIFY(shown.text.startsWith(QStringLiteral("Site info. NOT saved")));
        QCOMPARE(shown.icon, PromptIcon::Error);
        QVERIFY(store.changedSinceSaved());
    }

    void closeAsksWhenSomethingChanged() {
        store.put("Zone_2", "2");
        store.markSaved();
        // Swapping two values keeps the byte sum; the change is still noticed.
        store.put("Zone_1", "2");
        store.put("Zone_2", "1");
        window->close();
        QCOMPARE(LastShown().title, QStringLiteral("Are you sure?"));
        QVERIFY(window->isVisible());
        UserPrompts::queueAnswers({true});
        window->runCommand(kCommandExit);
        QVERIFY(!window->isVisible());
    }

    // Get settings asks before it replaces the site; a sent site reads back as sent.
    void getAndSendSettingsThroughTheSimulatedPanel() {
        makeWindow(DesktopOptions{false, QStringLiteral("sim:") + dir.filePath(QStringLiteral("panel.bin")), {}});
        window->runCommand(kCommandGetFromPanel);  // answered No: nothing happens
        QVERIFY(!store.contains("PanelData"));
        UserPrompts::queueAnswers({true});
        window->runCommand(kCommandGetFromPanel);
        QCOMPARE(store.text("PanelData"), std::string_view("1"));
        QVERIFY2(window->windowTitle().endsWith(QStringLiteral("] [simulated panel]")),
                 qPrintable(window->windowTitle()));

        store.put("DeviceText_1", "   Sent from test   ");
        UserPrompts::takeShown();
        QCOMPARE(send().last().text, QStringLiteral("Settings have been sent to the panel"));
        store.put("DeviceText_1", "changed locally");
        window->runCommand(kCommandGetFromPanel);  // Cancel: nothing happens
        QCOMPARE(store.text("DeviceText_1"), std::string_view("changed locally"));
        UserPrompts::queueChoices({SaveChoice::Discard});
        UserPrompts::queueAnswers({true});
        window->runCommand(kCommandGetFromPanel);
        QCOMPARE(store.text("DeviceText_1"), std::string_view("   Sent from test   "));
    }

    void sendRefusesValuesThePanelCannotHold() {
        makeWindow(DesktopOptions{false, QStringLiteral("sim:") + dir.filePath(QStringLiteral("refuse.bin")), {}});
        store.put("Language", "200");
        const auto shown = send();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown.first().text.endsWith(QStringLiteral("\r\nLanguage = 200: 0 to 12")));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("refuse.bin"))));  // the panel was never opened
    }

    // One reading of the panel is kept as its backup and tells what the write will change, before
    // the last question (what the backup holds and the change list are the backups' own, tested with them).
    void sendBacksThePanelUpAndSaysWhatWillChange() {
        openOnReadPanel(QStringLiteral("backup.bin"));
        store.put("Zone_5", "9");
        store.put("ZoneText_2", "Lobby");
        const std::size_t kept = ListPanelBackups(backupFolder()).size();
        auto shown = send();
        QCOMPARE(shown.size(), 3);  // the change count, "Are you sure?", the result
        QVERIFY(shown[0].text.startsWith(QStringLiteral("2 settings will change\r\n")));
        QVERIFY(shown[0].details.startsWith(QStringLiteral("Device 5: Zone ")));
        QCOMPARE(shown[2].text, QStringLiteral("Settings have been sent to the panel"));
        QCOMPARE(ListPanelBackups(backupFolder()).size(), kept + 1);
        shown = send();  // the panel now holds this site
        QCOMPARE(shown[0].text + shown[0].details, QStringLiteral("No settings will change"));
    }

    // Without a backup nothing is written: no question, the panel's memory as it was.
    void aRefusedBackupStopsTheSend() {
        const QString blocker = dir.filePath(QStringLiteral("a-file"));
        QFile(blocker).open(QIODevice::WriteOnly);
        const QString panel = openOnReadPanel(QStringLiteral("nobackup.bin"), (blocker + "/backups").toStdString());
        store.put("Zone_5", "9");
        const QByteArray memory = FileBytes(panel);
        const auto shown = send();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.endsWith(QStringLiteral("\r\nNothing was written to the panel.")),
                 qPrintable(shown[0].text));
        QCOMPARE(FileBytes(panel), memory);
    }

    // Restore backup lists every panel's backups newest first and loads the chosen one as the site,
    // asking first about unsaved work; the panel is not touched.
    void restoreBackupLoadsTheChosenOne() {
        const std::filesystem::path folder = home.filePath(QStringLiteral("restore")).toStdString();
        DesktopOptions options;
        options.backupFolder = folder;
        makeWindow(options);

        const auto at = std::chrono::system_clock::from_time_t(1796000000);
        for (const auto& [serial, name, hours] :
             {std::tuple{"5300A1C7", "Harbour House", 0}, std::tuple{"12AB", "North depot", 2},
              std::tuple{"5300A1C7", "Harbour House v2", 1}}) {
            SettingsStore site;
            ApplyDefaultSettings(site);
            site.put("PanelSnum", serial);
            site.put("SiteName", name);
            QVERIFY(SavePanelBackup(site, folder, at + std::chrono::hours(hours), nullptr));
        }
        store.put("SiteName", "Unsaved work");
        int rows = 0;  // the second row is the second newest of all panels' backups
        testing::WhenModal([&rows, this](QWidget* modal) {
            auto* dialog = qobject_cast<RestoreBackupDialog*>(modal);
            QVERIFY(dialog);
            rows = dialog->list()->topLevelItemCount();
            dialog->list()->setCurrentItem(dialog->list()->topLevelItem(1));
            savePng(QStringLiteral("restore_backup"), dialog);
            dialog->findChild<QPushButton*>(QStringLiteral("loadButton"))->click();
        });
        window->runCommand(kCommandRestoreBackup);  // no choice queued: Cancel
        QCOMPARE(rows, 0);
        QCOMPARE(store.text("SiteName"), std::string_view("Unsaved work"));
        UserPrompts::queueChoices({SaveChoice::Discard});
        window->runCommand(kCommandRestoreBackup);
        QCOMPARE(rows, 3);
        QCOMPARE(LastShown().text, QStringLiteral("Site info. loaded from file"));
        QCOMPARE(store.text("SiteName"), std::string_view("Harbour House v2"));
        QVERIFY(window->sitePath().isEmpty());  // Save will not overwrite the backup
    }

    // An export that wrote nothing never reads as a success; the report's name picks HTML or PDF and
    // an open editor stays open. The demo site's PDF is kept beside the PNGs for review.
    void exportsReportTheirResult() {
        store.clear();
        DemoSiteSettings(store);
        window->runCommand(kCommandTextEditor);
        const QString csv = dir.filePath(QStringLiteral("devices.csv"));
        const QString html = dir.filePath(QStringLiteral("report.html"));
        const QString pdf = QStringLiteral(TAMRIK_PNG_DIR "/commissioning_report.pdf");
        const QString nowhere = dir.filePath(QStringLiteral("missing/folder/x"));
        const struct {
            int command;
            QString path;  // empty: the file dialog is cancelled
            QString result;
        } cases[] = {
            {kCommandExportDevices, csv, QStringLiteral("Device data exported")},
            {kCommandExportMatrix, {}, QStringLiteral("Could not export matrix")},
            {kCommandExportLog, nowhere + ".csv", QStringLiteral("Could not export log")},
            {kCommandExportReport, html, QStringLiteral("Report exported")},
            {kCommandExportReport, pdf, QStringLiteral("Report exported")},
            {kCommandExportReport, nowhere + ".pdf", QStringLiteral("Could not export report")},
        };
        for (const auto& [command, path, result] : cases) {
            if (!path.isEmpty()) UserPrompts::queueFileNames({path});
            window->runCommand(command);
            const auto shown = LastShown();
            QVERIFY2(shown.text.startsWith(result), qPrintable(shown.text));
            QCOMPARE(shown.icon == PromptIcon::Error, result.startsWith(QStringLiteral("Could not")));
        }
        QVERIFY(window->editor());
        QVERIFY(FileBytes(csv).size() > 1000);
        QVERIFY(FileBytes(html).contains("<td>30</td><td>MULTI</td>"));
        QVERIFY(FileBytes(pdf).startsWith("%PDF-"));
    }

    // The design check lists each fault on a line of its own; the faults show as a banner on the
    // window until they are mended.
    void designFaultsShowTheBanner() {
        window->editorClose();
        QVERIFY(window->background()->showsErrorBanner());  // a new site's matrix: every group everywhere
        store.clear();
        DemoSiteSettings(store);
        window->editorClose();
        QCOMPARE(window->siteErrors(), 0);
        QVERIFY(!window->background()->showsErrorBanner());
        savePng(QStringLiteral("main_window"));
        store.put("Type_9", "250");
        store.put("SiteName", "");
        QString report;
        QTimer::singleShot(50, [&report] {
            if (auto* dialog = qobject_cast<DesignCheckDialog*>(QApplication::activeModalWidget())) {
                report = dialog->reportText();
                dialog->grab().save(QStringLiteral(TAMRIK_PNG_DIR "/design_check.png"));
                dialog->close();
            }
        });
        window->runCommand(kCommandDesignChecker);
        QCOMPARE(report, QStringLiteral("Unsupported device at address 9\nSite Info 'SiteName' requires a value\n"));
        QCOMPARE(window->siteErrors(), 2);
        QVERIFY(window->background()->showsErrorBanner());
    }

    // Undo and redo through the real window: an editor click, a Load, and the caption's mark.
    void anEditorClickUndoesAndRedoesWithTheCaptionMark() {
        store.put("SiteName", "Depot");
        makeWindow();
        window->resize(1200, 800);
        window->siteCheckQuiet();  // the loop currents as every later check works them out
        store.markSaved();
        const std::string saved = SiteFileFormat(store);
        QVERIFY(!window->action(kCommandUndo)->isEnabled());
        window->runCommand(kCommandDeviceEditor);
        Grid& grid = *window->editor()->grid();
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier,
                          grid.cellRect(3, kDeviceVolumeColumn).center());
        QTRY_COMPARE(window->action(kCommandUndo)->text(), QStringLiteral("&Undo Volume of device 3"));
        const std::string clicked = SiteFileFormat(store);
        QVERIFY(clicked != saved);
        QVERIFY(window->windowTitle().endsWith(QStringLiteral("[Depot] *")));

        QTest::keySequence(window, QKeySequence::Undo);
        QCOMPARE(SiteFileFormat(store), saved);
        QVERIFY(window->windowTitle().endsWith(QStringLiteral("[Depot]")));
        QCOMPARE(window->action(kCommandRedo)->text(), QStringLiteral("&Redo Volume of device 3"));
        QVERIFY(window->editor());  // still open, showing the site as it now is
        QCOMPARE(window->editor()->grid()->cell(3, kDeviceVolumeColumn).text,
                 std::string(*DeviceCellText(store, 3, kDeviceVolumeColumn)));
        window->runCommand(kCommandRedo);
        QCOMPARE(SiteFileFormat(store), clicked);
    }

    // Editors open one at a time; the device editor's typed cells reach the store when another view
    // takes over.
    void editorsAreHostedOneAtATime() {
        window->runCommand(kCommandDeviceEditor);
        QCOMPARE(window->editorKind(), EditorKind::Device);
        Grid* grid = window->editor()->grid();
        grid->setCurrent(8, kDeviceZoneColumn);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                          grid->cellRect(8, kDeviceZoneColumn).center());
        QTest::keyClicks(grid, QStringLiteral("12"));
        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(store.text("Zone_8"), std::string_view("1"));  // not before the write-back

        window->runCommand(kCommandMatrixEditor);
        QCOMPARE(store.text("Zone_8"), std::string_view("12"));
        QCOMPARE(window->editorKind(), EditorKind::Matrix);

        // New closes the open view without writing it back.
        window->runCommand(kCommandDeviceEditor);
        UserPrompts::queueChoices({SaveChoice::Discard});
        UserPrompts::queueAnswers({true});
        window->runCommand(kCommandNew);
        QVERIFY(window->editor() == nullptr);
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
