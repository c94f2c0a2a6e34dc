#include "settings/SettingsStore.h"

#include <utility>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <new>
#include <vector>

namespace tamrik {
namespace {

thread_local SettingsStore* currentStore = nullptr;

// Enough blocks for a full store and a spare one.
constexpr std::size_t kPooledEntryLimit = 2 * SettingsStore::kSlotCount;

struct EntryPool {
    std::mutex mutex;
    std::vector<SettingEntry*> blocks;
};

// Never destroyed, so a store that outlives static destruction can still give its blocks back.
EntryPool& entryPool() {
    static EntryPool* pool = new EntryPool;
    return *pool;
}

std::string_view clampKey(std::string_view key) {
    return key.substr(0, std::min(key.size(), SettingsStore::kMaxKeyLength));
}

std::uint32_t homeSlot(const SettingsStore& store, std::string_view key) {
    return StoreHash(key, static_cast<std::uint32_t>(key.size() % 256)) % store.bucketCount;
}

bool keyEquals(const SettingEntry& entry, std::string_view key) {
    return std::strlen(entry.key) == key.size() && std::memcmp(entry.key, key.data(), key.size()) == 0;
}

void copyText(char* destination, std::size_t capacity, std::string_view text) {
    const std::size_t length = std::min(text.size(), capacity - 1);
    std::memcpy(destination, text.data(), length);
    destination[length] = '\0';
}

// Slot index holding the key, or -1.
std::int32_t findSlot(const SettingsStore& store, std::string_view key) {
    if (!store.isCreated()) return -1;
    for (std::int32_t index = static_cast<std::int32_t>(homeSlot(store, key)); index >= 0;
         index = store.slotTable[index].next) {
        const auto& slot = store.slotTable[index];
        if (slot.entry && keyEquals(*slot.entry, key)) return index;
    }
    return -1;
}

std::int32_t findFreeSlot(SettingsStore& store) {
    for (std::uint32_t index = store.firstFreeHint; index < store.slotCount; ++index) {
        if (!store.slotTable[index].entry) {
            store.firstFreeHint = index;
            return static_cast<std::int32_t>(index);
        }
    }
    store.firstFreeHint = store.slotCount;
    return -1;
}

void markFree(SettingsStore& store, std::int32_t index) {
    auto& slot = store.slotTable[index];
    slot.entry.reset();
    slot.next = -1;
    store.firstFreeHint = std::min(store.firstFreeHint, static_cast<std::uint32_t>(index));
}

std::int32_t predecessorOf(const SettingsStore& store, std::int32_t index) {
    for (std::int32_t i = 0; i < store.slotCount; ++i) {
        if (store.slotTable[i].next == index) return i;
    }
    return -1;
}

// Places an existing entry by the insertion walk. The caller guarantees a free slot exists.
void placeEntry(SettingsStore& store, SettingEntryPtr entry) {
    std::int32_t index = static_cast<std::int32_t>(homeSlot(store, entry->key));
    while (store.slotTable[index].entry) {
        if (store.slotTable[index].next < 0) {
            const std::int32_t freeIndex = findFreeSlot(store);
            store.slotTable[index].next = freeIndex;
            store.slotTable[freeIndex].next = -1;
        }
        index = store.slotTable[index].next;
    }
    store.slotTable[index].entry = std::move(entry);
    store.slotTable[index].next = -1;
}

// Whether any key stored from `index` onwards along the chain has `index` as its home slot.
bool isHomeOfLaterKey(const SettingsStore& store, std::int32_t index) {
    for (std::int32_t i = index; i >= 0; i = store.slotTable[i].next) {
        const auto& entry = store.slotTable[i].entry;
        if (entry && static_cast<std::int32_t>(homeSlot(store, entry->key)) == index) return true;
    }
    return false;
}

}  // namespace

SettingEntryPtr AcquireSettingEntry() {
    EntryPool& pool = entryPool();
    {
        std::lock_guard lock(pool.mutex);
        if (!pool.blocks.empty()) {
            SettingEntry* block = pool.blocks.back();
            pool.blocks.pop_back();
            return SettingEntryPtr(block);
        }
    }
    // Only the texts and their terminators are ever read, so blocks need no zero-filling.
    return SettingEntryPtr(new (std::nothrow) SettingEntry);
}

void SettingEntryRelease::operator()(SettingEntry* entry) const noexcept {
    EntryPool& pool = entryPool();
    std::lock_guard lock(pool.mutex);
    if (pool.blocks.size() < kPooledEntryLimit) {
        pool.blocks.push_back(entry);
    } else {
        delete entry;
    }
}

std::uint32_t StoreHash(std::string_view key, std::uint32_t length) {
    std::uint32_t hash = 5381;
    const std::size_t count = std::min<std::size_t>(length, key.size());
    for (std::size_t i = 0; i < count; ++i) hash = hash * 33 + static_cast<unsigned char>(key[i]);
    return hash;
}

void StoreCreate(SettingsStore& store) {
    currentStore = &store;
    store.bucketCount = SettingsStore::kBucketCount;
    store.slotCount = SettingsStore::kSlotCount;
    store.entryCount = 0;
    store.slotTable = std::make_unique<SettingsStore::Slot[]>(store.slotCount);
    store.firstFreeHint = 0;
}

void StoreSwap(SettingsStore& a, SettingsStore& b) noexcept {
    std::swap(a.bucketCount, b.bucketCount);
    std::swap(a.slotCount, b.slotCount);
    std::swap(a.entryCount, b.entryCount);
    std::swap(a.savedChecksum, b.savedChecksum);
    std::swap(a.savedFingerprint, b.savedFingerprint);
    std::swap(a.slotTable, b.slotTable);
    std::swap(a.firstFreeHint, b.firstFreeHint);
}

void StoreDestroy(SettingsStore* store) {
    if (!store) return;
    store->slotTable.reset();
    store->entryCount = 0;
    store->firstFreeHint = 0;
}

SettingsStore* StoreSelect(SettingsStore* store) {
    SettingsStore* previous = currentStore;
    if (store) currentStore = store;
    return previous;
}

char* SettingGet(SettingsStore& store, std::string_view key) {
    const std::int32_t index = findSlot(store, clampKey(key));
    return index < 0 ? nullptr : store.slotTable[index].entry->value;
}

const char* SettingGet(const SettingsStore& store, std::string_view key) {
    const std::int32_t index = findSlot(store, clampKey(key));
    return index < 0 ? nullptr : store.slotTable[index].entry->value;
}

char* SettingSet(SettingsStore& store, std::string_view key, std::string_view initialValue) {
    if (!store.isCreated()) return nullptr;
    key = clampKey(key);
    std::int32_t index = static_cast<std::int32_t>(homeSlot(store, key));
    while (store.slotTable[index].entry) {
        if (keyEquals(*store.slotTable[index].entry, key)) return store.slotTable[index].entry->value;
        if (store.slotTable[index].next >= 0) {
            index = store.slotTable[index].next;
            continue;
        }
        const std::int32_t freeIndex = findFreeSlot(store);
        if (freeIndex < 0) return nullptr;
        store.slotTable[index].next = freeIndex;
        store.slotTable[freeIndex].next = -1;
        index = freeIndex;
    }
    SettingEntryPtr entry = AcquireSettingEntry();
    if (!entry) return nullptr;
    copyText(entry->key, sizeof entry->key, key);
    copyText(entry->value, sizeof entry->value, initialValue);
    auto& slot = store.slotTable[index];
    slot.next = -1;
    slot.entry = std::move(entry);
    ++store.entryCount;
    return slot.entry->value;
}

std::int32_t SettingGetInt(const SettingsStore& store, std::string_view key) {
    const char* value = SettingGet(store, key);
    return value ? ParseLeadingInt(value) : 0;
}

void SettingSetFlag(SettingsStore& store, std::string_view key, bool flag) {
    if (char* value = SettingSet(store, key, "0")) value[0] = flag ? '1' : '0';
}

// Deletion keeps every remaining key reachable from its home slot. The successor's entry is
// pulled forward as usual, unless the successor slot is the home of a key further down the chain;
// then the rest of the chain is taken out and placed again. A slot emptied at a chain's end is
// unlinked so that it can never become the shared tail of two chains.
void SettingDelete(SettingsStore& store, std::string_view key) {
    const std::int32_t index = findSlot(store, clampKey(key));
    if (index < 0) return;
    auto& slot = store.slotTable[index];
    slot.entry.reset();
    --store.entryCount;

    const std::int32_t successor = slot.next;
    if (successor < 0) {
        const std::int32_t predecessor = predecessorOf(store, index);
        if (predecessor >= 0) store.slotTable[predecessor].next = -1;
        markFree(store, index);
        return;
    }
    if (!isHomeOfLaterKey(store, successor)) {
        slot.entry = std::move(store.slotTable[successor].entry);
        slot.next = store.slotTable[successor].next;
        markFree(store, successor);
        return;
    }
    const std::int32_t predecessor = predecessorOf(store, index);
    if (predecessor >= 0) store.slotTable[predecessor].next = -1;
    std::int32_t next = successor;
    markFree(store, index);
    std::vector<SettingEntryPtr> detached;
    while (next >= 0) {
        const std::int32_t following = store.slotTable[next].next;
        detached.push_back(std::move(store.slotTable[next].entry));
        markFree(store, next);
        next = following;
    }
    for (auto& entry : detached) placeEntry(store, std::move(entry));
}

std::uint32_t StoreChecksum(const SettingsStore* store) {
    std::uint32_t sum = 0x5A5A5A5A;
    if (!store || !store->isCreated()) return sum;
    for (std::uint32_t i = 0; i < store->slotCount; ++i) {
        const auto& entry = store->slotTable[i].entry;
        if (!entry) continue;
        for (const char* c = entry->value; *c; ++c) sum += static_cast<unsigned char>(*c);
        for (const char* c = entry->key; *c; ++c) sum += static_cast<unsigned char>(*c);
    }
    return sum;
}

namespace {

std::uint64_t mix(std::uint64_t x) {
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdULL;
    x ^= x >> 33;
    x *= 0xc4ceb9fe1a85ec53ULL;
    x ^= x >> 33;
    return x;
}

std::uint64_t entryDigest(const SettingEntry& entry) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;  // FNV-1a over key, a separator and value
    auto add = [&hash](const char* text) {
        for (; *text; ++text) hash = (hash ^ static_cast<unsigned char>(*text)) * 0x100000001b3ULL;
    };
    add(entry.key);
    hash = (hash ^ 0x100) * 0x100000001b3ULL;
    add(entry.value);
    return mix(hash);
}

}  // namespace

