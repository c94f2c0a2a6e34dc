#include <gtest/gtest.h>

#include "checker/SiteCheck.h"
#include "images/ImageLayout.h"
#include "panel/PanelTestSupport.h"
#include "panel/sim/SimulatedPanelFile.h"
#include "support/TempDir.h"

namespace tamrik {
namespace {

using testing::MakeReport;

Report request(std::uint8_t command, std::uint32_t address, std::uint8_t count) {
    return MakeReport(command, count, address);
}

// Compared as a flag: a failure should not print 356 KB of memory.
bool FileHolds(const std::string& path, const SimulatedPanel& panel) {
    return testing::ReadBytes(path) == panel.state();
}

Report programWords(std::uint32_t address, std::uint8_t fill, std::uint8_t words) {
    Report report = request(kCommandProgram, address, static_cast<std::uint8_t>(4 * words));
    for (std::size_t at = kReportSize - 4 * words; at < kReportSize; ++at) report[at] = at % 4 == 0 ? 0 : fill;
    return report;
}

Report writeData(std::uint32_t address, std::uint8_t fill, std::uint8_t count) {
    Report report = request(kCommandWriteData, address, count);
    std::fill_n(&report[kReportDataByte], count, fill);
    return report;
}

// A missing file becomes the demo panel, written whole at its exact size; changes go in place.
TEST(SimulatedPanelFileTest, ChangesGoInPlaceAndReadsWriteNothing) {
    testing::TempDir dir;
    const std::string path = dir.file("p.panel");
    auto panel = OpenSimulatedPanel(path);
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->wholeStateFileWrites(), 1u);
    EXPECT_EQ(testing::ReadBytes(path).size(), 0x55000u + 8192u);
    EXPECT_TRUE(FileHolds(path, *panel));
    const auto writes = panel->stateFileWrites();

    ASSERT_TRUE(panel->receive(request(kCommandReadProgram, 0x2400, 58)));
    ASSERT_TRUE(panel->receive(request(kCommandReadData, 0, 58)));
    ASSERT_TRUE(panel->receive(request(kCommandQuery, 0, 0)));
    EXPECT_EQ(panel->stateFileWrites(), writes);

    // Each changing command is in the file as soon as it is done, while the panel still holds it open.
    const Report commands[] = {
        writeData(0x1FF4, 0x34, 2),      request(kCommandEraseBlock, 0x1800, 0),
        programWords(0x1800, 0x5A, 14),  programWords(0x1BFC, 0x0F, 2),  // the last words of the block
        writeData(8192 - 58, 0xC3, 58),  request(kCommandEraseBlock, 0x1800, 0),
        programWords(0x2A7F0, 0x00, 14),  // past the end of program memory: the words that exist
    };
    for (const Report& command : commands) {
        ASSERT_TRUE(panel->receive(command));
        ASSERT_TRUE(FileHolds(path, *panel)) << "after command " << int(command[1]);
    }
    EXPECT_EQ(panel->stateFileWrites(), writes + std::size(commands));
    EXPECT_EQ(panel->wholeStateFileWrites(), 1u);

    // Commands that change nothing write nothing.
    ASSERT_TRUE(panel->receive(request(kCommandEraseBlock, 0x1800, 0)));
    ASSERT_TRUE(panel->receive(writeData(8192 - 58, 0xC3, 58)));
    EXPECT_EQ(panel->stateFileWrites(), writes + std::size(commands));

    // A reopened panel holds what the file holds and keeps updating it in place.
    const std::string expected = panel->state();
    panel.reset();
    auto reopened = OpenSimulatedPanel(path);
    ASSERT_TRUE(reopened);
    EXPECT_TRUE(reopened->state() == expected);
    ASSERT_TRUE(reopened->receive(writeData(0x100, 0x11, 1)));
    EXPECT_EQ(reopened->wholeStateFileWrites(), 0u);
    EXPECT_TRUE(FileHolds(path, *reopened));
}

TEST(SimulatedPanelFileTest, AFileOfAnotherSizeIsRefused) {
    testing::TempDir dir;
    testing::WriteBytes(dir.file("short.panel"), std::string(1000, '\xFF'));
    std::string error;
    EXPECT_FALSE(OpenSimulatedPanel(dir.file("short.panel"), &error));
    EXPECT_NE(error.find("not a panel state file"), std::string::npos);
    EXPECT_FALSE(OpenSimulatedPanelLink(dir.file("no/such/folder/x.panel"), {}, &error));
}

// What the desktop shows right after reading the demo panel: a new user should meet a sound site,
// not a page of design faults.
TEST(DemoPanelTest, ReadsBackAsASiteWithoutDesignFaults) {
    testing::SimulatedBench bench;
    ASSERT_TRUE(bench.read());
    const SiteCheckResult result = SiteCheck(bench.store, true);
    EXPECT_EQ(result.faultCount, 0u) << result.report;
    EXPECT_FALSE(AllOutputsInOneZone(bench.store));
    EXPECT_EQ(bench.value("QuiescentCurrent"), "14.93mA");

    SettingsStore site;
    DemoSiteSettings(site);
    EXPECT_EQ(SiteCheck(site, false).faultCount, 0u);
}

}  // namespace
}  // namespace tamrik
