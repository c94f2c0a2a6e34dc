#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <algorithm>
#include <memory>

#include "DialogTestSupport.h"
#include "panel/FirmwareImage.h"
#include "panel/HexTestSupport.h"
#include "panel/PanelMemoryMap.h"
#include "panel/sim/DemoPanel.h"
#include "panel/sim/SimulatedPanelLink.h"
#include "site/PanelBackups.h"
#include "support/TempDir.h"
#include "ui/dialogs/FirmwareDialog.h"
#include "ui/dialogs/HexFileChooser.h"

using namespace tamrik;
using namespace tamrik::testing;

namespace {

// The demo panel runs version 1.250: numbers below 125 are older.
constexpr std::size_t kCodeOffset = 2 * kFirmwareStartAddress + 0x100;
const QString kWritten = QStringLiteral("Success: Firmware written to the panel");

QString Field(FirmwareDialog& dialog, const char* name) {
    return dialog.findChild<QLineEdit*>(QString::fromLatin1(name))->text();
}

bool WriteEnabled(FirmwareDialog& dialog) {
    return dialog.findChild<QPushButton*>(QStringLiteral("writeButton"))->isEnabled();
}

QStringList ShownTexts() {
    QStringList texts;
    for (const auto& shown : message_box_test::TakeShown()) texts << shown.title + QStringLiteral(": ") + shown.text;
    return texts;
}

}  // namespace

class FirmwareDialogTest : public QObject {
    Q_OBJECT

private:
    std::shared_ptr<SimulatedPanel> panel;
    std::unique_ptr<SimulatedPanelLink> link;
    SettingsStore store;
    std::unique_ptr<TempDir> dir;

    // A HEX file of a sparse firmware image: type, version and two code words.
    QString hexFile(const char* name, const char* version, const char* type) {
        std::vector<std::uint8_t> image(kFirmwareImageSize, 0xFF);
        FirmwareSetVersionChars(image.data(), version);
        FirmwareSetTypeChars(image.data(), type);
        const std::uint8_t code[] = {0x40, 0x12, 0x34, 0x00, 0x44, 0x12, 0x34, 0x00};
        std::copy(std::begin(code), std::end(code), image.begin() + kCodeOffset);
        const std::string path = dir->file(name);
        WriteBytes(path, HexFileOf(image, 0, image.size()));
        return QString::fromStdString(path);
    }
    bool codeWritten() const { return panel->programMemory()[kCodeOffset] == 0x40; }
    bool anythingErased() const {
        const auto& requests = panel->requests();
        return std::any_of(requests.begin(), requests.end(),
                           [](const auto& request) { return request.command == kCommandEraseBlock; });
    }
    std::unique_ptr<FirmwareDialog> open() {
        auto dialog = std::make_unique<FirmwareDialog>(*link, store);
        dialog->show();
        return dialog;
    }
    // Picks `path` in the file dialog that "Select new file" opens; an empty list cancels it.
    static void choose(FirmwareDialog& dialog, const QStringList& paths) {
        hex_file_chooser_test::QueueFileNames(paths);
        ClickButton(dialog, "selectButton");
    }

private slots:
    void init() {
        message_box_test::Enable(true);
        hex_file_chooser_test::Enable(true);
        panel = std::make_shared<SimulatedPanel>();
        BuildDemoPanel(*panel);
        link = std::make_unique<SimulatedPanelLink>(panel, SimLinkOptions{true, false});
        dir = std::make_unique<TempDir>();
    }

    void anUnreachablePanelEndsTheDialogAtOnce() {
        panel->faults.noPanel = true;
        FirmwareDialog dialog(*link, store);
        QVERIFY(!dialog.panelAnswered());
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QVERIFY(
            ShownTexts().contains(QStringLiteral("5300 Commissioning software Error: Fault with connection to panel")));
    }

    // A file of an unknown type keeps Write disabled; a damaged file clears what an earlier file showed
    // (so Write cannot send the earlier one under the new name) and says why.
    void onlyAGoodFileOfTheKnownTypeCanBeWritten() {
        auto dialog = open();
        // The dialog opens on what there is to do, not on a field that only shows a value.
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("selectButton"));
        QCOMPARE(Field(*dialog, "panelFirmwareVersion"), QStringLiteral("1.250 / 0.110"));
        QVERIFY(!WriteEnabled(*dialog));
        choose(*dialog, {hexFile("other.hex", "13000000", "5300X")});
        QCOMPARE(Field(*dialog, "firmwareType"), QStringLiteral("Unknown"));
        QVERIFY(!WriteEnabled(*dialog));
        dialog->write();
        QVERIFY(!anythingErased());

