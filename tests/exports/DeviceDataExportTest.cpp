#include <gtest/gtest.h>

#include "exports/DeviceDataExport.h"
#include "exports/ExportTestSupport.h"

namespace tamrik {
namespace {

using testing::CsvLines;
using testing::ScratchStore;

TEST(DeviceDataExportTest, DefaultSite) {
    ScratchStore site;
    const auto lines = CsvLines(DeviceDataCsv(site.store));
    ASSERT_EQ(lines.size(), 193u);
    EXPECT_EQ(lines[0],
              "Address,Serial number,Type,Version,Map node,Zone,Day Sens,Night Sens,Input group,Output group,"
              "Display group,Repeat group,Volume,Class,Non Latching,Msg52 Config");
    EXPECT_EQ(lines[1], "1, 000000, 00, 0, 0, 1, None, None, 1, 1, 0, 0, High, Automatic, Latching,N/A");
    EXPECT_EQ(lines[192], "192, 000000, 00, 0, 0, 1, None, None, 1, 1, 0, 0, High, Automatic, Latching,N/A");
    EXPECT_TRUE(DeviceDataCsv(site.store).ends_with("N/A\r\n"));
}

TEST(DeviceDataExportTest, DeviceValuesAndTheirNames) {
    ScratchStore site;
    site.set("SNum_3=123456; Type_3=208; Version_3=17; Sens1_3=3; Sens2_3=9; Volume_3=4; Class_3=12");
    site.set("NonLatching_3=1; Coverage_3=1; Type_4=142; Coverage_4=9; Volume_4=07; Type_5=164; Coverage_5=1");
    site.set("Type_6=171; Type_7=142; Coverage_7=21");  // 171 is not in the catalogue: shown as hex digits
    const auto lines = CsvLines(DeviceDataCsv(site.store));
    EXPECT_EQ(lines[3], "3, 123456, MULTI-SND, 17, 0, 1, Enhanced, 9, 1, 1, 0, 0, Medium, Unknown, Non-Latching,N/A");
    EXPECT_EQ(lines[4], "4, 000000, IO-CONF, 0, 0, 1, None, None, 1, 1, 0, 0, 07, Automatic, Latching,NL FCR");
    EXPECT_EQ(lines[5], "5, 000000, WALL-SBI, 0, 0, 1, None, None, 1, 1, 0, 0, High, Automatic, Latching,W-2.4-5");
    EXPECT_EQ(lines[6], "6, 000000, AB, 0, 0, 1, None, None, 1, 1, 0, 0, High, Automatic, Latching,N/A");
    EXPECT_EQ(lines[7], "7, 000000, IO-CONF, 0, 0, 1, None, None, 1, 1, 0, 0, High, Automatic, Latching,INVALID");
}

TEST(DeviceDataExportTest, AbsentValues) {
    ScratchStore site;
    for (const char* key : {"Type_9", "Volume_9", "Class_9", "Coverage_9", "Sens1_9", "Version_9"}) {
        site.store.erase(key);
    }
    const auto lines = CsvLines(DeviceDataCsv(site.store));
    ASSERT_EQ(lines.size(), 193u) << "a device without coverage still ends its line";
    EXPECT_EQ(lines[9], "9, 000000, , 0, 1, ?!?!?!, None, 1, 1, 0, 0, Latching,");
    EXPECT_EQ(lines[10].substr(0, 4), "10, ");
}

TEST(DeviceDataExportTest, TextsWithSeparatorsStayInTheirColumn) {
    ScratchStore site;
    site.set("SNum_2=12,34; Version_2=say \"hi\"");
    EXPECT_EQ(CsvLines(DeviceDataCsv(site.store))[2],
              "2,\" 12,34\", 00,\" say \"\"hi\"\"\", 0, 1, None, None, 1, 1, 0, 0, High, Automatic, Latching,N/A");
}

}  // namespace
}  // namespace tamrik
