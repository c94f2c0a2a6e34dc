#include <gtest/gtest.h>

#include "settings/DefaultSettings.h"
#include "settings/SiteFile.h"
#include "support/TempDir.h"

namespace tamrik {
namespace {

class DefaultSettingsTest : public ::testing::Test {
protected:
    SettingsStore store;
};

// Every key of a new site, its default and its place: the reviewed file holds the expected bytes.
TEST_F(DefaultSettingsTest, NewSiteFileMatchesTheReviewedFile) {
    ApplyDefaultSettings(store);
    EXPECT_EQ(store.size(), 4022);
    EXPECT_EQ(store.savedChecksum(), store.checksum());
    const std::string expected = testing::ReadBytes(TAMRIK_TEST_DATA_DIR "/new_site.psf");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(SiteFileFormat(store), expected);
}

// The insertion order fixes the slot order and so the bytes of a new site file.
TEST_F(DefaultSettingsTest, FillsOnlyWhatIsMissingAndTwiceChangesNothing) {
    store.insertIfAbsent("Volume_3", "7");
    store.insertIfAbsent("Custom", "x");
    ApplyDefaultSettings(store);
    EXPECT_EQ(store.get("Volume_3"), "7");
    EXPECT_EQ(store.size(), 4023);
    const std::string first = SiteFileFormat(store);
    ApplyDefaultSettings(store);
    EXPECT_EQ(SiteFileFormat(store), first);
}

}  // namespace
}  // namespace tamrik
