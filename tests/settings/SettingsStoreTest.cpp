#include <gtest/gtest.h>

#include <cstring>

#include <map>
#include <random>
#include <string>

#include "settings/SettingsStore.h"

namespace tamrik {
namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { StoreCreate(store); }
    void TearDown() override { StoreDestroy(&store); }

    std::uint32_t bucketOf(const std::string& key) { return StoreHash(key, key.size()) % 5000; }

    // Finds keys (of the form prefix + number) homed at the given bucket.
    std::string keyInBucket(std::uint32_t bucket, const std::string& prefix, int& counter) {
        for (;; ++counter) {
            std::string key = prefix + std::to_string(counter);
            if (bucketOf(key) == bucket) {
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
};

TEST(StoreHashTest, MatchesKnownBuckets) {
    EXPECT_EQ(StoreHash("abc", 3), 193485963u);
    EXPECT_EQ(StoreHash("abc", 3) % 5000, 963u);
    EXPECT_EQ(StoreHash("PanelSnum", 9), 3840041976u);
    EXPECT_EQ(StoreHash("PanelSnum", 9) % 5000, 1976u);
    EXPECT_EQ(StoreHash("", 0), 5381u);
    EXPECT_EQ(StoreHash("", 0) % 5000, 381u);
    EXPECT_EQ(StoreHash("\xff", 1), 5381u * 33 + 255) << "bytes count as unsigned";
}

TEST_F(SettingsStoreTest, SetIsFindOrInsertAndNeverOverwrites) {
    char* buffer = SettingSet(store, "Zone_1", "1");
    ASSERT_NE(buffer, nullptr);
    EXPECT_STREQ(SettingSet(store, "Zone_1", "5"), "1");
    EXPECT_EQ(SettingSet(store, "Zone_1", "5"), buffer) << "the same buffer is handed out";
    EXPECT_EQ(store.entryCount, 1);
    std::strcpy(buffer, "7");
    EXPECT_STREQ(SettingGet(store, "Zone_1"), "7");
    EXPECT_EQ(SettingGet(store, "zone_1"), nullptr) << "keys are case-sensitive";
}

TEST_F(SettingsStoreTest, GetIntReadsLeadingDecimal) {
    SettingSet(store, "a", "abc");
    SettingSet(store, "b", " 42x");
    SettingSet(store, "c", "-17");
    EXPECT_EQ(SettingGetInt(store, "missing"), 0);
    EXPECT_EQ(SettingGetInt(store, "a"), 0);
    EXPECT_EQ(SettingGetInt(store, "b"), 42);
    EXPECT_EQ(SettingGetInt(store, "c"), -17);
    EXPECT_EQ(ParseLeadingInt("99999999999"), INT32_MAX) << "overflow saturates instead of wrapping";
}

TEST_F(SettingsStoreTest, SetFlagChangesOnlyTheFirstCharacter) {
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
    SettingPut(store, "Zone_1", "2");
    SettingPut(store, "Zone_2", "1");
    EXPECT_EQ(StoreChecksum(&store), store.savedChecksum) << "the byte sum cannot tell";
    EXPECT_TRUE(StoreChangedSinceSaved(store));
    SettingPut(store, "Zone_1", "1");
    SettingPut(store, "Zone_2", "2");
    EXPECT_FALSE(StoreChangedSinceSaved(store)) << "changing back counts as unchanged";
    SettingPut(store, "Zone_1", "0");
    SettingPut(store, "Zone_2", "3");
    EXPECT_TRUE(StoreChangedSinceSaved(store)) << "one byte up, another down";
}

TEST_F(SettingsStoreTest, OverlongKeysAndValuesAreTruncatedSafely) {
    const std::string longKey(300, 'k');
    const std::string longValue(3000, 'v');
    char* buffer = SettingSet(store, longKey, longValue);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(std::string(buffer), std::string(1023, 'v'));
    EXPECT_EQ(SettingGet(store, std::string(127, 'k')), buffer) << "the key is kept as its first 127 characters";
    EXPECT_TRUE(SettingPut(store, "x", longValue));
    EXPECT_EQ(std::strlen(SettingGet(store, "x")), 1023u);
}

TEST_F(SettingsStoreTest, CapacityIsFiveThousandEntries) {
    for (int i = 0; i < 5000; ++i) ASSERT_NE(SettingSet(store, "K" + std::to_string(i), "v"), nullptr) << i;
    EXPECT_EQ(store.entryCount, 5000);
    const auto checksum = StoreChecksum(&store);
    EXPECT_EQ(SettingSet(store, "one too many", "v"), nullptr);
    EXPECT_EQ(store.entryCount, 5000);
    EXPECT_EQ(StoreChecksum(&store), checksum);
    EXPECT_NE(SettingSet(store, "K17", "other"), nullptr) << "existing keys are still found when full";
    SettingDelete(store, "K17");
    EXPECT_NE(SettingSet(store, "one too many", "v"), nullptr);
}

TEST_F(SettingsStoreTest, DeletingTheFirstOfAChainKeepsTheOthers) {
    int counter = 0;
    const auto bucket = bucketOf("abc");
    const std::string a = keyInBucket(bucket, "a", counter);
    const std::string b = keyInBucket(bucket, "b", counter);
    const std::string c = keyInBucket(bucket, "c", counter);
    SettingSet(store, a, "A");
    SettingSet(store, b, "B");
    SettingSet(store, c, "C");
    SettingDelete(store, a);
    EXPECT_EQ(SettingGet(store, a), nullptr);
    EXPECT_STREQ(SettingGet(store, b), "B");
    EXPECT_STREQ(SettingGet(store, c), "C");
    EXPECT_EQ(store.entryCount, 2);
}

// A slot emptied at a chain's end must not become a shared tail that a later deletion cuts off.
TEST_F(SettingsStoreTest, SlotEmptiedAtChainEndIsNotSharedBetweenChains) {
    int counter = 0;
    // Fill slotTable 0 and 1 so that overflows go to slot 2 onwards.
    const std::string x = keyInBucket(10, "x", counter);
    const std::string x2 = keyInBucket(10, "x", counter);
    const std::string x3 = keyInBucket(10, "x", counter);
    SettingSet(store, x, "1");   // slot 10
    SettingSet(store, x2, "2");  // slot 0
    SettingSet(store, x3, "3");  // slot 1
    SettingDelete(store, x3);    // slot 1 emptied at the chain's end
    const std::string y = keyInBucket(20, "y", counter);
    const std::string y2 = keyInBucket(20, "y", counter);
    const std::string y3 = keyInBucket(20, "y", counter);
    SettingSet(store, y, "a");   // slot 20
    SettingSet(store, y2, "b");  // takes slot 1
    SettingSet(store, y3, "c");
    SettingSet(store, x3, "3");  // back into chain x
    SettingDelete(store, x2);
    SettingDelete(store, y2);
    expectAllFound({{x, "1"}, {x3, "3"}, {y, "a"}, {y3, "c"}});
}

// a1 at slot 10 runs to slotTable 0 and 1; c1, homed at 1, overflows to slot 2. Deleting the entry in
// slot 0 must not pull slot 1's entry forward and leave c1 unreachable from its home.
TEST_F(SettingsStoreTest, PullingForwardNeverStrandsAKeyHomedAtTheSuccessor) {
    int counter = 0;
    const std::string a1 = keyInBucket(10, "a", counter);
    const std::string a2 = keyInBucket(10, "a", counter);
    const std::string a3 = keyInBucket(10, "a", counter);
    const std::string c1 = keyInBucket(1, "c", counter);
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
    SettingsStore main;
    SettingsStore grid;
    StoreCreate(main);
    SettingSet("where", "main");
    StoreCreate(grid);  // creating makes it current
    EXPECT_EQ(StoreSelect(nullptr), &grid) << "none only queries";
    EXPECT_EQ(SettingGet("where"), nullptr);
    SettingsStore* previous = StoreSelect(&main);
    EXPECT_EQ(previous, &grid);
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
