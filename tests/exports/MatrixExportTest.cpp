#include <gtest/gtest.h>

#include <algorithm>

#include "exports/ExportTestSupport.h"
#include "exports/MatrixExport.h"

namespace tamrik {
namespace {

using testing::CsvLines;
using testing::ScratchStore;

std::string repeat(const std::string& cell, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += cell;
    return text;
}

TEST(MatrixExportTest, DefaultSiteHas36LinesOf33Fields) {
    ScratchStore site;
    const std::string csv = MatrixCsv(site.store);
    const auto lines = CsvLines(csv);
    ASSERT_EQ(lines.size(), 36u);
    for (const auto& line : lines) {
        EXPECT_EQ(std::count(line.begin(), line.end(), ','), 33) << line;
        EXPECT_TRUE(line.ends_with(",")) << line;
    }
    std::string heading = ",";
    for (int n = 1; n <= 32; ++n) heading += "OPG" + std::to_string(n) + ",";
    EXPECT_EQ(lines[0], heading);
    EXPECT_EQ(lines[1], "Output delay T1," + repeat("0:00,", 32));
    EXPECT_EQ(lines[2], "Output delay T2," + repeat("0:00,", 32));
    EXPECT_EQ(lines[3], "Alarm type," + repeat("Alarm,", 32));
    EXPECT_EQ(lines[4], "IPG1," + repeat("C,", 32));
    EXPECT_EQ(lines[33], "IPG30," + repeat("C,", 32));
    EXPECT_EQ(lines[34], "IPG31," + repeat("C,", 32));
    EXPECT_EQ(lines[35], "Sound Alarms," + repeat("C,", 32));
    EXPECT_TRUE(csv.ends_with("C,\r\n"));
}

TEST(MatrixExportTest, SiteValues) {
    ScratchStore site;
    site.set("DisabledOPGroups=-2147483632");  // groups 5 and 32
    site.set("OutputDelay_2=1:30; OutputDelayT2_32=20:00; AlarmType_1=1; AlarmType_3=7; ClassChange=1");
    site.set("RemoteAlarmInput=1; Matrix_1_1=O; Matrix_1_2=P; Matrix_1_3=W");
    site.store.erase("AlarmType_2");
    site.store.erase("Matrix_1_4");
    const auto lines = CsvLines(MatrixCsv(site.store));
    EXPECT_EQ(lines[0].substr(0, 22), ",OPG1,OPG2,OPG3,OPG4,X");
    EXPECT_TRUE(lines[0].ends_with("OPG31,X,"));
    EXPECT_EQ(lines[1].substr(0, 26), "Output delay T1,0:00,1:30,");
    EXPECT_TRUE(lines[2].ends_with("0:00,20:00,"));
    EXPECT_EQ(lines[3].substr(0, 29), "Alarm type,Control,,7,Alarm,A");
    EXPECT_EQ(lines[4].substr(0, 15), "IPG1,O,P,W,C,C,");
    EXPECT_EQ(lines[33].substr(0, 15), "Class Change,C,");
    EXPECT_EQ(lines[34].substr(0, 15), "Remote Alarm,C,");
    EXPECT_FALSE(site.store.get("Matrix_1_4")) << "exporting leaves the site as it was";
}

TEST(MatrixExportTest, UnsignedMaskAndOddCells) {
    ScratchStore site;
    site.set("DisabledOPGroups=2147483649; Matrix_2_2=A,B");  // groups 1 and 32
    const auto lines = CsvLines(MatrixCsv(site.store));
    EXPECT_EQ(lines[0].substr(0, 7), ",X,OPG2");
    EXPECT_TRUE(lines[0].ends_with(",X,"));
    EXPECT_EQ(lines[5].substr(0, 15), "IPG2,C,\"A,B\",C,");
}

}  // namespace
}  // namespace tamrik
