// Whatever bytes a panel holds, the site file saved from reading it must load back with its Check
// line accepted: a file that fails the program's own check would be a reading nobody can open.
#include <gtest/gtest.h>

#include <random>

#include "images/EventLog.h"
#include "images/ImageLayout.h"
#include "images/LoopRecord.h"
#include "images/SiteImage.h"
#include "panel/PanelSession.h"
#include "settings/SiteFile.h"

namespace tamrik {
namespace {

// Decodes the images as a read does (the read itself is tested against the simulated panel).
void decodeAsARead(SettingsStore& store, std::mt19937& random) {
    const auto randomBytes = [&](std::size_t count) {
        std::vector<std::uint8_t> bytes(count);
        for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
        return bytes;
    };
    auto site = randomBytes(kSiteImageSize);
    site[0] = static_cast<std::uint8_t>(1 + random() % 2);  // a layout revision the reader knows
    site[1] = 0;
    ASSERT_TRUE(SiteImageDecode(store, site.data()));
    const auto loop = randomBytes(kLoopImageSize);
    for (int address = 1; address <= kLoopRecordCount; ++address) {
        LoopRecordDecode(store, address, loop.data() + kLoopRecordSize * (address - 1));
    }
    const auto version = randomBytes(8);
    store.put("FirmwareVersion", FirmwareVersionText({reinterpret_cast<const char*>(version.data()), 8}));
    EventLogDecode(store, randomBytes(kEventLogImageSize).data());
    store.insertIfAbsent("PanelData", "1");
}

TEST(ReadSiteFileTest, RandomPanelContentsSaveToSiteFilesThatLoadBack) {
    std::mt19937 random(20261206);
    for (int round = 0; round < 200; ++round) {
        SettingsStore read;
        decodeAsARead(read, random);
        SettingsStore loaded;
        EXPECT_EQ(SiteFileParse(SiteFileFormat(read), loaded), kSiteFileOk) << "round " << round;
        if (HasFailure()) return;
    }
}

}  // namespace
}  // namespace tamrik
