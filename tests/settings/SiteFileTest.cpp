#include <gtest/gtest.h>

#include <cstring>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "settings/AtomicFile.h"
#include "settings/DefaultSettings.h"
#include "settings/SiteFile.h"
#include "support/TempDir.h"

namespace tamrik {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

class SiteFileTest : public ::testing::Test {
protected:
    void SetUp() override { StoreCreate(store); }
    void TearDown() override { StoreDestroy(&store); }

    int readInto(SettingsStore& target, const std::string& bytes) {
        WriteBytes(dir.file("in.psf"), bytes);
        return SiteFileRead(dir.file("in.psf"), target);
    }

    TempDir dir;
    SettingsStore store;
};

TEST_F(SiteFileTest, EmptyStoreGivesOnlyTheCheckLine) {
    ASSERT_TRUE(SiteFileWrite(dir.file("empty.psf"), &store));
    EXPECT_EQ(ReadBytes(dir.file("empty.psf")), "Check = \"1515870810\"\r\n");
    SettingsStore fresh;
    StoreCreate(fresh);
    EXPECT_EQ(SiteFileRead(dir.file("empty.psf"), fresh), kSiteFileOk);
    EXPECT_EQ(fresh.entryCount, 0);
    StoreDestroy(&fresh);
}

TEST_F(SiteFileTest, NoStoreGivesAnEmptyFile) {
    ASSERT_TRUE(SiteFileWrite(dir.file("none.psf"), nullptr));
    EXPECT_EQ(ReadBytes(dir.file("none.psf")), "");
}

TEST_F(SiteFileTest, EntryLinesAreEscapedInSlotOrder) {
    SettingSet(store, "PanelSnum", "53000000");  // bucket 1976
    SettingSet(store, "abc", "a\"b\\c\td\r\n\xe9\x7f");  // bucket 963
    SettingSet(store, "", "");  // bucket 381
    const std::string expected = " = \"\"\r\n"
                                 "abc = \"a\\042b\\134c\\011d\\015\\012\\351\x7f\"\r\n"
                                 "PanelSnum = \"53000000\"\r\n"
                                 "Check = \"" + std::to_string(StoreChecksum(&store)) + "\"\r\n";
    EXPECT_EQ(SiteFileFormat(&store), expected);
}

TEST_F(SiteFileTest, EveryByteValueSurvivesSaveAndLoad) {
    // Each value holds a run of byte values 1..255 (NUL ends a value, so it cannot be held).
    for (int start = 1; start < 256; start += 40) {
        std::string value;
        for (int b = start; b < std::min(start + 40, 256); ++b) value += static_cast<char>(b);
        SettingSet(store, "bytes_" + std::to_string(start), value);
    }
    ASSERT_TRUE(SiteFileWrite(dir.file("all.psf"), &store));
    SettingsStore loaded;
    StoreCreate(loaded);
    EXPECT_EQ(SiteFileRead(dir.file("all.psf"), loaded), kSiteFileOk);
    for (int start = 1; start < 256; start += 40) {
        const std::string key = "bytes_" + std::to_string(start);
        EXPECT_STREQ(SettingGet(loaded, key), SettingGet(store, key)) << key;
    }
    StoreDestroy(&loaded);
}

std::vector<std::string> sortedLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

// Lines stand in slot order, and a loaded store places keys by the order it reads them, so keys
// that overflowed their home slot may come out in another order; every line is the same.
TEST_F(SiteFileTest, DefaultSiteSurvivesLoadAndSave) {
    ApplyDefaultSettings(store);
    ASSERT_TRUE(SiteFileWrite(dir.file("site.psf"), &store));
    const std::string first = ReadBytes(dir.file("site.psf"));
    SettingsStore loaded;
    StoreCreate(loaded);
    EXPECT_EQ(SiteFileRead(dir.file("site.psf"), loaded), kSiteFileOk);
    EXPECT_EQ(loaded.entryCount, 4022);
    ASSERT_TRUE(SiteFileWrite(dir.file("again.psf"), &loaded));
    const std::string second = ReadBytes(dir.file("again.psf"));
    EXPECT_EQ(sortedLines(second), sortedLines(first));
    EXPECT_TRUE(second.ends_with(first.substr(first.rfind("Check"))));
    StoreDestroy(&loaded);
}

TEST_F(SiteFileTest, CheckLineParsing) {
    // "abc" = "1" has checksum 1515871153.
    EXPECT_EQ(readInto(store, "abc = \"1\"\r\nCheck = \"1515871153\"\r\n"), kSiteFileOk);
    StoreDestroy(&store);
    StoreCreate(store);
    EXPECT_EQ(readInto(store, "Check = \"0x1234\"\r\n"), kSiteFileBadCheck) << "0x1234 reads as 0";
    StoreDestroy(&store);
    StoreCreate(store);
    EXPECT_EQ(readInto(store, "Check = \"   1515870810\"\r\n"), kSiteFileOk) << "leading blanks are skipped";
    EXPECT_EQ(readInto(store, "Check = \"1\"\nCheck = \"1515870810\"\n"), kSiteFileOk) << "the later Check wins";
    EXPECT_EQ(readInto(store, "abc = \"1\"\n"), kSiteFileBadCheck) << "no Check line";
    EXPECT_STREQ(SettingGet(store, "abc"), "1") << "entries stay after a failed check";
    EXPECT_EQ(SettingGet(store, "Check"), nullptr) << "the Check pair is not stored";
}

TEST_F(SiteFileTest, KeysAndQuotes) {
    readInto(store,
             "tight=  \"v1\"\r\n"
             "  lead = \"v2\"\r\n"
             "tab\t\x01 = \"v3\"\r\n"
             "noquotes = v4\r\n"
             "onequote = \"v5\r\n"
             "no equals here\r\n"
             "trail = \"v6\" ignored \" stuff\r\n"
             "dup = \"first\"\r\n"
             "dup = \"second\"\n"
             "bare = \"lf\"\n"
             "esc = \"\\12x|\\1\"\r\n");
    EXPECT_STREQ(SettingGet(store, "tight"), "v1");
    EXPECT_STREQ(SettingGet(store, "  lead"), "v2");
    EXPECT_STREQ(SettingGet(store, "tab"), "v3");
    EXPECT_EQ(SettingGet(store, "noquotes"), nullptr);
    EXPECT_EQ(SettingGet(store, "onequote"), nullptr);
    EXPECT_STREQ(SettingGet(store, "trail"), "v6");
    EXPECT_STREQ(SettingGet(store, "dup"), "second");
    EXPECT_STREQ(SettingGet(store, "bare"), "lf");
    EXPECT_STREQ(SettingGet(store, "esc"), "\n|\x01") << "a short escape at the end reads no further than the value";
    EXPECT_EQ(store.entryCount, 7);
}

TEST_F(SiteFileTest, LinesAreReadInPiecesOf255Characters) {
    const std::string fits = "k = \"" + std::string(255 - 6, 'v') + "\"";  // 255 characters in all
    ASSERT_EQ(fits.size(), 255u);
    readInto(store, fits + "\r\n");
    EXPECT_EQ(std::strlen(SettingGet(store, "k")), 249u) << "255 characters plus the line end are read whole";

    const std::string tooLong = "long = \"" + std::string(300, 'v') + "\"\r\n";
    SettingsStore other;
    StoreCreate(other);
    EXPECT_EQ(readInto(other, tooLong + "Check = \"1515870810\"\r\n"), kSiteFileOk)
        << "the long entry is lost, so the store is still empty and matches";
    EXPECT_EQ(SettingGet(other, "long"), nullptr);
    // The tail of an over-long line is a piece of its own and may hold an entry.
    EXPECT_EQ(readInto(other, std::string(255, '#') + "hidden = \"x\"\r\n"), kSiteFileBadCheck);
    EXPECT_STREQ(SettingGet(other, "hidden"), "x");
    StoreDestroy(&other);
}

TEST_F(SiteFileTest, ReadMergesAndAFileLackingAKeyFailsTheCheck) {
    SettingSet(store, "present", "kept");
    SettingSet(store, "abc", "old");
    EXPECT_EQ(readInto(store, "abc = \"1\"\r\nCheck = \"1515871153\"\r\n"), kSiteFileBadCheck);
    EXPECT_STREQ(SettingGet(store, "present"), "kept");
    EXPECT_STREQ(SettingGet(store, "abc"), "1");
}

TEST_F(SiteFileTest, UnreadableFileLeavesTheStoreAlone) {
    EXPECT_EQ(SiteFileRead(dir.file("missing.psf"), store), kSiteFileUnreadable);
    EXPECT_EQ(SiteFileRead(dir.path().string(), store), kSiteFileUnreadable) << "a folder is not a site file";
    EXPECT_EQ(store.entryCount, 0);
}

TEST_F(SiteFileTest, AFailedSaveKeepsTheOldFile) {
    SettingSet(store, "PanelSnum", "11111111");
    const std::string path = dir.file("site.psf");
    ASSERT_TRUE(SiteFileWrite(path, &store));
    const std::string before = ReadBytes(path);

    ApplyDefaultSettings(store);
    AtomicFile::failAfterBytesForTesting = 1000;
    std::string error;
    EXPECT_FALSE(SiteFileWrite(path, &store, &error));
    AtomicFile::failAfterBytesForTesting = -1;
    EXPECT_NE(error.find("No space"), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(path), before);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) ++files;
    EXPECT_EQ(files, 1) << "no temporary file is left behind";

    EXPECT_FALSE(SiteFileWrite(dir.file("no/such/folder.psf"), &store, &error));
}

TEST(SiteFileUnescapeTest, EscapesDecodeToOneByte) {
    char value[32] = "a\\101\\12x\\-01z";
    SiteFileUnescape(value);
    EXPECT_STREQ(value, "aA\n\xff" "z") << "a sign is accepted and the low eight bits are kept";
    char trailing[8] = "ab\\";
    SiteFileUnescape(trailing);
    EXPECT_STREQ(trailing, "ab");
}

}  // namespace
}  // namespace tamrik
