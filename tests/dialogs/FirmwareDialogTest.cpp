#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "DialogTestSupport.h"
#include "panel/FirmwareImage.h"
#include "panel/HexTestSupport.h"
#include "panel/PanelMemoryMap.h"
#include "panel/sim/DemoPanel.h"
#include "panel/sim/SimulatedPanelLink.h"
#include "support/TempDir.h"
#include "ui/dialogs/FirmwareDialog.h"
#include "ui/dialogs/HexFileChooser.h"
#include "ui/dialogs/MessageBoxes.h"

using namespace tamrik;
using namespace tamrik::testing;

namespace {

// The demo panel runs version 1.250: numbers below 125 are older.
constexpr std::size_t kCodeOffset = 2 * kFirmwareStartAddress + 0x100;

QString field(FirmwareDialog& dialog, const char* name) {
    return dialog.findChild<QLineEdit*>(QString::fromLatin1(name))->text();
}

QPushButton* button(FirmwareDialog& dialog, const char* name) {
    return dialog.findChild<QPushButton*>(QString::fromLatin1(name));
}

QStringList shownTexts() {
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
    std::unique_ptr<ScopedStore> store;
    std::unique_ptr<TempDir> dir;

    // A HEX file of a sparse firmware image: type, version and a few code words.
    QString hexFile(const char* name, const char* version, const char* type) {
        std::vector<std::uint8_t> image(kFirmwareImageSize, 0xFF);
        FirmwareSetVersionChars(image.data(), version);
        FirmwareSetTypeChars(image.data(), type);
        for (std::size_t i = 0; i < 64; i += 4) {
            image[kCodeOffset + i] = static_cast<std::uint8_t>(0x40 + i);
            image[kCodeOffset + i + 1] = 0x12;
            image[kCodeOffset + i + 2] = 0x34;
            image[kCodeOffset + i + 3] = 0x00;
        }
        const std::string path = dir->file(name);
        WriteBytes(path, HexFileOf(image, 0, image.size()));
        return QString::fromStdString(path);
    }
    bool codeWritten() const { return panel->programMemory()[kCodeOffset] == 0x40; }
    std::size_t erases() const {
        std::size_t count = 0;
        for (const auto& request : panel->requests()) count += request.command == kCommandEraseBlock;
        return count;
    }
    std::unique_ptr<FirmwareDialog> open(const QString& preset = {}) {
        auto dialog = std::make_unique<FirmwareDialog>(*link, **store, nullptr, preset);
        dialog->show();
        return dialog;
    }
    void choose(FirmwareDialog& dialog, const QString& path) {
        hex_file_chooser_test::QueueFileNames({path});
        QTest::mouseClick(button(dialog, "selectButton"), Qt::LeftButton);
    }

private slots:
    void init() {
        message_box_test::Enable(true);
        hex_file_chooser_test::Enable(true);
        panel = std::make_shared<SimulatedPanel>();
        BuildDemoPanel(*panel);
        link = std::make_unique<SimulatedPanelLink>(panel, SimLinkOptions{true, false});
        store = std::make_unique<ScopedStore>();
        dir = std::make_unique<TempDir>();
    }
    void cleanup() {
        dir.reset();
        store.reset();
        link.reset();
        panel.reset();
        hex_file_chooser_test::Enable(false);
        message_box_test::Enable(false);
    }

    void opensWithThePanelVersionAndWriteDisabled() {
        auto dialog = open();
        QVERIFY(dialog->panelAnswered());
        QCOMPARE(field(*dialog, "panelFirmwareVersion"), QStringLiteral("1.250 / 0.110"));
        QVERIFY(!button(*dialog, "writeButton")->isEnabled());
        // Cancelling the file dialog changes nothing.
        QTest::mouseClick(button(*dialog, "selectButton"), Qt::LeftButton);
        QVERIFY(field(*dialog, "firmwareFile").isEmpty());
    }

    void anUnreachablePanelEndsTheDialogAtOnce() {
        panel->faults.noPanel = true;
        FirmwareDialog dialog(*link, **store);
        QVERIFY(!dialog.panelAnswered());
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QVERIFY(
            shownTexts().contains(QStringLiteral("5300 Commissioning software Error: Fault with connection to panel")));
    }

    void aFileOfUnknownTypeKeepsWriteDisabled() {
        auto dialog = open();
        choose(*dialog, hexFile("other.hex", "13000000", "5300X"));
        QCOMPARE(field(*dialog, "firmwareFile"), QStringLiteral("other.hex"));
        QCOMPARE(field(*dialog, "firmwareType"), QStringLiteral("Unknown"));
        QCOMPARE(field(*dialog, "firmwareFileVersion"), QStringLiteral("Unknown"));
        QVERIFY(!button(*dialog, "writeButton")->isEnabled());
        dialog->write();
        QCOMPARE(erases(), std::size_t{0});
    }

    // A refused file clears what an earlier file showed and says why.
    void aDamagedFileReplacesTheEarlierOne() {
        auto dialog = open();
        choose(*dialog, hexFile("good.hex", "13000000", "5300"));
        QCOMPARE(field(*dialog, "firmwareType"), QStringLiteral("5300"));
        QCOMPARE(field(*dialog, "firmwareFileVersion"), QStringLiteral("1.300 / 0.000"));
        QVERIFY(button(*dialog, "writeButton")->isEnabled());

        const std::string damaged = dir->file("damaged.hex");
        WriteBytes(damaged, ":0400000012345678FF\r\n:00000001FF\r\n");
        choose(*dialog, QString::fromStdString(damaged));
        QCOMPARE(field(*dialog, "firmwareFile"), QStringLiteral("damaged.hex"));
        QVERIFY(field(*dialog, "firmwareType").isEmpty());
        QVERIFY(!button(*dialog, "writeButton")->isEnabled());
        auto* problem = dialog->findChild<QLabel*>(QStringLiteral("fileProblem"));
        QVERIFY(!problem->isHidden());
        QVERIFY(problem->text().contains(QStringLiteral("line 1")));
        QVERIFY(!dialog->fileLoaded());
    }

    void aNewerFileIsWrittenAndTheDialogCloses() {
        QVERIFY(!codeWritten());
        auto dialog = open();
        choose(*dialog, hexFile("newer.hex", "13000000", "5300"));
        QTest::mouseClick(button(*dialog, "writeButton"), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QVERIFY(codeWritten());
        QCOMPARE(shownTexts(), QStringList{QStringLiteral("Success: Firmware written to the panel")});
    }

    void anOlderFileAsksFirst() {
        auto dialog = open();
        choose(*dialog, hexFile("older.hex", "12350000", "kestrelix"));
        QCOMPARE(field(*dialog, "firmwareType"), QStringLiteral("KESTRELIX"));
        QTest::mouseClick(button(*dialog, "writeButton"), Qt::LeftButton);
        auto shown = message_box_test::TakeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QStringLiteral("Are you sure?"));
        QCOMPARE(shown[0].buttons, BoxButtons::YesNo);
        QCOMPARE(shown[0].icon, BoxIcon::Question);
        QVERIFY(dialog->isVisible());
        QCOMPARE(erases(), std::size_t{0});

        message_box_test::QueueAnswers({true});
        QTest::mouseClick(button(*dialog, "writeButton"), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QVERIFY(codeWritten());
    }

    void aPresetFileOfUnknownTypeWaitsForTheUser() {
        const QString path = hexFile("preset.hex", "13000000", "OTHER");
        bool stillOpen = false;
        WhenModal([&stillOpen](QWidget* modal) {
            auto* dialog = qobject_cast<FirmwareDialog*>(modal);
            QVERIFY(dialog);
            QTRY_COMPARE(field(*dialog, "firmwareType"), QStringLiteral("Unknown"));
            stillOpen = dialog->isVisible();
            QTest::mouseClick(button(*dialog, "cancelButton"), Qt::LeftButton);
        });
        RunFirmwareDialog(nullptr, *link, **store, path);
        QVERIFY(stillOpen);
        QCOMPARE(erases(), std::size_t{0});
    }

    void aPresetFileIsWrittenWithoutAnyClick() {
        RunFirmwareDialog(nullptr, *link, **store, hexFile("preset.hex", "13000000", "5300"));
        QVERIFY(codeWritten());
        QCOMPARE(shownTexts(), QStringList{QStringLiteral("Success: Firmware written to the panel")});
    }

    void firmwarePicture() {
        auto dialog = open();
        choose(*dialog, hexFile("panel-1300.hex", "13000000", "5300"));
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        SavePng(dialog.get(), QStringLiteral("firmware"));
        const std::string damaged = dir->file("damaged.hex");
        WriteBytes(damaged, ":0400000012345678FF\r\n");
        choose(*dialog, QString::fromStdString(damaged));
        SavePng(dialog.get(), QStringLiteral("firmware_refused"));
    }
};

QTEST_MAIN(FirmwareDialogTest)
#include "FirmwareDialogTest.moc"
