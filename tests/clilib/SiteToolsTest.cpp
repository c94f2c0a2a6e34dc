#include <gtest/gtest.h>

#include "clilib/CommandLineHarness.h"
#include "exports/CsvExport.h"
#include "settings/SiteFile.h"
#include "support/TempDir.h"

namespace tamrik {
namespace {

using testing::CommandLineHarness;
using Calls = std::vector<std::string>;

class SiteToolsTest : public CommandLineHarness {
protected:
    using Changes = std::vector<std::pair<std::string, std::string>>;

    // The default site with the given changes, in a store of its own.
    struct Site {
        explicit Site(const Changes& changes) {
            ApplyDefaultSettings(store);
            for (const auto& [key, value] : changes) store.put(key, value);
        }
        SettingsStore store;
    };
    std::string saveSite(const std::string& name, const Changes& changes) {
        const std::string path = folder.file(name);
        const Site site(changes);
        EXPECT_TRUE(SiteFileWrite(path, site.store));
        return path;
    }
    // A copy of a site file whose check line no longer matches.
    std::string damaged(const std::string& path) {
        std::string bytes = testing::ReadBytes(path);
        bytes.replace(bytes.find("SiteName = \"\""), 13, "SiteName = \"X\"");
        const std::string copy = path + ".damaged.psf";
        testing::WriteBytes(copy, bytes);
        return copy;
    }
    // A site the design checker finds no fault in.
    std::string cleanSite() {
        Changes changes;
        for (int input = 1; input <= 31; ++input) {
            for (int output = 1; output <= 32; ++output) {
                changes.push_back({"Matrix_" + std::to_string(input) + "_" + std::to_string(output), "O"});
            }
        }
        for (const char* key : {"SiteNumber", "SiteName", "SiteContact", "SiteAddress", "SitePostcode", "SitePhone",
                                "SiteComments", "SiteEngineer", "SiteCommission", "SiteResistance", "SiteQuiescent",
                                "SiteAlarm", "SiteBattery", "SiteBatteryType", "SiteBatteryInstallation"}) {
            changes.push_back({key, "x"});
        }
        for (const auto& [key, value] :
             {std::pair{"Type_1", "73"}, {"Version_1", "25"}, {"DeviceText_1", "PSU"}, {"MapNode_1", "1"}}) {
            changes.push_back({key, value});
        }
        return saveSite("clean.psf", changes);
    }

