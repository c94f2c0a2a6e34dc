#include <gtest/gtest.h>
#include <signal.h>

#include <sstream>

#include "app/cli/CommandLine.h"
#include "app/cli/ConsoleInterrupt.h"
#include "app/cli/LinkTransfers.h"
#include "panel/sim/DemoPanel.h"
#include "panel/sim/SimulatedPanelLink.h"
#include "settings/DefaultSettings.h"
#include "support/TempDir.h"

namespace tamrik {
namespace {

// Presses Ctrl+C (a real SIGINT through the installed handler) at the given moves of the bar,
// counted from the start of the transfer: one move a report or so.
class CtrlCObserver final : public TransferObserver {
public:
    std::vector<int> pressAt;

protected:
    void onProgress(int) override {
        ++moves_;
        if (!pressAt.empty() && moves_ == pressAt.front()) {
            pressAt.erase(pressAt.begin());
            ::raise(SIGINT);
        }
    }
    void onMessage(const PanelMessage&) override {}
    bool onQuestion(std::string_view, std::string_view) override { return false; }

private:
    int moves_ = 0;
};

struct Case {
    const char* name;
    std::vector<std::string> arguments;
    std::vector<int> pressAt;
    int exitStatus;
    bool panelChanged;
    const char* stopLine;  // on the error stream; empty when the transfer ran to its end
};

class ConsoleInterruptTest : public ::testing::TestWithParam<Case> {};

TEST_P(ConsoleInterruptTest, StopsAReadAtOnceAndAWriteOnlyWhenAskedTwice) {
    const Case& c = GetParam();
    testing::TempDir folder;
    auto panel = std::make_shared<SimulatedPanel>();
    BuildDemoPanel(*panel);
    const std::string before = panel->state();

    SettingsStore store;
    ApplyDefaultSettings(store);
    std::ostringstream out, err;
    CtrlCObserver observer;
    observer.pressAt = c.pressAt;
    CommandLineContext context{store, out, err, observer, {}};
    context.backupBeforeWrites = false;  // the presses count the write's own reports
    context.openPanel = [&](const std::string&, std::string&) {
        return MakeLinkTransfers(std::make_unique<SimulatedPanelLink>(panel, SimLinkOptions{true, false}));
    };
    std::vector<std::string> arguments = c.arguments;
    for (std::string& argument : arguments) {
        if (argument == "SITE") argument = folder.file("site.psf");
    }

    InstallConsoleInterrupt(observer);
    const CommandLineResult result = CommandLineMode(arguments, context);
    RemoveConsoleInterrupt();

    EXPECT_EQ(result.exitStatus, c.exitStatus);
    EXPECT_EQ(panel->state() != before, c.panelChanged);
    EXPECT_TRUE(observer.pressAt.empty()) << "the transfer ended before every Ctrl+C";
    if (*c.stopLine) {
        EXPECT_NE(err.str().find(c.stopLine), std::string::npos) << err.str();
        EXPECT_FALSE(std::filesystem::exists(folder.file("site.psf")));
    } else {
        EXPECT_EQ(err.str().find("stopped by Ctrl+C"), std::string::npos) << err.str();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConsoleInterruptTest,
    ::testing::Values(Case{"ReadStopsAtOnceAndSavesNothing",
                           {"-r", "SITE", "-w"},
                           {5},
                           130,
                           false,
                           "tamrik: stopped by Ctrl+C; the panel is as it was"},
                      Case{"WriteGoesOnAfterOneCtrlC", {"-w"}, {5}, 0, true, ""},
                      Case{"WriteStopsAtTheSecondCtrlC",
                           {"-w"},
                           {5, 200},
                           130,
                           true,
                           "tamrik: stopped by Ctrl+C; the panel's settings are incomplete: write them again"}),
    [](const ::testing::TestParamInfo<Case>& param) { return param.param.name; });

}  // namespace
}  // namespace tamrik
