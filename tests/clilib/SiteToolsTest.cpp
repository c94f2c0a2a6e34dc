#include <gtest/gtest.h>

#include "clilib/CommandLineHarness.h"
#include "exports/CsvExport.h"
#include "settings/SiteFile.h"
#include "support/SettingsText.h"
#include "support/TempDir.h"

// --new, --load with -w and --check of a new site run on the real binary in tests/cli/smoke.sh.
namespace tamrik {
namespace {

class SiteToolsTest : public testing::CommandLineHarness {
protected:
    SiteToolsTest() { ApplyDefaultSettings(site); }
    // The default site with the given settings (and those of earlier calls), saved under `name`.
    std::string saveSite(const std::string& name, std::string_view settings) {
        testing::PutSettings(site, settings);
        EXPECT_TRUE(SiteFileWrite(folder.file(name), site));
        return folder.file(name);
    }
    // A copy of a site file whose check line no longer matches.
    std::string damaged(const std::string& path) {
        std::string bytes = testing::ReadBytes(path);
        bytes.replace(bytes.find("PanelSnum = \""), 13, "PanelSnum = \"9");
        testing::WriteBytes(path + ".damaged.psf", bytes);
        return path + ".damaged.psf";
    }

    testing::TempDir folder;
    SettingsStore site;
};

TEST_F(SiteToolsTest, AFirstArgumentNamingAFileIsLoaded) {
    const std::string path = saveSite("site.psf", "PanelSnum=00C0FFEE");
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
    const std::string path = damaged(saveSite("site.psf", "PanelSnum=00C0FFEE"));
    EXPECT_EQ(run({"--load", path, "-w"}).exitStatus, 1);
    EXPECT_EQ(err.str(), "tamrik: Not done! File '" + path + "' contains errors (-ld accepts them)\n");
    EXPECT_TRUE(panel.calls.empty());
    EXPECT_EQ(store.get("PanelSnum"), "53000000") << "the store holds the default site";

    const CommandLineResult result = run({"-ld", "--load", path});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_TRUE(result.openDesktop());
    EXPECT_EQ(printed(), "Loaded but file '" + path + "' contains errors\n");
    EXPECT_EQ(store.get("PanelSnum"), "900C0FFEE");

    EXPECT_EQ(run({"--load", folder.file("missing.psf"), "-w"}).exitStatus, 1);
    EXPECT_EQ(err.str(),
              "tamrik: Couldn't open file '" + folder.file("missing.psf") + "': No such file or directory\n");
}

TEST_F(SiteToolsTest, CheckPrintsTheReportAndTheCurrents) {
    std::vector<std::string> keys;  // a site without design faults: no programmed cell, every site text given
    for (const auto entry : site) keys.emplace_back(entry.key);
    for (const auto& key : keys) {
        if (key.starts_with("Matrix_") || key.starts_with("Site")) site.put(key, key.starts_with("Site") ? "x" : "O");
    }
    const std::string clean = saveSite("clean.psf", "Type_1=73; Version_1=25; DeviceText_1=PSU; MapNode_1=1");
    CommandLineResult result = run({"--check", clean});
    EXPECT_EQ(printed(), "No Site File Errors\r\nQuiescent Current: 35.00mA\r\nAlarm Current: 40.00mA\r\n");
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_FALSE(store.get("QuiescentCurrent")) << "the main store is left alone";

    const std::string faulty = saveSite("faulty.psf", "Type_3=7; Type_4=0; DeviceText_4=X");
    result = run({"--check", faulty});
    EXPECT_EQ(printed(),
              "Unsupported device at address 3\r\nText but no device at address 4\r\n"
              "Quiescent Current: 35.00mA\r\nAlarm Current: 40.00mA\r\n");
    EXPECT_EQ(result.exitStatus, 1) << "a site with faults";
    EXPECT_EQ(result.actionCount, 1);

    EXPECT_EQ(run({"--check", damaged(faulty)}).exitStatus, 1);
    EXPECT_EQ(printed(), "");
}

TEST_F(SiteToolsTest, ExportWritesTheCoreBytes) {
    const std::string path = saveSite("site.psf", "DeviceText_1=HALL, EAST; FireEvent_1=5, 17, 946684800");
    const std::pair<const char*, const char*> kinds[] = {
        {"devices", "Device data"}, {"matrix", "Matrix"}, {"text", "Text"}, {"log", "Log"}};
    for (const auto& [name, done] : kinds) {
        const std::string csvPath = folder.file(std::string(name) + ".csv");
        EXPECT_EQ(run({"--export", name, path, csvPath}).exitStatus, 0) << name;
        EXPECT_EQ(printed(), std::string(done) + " exported to '" + csvPath + "'\n");
        EXPECT_EQ(testing::ReadBytes(csvPath), CsvExportBytes(*CsvExportKindFromName(name), site)) << name;
    }

    EXPECT_EQ(run({"--export", "table", path, folder.file("out.csv")}).exitStatus, 2);
    EXPECT_EQ(err.str(),
              "tamrik: option '--export': 'table' is not devices, matrix, text, log or report\nTry 'tamrik --help'.\n");
    EXPECT_EQ(run({"--export", "text", path}).exitStatus, 2);
    EXPECT_EQ(run({"--export", "text", folder.file("missing.psf"), folder.file("out.csv")}).exitStatus, 1);
    EXPECT_FALSE(std::filesystem::exists(folder.file("out.csv")));
    EXPECT_EQ(run({"--export", "log", path, folder.file("none/out.csv")}).exitStatus, 1);
    EXPECT_TRUE(err.str().starts_with("tamrik: Could not export log to '"));
}

}  // namespace
}  // namespace tamrik
