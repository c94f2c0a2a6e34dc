#include <QAction>
#include <QtTest>

#include "app/gui/MainWindow.h"
#include "app/gui/UserPrompts.h"
#include "settings/DefaultSettings.h"
#include "settings/SiteFile.h"
#include "site/DeviceTable.h"
#include "ui/editors/SiteEditor.h"
#include "ui/grid/Grid.h"

using namespace tamrik;

// Undo and redo through the real window: an editor click, a Load, and the caption's mark.
class UndoTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    SettingsStore store;
    std::unique_ptr<MainWindow> window;

    QString undoText() const { return window->action(kCommandUndo)->text(); }

private slots:
    void init() {
        qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit());
        UserPrompts::setTestMode(true);
        store.clear();
        ApplyDefaultSettings(store);
        store.put("SiteName", "Depot");
        store.markSaved();
        window = std::make_unique<MainWindow>(store, DesktopOptions{});
        window->resize(1200, 800);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->siteCheckQuiet();  // the loop currents as every later check works them out
    }

    void anEditorClickUndoesAndRedoesWithTheCaptionMark() {
        const std::string saved = SiteFileFormat(store);
        QVERIFY(!window->action(kCommandUndo)->isEnabled());
        window->runCommand(kCommandDeviceEditor);
        Grid& grid = *window->editor()->grid();
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier,
                          grid.cellRect(3, kDeviceVolumeColumn).center());
        QTRY_COMPARE(undoText(), QStringLiteral("&Undo Volume of device 3"));
        const std::string clicked = SiteFileFormat(store);
        QVERIFY(clicked != saved);
        QVERIFY(window->windowTitle().endsWith(QStringLiteral("[Depot] *")));

        QTest::keySequence(window.get(), QKeySequence::Undo);
        QCOMPARE(SiteFileFormat(store), saved);
        QVERIFY(window->windowTitle().endsWith(QStringLiteral("[Depot]")));
        QCOMPARE(window->action(kCommandRedo)->text(), QStringLiteral("&Redo Volume of device 3"));
        QVERIFY(window->editor());  // still open, showing the site as it now is
        QCOMPARE(window->editor()->grid()->cell(3, kDeviceVolumeColumn).text,
                 std::string(*DeviceCellText(store, 3, kDeviceVolumeColumn)));

        window->runCommand(kCommandRedo);
        QCOMPARE(SiteFileFormat(store), clicked);
    }

    void aLoadIsOneStep() {
        SettingsStore other;
        ApplyDefaultSettings(other);
        other.put("SiteName", "Elsewhere");
        const QString path = dir.filePath(QStringLiteral("other.psf"));
        QVERIFY(SiteFileWrite(path.toStdString(), other));
        const std::string before = SiteFileFormat(store);
        window->openSiteFile(path);
        QCOMPARE(store.text("SiteName"), std::string_view("Elsewhere"));
        QCOMPARE(undoText(), QStringLiteral("&Undo Load site"));
        window->runCommand(kCommandUndo);
        QCOMPARE(SiteFileFormat(store), before);
        // The loaded file is what was last saved now.
        QVERIFY(window->windowTitle().endsWith(QStringLiteral("[Depot] *")));
    }
};

QTEST_MAIN(UndoTest)
#include "UndoTest.moc"
