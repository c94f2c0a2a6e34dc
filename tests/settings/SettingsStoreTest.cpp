#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "settings/SettingsStore.h"
#include "settings/SiteFile.h"

namespace tamrik {
namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
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
            const auto found = store.get(key);
            ASSERT_TRUE(found) << "lost key " << key;
            EXPECT_EQ(*found, value) << key;
        }
        EXPECT_EQ(store.size(), expected.size());
    }

    SettingsStore store;
    int counter = 0;
};

// Filling in only what is missing: DefaultSettingsTest.
TEST_F(SettingsStoreTest, KeysAreCaseSensitiveAndCopiesIndependent) {
    EXPECT_TRUE(store.put("Zone_1", "7"));
    EXPECT_FALSE(store.get("zone_1"));
    SettingsStore copy = store.copy();
    copy.put("Zone_1", "8");
    copy.erase("Zone_1");
    EXPECT_EQ(store.get("Zone_1"), "7");
    EXPECT_EQ(store.text("missing", "fallback"), "fallback");
}

TEST_F(SettingsStoreTest, Numbers) {
    store.insertIfAbsent("a", "abc");
    store.insertIfAbsent("b", " 42x");
    store.insertIfAbsent("c", "-17");
    EXPECT_EQ(store.number("missing"), 0);
    EXPECT_EQ(store.number("a"), 0);
    EXPECT_EQ(store.number("b"), 42);
    EXPECT_EQ(store.number("c"), -17);
}

TEST_F(SettingsStoreTest, ChecksumIsByteSumOverKeysAndValues) {
    EXPECT_EQ(store.checksum(), 0x5A5A5A5Au);
    store.insertIfAbsent("abc", "1");
    EXPECT_EQ(store.checksum(), 0x5A5A5BB1u);
    store.insertIfAbsent("hi", "\xe9");
    EXPECT_EQ(store.checksum(), 0x5A5A5BB1u + 'h' + 'i' + 0xE9) << "bytes count as unsigned";
}

TEST_F(SettingsStoreTest, ChangeDetectionSeesSwapsThatKeepTheByteSum) {
    store.insertIfAbsent("Zone_1", "1");
    store.insertIfAbsent("Zone_2", "2");
    store.markSaved();
    EXPECT_FALSE(store.changedSinceSaved());
    const struct {
        const char *one, *two;
        bool changed;
    } steps[] = {{"2", "1", true}, {"1", "2", false}, {"0", "3", true}};  // swap, back, one up and one down
    for (const auto& step : steps) {
        store.put("Zone_1", step.one);
        store.put("Zone_2", step.two);
        EXPECT_EQ(store.checksum(), store.savedChecksum()) << "the byte sum cannot tell";
        EXPECT_EQ(store.changedSinceSaved(), step.changed) << step.one << step.two;
    }
}

TEST_F(SettingsStoreTest, OverlongKeysAndValuesAreTruncatedSafely) {
    const std::string longValue(3000, 'v');
    EXPECT_EQ(store.insertIfAbsent(std::string(300, 'k'), longValue), std::string(1023, 'v'));
    EXPECT_EQ(store.get(std::string(127, 'k')), std::string(1023, 'v'))
        << "the key is kept as its first 127 characters";
    EXPECT_TRUE(store.put("x", longValue));
    EXPECT_EQ(store.text("x").size(), 1023u);
    EXPECT_TRUE(store.put(std::string_view("ab\0cd", 5), std::string_view("12\0 34", 6)));
    EXPECT_EQ(store.get("ab"), "12") << "keys and values end at a NUL, as in the files";
}

