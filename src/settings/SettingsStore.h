#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

namespace tamrik {

// One stored pair. Value buffers handed out by the store are written in place by callers
// (up to kValueCapacity - 1 characters plus the terminator).
struct SettingEntry {
    static constexpr std::size_t kKeyCapacity = 128;
    static constexpr std::size_t kValueCapacity = 1024;
    char key[kKeyCapacity];
    char value[kValueCapacity];
};

// Entry blocks come from a process-wide pool, so that emptying and refilling a store (New, Load, a
// panel read) reuses warm memory instead of returning it to the system and faulting it back in.
struct SettingEntryRelease {
    void operator()(SettingEntry* entry) const noexcept;
};
using SettingEntryPtr = std::unique_ptr<SettingEntry, SettingEntryRelease>;
SettingEntryPtr AcquireSettingEntry();

// Fixed-size hash table of text keys and text values; overflow entries live in the same slot
// array as home entries (coalesced chains). The slot order is visible outside: site files list
// entries in slot order.
//
// Keys hash to the 5000 home slots; the array carries further slots behind them that only take
// overflow entries once all 5000 are in use. Up to 5000 entries the layout is exactly that of a
// 5000-slot table; beyond it a full site with a panel's complete event logs (about 5,300 keys) still
// fits instead of losing events.
class SettingsStore {
public:
    static constexpr std::uint16_t kBucketCount = 5000;
    static constexpr std::uint16_t kSlotCount = 8192;
    static constexpr std::size_t kMaxKeyLength = SettingEntry::kKeyCapacity - 1;
    static constexpr std::size_t kMaxValueLength = SettingEntry::kValueCapacity - 1;

    struct Slot {
        std::int32_t next = -1;  // index of the following slot of the chain, -1 for none
        SettingEntryPtr entry;
    };

    SettingsStore() = default;
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    std::uint16_t bucketCount = 0;  // home slots: keys hash modulo this
    std::uint16_t slotCount = 0;    // all slots, home slots first
    std::uint16_t entryCount = 0;
    std::uint32_t savedChecksum = 0;
    // StoreFingerprint at the same moments savedChecksum is recorded (see StoreMarkSaved).
    std::uint64_t savedFingerprint = 0;
    std::unique_ptr<Slot[]> slotTable;

    // Lowest slot index that may be free; every slot below it holds an entry.
    std::uint32_t firstFreeHint = 0;

    bool isCreated() const { return slotTable != nullptr; }
};

std::uint32_t StoreHash(std::string_view key, std::uint32_t length);

void StoreCreate(SettingsStore& store);
// Exchanges two stores whole, entries, saved marks and all.
void StoreSwap(SettingsStore& a, SettingsStore& b) noexcept;
void StoreDestroy(SettingsStore* store);
// Makes a non-null store current and returns the store that was current on entry.
// The selection is per thread, so a worker and the UI thread never see each other's choice.
SettingsStore* StoreSelect(SettingsStore* store);

// Operations on an explicit store. Keys longer than 127 and values longer than 1023 characters
// are truncated.
char* SettingGet(SettingsStore& store, std::string_view key);
const char* SettingGet(const SettingsStore& store, std::string_view key);
char* SettingSet(SettingsStore& store, std::string_view key, std::string_view initialValue);
std::int32_t SettingGetInt(const SettingsStore& store, std::string_view key);
void SettingSetFlag(SettingsStore& store, std::string_view key, bool flag);
void SettingDelete(SettingsStore& store, std::string_view key);
std::uint32_t StoreChecksum(const SettingsStore* store);

// A 64-bit digest of every key with its value, independent of slot order. Unlike the byte-sum
// checksum it changes when two values are swapped or bytes are shifted between entries.
std::uint64_t StoreFingerprint(const SettingsStore& store);
// Records the store's current state as saved (checksum and fingerprint).
void StoreMarkSaved(SettingsStore& store);
// Whether anything changed since StoreMarkSaved.
bool StoreChangedSinceSaved(const SettingsStore& store);

// Replaces the value (inserting the key when absent). Returns false only when the store is full.
bool SettingPut(SettingsStore& store, std::string_view key, std::string_view value);
// The value as text, or the fallback when the key is absent.
std::string_view SettingText(const SettingsStore& store, std::string_view key, std::string_view fallback = {});

// The same operations on the current store of this thread (no-ops / none / 0 without one).
char* SettingGet(std::string_view key);
char* SettingSet(std::string_view key, std::string_view initialValue);
std::int32_t SettingGetInt(std::string_view key);
void SettingSetFlag(std::string_view key, bool flag);
void SettingDelete(std::string_view key);
std::uint32_t StoreChecksum();

// Reads text as the store's numbers are read: leading blanks, optional sign, decimal digits,
// stopping at the first other character; 0 without digits.
std::int32_t ParseLeadingInt(std::string_view text);

}  // namespace tamrik