std::uint64_t StoreFingerprint(const SettingsStore& store) {
    std::uint64_t sum = 0;
    if (!store.isCreated()) return sum;
    for (std::uint32_t i = 0; i < store.slotCount; ++i) {
        if (store.slotTable[i].entry) sum += entryDigest(*store.slotTable[i].entry);
    }
    return sum;
}

void StoreMarkSaved(SettingsStore& store) {
    store.savedChecksum = StoreChecksum(&store);
    store.savedFingerprint = StoreFingerprint(store);
}

bool StoreChangedSinceSaved(const SettingsStore& store) {
    return StoreChecksum(&store) != store.savedChecksum || StoreFingerprint(store) != store.savedFingerprint;
}

bool SettingPut(SettingsStore& store, std::string_view key, std::string_view value) {
    char* buffer = SettingSet(store, key, value);
    if (!buffer) return false;
    copyText(buffer, SettingEntry::kValueCapacity, value);
    return true;
}

std::string_view SettingText(const SettingsStore& store, std::string_view key, std::string_view fallback) {
    const char* value = SettingGet(store, key);
    return value ? std::string_view(value) : fallback;
}

char* SettingGet(std::string_view key) { return currentStore ? SettingGet(*currentStore, key) : nullptr; }
char* SettingSet(std::string_view key, std::string_view initialValue) {
    return currentStore ? SettingSet(*currentStore, key, initialValue) : nullptr;
}
std::int32_t SettingGetInt(std::string_view key) { return currentStore ? SettingGetInt(*currentStore, key) : 0; }
void SettingSetFlag(std::string_view key, bool flag) {
    if (currentStore) SettingSetFlag(*currentStore, key, flag);
}
void SettingDelete(std::string_view key) {
    if (currentStore) SettingDelete(*currentStore, key);
}
std::uint32_t StoreChecksum() { return StoreChecksum(currentStore); }

std::int32_t ParseLeadingInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > 0x80000000LL) value = 0x80000000LL;  // saturate instead of overflowing
    }
    if (negative) value = -value;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace tamrik
