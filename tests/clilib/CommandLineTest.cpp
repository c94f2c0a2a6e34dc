#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "clilib/CommandLineHarness.h"
#include "support/TempDir.h"

namespace tamrik {
namespace {

using testing::CommandLineHarness;
using Calls = std::vector<std::string>;

class CommandLineTest : public CommandLineHarness {
protected:
    testing::TempDir folder;
};

TEST_F(CommandLineTest, NoArgumentsOpenTheDesktopAndTheUsageTextEndsTheRun) {
    CommandLineResult result = run({});
    EXPECT_EQ(out.str() + err.str(), "");
    EXPECT_TRUE(result.openDesktop());
    EXPECT_EQ(result.panel, "usb");

    result = run({"site.psf", "-x", "-?"});  // arguments that are no options are passed over
    EXPECT_EQ(out.str(), std::string(kCommandLineBanner) + std::string(kUsageText));
    EXPECT_EQ(result.actionCount, 1);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_FALSE(result.openDesktop());
}

TEST_F(CommandLineTest, PreparingOptionsAloneOpenTheDesktopWithThem) {
    const CommandLineResult result = run({"-LD", "-S", "1a2b3c4d", "-La", "12", "--PANEL", "sim:demo.panel"});
    EXPECT_EQ(printed(), "Serial number set to 1a2b3c4d\nLanguage set to 12\n");
    EXPECT_TRUE(result.openDesktop());
    EXPECT_TRUE(result.acceptErrors);
    EXPECT_EQ(result.panel, "sim:demo.panel");
    EXPECT_EQ(store.get("PanelSnum"), "1a2b3c4d");
    EXPECT_EQ(store.get("Language"), "12");
    EXPECT_TRUE(store.changedSinceSaved());
    EXPECT_EQ(panel.opens, 0) << "no panel is opened without a transfer";
}

// A write first keeps the panel's site as a backup and says how much will change; without a backup
// nothing is written, unless --no-backup says so.
TEST_F(CommandLineTest, AWriteBacksThePanelUpFirst) {
    context.backupBeforeWrites = true;
    EXPECT_EQ(run({"-la", "2", "-w"}).exitStatus, 0);
    EXPECT_EQ(panel.calls, (Calls{"read", "write"}));
    const auto kept = ListPanelBackups(backups.path());
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].siteName, "Read from the panel");
    EXPECT_NE(err.str().find("settings will change"), std::string::npos) << err.str();

    panel.calls.clear();
    panel.readSucceeds = false;
    EXPECT_EQ(run({"-w"}).exitStatus, 1);
    EXPECT_EQ(panel.calls, Calls{"read"});
    EXPECT_EQ(observer.messages.back(), "Fail!: Settings have NOT been written to panel");
    panel.calls.clear();
    EXPECT_EQ(run({"--no-backup", "-w"}).exitStatus, 0);
    EXPECT_EQ(panel.calls, Calls{"write"});
}

TEST_F(CommandLineTest, BadSerialOrLanguageStopsEverything) {
    const std::vector<std::vector<std::string>> mistakes = {
        {"-la", "2", "-s", "12345G", "-w"},
        {"-s", "123456789", "-w"},
        {"-s", "-w"},
        {"-s", "0x1234", "-w"},
        {"-la", "13", "-w"},
        {"-la", "x", "-w"},
        {"-w", "-la", "-1"},
        {"-w", "-s"},
        {"-r", "a.psf", "-la"},
    };
    for (const auto& arguments : mistakes) {
        const CommandLineResult result = run(arguments);
        EXPECT_EQ(result.exitStatus, 2) << arguments[1];
        EXPECT_FALSE(result.openDesktop());
        EXPECT_EQ(printed(), "") << "nothing is done, not even the options before the mistake";
        EXPECT_NE(err.str().find("Try 'tamrik --help'"), std::string::npos);
    }
    EXPECT_TRUE(panel.calls.empty());
    EXPECT_EQ(store.get("PanelSnum"), "53000000");
    EXPECT_FALSE(store.get("Language"));
    run({"-s", "12345G"});
    EXPECT_EQ(err.str(),
              "tamrik: option '-s': '12345G' is not a serial number of 1 to 8 hexadecimal digits\n"
              "Try 'tamrik --help'.\n");
}

TEST_F(CommandLineTest, ReadSavesTheSiteThatWasReadAndTakesTheNextArgumentAsItsFile) {
    const std::string path = folder.file("site.psf");
    const CommandLineResult result = run({"-r", path});
    EXPECT_EQ(printed(),
              "Serial number is 0BADCAFE\nLanguage is 3\nSaving panel settings to file '" + path + "'\nDone\n");
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.actionCount, 1);  // what the saved file holds: tests/cli/smoke.sh

    run({"-R"});  // without a file it only reads
    EXPECT_EQ(printed(), "Serial number is 0BADCAFE\nLanguage is 3\nDone\n");
    EXPECT_EQ(panel.calls, (Calls{"read", "read"}));

    panel.calls.clear();
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    run({"-r", "-w"});
    std::filesystem::current_path(previous);
    EXPECT_EQ(panel.calls, Calls{"read"});
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "-w"));
}

