#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <random>
#include <string>

#include "settings/SettingsStore.h"
#include "settings/SiteFile.h"

namespace tamrik {
namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { StoreCreate(store); }
    void TearDown() override { StoreDestroy(&store); }

    // The next key of the form prefix + number homed at the given bucket.
    std::string keyInBucket(std::uint32_t bucket, const std::string& prefix) {
        for (;; ++counter) {
            std::string key = prefix + std::to_string(counter);
            if (StoreHash(key, key.size()) % 5000 == bucket) {
                ++counter;
                return key;
            }
        }
    }

    void expectAllFound(const std::map<std::string, std::string>& expected) {
        for (const auto& [key, value] : expected) {
            const char* found = SettingGet(store, key);
            ASSERT_NE(found, nullptr) << "lost key " << key;
            EXPECT_EQ(found, value) << key;
        }
        EXPECT_EQ(store.entryCount, expected.size());
    }

    SettingsStore store;
    int counter = 0;
};

// The hash places keys in slots, and the slot order is the line order of every site file.
TEST(StoreHashTest, MatchesKnownValues) {
    EXPECT_EQ(StoreHash("abc", 3), 193485963u);
    EXPECT_EQ(StoreHash("PanelSnum", 9), 3840041976u);
    EXPECT_EQ(StoreHash("", 0), 5381u);
    EXPECT_EQ(StoreHash("\xff", 1), 5381u * 33 + 255) << "bytes count as unsigned";
}

TEST_F(SettingsStoreTest, SetIsFindOrInsertAndNeverOverwrites) {
    char* buffer = SettingSet(store, "Zone_1", "1");
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(SettingSet(store, "Zone_1", "5"), buffer) << "the same buffer, value untouched";
    EXPECT_STREQ(buffer, "1");
    EXPECT_EQ(store.entryCount, 1);
    std::strcpy(buffer, "7");
    EXPECT_STREQ(SettingGet(store, "Zone_1"), "7");
    EXPECT_EQ(SettingGet(store, "zone_1"), nullptr) << "keys are case-sensitive";
}

TEST_F(SettingsStoreTest, NumbersAndFlags) {
    SettingSet(store, "a", "abc");
    SettingSet(store, "b", " 42x");
    SettingSet(store, "c", "-17");
    EXPECT_EQ(SettingGetInt(store, "missing"), 0);
    EXPECT_EQ(SettingGetInt(store, "a"), 0);
    EXPECT_EQ(SettingGetInt(store, "b"), 42);
    EXPECT_EQ(SettingGetInt(store, "c"), -17);
    EXPECT_EQ(ParseLeadingInt("99999999999"), INT32_MAX) << "overflow saturates instead of wrapping";

    // A flag changes only the first character, or creates a one-character value.
    SettingSet(store, "f", "10");
    SettingSetFlag(store, "f", false);
    EXPECT_STREQ(SettingGet(store, "f"), "00");
    SettingSetFlag(store, "f", true);
    EXPECT_STREQ(SettingGet(store, "f"), "10");
    SettingSetFlag(store, "new0", false);
    SettingSetFlag(store, "new1", true);
    EXPECT_STREQ(SettingGet(store, "new0"), "0");
    EXPECT_STREQ(SettingGet(store, "new1"), "1");
}

TEST_F(SettingsStoreTest, ChecksumIsByteSumOverKeysAndValues) {
    EXPECT_EQ(StoreChecksum(&store), 0x5A5A5A5Au);
    EXPECT_EQ(StoreChecksum(static_cast<const SettingsStore*>(nullptr)), 0x5A5A5A5Au);
    SettingSet(store, "abc", "1");
    EXPECT_EQ(StoreChecksum(&store), 0x5A5A5BB1u);
    SettingSet(store, "hi", "\xe9");
    EXPECT_EQ(StoreChecksum(&store), 0x5A5A5BB1u + 'h' + 'i' + 0xE9) << "bytes count as unsigned";
}

TEST_F(SettingsStoreTest, ChangeDetectionSeesSwapsThatKeepTheByteSum) {
    SettingSet(store, "Zone_1", "1");
    SettingSet(store, "Zone_2", "2");
    StoreMarkSaved(store);
    EXPECT_FALSE(StoreChangedSinceSaved(store));
    const struct {
        const char *one, *two;
        bool changed;
    } steps[] = {{"2", "1", true}, {"1", "2", false}, {"0", "3", true}};  // swap, back, one up and one down
    for (const auto& step : steps) {
        SettingPut(store, "Zone_1", step.one);
        SettingPut(store, "Zone_2", step.two);
        EXPECT_EQ(StoreChecksum(&store), store.savedChecksum) << "the byte sum cannot tell";
        EXPECT_EQ(StoreChangedSinceSaved(store), step.changed) << step.one << step.two;
    }
}

TEST_F(SettingsStoreTest, OverlongKeysAndValuesAreTruncatedSafely) {
    const std::string longValue(3000, 'v');
    char* buffer = SettingSet(store, std::string(300, 'k'), longValue);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(std::string(buffer), std::string(1023, 'v'));
    EXPECT_EQ(SettingGet(store, std::string(127, 'k')), buffer) << "the key is kept as its first 127 characters";
    EXPECT_TRUE(SettingPut(store, "x", longValue));
    EXPECT_EQ(std::strlen(SettingGet(store, "x")), 1023u);
}