// The first 5000 entries sit in the home slots exactly as in a 5000-slot table; the slots behind
// them take overflow only when those are full (a full site with complete event logs needs it).
TEST_F(SettingsStoreTest, CapacityBeyondTheHomeSlots) {
    for (int i = 0; i < 5000; ++i) ASSERT_TRUE(store.put("K" + std::to_string(i), "v")) << i;
    std::string last;
    for (const auto entry : store) last = entry.key;
    ASSERT_TRUE(store.put("one more", "v"));
    EXPECT_TRUE(SiteFileFormat(store).find(last + " = \"v\"\r\none more = \"v\"\r\nCheck") != std::string::npos)
        << "overflow beyond the home slots is listed last";
    for (int i = 5001; i < SettingsStore::kSlotCount; ++i) ASSERT_TRUE(store.put("L" + std::to_string(i), "v")) << i;
    const auto checksum = store.checksum();
    EXPECT_FALSE(store.put("one too many", "v"));
    EXPECT_EQ(store.insertIfAbsent("one too many", "v"), "");
    EXPECT_EQ(store.size(), SettingsStore::kSlotCount);
    EXPECT_EQ(store.checksum(), checksum);
    EXPECT_TRUE(store.put("K17", "other")) << "existing keys are still found when full";
    store.erase("K17");
    EXPECT_TRUE(store.put("one too many", "v"));
}

// A slot emptied at a chain's end must not become a shared tail that a later deletion cuts off.
TEST_F(SettingsStoreTest, SlotEmptiedAtChainEndIsNotSharedBetweenChains) {
    // Chain x fills slot 10, then overflows into slots 0 and 1.
    const std::string x = keyInBucket(10, "x"), x2 = keyInBucket(10, "x"), x3 = keyInBucket(10, "x");
    store.insertIfAbsent(x, "1");
    store.insertIfAbsent(x2, "2");
    store.insertIfAbsent(x3, "3");
    store.erase(x3);  // slot 1 emptied at the chain's end
    const std::string y = keyInBucket(20, "y"), y2 = keyInBucket(20, "y"), y3 = keyInBucket(20, "y");
    store.insertIfAbsent(y, "a");
    store.insertIfAbsent(y2, "b");  // takes slot 1
    store.insertIfAbsent(y3, "c");
    store.insertIfAbsent(x3, "3");  // back into chain x
    store.erase(x2);
    store.erase(y2);
    expectAllFound({{x, "1"}, {x3, "3"}, {y, "a"}, {y3, "c"}});
}

// a1 at slot 10 runs to slots 0 and 1; c1, homed at 1, overflows to slot 2. Deleting the entry in
// slot 0 must not pull slot 1's entry forward and leave c1 unreachable from its home.
TEST_F(SettingsStoreTest, PullingForwardNeverStrandsAKeyHomedAtTheSuccessor) {
    const std::string a1 = keyInBucket(10, "a"), a2 = keyInBucket(10, "a"), a3 = keyInBucket(10, "a");
    const std::string c1 = keyInBucket(1, "c");
    store.insertIfAbsent(a1, "1");
    store.insertIfAbsent(a2, "2");
    store.insertIfAbsent(a3, "3");
    store.insertIfAbsent(c1, "c");
    std::vector<std::string_view> order;
    for (const auto entry : store) order.push_back(entry.key);
    ASSERT_EQ(order, (std::vector<std::string_view>{a2, a3, c1, a1})) << "slots 0, 1, 2 and 10";
    store.erase(a2);
    expectAllFound({{a1, "1"}, {a3, "3"}, {c1, "c"}});
}

TEST_F(SettingsStoreTest, RandomInsertsAndDeletesAgreeWithAPlainMap) {
    std::mt19937 random(12345);
    std::map<std::string, std::string> model;
    // Few distinct keys over a crowded table give long coalesced chains.
    for (int step = 0; step < 60000; ++step) {
        const std::string key = "k" + std::to_string(random() % 6000);
        if (random() % 3 == 0) {
            store.erase(key);
            model.erase(key);
        } else if (model.size() < 5000 || model.count(key)) {
            const std::string value = std::to_string(step);
            ASSERT_FALSE(store.insertIfAbsent(key, value).empty());
            model.emplace(key, value);
        }
        if (step % 5000 == 0) expectAllFound(model);
    }
    expectAllFound(model);
    std::uint32_t sum = 0x5A5A5A5A;
    for (const auto& [key, value] : model) {
        for (char c : key + value) sum += static_cast<unsigned char>(c);
    }
    EXPECT_EQ(store.checksum(), sum);
}

}  // namespace
}  // namespace tamrik