        choose(*dialog, {hexFile("good.hex", "13000000", "5300")});
        QCOMPARE(Field(*dialog, "firmwareFileVersion"), QStringLiteral("1.300 / 0.000"));
        QVERIFY(WriteEnabled(*dialog));
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        SavePng(dialog.get(), QStringLiteral("firmware"));
        choose(*dialog, {});  // cancelling the file dialog changes nothing
        QCOMPARE(Field(*dialog, "firmwareFile"), QStringLiteral("good.hex"));

        const std::string damaged = dir->file("damaged.hex");
        WriteBytes(damaged, ":0400000012345678FF\r\n:00000001FF\r\n");
        choose(*dialog, {QString::fromStdString(damaged)});
        QCOMPARE(Field(*dialog, "firmwareFile"), QStringLiteral("damaged.hex"));
        QVERIFY(Field(*dialog, "firmwareType").isEmpty());
        QVERIFY(!WriteEnabled(*dialog) && !dialog->fileLoaded());
        QVERIFY(dialog->findChild<QLabel*>(QStringLiteral("fileProblem"))->text().contains(QStringLiteral("line 1")));
    }

    // A newer or equal version is written at once, an older one only after the user says yes; each
    // write first keeps the panel's site in the backup folder. Without a backup nothing is erased and
    // the dialog stays open for another try.
    void writingBacksUpFirstAndAsksBeforeAnOlderVersion() {
        for (const char* version : {"", "13000000", "12500000", "12350000"}) {
            init();  // a fresh panel, at 1.250
            const std::string blocker = dir->file("a-file");
            WriteBytes(blocker, "not a folder");
            const bool older = std::string_view(version) == "12350000", noBackup = !*version;
            FirmwareDialog dialog(*link, store, nullptr, {},
                                  std::filesystem::path(noBackup ? blocker : dir->file("")) / "backups");
            dialog.show();
            choose(dialog, {hexFile("file.hex", noBackup ? "13000000" : version, "kestrelix")});
            QCOMPARE(Field(dialog, "firmwareType"), QStringLiteral("KESTRELIX"));
            if (older) {
                ClickButton(dialog, "writeButton");
                const auto shown = message_box_test::TakeShown();
                QVERIFY(shown.size() == 1 && shown[0].buttons == BoxButtons::YesNoDefaultNo);
                QVERIFY(dialog.isVisible() && !anythingErased());
                message_box_test::QueueAnswers({true});
            }
            ClickButton(dialog, "writeButton");
            const QStringList shown = ShownTexts();  // the question again, answered yes, then the outcome
            if (noBackup) {
                QVERIFY2(shown.size() == 1 && shown[0].contains(QStringLiteral("could not be backed up")),
                         qPrintable(shown.join('|')));
                QVERIFY(dialog.isVisible() && !anythingErased());
                continue;
            }
            QVERIFY2(!dialog.isVisible() && dialog.result() == QDialog::Accepted && codeWritten(), version);
            QCOMPARE(shown.size(), older ? 2 : 1);
            QCOMPARE(shown.last(), kWritten);
            const auto kept = ListPanelBackups(dir->file("backups"));
            QVERIFY(kept.size() == 1 && kept[0].serial == kDemoPanelSerial);
        }
    }

    // A preset file starts the update without any click, unless it is of an unknown type.
    void presetFiles() {
        bool stillOpen = false;
        WhenModal([&stillOpen](QWidget* modal) {
            auto* dialog = qobject_cast<FirmwareDialog*>(modal);
            QVERIFY(dialog);
            QTRY_COMPARE(Field(*dialog, "firmwareType"), QStringLiteral("Unknown"));
            stillOpen = dialog->isVisible();
            ClickButton(*dialog, "cancelButton");
        });
        QVERIFY(!RunFirmwareDialog(nullptr, *link, store, hexFile("other.hex", "13000000", "OTHER")));
        QVERIFY(stillOpen);
        QVERIFY(!anythingErased());

        QVERIFY(RunFirmwareDialog(nullptr, *link, store, hexFile("preset.hex", "13000000", "5300")));
        QVERIFY(codeWritten());
        QCOMPARE(ShownTexts(), QStringList{kWritten});
    }
};

QTEST_MAIN(FirmwareDialogTest)
#include "FirmwareDialogTest.moc"