// The first 5000 entries sit in the home slots exactly as in a 5000-slot table; the slots behind
// them take overflow only when those are full (a full site with complete event logs needs it).
TEST_F(SettingsStoreTest, CapacityBeyondTheHomeSlots) {
    for (int i = 0; i < 5000; ++i) ASSERT_NE(SettingSet(store, "K" + std::to_string(i), "v"), nullptr) << i;
    for (int i = 0; i < 5000; ++i) ASSERT_TRUE(store.slotTable[i].entry) << "home slot " << i << " left free";
    EXPECT_FALSE(store.slotTable[5000].entry);
    ASSERT_NE(SettingSet(store, "one more", "v"), nullptr);
    EXPECT_TRUE(store.slotTable[5000].entry);
    EXPECT_TRUE(SiteFileFormat(&store).find("one more = \"v\"\r\nCheck") != std::string::npos)
        << "overflow beyond the home slots is listed last";
    for (int i = 5001; i < SettingsStore::kSlotCount; ++i) {
        ASSERT_NE(SettingSet(store, "L" + std::to_string(i), "v"), nullptr) << i;
    }
    const auto checksum = StoreChecksum(&store);
    EXPECT_EQ(SettingSet(store, "one too many", "v"), nullptr);
    EXPECT_EQ(store.entryCount, SettingsStore::kSlotCount);
    EXPECT_EQ(StoreChecksum(&store), checksum);
    EXPECT_NE(SettingSet(store, "K17", "other"), nullptr) << "existing keys are still found when full";
    SettingDelete(store, "K17");
    EXPECT_NE(SettingSet(store, "one too many", "v"), nullptr);
}

// A slot emptied at a chain's end must not become a shared tail that a later deletion cuts off.
TEST_F(SettingsStoreTest, SlotEmptiedAtChainEndIsNotSharedBetweenChains) {
    // Chain x fills slot 10, then overflows into slots 0 and 1.
    const std::string x = keyInBucket(10, "x"), x2 = keyInBucket(10, "x"), x3 = keyInBucket(10, "x");
    SettingSet(store, x, "1");
    SettingSet(store, x2, "2");
    SettingSet(store, x3, "3");
    SettingDelete(store, x3);  // slot 1 emptied at the chain's end
    const std::string y = keyInBucket(20, "y"), y2 = keyInBucket(20, "y"), y3 = keyInBucket(20, "y");
    SettingSet(store, y, "a");
    SettingSet(store, y2, "b");  // takes slot 1
    SettingSet(store, y3, "c");
    SettingSet(store, x3, "3");  // back into chain x
    SettingDelete(store, x2);
    SettingDelete(store, y2);
    expectAllFound({{x, "1"}, {x3, "3"}, {y, "a"}, {y3, "c"}});
}

// a1 at slot 10 runs to slots 0 and 1; c1, homed at 1, overflows to slot 2. Deleting the entry in
// slot 0 must not pull slot 1's entry forward and leave c1 unreachable from its home.
TEST_F(SettingsStoreTest, PullingForwardNeverStrandsAKeyHomedAtTheSuccessor) {
    const std::string a1 = keyInBucket(10, "a"), a2 = keyInBucket(10, "a"), a3 = keyInBucket(10, "a");
    const std::string c1 = keyInBucket(1, "c");
    SettingSet(store, a1, "1");
    SettingSet(store, a2, "2");
    SettingSet(store, a3, "3");
    SettingSet(store, c1, "c");
    ASSERT_STREQ(store.slotTable[0].entry->key, a2.c_str());
    ASSERT_STREQ(store.slotTable[1].entry->key, a3.c_str());
    ASSERT_STREQ(store.slotTable[2].entry->key, c1.c_str());
    SettingDelete(store, a2);
    expectAllFound({{a1, "1"}, {a3, "3"}, {c1, "c"}});
}

TEST_F(SettingsStoreTest, RandomInsertsAndDeletesAgreeWithAPlainMap) {
    std::mt19937 random(12345);
    std::map<std::string, std::string> model;
    // Few distinct keys over a crowded table give long coalesced chains.
    for (int step = 0; step < 60000; ++step) {
        const std::string key = "k" + std::to_string(random() % 6000);
        if (random() % 3 == 0) {
            SettingDelete(store, key);
            model.erase(key);
        } else if (model.size() < 5000 || model.count(key)) {
            const std::string value = std::to_string(step);
            ASSERT_NE(SettingSet(store, key, value), nullptr);
            model.emplace(key, value);
        }
        if (step % 5000 == 0) expectAllFound(model);
    }
    expectAllFound(model);
    std::uint32_t sum = 0x5A5A5A5A;
    for (const auto& [key, value] : model) {
        for (char c : key + value) sum += static_cast<unsigned char>(c);
    }
    EXPECT_EQ(StoreChecksum(&store), sum);
}

TEST(StoreSelectTest, SelectionAndDestroy) {
    SettingsStore main, grid;
    StoreCreate(main);
    SettingSet("where", "main");
    StoreCreate(grid);  // creating makes it current
    EXPECT_EQ(StoreSelect(nullptr), &grid) << "none only queries";
    EXPECT_EQ(SettingGet("where"), nullptr);
    EXPECT_EQ(StoreSelect(&main), &grid);
    EXPECT_STREQ(SettingGet("where"), "main");
    StoreDestroy(&grid);
    EXPECT_EQ(StoreSelect(nullptr), &main) << "destroying another store leaves the selection alone";
    StoreDestroy(&main);
    EXPECT_EQ(main.entryCount, 0);
    EXPECT_EQ(SettingGet(main, "where"), nullptr);
    EXPECT_EQ(SettingSet(main, "where", "x"), nullptr) << "a destroyed store takes nothing";
    StoreDestroy(nullptr);
}

}  // namespace
}  // namespace tamrik
