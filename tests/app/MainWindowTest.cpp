#include <QAction>
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
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
#include "exports/CsvExport.h"
#include "panel/sim/DemoPanel.h"
#include "settings/DefaultSettings.h"
#include "settings/SiteFile.h"
#include "site/PanelBackups.h"
#include "site/SiteComparison.h"
#include "ui/dialogs/MessageBoxes.h"
#include "ui/dialogs/RestoreBackupDialog.h"
#include "ui/dialogs/SiteDifferencesDialog.h"
#include "site/DeviceTable.h"
#include "ui/editors/SiteEditor.h"
#include "ui/grid/Grid.h"

using namespace tamrik;

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    SettingsStore store;
    MainWindow* window = nullptr;
    QTemporaryDir dir;
    QTemporaryDir home;  // the desktop's config and data folders: backups and settings land here

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
    UserPrompts::Shown lastShown() {
        const auto shown = UserPrompts::takeShown();
        return shown.isEmpty() ? UserPrompts::Shown{} : shown.last();
    }
    void savePng(const QString& name, QWidget* shown = nullptr) {
        QDir().mkpath(TAMRIK_PNG_DIR);
        (shown ? shown : window)->grab().save(QStringLiteral(TAMRIK_PNG_DIR "/%1.png").arg(name));
    }
    // A window on the simulated panel `name`, with its site read from it.
    QString openOnReadPanel(const QString& name) {
        const QString panel = dir.filePath(name);
        makeWindow(DesktopOptions{false, QStringLiteral("sim:") + panel, {}});
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
    // Drives the next modal dialog of type T (the progress window of a read comes and goes first).
    template <typename T>
    static void whenDialog(std::function<void(T*)> drive, int attempts = 500) {
        QTimer::singleShot(10, [drive = std::move(drive), attempts] {
            if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
                drive(dialog);
            } else if (attempts > 0) {
                whenDialog<T>(drive, attempts - 1);
            }
        });
    }
    static QByteArray fileBytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

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

    void captionFollowsSiteNameAndPanelKind() {
        QCOMPARE(window->windowTitle(), QStringLiteral("5300 Commissioning software - No site name!"));
        store.put("SiteName", std::string(100, 'S'));
        store.markSaved();
        window->updateTitle();
        QCOMPARE(window->windowTitle(),
                 QStringLiteral("5300 Commissioning software - [%1]").arg(QString(90, QLatin1Char('S'))));
        store.put("SiteName", "Caf\xE9 Z\xFCrich");  // site files hold Latin-1
        store.markSaved();
        window->updateTitle();
        QCOMPARE(window->windowTitle(), QString::fromUtf8("5300 Commissioning software - [Caf\u00e9 Z\u00fcrich]"));
        makeWindow(DesktopOptions{false, QStringLiteral("sim:/tmp/panel.bin"), {}});
        QVERIFY(window->windowTitle().endsWith(QStringLiteral(" [simulated panel]")));
    }

    void newAsksFirstAndRestoresTheDefaults() {
        store.put("Zone_5", "9");
        UserPrompts::queueChoices({SaveChoice::Discard, SaveChoice::Discard});  // the change is not kept
        window->runCommand(kCommandNew);                                        // answered No
        QCOMPARE(lastShown().text, QStringLiteral("Delete current settings?"));
        QCOMPARE(store.text("Zone_5"), std::string_view("9"));
        UserPrompts::queueAnswers({true});
        window->runCommand(kCommandNew);
        QCOMPARE(store.text("Zone_5"), std::string_view("1"));
        QCOMPARE(int(store.size()), 4022);
        QVERIFY(!store.changedSinceSaved());
    }

    void loadGoodFile() {
        UserPrompts::queueFileNames({writeSite("good.psf", "Harbour House")});
        window->runCommand(kCommandLoad);
        QCOMPARE(lastShown().text, QStringLiteral("Site info. loaded from file"));
        QCOMPARE(window->windowTitle(), QStringLiteral("5300 Commissioning software - [Harbour House]"));
        QCOMPARE(store.text("Volume_3"), std::string_view("7"));
    }

    // Load asks before unsaved work is lost: Cancel keeps it, Save writes it first. Merely looking at
    // a site (the design check records the loop currents) is no change.
    void loadAsksBeforeUnsavedWorkIsLost() {
        const QString other = writeSite("other.psf", "Other site");
        store.put("SiteName", "Typed here");
        window->runCommand(kCommandLoad);  // no choice queued: Cancel
        QCOMPARE(lastShown().text, QStringLiteral("Save changes to the current site?"));
        QCOMPARE(store.text("SiteName"), std::string_view("Typed here"));

        const QString saved = dir.filePath(QStringLiteral("saved.psf"));
        UserPrompts::queueChoices({SaveChoice::Save});
        UserPrompts::queueFileNames({saved, other});
        window->runCommand(kCommandLoad);
        QCOMPARE(store.text("SiteName"), std::string_view("Other site"));
        QFile savedFile(saved);
        QVERIFY(savedFile.open(QIODevice::ReadOnly) && savedFile.readAll().contains("SiteName = \"Typed here\""));

        window->siteCheckQuiet();
        UserPrompts::takeShown();
        UserPrompts::queueFileNames({other});
        window->runCommand(kCommandLoad);
        QCOMPARE(UserPrompts::takeShown().size(), 1);  // only "Site info. loaded from file"
    }

    void damagedFileIsRefusedUnlessAcceptErrors() {
        const QString damaged = writeSite("bad.psf", "Damaged", true);
        UserPrompts::queueFileNames({damaged});
        window->runCommand(kCommandLoad);
        auto shown = lastShown();
        QCOMPARE(shown.text, QStringLiteral("Not done!\r\nFile contains errors"));
        QCOMPARE(shown.icon, PromptIcon::Error);
        QCOMPARE(store.text("SiteName"), std::string_view(""));
        QCOMPARE(window->windowTitle(), QStringLiteral("5300 Commissioning software - No site name!"));

        makeWindow(DesktopOptions{true, QStringLiteral("usb"), {}});
        UserPrompts::queueFileNames({damaged});
        window->runCommand(kCommandLoad);
        QCOMPARE(lastShown().text, QStringLiteral("Loaded but file contains errors"));
        QCOMPARE(store.text("Volume_3"), std::string_view("8"));

        UserPrompts::queueFileNames({dir.filePath(QStringLiteral("missing.psf"))});
        window->runCommand(kCommandLoad);
        QCOMPARE(lastShown().text, QStringLiteral("Couldn't open file\r\nNo such file or directory"));
        QCOMPARE(int(store.size()), 4022);
    }

    // A dropped site file opens as Load opens it, after the same question about unsaved work; File >
    // Recent sites lists what was opened or saved, newest first, with vanished files greyed out.
    void sitesOpenByDropAndFromTheRecentList() {
        QVERIFY(window->acceptDrops());
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
        QCOMPARE(lastShown().text, QStringLiteral("Save changes to the current site?"));
        QCOMPARE(store.text("SiteName"), std::string_view("Typed here"));
        UserPrompts::queueChoices({SaveChoice::Discard});
        QVERIFY(drop(first));
        QCOMPARE(window->windowTitle(), QStringLiteral("5300 Commissioning software - [First]"));

        UserPrompts::queueFileNames({second, dir.filePath(QStringLiteral("third.psf"))});
        window->runCommand(kCommandLoad);
        window->runCommand(kCommandSave);
        QFile::remove(second);
        makeWindow();  // the list outlives the window
        QCOMPARE(recent(), (QStringList{QStringLiteral("third.psf"), QStringLiteral("-second.psf"),
                                        QStringLiteral("first.psf")}));
        window->recentSitesMenu()->adjustSize();
        QVERIFY(window->recentSitesMenu()->grab().save(QStringLiteral(TAMRIK_PNG_DIR "/recent_sites.png")));
        window->recentSitesMenu()->actions().last()->trigger();
        QCOMPARE(window->windowTitle(), QStringLiteral("5300 Commissioning software - [First]"));
        QCOMPARE(recent().first(), QStringLiteral("first.psf"));
        // A site the command line loaded is where Save writes, and a recent site too.
        makeWindow(DesktopOptions{false, QStringLiteral("usb"), second});
        QCOMPARE(window->sitePath(), second);
        QCOMPARE(recent().first(), QStringLiteral("-second.psf"));

        RecentSites list(dir.filePath(QStringLiteral("capped/recent-sites")));
        for (int i = 0; i < 10; ++i) list.add(dir.filePath(QStringLiteral("s%1.psf").arg(i)));
        list.add(dir.filePath(QStringLiteral("s5.psf")));
        QStringList names;
        for (const QString& path : list.paths()) names << QFileInfo(path).baseName();
        QCOMPARE(names, (QStringList{"s5", "s9", "s8", "s7", "s6", "s4", "s3", "s2"}));
    }

    // However it was placed, the window ends up with its frame and caption bar on the free screen.
    void theWindowKeepsItsFrameOnTheScreen() {
        const QRect available = window->screen()->availableGeometry();
        window->move(available.left() - 50, available.top() - 80);
        window->resize(available.width() + 200, available.height() + 200);
        window->fitIntoScreen();
        QVERIFY(available.contains(window->frameGeometry()));
    }

    void importMergesTidiesAndCountsAsAChange() {
        const QString path = dir.filePath(QStringLiteral("texts.txt"));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("DeviceText_4 = \"  Plant room  \"\r\nZoneText_2 = \"East wing\"\r\n");
        file.close();
        UserPrompts::queueFileNames({path});
        window->runCommand(kCommandImportText);
        QCOMPARE(lastShown().text, QStringLiteral("Text imported into current site file"));
        QCOMPARE(store.text("DeviceText_4"), std::string_view("     Plant room     "));
        QCOMPARE(store.text("ZoneText_2"), std::string_view("     East wing      "));
        QCOMPARE(store.text("Zone_1"), std::string_view("1"));
        QVERIFY(store.changedSinceSaved());
    }

    void saveRecordsTheSavedStateAndAFailedSaveSaysSo() {
        const QString path = dir.filePath(QStringLiteral("saved.psf"));
        store.put("Zone_9", "4");
        UserPrompts::queueFileNames({path});
        window->runCommand(kCommandSave);
        QCOMPARE(lastShown().text, QStringLiteral("Site info. saved"));
        QVERIFY(!store.changedSinceSaved());
        QCOMPARE(window->sitePath(), path);
        SettingsStore loaded;
        QCOMPARE(SiteFileRead(path.toStdString(), loaded), int(kSiteFileOk));
        QCOMPARE(loaded.text("Zone_9"), std::string_view("4"));

        store.put("Zone_9", "5");
        UserPrompts::queueFileNames({dir.filePath(QStringLiteral("no/such/folder/x.psf"))});
        window->runCommand(kCommandSaveAs);
        const auto shown = lastShown();
        QVERIFY(shown.text.startsWith(QStringLiteral("Site info. NOT saved")));
        QCOMPARE(shown.icon, PromptIcon::Error);
        QVERIFY(store.changedSinceSaved());
    }

    void closeAsksOnlyWhenSomethingChanged() {
        // Right after start-up the close's design check adds the loop currents: that counts as a change.
        window->close();
        QCOMPARE(lastShown().title, QStringLiteral("Are you sure?"));
        QVERIFY(window->isVisible());
        // After a save nothing has changed: closing asks nothing.
        UserPrompts::queueFileNames({dir.filePath(QStringLiteral("site.psf"))});
        window->runCommand(kCommandSave);
        UserPrompts::takeShown();
        window->close();
        QVERIFY(!window->isVisible());
        QVERIFY(UserPrompts::takeShown().isEmpty());

        makeWindow();
        store.put("Zone_2", "2");
        store.markSaved();
        // Swapping two values keeps the byte sum; the change is still noticed.
        store.put("Zone_1", "2");
        store.put("Zone_2", "1");
        QCOMPARE(store.checksum(), store.savedChecksum());
        window->close();
        const auto shown = lastShown();
        QCOMPARE(shown.title, QStringLiteral("Are you sure?"));
        QCOMPARE(shown.text, QStringLiteral("Settings have changed since they were loaded.\r\n"
                                            "Are you sure you want to exit the application?"));
        QVERIFY(window->isVisible());
        UserPrompts::queueAnswers({true});
        window->runCommand(kCommandExit);
        QVERIFY(!window->isVisible());
    }

    void getAndSendSettingsThroughTheSimulatedPanel() {
        const QString panel = QStringLiteral("sim:") + dir.filePath(QStringLiteral("panel.bin"));
        makeWindow(DesktopOptions{false, panel, {}});
        window->runCommand(kCommandGetFromPanel);  // answered No: nothing happens
        QCOMPARE(lastShown().text, QStringLiteral("Are you sure you wish to overwrite site data changes?"));
        QVERIFY(!store.contains("PanelData"));

        UserPrompts::queueAnswers({true});
        window->runCommand(kCommandGetFromPanel);
        QCOMPARE(store.text("PanelData"), std::string_view("1"));
        QVERIFY2(window->windowTitle().endsWith(QStringLiteral("] [simulated panel]")),
                 qPrintable(window->windowTitle()));
        QVERIFY(!window->transferRunning());
        // The report of a site just read says when it was read.
        const QString report = dir.filePath(QStringLiteral("read.html"));
        UserPrompts::queueFileNames({report});
        window->runCommand(kCommandExportReport);
        QFile reportFile(report);
        QVERIFY(reportFile.open(QIODevice::ReadOnly) && reportFile.readAll().contains("read from the panel"));

        // Change a device text and send: the questions come in order, then the result.
        store.put("DeviceText_1", "   Sent from test   ");
        UserPrompts::takeShown();
        UserPrompts::queueAnswers({true, true, true});
        window->runCommand(kCommandSendToPanel);
        const auto shown = UserPrompts::takeShown();
        QStringList titles;
        for (const auto& box : shown) titles << box.title;
        QVERIFY2(titles.contains(QStringLiteral("Are you sure?")), qPrintable(titles.join(QLatin1Char('|'))));
        QCOMPARE(shown.last().text, QStringLiteral("Settings have been sent to the panel"));

        store.put("DeviceText_1", "changed locally");
        UserPrompts::queueChoices({SaveChoice::Discard});
        UserPrompts::queueAnswers({true});
        window->runCommand(kCommandGetFromPanel);
        QCOMPARE(store.text("DeviceText_1"), std::string_view("   Sent from test   "));
    }

    void sendRefusesValuesThePanelCannotHold() {
        makeWindow(DesktopOptions{false, QStringLiteral("sim:") + dir.filePath(QStringLiteral("refuse.bin")), {}});
        store.put("Language", "200");
        UserPrompts::queueAnswers({true, true, true});
        window->runCommand(kCommandSendToPanel);
        const auto shown = UserPrompts::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown.first().text.endsWith(QStringLiteral("\r\nLanguage = 200: 0 to 12")));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("refuse.bin"))));  // the panel was never opened
    }

    // One reading of the panel is kept as its backup and tells what the write will change; the list
    // is there on request, before the last question.
    void sendBacksThePanelUpAndSaysWhatWillChange() {
        openOnReadPanel(QStringLiteral("backup.bin"));
        const std::string read = dir.filePath(QStringLiteral("read.psf")).toStdString();
        QVERIFY(SiteFileWrite(read, store, nullptr));  // what the panel holds now
        store.put("Zone_5", "9");
        store.put("ZoneText_2", "Lobby");
        const std::string backupFolder = home.filePath(QStringLiteral("data/tamrik/backups")).toStdString();
        const std::size_t kept = ListPanelBackups(backupFolder).size();
        auto shown = send();
        QCOMPARE(shown.size(), 3);  // the change count, "Are you sure?", the result
        QVERIFY(shown[0].text.startsWith(QStringLiteral("2 settings will change\r\n")));
        QCOMPARE(shown[0].details.split(QLatin1Char('\n')).size(), 2);
        QVERIFY(shown[0].details.startsWith(QStringLiteral("Device 5: Zone ")));
        QCOMPARE(shown[1].title, QStringLiteral("Are you sure?"));
        QCOMPARE(shown[2].text, QStringLiteral("Settings have been sent to the panel"));
        const auto backups = ListPanelBackups(backupFolder);
        QCOMPARE(backups.size(), kept + 1);
        SettingsStore backup;
        QCOMPARE(SiteFileRead(backups[0].path, backup), int(kSiteFileOk));
        SettingsStore before;
        SiteFileRead(read, before);
        QVERIFY(CompareSites(before, backup, true).empty());

        auto box = MakeMessageBox(window, shown[0].title, shown[0].text, BoxIcon::Information, BoxButtons::Ok,
                                  shown[0].details);
        box->show();
        for (QAbstractButton* button : box->buttons()) {
            if (box->buttonRole(button) == QMessageBox::ActionRole) button->click();  // "Show Details..."
        }
        savePng(QStringLiteral("send_settings_will_change"), box.get());

        shown = send();  // the panel now holds this site
        QCOMPARE(shown[0].text + shown[0].details, QStringLiteral("No settings will change"));
        QVERIFY(shown[0].details.isEmpty());
    }

    // Without a backup nothing is written: no question, the panel's memory as it was.
    void aRefusedBackupStopsTheSend() {
        const QString panel = openOnReadPanel(QStringLiteral("nobackup.bin"));
        const QString blocker = dir.filePath(QStringLiteral("a-file"));
        QFile(blocker).open(QIODevice::WriteOnly);
        DesktopOptions options{false, QStringLiteral("sim:") + panel, {}};
        options.backupFolder = (blocker + QStringLiteral("/backups")).toStdString();
        delete window;
        window = new MainWindow(store, options);
        store.put("Zone_5", "9");
        const QByteArray memory = fileBytes(panel);
        const auto shown = send();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.startsWith(QStringLiteral("The panel's settings could not be backed up: ")),
                 qPrintable(shown[0].text));
        QVERIFY(shown[0].text.endsWith(QStringLiteral("\r\nNothing was written to the panel.")));
        QCOMPARE(shown[0].icon, PromptIcon::Error);
        QCOMPARE(fileBytes(panel), memory);
    }

    // The menu's check turns the backup off and is kept in the config folder.
    void theBackupCanBeTurnedOff() {
        openOnReadPanel(QStringLiteral("off.bin"));
        QAction* backup = window->action(kCommandBackupBeforeWriting);
        QVERIFY(backup->isChecked());
        backup->trigger();
        const QString config = dir.filePath(QStringLiteral("config/tamrik/tamrik.ini"));
        QVERIFY(fileBytes(config).contains("backupBeforeWriting=false"));
        makeWindow(DesktopOptions{false, QStringLiteral("sim:") + dir.filePath(QStringLiteral("off.bin")), {}});
        QVERIFY(!window->action(kCommandBackupBeforeWriting)->isChecked());
        const auto backups = [this] {
            return ListPanelBackups(home.filePath(QStringLiteral("data/tamrik/backups")).toStdString()).size();
        };
        const std::size_t kept = backups();
        const auto shown = send();
        QCOMPARE(shown.size(), 2);  // "Are you sure?" and the result
        QCOMPARE(shown[1].text, QStringLiteral("Settings have been sent to the panel"));
        QCOMPARE(backups(), kept);
        window->action(kCommandBackupBeforeWriting)->trigger();
    }

    // Compare with panel lists what `--diff panel SITE` prints.
    void compareWithPanelListsTheDifferences() {
        openOnReadPanel(QStringLiteral("compare.bin"));
        store.put("Zone_5", "9");
        store.put("BannerText_1", "Welcome");
        QStringList lines;
        whenDialog<SiteDifferencesDialog>([&lines, this](SiteDifferencesDialog* dialog) {
            for (int row = 0; row < dialog->list()->count(); ++row) lines << dialog->list()->item(row)->text();
            savePng(QStringLiteral("compare_with_panel"), dialog);
            dialog->close();
        });
        window->runCommand(kCommandCompareWithPanel);
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].startsWith(QStringLiteral("Device 5: Zone ")) && lines[0].endsWith(QStringLiteral(" -> 9")));
        QVERIFY(lines[1].startsWith(QStringLiteral("Banner text 1: ")));
    }

    // Restore backup lists every panel's backups newest first and loads the chosen one as the site,
    // asking first about unsaved work; the panel is not touched.
    void restoreBackupLoadsTheChosenOne() {
        const std::filesystem::path folder = home.filePath(QStringLiteral("restore")).toStdString();
        makeWindow();
        DesktopOptions options;
        options.backupFolder = folder;
        delete window;
        window = new MainWindow(store, options);
        window->runCommand(kCommandRestoreBackup);
        QVERIFY(lastShown().text.startsWith(QStringLiteral("There are no panel backups in ")));

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
        QStringList rows;
        whenDialog<RestoreBackupDialog>([&rows, this](RestoreBackupDialog* dialog) {
            for (int row = 0; row < dialog->list()->topLevelItemCount(); ++row) {
                const QTreeWidgetItem* item = dialog->list()->topLevelItem(row);
                rows << item->text(1) + QLatin1Char('/') + item->text(2);
            }
            dialog->list()->setCurrentItem(dialog->list()->topLevelItem(1));
            savePng(QStringLiteral("restore_backup"), dialog);
            dialog->findChild<QPushButton*>(QStringLiteral("loadButton"))->click();
        });
        UserPrompts::queueChoices({SaveChoice::Discard});
        window->runCommand(kCommandRestoreBackup);
        QCOMPARE(rows, QStringList({QStringLiteral("North depot/12AB"), QStringLiteral("Harbour House v2/5300A1C7"),
                                    QStringLiteral("Harbour House/5300A1C7")}));
        const auto shown = UserPrompts::takeShown();
        QCOMPARE(shown.first().text, QStringLiteral("Save changes to the current site?"));
        QCOMPARE(shown.last().text, QStringLiteral("Site info. loaded from file"));
        QCOMPARE(store.text("SiteName"), std::string_view("Harbour House v2"));
        QVERIFY(window->sitePath().isEmpty());  // Save will not overwrite the backup
    }

    void exportsReportTheirResult() {
        const QString csv = dir.filePath(QStringLiteral("devices.csv"));
        UserPrompts::queueFileNames({csv});
        window->runCommand(kCommandExportDevices);
        auto shown = lastShown();
        QCOMPARE(shown.title, QStringLiteral("Device data"));
        QCOMPARE(shown.text, QStringLiteral("Device data exported"));
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().toStdString(), CsvExportBytes(CsvExportKind::DeviceData, store));

        window->runCommand(kCommandExportMatrix);  // dialog cancelled
        shown = lastShown();
        QCOMPARE(shown.text, QStringLiteral("Could not export matrix"));
        QCOMPARE(shown.icon, PromptIcon::Error);
        UserPrompts::queueFileNames({dir.filePath(QStringLiteral("missing/folder/log.csv"))});
        window->runCommand(kCommandExportLog);
        QCOMPARE(lastShown().text, QStringLiteral("Could not export log"));
    }

    // The name's ending picks HTML or PDF; an open editor stays open. The demo site's PDF is kept
    // beside the PNGs for review.
    void commissioningReportExportsAsHtmlOrPdf() {
        store.clear();
        DemoSiteSettings(store);
        window->runCommand(kCommandTextEditor);
        const QString html = dir.filePath(QStringLiteral("report.html"));
        const QString pdf = QStringLiteral(TAMRIK_PNG_DIR "/commissioning_report.pdf");
        UserPrompts::queueFileNames({html, pdf});
        window->runCommand(kCommandExportReport);
        QCOMPARE(lastShown().text, QStringLiteral("Report exported"));
        window->runCommand(kCommandExportReport);
        QCOMPARE(lastShown().text, QStringLiteral("Report exported"));
        QVERIFY(window->editor());  // the editor stays open
        QFile htmlFile(html), pdfFile(pdf);
        QVERIFY(htmlFile.open(QIODevice::ReadOnly) && pdfFile.open(QIODevice::ReadOnly));
        const QByteArray page = htmlFile.readAll();
        QVERIFY(page.startsWith("<!DOCTYPE html>"));
        QVERIFY(page.contains("<td>30</td><td>MULTI</td>"));
        QVERIFY(pdfFile.read(5) == "%PDF-");
        QVERIFY(pdfFile.size() > 10000);

        UserPrompts::queueFileNames({dir.filePath(QStringLiteral("missing/folder/report.pdf"))});
        window->runCommand(kCommandExportReport);
        QVERIFY(lastShown().text.startsWith(QStringLiteral("Could not export report")));
    }

    // The dialogs are modal: each test closes the one that opens, as a person would.
    void dialogsOpenFromTheMenu() {
        auto closeModalSoon = [](QString* title, const QString& png = {}) {
            QTimer::singleShot(png.isEmpty() ? 50 : 500, [title, png] {
                QWidget* modal = QApplication::activeModalWidget();
                if (!modal) return;
                *title = modal->windowTitle();
                if (!png.isEmpty()) modal->grab().save(QStringLiteral(TAMRIK_PNG_DIR "/%1.png").arg(png));
                modal->close();
            });
        };
        QString title;
        closeModalSoon(&title);
        window->runCommand(kCommandDesignChecker);
        QCOMPARE(title, QStringLiteral("Design check"));
        QVERIFY(window->siteErrors() > 0);
        QVERIFY(window->background()->showsErrorBanner());

        closeModalSoon(&title);
        window->runCommand(kCommandSiteInfo);
        QCOMPARE(title, QStringLiteral("Site information"));
        closeModalSoon(&title);
        window->runCommand(kCommandPanelInfo);
        QCOMPARE(title, QStringLiteral("Panel information"));
        closeModalSoon(&title, QStringLiteral("print_report_preview"));
        window->runCommand(kCommandPrintReport);
        QCOMPARE(title, QStringLiteral("Print report"));
    }

    // Editors open one at a time; the device editor's typed cells reach the store when another view
    // takes over, and the matrix editor brings its tool bar along.
    void editorsAreHostedOneAtATime() {
        window->runCommand(kCommandDeviceEditor);
        QCOMPARE(window->editorKind(), EditorKind::Device);
        Grid* grid = window->editor()->grid();
        QVERIFY(grid);
        // Tab and Shift+Tab hand the focus from the grid to the window.
        QVERIFY(QTest::qWaitForWindowActive(window));
        for (const auto modifier : {Qt::NoModifier, Qt::ShiftModifier}) {
            grid->setFocus();
            QTest::keyClick(grid, Qt::Key_Tab, modifier);
            QCOMPARE(QApplication::focusWidget(), window->background());
        }
        grid->setCurrent(8, kDeviceZoneColumn);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                          grid->cellRect(8, kDeviceZoneColumn).center());
        QTest::keyClicks(grid, QStringLiteral("12"));
        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(store.text("Zone_8"), std::string_view("1"));  // not before the write-back

        window->runCommand(kCommandMatrixEditor);
        QCOMPARE(store.text("Zone_8"), std::string_view("12"));
        QCOMPARE(window->editorKind(), EditorKind::Matrix);
        QVERIFY(window->background()->toolBar() != nullptr);
        QVERIFY(window->editor()->geometry().bottom() < window->background()->toolBar()->geometry().top());

        window->runCommand(kCommandFireLog);
        QCOMPARE(window->editorKind(), EditorKind::EventLog);
        QVERIFY(window->background()->toolBar() == nullptr);

        // New closes the open view without writing it back.
        window->runCommand(kCommandDeviceEditor);
        UserPrompts::queueChoices({SaveChoice::Discard});
        UserPrompts::queueAnswers({true});
        window->runCommand(kCommandNew);
        QVERIFY(window->editor() == nullptr);
    }

    void designFaultsShowTheBanner() {
        // A new site's matrix lets every unused input group activate every output group.
        window->editorClose();
        QVERIFY(window->siteErrors() > 0);
        QVERIFY(window->background()->showsErrorBanner());
        for (int input = 1; input <= 32; ++input) {
            for (int output = 1; output <= 32; ++output) {
                store.put("Matrix_" + std::to_string(input) + "_" + std::to_string(output), "O");
            }
        }
        for (const char* key : {"SiteNumber", "SiteName", "SiteContact", "SiteAddress", "SitePostcode", "SitePhone",
                                "SiteComments", "SiteEngineer", "SiteCommission", "SiteResistance", "SiteQuiescent",
                                "SiteAlarm", "SiteBattery", "SiteBatteryType", "SiteBatteryInstallation"}) {
            store.put(key, "1");
        }
        window->editorClose();
        QCOMPARE(window->siteErrors(), 0);
        QVERIFY(!window->background()->showsErrorBanner());
        savePng(QStringLiteral("main_window"));
        store.put("Type_1", "1");   // a detector ...
        store.put("Zone_1", "40");  // ... in a zone the panel does not have
        window->editorClose();
        QVERIFY(window->siteErrors() > 0);
        QVERIFY(window->background()->showsErrorBanner());
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