    testing::TempDir folder;
};

TEST_F(SiteToolsTest, LoadThenWrite) {
    const std::string path = saveSite("site.psf", {{"PanelSnum", "00C0FFEE"}, {"Language", "5"}});
    const CommandLineResult result = run({"--load", path, "-w"});
    EXPECT_EQ(printed(), "Site info. loaded from file '" + path + "'\nWriting settings to panel\nDone\n");
    EXPECT_EQ(panel.writtenSerial, "00C0FFEE");
    EXPECT_EQ(panel.writtenLanguage, "5");
    EXPECT_EQ(result.exitStatus, 0);
}

TEST_F(SiteToolsTest, AFirstArgumentNamingAFileIsLoaded) {
    const std::string path = saveSite("site.psf", {{"PanelSnum", "00C0FFEE"}});
    CommandLineResult result = run({path});
    EXPECT_TRUE(result.openDesktop());
    EXPECT_EQ(printed(), "Site info. loaded from file '" + path + "'\n");
    EXPECT_EQ(store.get("PanelSnum"), "00C0FFEE");
    EXPECT_EQ(result.loadedSite, path) << "the desktop saves back to it";

    result = run({"-ld", path});  // only the first argument opens a site
    EXPECT_EQ(printed(), "");
    EXPECT_EQ(result.loadedSite, "");
}

TEST_F(SiteToolsTest, LoadRefusesAFileThatFailsItsCheck) {
    const std::string path = damaged(saveSite("site.psf", {{"PanelSnum", "00C0FFEE"}}));
    CommandLineResult result = run({"--load", path, "-w"});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(err.str(), "tamrik: Not done! File '" + path + "' contains errors (-ld accepts them)\n");
    EXPECT_TRUE(panel.calls.empty());
    EXPECT_EQ(store.get("PanelSnum"), "53000000") << "the store holds the default site";
    EXPECT_EQ(store.get("SiteName"), "");

    result = run({"-ld", "--load", path});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_TRUE(result.openDesktop());
    EXPECT_EQ(printed(), "Loaded but file '" + path + "' contains errors\n");
    EXPECT_EQ(store.get("PanelSnum"), "00C0FFEE");
    EXPECT_EQ(store.get("SiteName"), "X");

    result = run({"--load", folder.file("missing.psf"), "-w"});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(err.str(),
              "tamrik: Couldn't open file '" + folder.file("missing.psf") + "': No such file or directory\n");
}

TEST_F(SiteToolsTest, NewSite) {
    const std::string path = folder.file("new.psf");
    const CommandLineResult result = run({"--new", path});
    EXPECT_EQ(printed(), "New site saved to '" + path + "'\n");
    EXPECT_EQ(result.exitStatus, 0);
    const Site defaults({});
    EXPECT_EQ(testing::ReadBytes(path), SiteFileFormat(defaults.store));
    EXPECT_EQ(run({"--new", folder.file("no/such/dir/new.psf")}).exitStatus, 1);
}

// The report itself is compared line for line by the design check tests and the shell test of --check.
TEST_F(SiteToolsTest, CheckPrintsTheReportAndTheCurrents) {
    const std::string path = saveSite("site.psf", {{"Type_3", "7"}});
    CommandLineResult result = run({"--check", path});
    EXPECT_TRUE(printed().starts_with("Unsupported device at address 3\r\n"));
    EXPECT_TRUE(printed().ends_with("faults * * *\r\nQuiescent Current: 0.00mA\r\nAlarm Current: 0.00mA\r\n"));
    EXPECT_EQ(result.exitStatus, 1) << "a site with faults";
    EXPECT_EQ(result.actionCount, 1);
    EXPECT_FALSE(store.get("QuiescentCurrent")) << "the main store is left alone";

    result = run({"--check", cleanSite()});
    EXPECT_EQ(printed(), "No Site File Errors\r\nQuiescent Current: 35.00mA\r\nAlarm Current: 40.00mA\r\n");
    EXPECT_EQ(result.exitStatus, 0);

    result = run({"--check", damaged(path)});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(printed(), "");
}

TEST_F(SiteToolsTest, ExportWritesTheCoreBytes) {
    const Changes changes = {{"DeviceText_1", "HALL, EAST"}, {"FireEvent_1", "5, 17, 946684800"}};
    const std::string site = saveSite("site.psf", changes);
    const std::pair<const char*, const char*> kinds[] = {{"devices", "Device data exported"},
                                                         {"matrix", "Matrix exported"},
                                                         {"text", "Text exported"},
                                                         {"log", "Log exported"}};
    for (const auto& [name, done] : kinds) {
        const std::string csvPath = folder.file(std::string(name) + ".csv");
        const CommandLineResult result = run({"--export", name, site, csvPath});
        EXPECT_EQ(result.exitStatus, 0) << name;
        EXPECT_EQ(printed(), std::string(done) + " to '" + csvPath + "'\n");
        EXPECT_EQ(testing::ReadBytes(csvPath), CsvExportBytes(*CsvExportKindFromName(name), Site(changes).store))
            << name;
    }
}

TEST_F(SiteToolsTest, ExportMistakes) {
    const std::string site = saveSite("site.psf", {});
    EXPECT_EQ(run({"--export", "table", site, folder.file("out.csv")}).exitStatus, 2);
    EXPECT_EQ(err.str(),
              "tamrik: option '--export': 'table' is not devices, matrix, text, log or report\nTry 'tamrik --help'.\n");
    EXPECT_EQ(run({"--export", "text", site}).exitStatus, 2);
    EXPECT_EQ(run({"--export", "text", folder.file("missing.psf"), folder.file("out.csv")}).exitStatus, 1);
    EXPECT_FALSE(std::filesystem::exists(folder.file("out.csv")));
    const CommandLineResult result = run({"--export", "log", site, folder.file("none/out.csv")});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_TRUE(err.str().starts_with("tamrik: Could not export log to '"));
}

}  // namespace
}  // namespace tamrik
