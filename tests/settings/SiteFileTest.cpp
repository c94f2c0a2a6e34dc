#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
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
    int readInto(SettingsStore& target, const std::string& bytes) {
        WriteBytes(dir.file("in.psf"), bytes);
        return SiteFileRead(dir.file("in.psf"), target);
    }
    // Saves `source` and loads the file into a fresh store.
    int saveAndLoad(SettingsStore& source, SettingsStore& loaded, const std::string& name = "site.psf") {
        EXPECT_TRUE(SiteFileWrite(dir.file(name), source));
        return SiteFileRead(dir.file(name), loaded);
    }

    TempDir dir;
    SettingsStore store;
};

TEST_F(SiteFileTest, EntryLinesAreEscapedInSlotOrder) {
    EXPECT_EQ(SiteFileFormat(store), "Check = \"1515870810\"\r\n");
    store.insertIfAbsent("PanelSnum", "53000000");          // bucket 1976
    store.insertIfAbsent("abc", "a\"b\\c\td\r\n\xe9\x7f");  // bucket 963
    store.insertIfAbsent("", "");                           // bucket 381
    const std::string expected =
        " = \"\"\r\n"
        "abc = \"a\\042b\\134c\\011d\\015\\012\\351\x7f\"\r\n"
        "PanelSnum = \"53000000\"\r\n"
        "Check = \"" +
        std::to_string(store.checksum()) + "\"\r\n";
    EXPECT_EQ(SiteFileFormat(store), expected);
}

// Entries stay whatever the check says; the Check pair itself is never stored.
TEST_F(SiteFileTest, CheckLineParsing) {
    const struct {
        const char* bytes;
        int result;
        const char* abc;
    } cases[] = {
        {"abc = \"1\"\r\nCheck = \"1515871153\"\r\n", kSiteFileOk, "1"},    // the checksum of "abc" = "1"
        {"Check = \"0x1234\"\r\n", kSiteFileBadCheck, nullptr},             // reads as 0
        {"Check = \"   1515870810\"\r\n", kSiteFileOk, nullptr},            // leading blanks are skipped
        {"Check = \"1\"\nCheck = \"1515870810\"\n", kSiteFileOk, nullptr},  // the later Check wins
        {"abc = \"1\"\n", kSiteFileBadCheck, "1"},                          // no Check line
    };
    for (const auto& c : cases) {
        SettingsStore fresh;
        EXPECT_EQ(readInto(fresh, c.bytes), c.result) << c.bytes;
        EXPECT_EQ(fresh.text("abc", "<absent>"), c.abc ? c.abc : "<absent>") << c.bytes;
        EXPECT_FALSE(fresh.get("Check")) << c.bytes;
    }
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
    // A short escape at the end of a value reads no further than the value.
    const std::pair<const char*, const char*> values[] = {
        {"tight", "v1"}, {"  lead", "v2"},  {"tab", "v3"},  {"noquotes", nullptr}, {"onequote", nullptr},
        {"trail", "v6"}, {"dup", "second"}, {"bare", "lf"}, {"esc", "\n|\x01"}};
    for (const auto& [key, value] : values) EXPECT_EQ(store.text(key, "<absent>"), value ? value : "<absent>") << key;
    EXPECT_EQ(store.size(), 7);
}

TEST_F(SiteFileTest, LongLinesAreReadWhole) {
    // A full-length value of bytes that all need escaping: over 4000 characters on its line.
    store.insertIfAbsent("long", std::string(1023, '\xE9'));
    SettingsStore other;
    EXPECT_EQ(SiteFileParse(SiteFileFormat(store), other), kSiteFileOk);
    EXPECT_EQ(std::string(other.text("long")), std::string(1023, '\xE9'));
}

TEST_F(SiteFileTest, ReadMergesAndAnUnreadableFileLeavesTheStoreAlone) {
    EXPECT_EQ(SiteFileRead(dir.file("missing.psf"), store), kSiteFileUnreadable);
    EXPECT_EQ(SiteFileRead(dir.path().string(), store), kSiteFileUnreadable) << "a folder is not a site file";
    EXPECT_EQ(store.size(), 0);

    store.insertIfAbsent("present", "kept");
    store.insertIfAbsent("abc", "old");
    EXPECT_EQ(readInto(store, "abc = \"1\"\r\nCheck = \"1515871153\"\r\n"), kSiteFileBadCheck)
        << "the check covers the merged store, which holds a key the file lacks";
    EXPECT_EQ(store.get("present"), "kept");
    EXPECT_EQ(store.get("abc"), "1");
}

TEST_F(SiteFileTest, AFailedSaveKeepsTheOldFile) {
    store.insertIfAbsent("PanelSnum", "11111111");
    const std::string path = dir.file("site.psf");
    ASSERT_TRUE(SiteFileWrite(path, store));
    const std::string before = ReadBytes(path);

    ApplyDefaultSettings(store);
    AtomicFile::failAfterBytesForTesting = 1000;
    std::string error;
    EXPECT_FALSE(SiteFileWrite(path, store, &error));
    AtomicFile::failAfterBytesForTesting = -1;
    EXPECT_NE(error.find("No space"), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(path), before);
    const auto files = std::distance(std::filesystem::directory_iterator(dir.path()), {});
    EXPECT_EQ(files, 1) << "no temporary file is left behind";

    EXPECT_FALSE(SiteFileWrite(dir.file("no/such/folder.psf"), store, &error));
}

TEST(SiteFileUnescapeTest, EscapesDecodeToOneByte) {
    char value[32] = "a\\101\\12x\\-01z";
    SiteFileUnescape(value);
    EXPECT_STREQ(value,
                 "aA\n\xff"
                 "z")
        << "a sign is accepted and the low eight bits are kept";
    char trailing[8] = "ab\\";
    SiteFileUnescape(trailing);
    EXPECT_STREQ(trailing, "ab");
}

}  // namespace
}  // namespace tamrik