TEST_F(CommandLineTest, FailedReadSavesNothingAndStops) {
    panel.readSucceeds = false;
    const std::string path = folder.file("site.psf");
    const CommandLineResult result = run({"-r", path, "-w"});
    EXPECT_EQ(printed(), "Done\n");
    EXPECT_EQ(err.str(), "tamrik: the panel was not read; '" + path + "' was not saved\n");
    EXPECT_EQ(observer.messages,
              (std::vector<std::string>{"5300 Commissioning software Error: Fault with connection to panel"}));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(panel.calls, Calls{"read"}) << "the write after a failed read is not carried out";
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_FALSE(result.openDesktop());
}

TEST_F(CommandLineTest, FailedSaveWriteAndFirmware) {
    CommandLineResult result = run({"-r", folder.file("no/such/folder/site.psf")});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_NE(err.str().find("could not save"), std::string::npos);
    EXPECT_TRUE(printed().ends_with("Done\n"));

    panel.calls.clear();
    panel.writeSucceeds = false;
    result = run({"-w", "-f", "new.hex"});
    EXPECT_EQ(printed(), "Writing settings to panel\nDone\n");
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(panel.calls, Calls{"write"});

    panel.calls.clear();
    panel.firmwareSucceeds = false;
    result = run({"-f", "new.hex"});
    EXPECT_EQ(printed(), "Writing firmware from file 'new.hex'\nDone\n");
    EXPECT_EQ(panel.calls, Calls{"firmware new.hex"});
    EXPECT_EQ(result.exitStatus, 1);

    result = run({"-f"});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_NE(err.str().find("needs a firmware file"), std::string::npos);
}

TEST_F(CommandLineTest, TransfersRefuseBesideAnotherCopy) {
    context.anotherInstanceRunning = [] { return true; };
    const std::string site = folder.file("site.psf");
    CommandLineResult result = run({"--new", site, "-r", folder.file("read.psf")});
    EXPECT_EQ(printed(), "New site saved to '" + site + "'\n") << "site tools need no single copy";
    EXPECT_EQ(err.str(), "tamrik: Another copy of the program is running\n");
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_TRUE(panel.calls.empty());
    EXPECT_EQ(panel.opens, 0);
}

TEST_F(CommandLineTest, PanelChoice) {
    run({"-w", "--panel", "sim:other.panel", "-w", "-w"});
    EXPECT_EQ(panel.openedAs, (std::vector<std::string>{"usb", "sim:other.panel"}));
    EXPECT_EQ(printed(),
              "Writing settings to panel\nDone\n"
              "Writing settings to panel\nUsing the simulated panel (other.panel)\nDone\n"
              "Writing settings to panel\nDone\n");

    context.defaultPanel = "sim:env.panel";
    const CommandLineResult result = run({"-w"});
    EXPECT_EQ(result.panel, "sim:env.panel");
    EXPECT_EQ(panel.openedAs.back(), "sim:env.panel");

    context.defaultPanel = "serial";
    EXPECT_EQ(run({"--new", folder.file("new.psf"), "-w"}).exitStatus, 2);
    EXPECT_EQ(err.str(), "tamrik: TAMRIK_PANEL: 'serial' is not usb or sim:FILE\nTry 'tamrik --help'.\n");
    EXPECT_FALSE(std::filesystem::exists(folder.file("new.psf")));
    EXPECT_EQ(run({"--panel", "sim:x.panel", "-w"}).exitStatus, 0) << "a --panel before the transfer replaces it";
    EXPECT_EQ(run({"-?"}).exitStatus, 0) << "no transfer, no panel needed";
    context.defaultPanel = "usb";
    EXPECT_EQ(run({"--panel", "sim:", "-w"}).exitStatus, 2);
    EXPECT_EQ(run({"--panel"}).exitStatus, 2);

    const CommandLineResult unopenable = run({"--panel", "sim:unopenable", "-w", "-?"});
    EXPECT_EQ(unopenable.exitStatus, 1);
    EXPECT_EQ(printed(), "Writing settings to panel\nDone\n");
    EXPECT_EQ(err.str(), "tamrik: can't use the panel 'sim:unopenable': the panel state file has the wrong size\n");
}

TEST_F(CommandLineTest, MistakesAndTheArgumentLimit) {
    EXPECT_EQ(run({"--chek", "site.psf"}).exitStatus, 2);
    EXPECT_EQ(err.str(), "tamrik: unknown option '--chek'\nTry 'tamrik --help'.\n");
    EXPECT_EQ(run(std::vector<std::string>(65, "-ld")).exitStatus, 2);
    EXPECT_EQ(run(std::vector<std::string>(64, "-ld")).exitStatus, 0);
}

}  // namespace
}  // namespace tamrik
