#include <gtest/gtest.h>

#include <algorithm>

#include "exports/ExportTestSupport.h"
#include "exports/TextExport.h"

namespace tamrik {
namespace {

using testing::CsvLines;
using testing::ScratchStore;

TEST(TextExportTest, DefaultSiteLayout) {
    ScratchStore site;
    const auto lines = CsvLines(TextCsv(site.store));
    ASSERT_EQ(lines.size(), 193u);
    EXPECT_EQ(lines[0], "Device text,Zone text,Banner text");
    EXPECT_EQ(lines[1], "                    ,Zone 01             ,    TARVEX 5300     ");
    EXPECT_EQ(lines[2], "                    ,Zone 02             ,   CONTROL PANEL    ");
    EXPECT_EQ(lines[32], "                    ,Zone 32             ");
    EXPECT_EQ(lines[33], "                    ");
    std::vector<int> fieldCounts;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        fieldCounts.push_back(static_cast<int>(std::count(lines[i].begin(), lines[i].end(), ',')) + 1);
    }
    EXPECT_EQ(std::count(fieldCounts.begin(), fieldCounts.end(), 3), 2);
    EXPECT_EQ(std::count(fieldCounts.begin(), fieldCounts.end(), 2), 30);
    EXPECT_EQ(std::count(fieldCounts.begin(), fieldCounts.end(), 1), 160);
}

TEST(TextExportTest, TextsAreQuotedOnlyWhenTheyMustBe) {
    ScratchStore site;
    site.put("DeviceText_1", "HALL, EAST SIDE     ");
    site.put("ZoneText_3", "BLOCK \"A\"           ");
    site.store.erase("BannerText_2");
    site.put("DeviceText_40", "  PLAIN TEXT  ");
    const auto lines = CsvLines(TextCsv(site.store));
    EXPECT_EQ(lines[1], "\"HALL, EAST SIDE     \",Zone 01             ,    TARVEX 5300     ");
    EXPECT_EQ(lines[2], "                    ,Zone 02             ,");
    EXPECT_EQ(lines[3], "                    ,\"BLOCK \"\"A\"\"           \"");
    EXPECT_EQ(lines[40], "  PLAIN TEXT  ");
}

}  // namespace
}  // namespace tamrik
