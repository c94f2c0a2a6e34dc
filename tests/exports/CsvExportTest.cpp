#include <gtest/gtest.h>

#include "exports/CsvExport.h"
#include "exports/DeviceDataExport.h"
#include "exports/EventLogExport.h"
#include "exports/ExportTestSupport.h"
#include "exports/MatrixExport.h"
#include "exports/TextExport.h"
#include "settings/AtomicFile.h"
#include "support/TempDir.h"

namespace tamrik {
namespace {

using testing::ScratchStore;

TEST(CsvExportTest, KindsByName) {
    EXPECT_EQ(CsvExportKindFromName("devices"), CsvExportKind::DeviceData);
    EXPECT_EQ(CsvExportKindFromName("matrix"), CsvExportKind::Matrix);
    EXPECT_EQ(CsvExportKindFromName("text"), CsvExportKind::Text);
    EXPECT_EQ(CsvExportKindFromName("log"), CsvExportKind::EventLog);
    EXPECT_EQ(CsvExportKindFromName("Log"), std::nullopt);
    EXPECT_EQ(CsvExportKindFromName(""), std::nullopt);
}

TEST(CsvExportTest, WritesTheExportBytes) {
    ScratchStore site;
    site.put("FireEvent_1", "5, 17, 946684800");
    testing::TempDir folder;
    const std::pair<CsvExportKind, std::string> expected[] = {
        {CsvExportKind::DeviceData, DeviceDataCsv(site.store)},
        {CsvExportKind::Matrix, MatrixCsv(site.store)},
        {CsvExportKind::Text, TextCsv(site.store)},
        {CsvExportKind::EventLog, EventLogCsv(site.store)},
    };
    for (const auto& [kind, bytes] : expected) {
        const std::string path = folder.file("out.csv");
        ASSERT_TRUE(CsvExportWrite(kind, site.store, path));
        EXPECT_EQ(testing::ReadBytes(path), bytes);
        EXPECT_EQ(CsvExportBytes(kind, site.store), bytes);
    }
}

TEST(CsvExportTest, FailedWriteKeepsTheEarlierFile) {
    ScratchStore site;
    testing::TempDir folder;
    const std::string path = folder.file("devices.csv");
    testing::WriteBytes(path, "earlier export");
    AtomicFile::failAfterBytesForTesting = 100;
    std::string error;
    const bool written = CsvExportWrite(CsvExportKind::DeviceData, site.store, path, &error);
    AtomicFile::failAfterBytesForTesting = -1;
    EXPECT_FALSE(written);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(testing::ReadBytes(path), "earlier export");

    EXPECT_FALSE(CsvExportWrite(CsvExportKind::Text, site.store, folder.file("missing/dir/text.csv"), &error));
}

}  // namespace
}  // namespace tamrik
