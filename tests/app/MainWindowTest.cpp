#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

#include "app/gui/MainWindow.h"
#include "app/gui/RecentSites.h"
#include "app/gui/SiteBackground.h"
#include "app/gui/UserPrompts.h"
#include "exports/CsvExport.h"
#include "panel/sim/DemoPanel.h"
#include "settings/DefaultSettings.h"
#include "settings/SiteFile.h"
#include "ui/editors/DeviceCells.h"
#include "ui/editors/SiteEditor.h"
#include "ui/grid/Grid.h"
#include "ui/grid/GridMessage.h"

using namespace tamrik;

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    SettingsStore store;
    MainWindow* window = nullptr;
    QTemporaryDir dir;

    void makeWindow(DesktopOptions options = {}) {
        delete window;
        window = new MainWindow(store, options);
        window->resize(900, 600);
        window->show();
    }
    QString writeSite(const QString& name, const std::string& siteName, bool damage = false) {
        SettingsStore site;
        StoreCreate(site);
        ApplyDefaultSettings(site);
        SettingPut(site, "SiteName", siteName);
        SettingPut(site, "Volume_3", "7");
        std::string bytes = SiteFileFormat(&site);
        StoreDestroy(&site);
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
    void savePng(const QString& name) {
        QDir().mkpath(TAMRIK_PNG_DIR);
        window->grab().save(QStringLiteral(TAMRIK_PNG_DIR "/%1.png").arg(name));
    }

private slots:
    void init() {
        // Every test starts with no recent sites, kept in its temporary folder.
        qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit());
        QFile::remove(RecentSites::defaultListPath());
        UserPrompts::setTestMode(true);
        StoreCreate(store);
        ApplyDefaultSettings(store);
        makeWindow();
    }
    void cleanup() {
        delete window;
        window = nullptr;
        StoreDestroy(&store);
    }

    void captionFollowsSiteNameAndPanelKind() {
        QCOMPARE(window->windowTitle(), QStringLiteral("5300 Commissioning software - No site name!"));
        SettingPut(store, "SiteName", std::string(100, 'S'));
        window->updateTitle();
        QCOMPARE(window->windowTitle(),
                 QStringLiteral("5300 Commissioning software - [%1]").arg(QString(90, QLatin1Char('S'))));
        SettingPut(store, "SiteName", "Caf\xE9 Z\xFCrich");  // site files hold Latin-1
        window->updateTitle();
        QCOMPARE(window->windowTitle(), QString::fromUtf8("5300 Commissioning software - [Caf\u00e9 Z\u00fcrich]"));
        makeWindow(DesktopOptions{false, QStringLiteral("sim:/tmp/panel.bin"), {}});
        QVERIFY(window->windowTitle().endsWith(QStringLiteral(" [simulated panel]")));
    }

    void statusBarShowsMenuHelpAndReadyAfterResize() {
        QCOMPARE(window->action(kCommandExit)->statusTip(), QStringLiteral("Exits this application"));
        QCOMPARE(window->action(kCommandGetFromPanel)->statusTip(), QStringLiteral("Gets the site information from the panel"));
        QVERIFY(!window->action(kCommandWebInterface)->isEnabled());
        window->statusBar()->showMessage(QStringLiteral("something else"));
        window->resize(700, 500);
        QTRY_COMPARE(window->statusBar()->currentMessage(), QStringLiteral("Ready"));
    }

    void newAsksFirstAndRestoresTheDefaults() {
        SettingPut(store, "Zone_5", "9");
        UserPrompts::queueChoices({SaveChoice::Discard, SaveChoice::Discard});  // the change is not kept
        window->runCommand(kCommandNew);  // answered No
        QCOMPARE(lastShown().text, QStringLiteral("Delete current settings?"));
        QCOMPARE(SettingText(store, "Zone_5"), std::string_view("9"));
        UserPrompts::queueAnswers({true});
        window->runCommand(kCommandNew);
        QCOMPARE(SettingText(store, "Zone_5"), std::string_view("1"));
        QCOMPARE(int(store.entryCount), 4022);
        QVERIFY(!StoreChangedSinceSaved(store));
    }

    void loadGoodFile() {
        UserPrompts::queueFileNames({writeSite("good.psf", "Harbour House")});
        window->runCommand(kCommandLoad);
        QCOMPARE(lastShown().text, QStringLiteral("Site info. loaded from file"));
        QCOMPARE(window->windowTitle(), QStringLiteral("5300 Commissioning software - [Harbour House]"));
        QCOMPARE(SettingText(store, "Volume_3"), std::string_view("7"));
    }

    // Load asks before unsaved work is lost: Cancel keeps it, Save writes it first. Merely looking at
    // a site (the design check records the loop currents) is no change.
    void loadAsksBeforeUnsavedWorkIsLost() {
        const QString other = writeSite("other.psf", "Other site");
        SettingPut(store, "SiteName", "Typed here");
        window->runCommand(kCommandLoad);  // no choice queued: Cancel
        QCOMPARE(lastShown().text, QStringLiteral("Save changes to the current site?"));
        QCOMPARE(SettingText(store, "SiteName"), std::string_view("Typed here"));

        const QString saved = dir.filePath(QStringLiteral("saved.psf"));
        UserPrompts::queueChoices({SaveChoice::Save});
        UserPrompts::queueFileNames({saved, other});
        window->runCommand(kCommandLoad);
        QCOMPARE(SettingText(store, "SiteName"), std::string_view("Other site"));
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
        QCOMPARE(SettingText(store, "SiteName"), std::string_view(""));
        QCOMPARE(window->windowTitle(), QStringLiteral("5300 Commissioning software - No site name!"));

        makeWindow(DesktopOptions{true, QStringLiteral("usb"), {}});
        UserPrompts::queueFileNames({damaged});
        window->runCommand(kCommandLoad);
        QCOMPARE(lastShown().text, QStringLiteral("Loaded but file contains errors"));
        QCOMPARE(SettingText(store, "Volume_3"), std::string_view("8"));

        UserPrompts::queueFileNames({dir.filePath(QStringLiteral("missing.psf"))});
        window->runCommand(kCommandLoad);
        QCOMPARE(lastShown().text, QStringLiteral("Couldn't open file\r\nNo such file or directory"));
        QCOMPARE(int(store.entryCount), 4022);
    }

    // Import offers text files first, with "*.txt" in the name field; Load offers site files.
    void fileDialogsOpenOnTheirFilter() {
        window->runCommand(kCommandImportText);
        window->runCommand(kCommandLoad);
        const auto requests = UserPrompts::takeFileRequests();
        QCOMPARE(requests.size(), 2);
        QCOMPARE(requests[0].nameFilter, QStringLiteral("Text file (*.txt)"));
        QCOMPARE(requests[0].initialName, QStringLiteral("*.txt"));
        QCOMPARE(requests[1].nameFilter, QStringLiteral("Site file (*.psf)"));
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

        SettingPut(store, "SiteName", "Typed here");
        QVERIFY(drop(first));  // no choice queued: Cancel
        QCOMPARE(lastShown().text, QStringLiteral("Save changes to the current site?"));
        QCOMPARE(SettingText(store, "SiteName"), std::string_view("Typed here"));
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
        QCOMPARE(SettingText(store, "DeviceText_4"), std::string_view("     Plant room     "));
        QCOMPARE(SettingText(store, "ZoneText_2"), std::string_view("     East wing      "));
        QCOMPARE(SettingText(store, "Zone_1"), std::string_view("1"));
        QVERIFY(StoreChangedSinceSaved(store));
    }

    void saveRecordsTheSavedStateAndAFailedSaveSaysSo() {
        const QString path = dir.filePath(QStringLiteral("saved.psf"));
        SettingPut(store, "Zone_9", "4");
        UserPrompts::queueFileNames({path});
        window->runCommand(kCommandSave);
        QCOMPARE(lastShown().text, QStringLiteral("Site info. saved"));
        QVERIFY(!StoreChangedSinceSaved(store));
        QCOMPARE(window->sitePath(), path);
        SettingsStore loaded;
        StoreCreate(loaded);
        QCOMPARE(SiteFileRead(path.toStdString(), loaded), int(kSiteFileOk));
        QCOMPARE(SettingText(loaded, "Zone_9"), std::string_view("4"));
        StoreDestroy(&loaded);

        SettingPut(store, "Zone_9", "5");
        UserPrompts::queueFileNames({dir.filePath(QStringLiteral("no/such/folder/x.psf"))});
        window->runCommand(kCommandSaveAs);
        const auto shown = lastShown();
        QVERIFY(shown.text.startsWith(QStringLiteral("Site info. NOT saved")));
        QCOMPARE(shown.icon, PromptIcon::Error);
        QVERIFY(StoreChangedSinceSaved(store));
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
        SettingPut(store, "Zone_2", "2");
        StoreMarkSaved(store);
        // Swapping two values keeps the byte sum; the change is still noticed.
        SettingPut(store, "Zone_1", "2");
        SettingPut(store, "Zone_2", "1");
        QCOMPARE(StoreChecksum(&store), store.savedChecksum);
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
        QVERIFY(SettingGet(store, "PanelData") == nullptr);

        UserPrompts::queueAnswers({true});
        window->runCommand(kCommandGetFromPanel);
        QCOMPARE(SettingText(store, "PanelData"), std::string_view("1"));
        QVERIFY(window->windowTitle().endsWith(QStringLiteral("] [simulated panel]")));
        QVERIFY(!window->transferRunning());
        // The report of a site just read says when it was read.
        const QString report = dir.filePath(QStringLiteral("read.html"));
        UserPrompts::queueFileNames({report});
        window->runCommand(kCommandExportReport);
        QFile reportFile(report);
        QVERIFY(reportFile.open(QIODevice::ReadOnly) && reportFile.readAll().contains("read from the panel"));

        // Change a device text and send: the questions come in order, then the result.
        SettingPut(store, "DeviceText_1", "   Sent from test   ");
        UserPrompts::takeShown();
        UserPrompts::queueAnswers({true, true, true});
        window->runCommand(kCommandSendToPanel);
        const auto shown = UserPrompts::takeShown();
        QStringList titles;
        for (const auto& box : shown) titles << box.title;
        QVERIFY2(titles.contains(QStringLiteral("Are you sure?")), qPrintable(titles.join(QLatin1Char('|'))));
        QCOMPARE(shown.last().text, QStringLiteral("Settings have been sent to the panel"));

        SettingPut(store, "DeviceText_1", "changed locally");
        UserPrompts::queueChoices({SaveChoice::Discard});
        UserPrompts::queueAnswers({true});
        window->runCommand(kCommandGetFromPanel);
        QCOMPARE(SettingText(store, "DeviceText_1"), std::string_view("   Sent from test   "));
    }

    void sendRefusesValuesThePanelCannotHold() {
        makeWindow(DesktopOptions{false, QStringLiteral("sim:") + dir.filePath(QStringLiteral("refuse.bin")), {}});
        SettingPut(store, "Language", "200");
        UserPrompts::queueAnswers({true, true, true});
        window->runCommand(kCommandSendToPanel);
        const auto shown = UserPrompts::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown.first().text.endsWith(QStringLiteral("\r\nLanguage = 200: 0 to 12")));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("refuse.bin"))));  // the panel was never opened
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
        StoreDestroy(&store);
        StoreCreate(store);
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
        grid->message(GM_SETCURSEL, 8, kDeviceZoneColumn);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, grid->cellRect(8, kDeviceZoneColumn).center());
        QTest::keyClicks(grid, QStringLiteral("12"));
        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(SettingText(store, "Zone_8"), std::string_view("1"));  // not before the write-back

        window->runCommand(kCommandMatrixEditor);
        QCOMPARE(SettingText(store, "Zone_8"), std::string_view("12"));
        QCOMPARE(window->editorKind(), EditorKind::Matrix);
        QVERIFY(window->background()->toolBar() != nullptr);
        QVERIFY(window->editor()->geometry().bottom() < window->background()->toolBar()->geometry().top());
        savePng(QStringLiteral("main_window_matrix"));

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

    void documentationNotes() {
        window->runCommand(kCommandUserManual);
        const auto shown = lastShown();
        QCOMPARE(shown.title, QStringLiteral("5300 User manual"));
        QVERIFY(shown.text.startsWith(QStringLiteral("The latest 5300 User manual is available from\n\n")));
        QCOMPARE(shown.icon, PromptIcon::None);
    }

    void designFaultsShowTheBanner() {
        // A new site's matrix lets every unused input group activate every output group.
        window->editorClose();
        QVERIFY(window->siteErrors() > 0);
        QVERIFY(window->background()->showsErrorBanner());
        for (int input = 1; input <= 32; ++input) {
            for (int output = 1; output <= 32; ++output) {
                SettingPut(store, "Matrix_" + std::to_string(input) + "_" + std::to_string(output), "O");
            }
        }
        for (const char* key : {"SiteNumber", "SiteName", "SiteContact", "SiteAddress", "SitePostcode", "SitePhone",
                                "SiteComments", "SiteEngineer", "SiteCommission", "SiteResistance", "SiteQuiescent",
                                "SiteAlarm", "SiteBattery", "SiteBatteryType", "SiteBatteryInstallation"}) {
            SettingPut(store, key, "1");
        }
        window->editorClose();
        QCOMPARE(window->siteErrors(), 0);
        QVERIFY(!window->background()->showsErrorBanner());
        savePng(QStringLiteral("main_window"));
        SettingPut(store, "Type_1", "1");   // a detector ...
        SettingPut(store, "Zone_1", "40");  // ... in a zone the panel does not have
        window->editorClose();
        QVERIFY(window->siteErrors() > 0);
        QVERIFY(window->background()->showsErrorBanner());
        savePng(QStringLiteral("main_window_errors"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
