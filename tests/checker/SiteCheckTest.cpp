#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "checker/SiteCheck.h"
#include "settings/DefaultSettings.h"
#include "settings/SettingsStore.h"
#include "support/SettingsText.h"
#include "support/TempDir.h"

namespace tamrik {
namespace {

using Lines = std::vector<std::string>;

// The lines of a report; the last one may lack its line end.
Lines lines(const std::string& report) {
    Lines result;
    for (std::size_t start = 0; start < report.size();) {
        const std::size_t end = std::min(report.find("\r\n", start), report.size());
        result.push_back(report.substr(start, end - start));
        start = end + 2;
    }
    return result;
}

// Runs the reviewed cases of tests/data/checker/site_check_cases.txt (its head says how they read).
TEST(SiteCheckTest, ReviewedCasesGiveTheirReportsAndCurrents) {
    std::istringstream cases(testing::ReadBytes(TAMRIK_TEST_DATA_DIR "/checker/site_check_cases.txt"));
    SettingsStore store;
    std::string name, report, currents, line;
    int checks = 0;
    while (std::getline(cases, line)) {
        if (line.starts_with("== ")) {
            name = line.substr(3);
            store.clear();
        } else if (line.starts_with("> ")) {
            report += line.substr(2) + (line.starts_with("> * * *") ? "" : "\r\n");
        } else if (line.starts_with("= ")) {
            currents = line.substr(2);
        } else if (line == ".") {
            SCOPED_TRACE(name);
            ++checks;
            const SiteCheckResult result = SiteCheck(store);
            EXPECT_EQ(result.report, report);
            EXPECT_EQ(result.faultCount, lines(report).size() - (report.ends_with("* * *") ? 1 : 0));
            if (!currents.empty()) {
                EXPECT_EQ(std::string(store.text("QuiescentCurrent")) + " " + std::string(store.text("AlarmCurrent")),
                          currents);
            }
            report.clear();
            currents.clear();
        } else if (!line.empty() && !line.starts_with('#')) {
            testing::PutSettings(store, line);
        }
    }
    EXPECT_EQ(checks, 26);
}

TEST(SiteCheckTest, DefaultSiteCountsEveryFaultAndAQuietCheckWritesNoReport) {
    SettingsStore store;
    ApplyDefaultSettings(store);
    const SiteCheckResult result = SiteCheck(store);
    // 30 input groups unused by any device across 32 output groups, and 15 empty site texts.
    EXPECT_EQ(result.faultCount, 30u * 32u + 15u);
    EXPECT_EQ(lines(result.report).size(), result.faultCount + 1);
    EXPECT_EQ(SiteCheck(store, false).faultCount, result.faultCount);
    EXPECT_EQ(SiteCheck(store, false).report, "");
    EXPECT_FALSE(AllOutputsInOneZone(store)) << "no output device";
}

TEST(SiteCheckTest, ReportGrowsBeyondSixtyFourKilobytes) {
    SettingsStore store;
    testing::PutSettings(store, "Type_1=224; OPGroup_1=1");
    for (int address = 2; address <= 192; ++address) {
        testing::PutSettings(store,
                             "Type_" + std::to_string(address) + "=131; OPGroup_" + std::to_string(address) + "=1");
    }
    for (int input = 1; input <= 31; ++input) {
        for (int output = 1; output <= 32; ++output) {
            store.put("Matrix_" + std::to_string(input) + "_" + std::to_string(output), "C");
        }
    }
    const SiteCheckResult result = SiteCheck(store);
    EXPECT_GT(result.report.size(), 65536u);
    EXPECT_EQ(lines(result.report).size(), result.faultCount + 1);
    EXPECT_EQ(lines(result.report).back(), "* * * More than 20 faults * * *");
}

}  // namespace
}  // namespace tamrik
