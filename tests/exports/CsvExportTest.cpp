#include <gtest/gtest.h>

#include "exports/CsvExport.h"
#include "exports/ExportTestSupport.h"
#include "exports/MatrixExport.h"
#include "settings/AtomicFile.h"
#include "settings/DefaultSettings.h"
#include "support/SettingsText.h"
#include "support/TempDir.h"

namespace tamrik {
namespace {

using testing::CsvLines;
using testing::PutSettings;

// A default site with, in every export, values that differ from their neighbours (a swapped column
// shows), names the catalogue lacks, missing keys and texts that need quoting.
void SetSampleSite(SettingsStore& site) {
    ApplyDefaultSettings(site);
    PutSettings(site,
                "SNum_3=123456; Type_3=208; Version_3=17; MapNode_3=9; Zone_3=11; Sens1_3=3; Sens2_3=9; IPGroup_3=5");
    PutSettings(site,
                "OPGroup_3=6; DisplayGroup_3=7; RptGroup_3=8; Volume_3=4; Class_3=12; NonLatching_3=1; Coverage_3=1");
    PutSettings(
        site, "Type_4=142; Coverage_4=9; Volume_4=07; Type_5=164; Coverage_5=1; Type_6=171; Type_7=142; Coverage_7=21");
    PutSettings(site, "SNum_2=12,34; Version_2=say \"hi\"");
    for (const char* key : {"Type_9", "Volume_9", "Class_9", "Coverage_9", "Sens1_9", "Version_9"}) site.erase(key);
    PutSettings(
        site, "DisabledOPGroups=-2147483632; OutputDelay_2=1:30; OutputDelayT2_32=20:00; AlarmType_1=1; AlarmType_3=7");
    PutSettings(site, "ClassChange=1; RemoteAlarmInput=1; Matrix_1_1=O; Matrix_1_2=P; Matrix_1_3=W; Matrix_2_2=A,B");
    site.erase("AlarmType_2");
    site.erase("Matrix_1_4");
    PutSettings(site,
                "DeviceText_1=HALL, EAST SIDE     ; ZoneText_3=BLOCK \"A\"           ; DeviceText_40=  PLAIN TEXT  ");
    site.erase("BannerText_2");
    PutSettings(site, "FireEvent_1=5, 17, 946684800; FireEvent_2=133, 200, 946684801; FireEvent_3=30, 0, 951829265");
    PutSettings(site, "FireEvent_4=60, 192, 1078099200; FireEvent_5=5\", 1\"7, 1078099300; NonFireEvent_1=garbage");
}

// The reviewed files in tests/data/exports are the expected bytes; they are never rewritten by a test.
TEST(CsvExportTest, SampleSiteExportsMatchTheReviewedFiles) {
    SettingsStore site;
    SetSampleSite(site);
    testing::TempDir folder;
    const std::pair<CsvExportKind, const char*> kinds[] = {{CsvExportKind::DeviceData, "devices"},
                                                           {CsvExportKind::Matrix, "matrix"},
                                                           {CsvExportKind::Text, "text"},
                                                           {CsvExportKind::EventLog, "log"}};
    for (const auto& [kind, name] : kinds) {
        const std::string expected = testing::ReadBytes(std::string(TAMRIK_TEST_DATA_DIR "/exports/") + name + ".csv");
        ASSERT_FALSE(expected.empty()) << name;
        ASSERT_TRUE(CsvExportWrite(kind, site, folder.file("out.csv")));
        EXPECT_EQ(testing::ReadBytes(folder.file("out.csv")), expected) << name;
        EXPECT_EQ(CsvExportBytes(kind, site), expected) << name;
    }
    EXPECT_FALSE(site.get("Matrix_1_4")) << "exporting leaves the site as it was";
}

TEST(CsvExportTest, MatrixMaskAboveTheSignedRange) {
    SettingsStore site;
    site.put("DisabledOPGroups", "2147483649");  // groups 1 and 32
    const auto lines = CsvLines(MatrixCsv(site));
    EXPECT_EQ(lines[0].substr(0, 7), ",X,OPG2");
    EXPECT_TRUE(lines[0].ends_with(",X,"));
}

TEST(CsvExportTest, FailedWriteKeepsTheEarlierFile) {
    SettingsStore site;
    testing::TempDir folder;
    const std::string path = folder.file("devices.csv");
    testing::WriteBytes(path, "earlier export");
    AtomicFile::failAfterBytesForTesting = 100;
    std::string error;
    const bool written = CsvExportWrite(CsvExportKind::DeviceData, site, path, &error);
    AtomicFile::failAfterBytesForTesting = -1;
    EXPECT_FALSE(written);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(testing::ReadBytes(path), "earlier export");

    EXPECT_FALSE(CsvExportWrite(CsvExportKind::Text, site, folder.file("missing/dir/text.csv"), &error));
}

}  // namespace
}  // namespace tamrik
