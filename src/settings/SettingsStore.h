#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/NumberText.h"

namespace tamrik {

// The site: a fixed-size hash table of text keys and text values. Overflow entries live in the same
// slot array as home entries (coalesced chains), and the slot order is visible outside: site files
// list entries in slot order, so the hash, the chains and the placement of overflow entries are part
// of the file format.
//
// Keys hash to the 5000 home slots; the array carries further slots behind them that only take
// overflow entries once all 5000 are in use. Up to 5000 entries the layout is exactly that of a
// 5000-slot table; beyond it a full site with a panel's complete event logs (about 5,300 keys) still
// fits instead of losing events.
//
// Keys are cut at 127 and values at 1023 characters, and both end at a NUL, as in the files. Views
// handed out stay valid until the store next changes. Copies are explicit (`copy()`), and cheap
// enough to take one before every change.
class SettingsStore {
public:
    static constexpr std::uint16_t kBucketCount = 5000;
    static constexpr std::uint16_t kSlotCount = 8192;
    static constexpr std::size_t kMaxKeyLength = 127;
    static constexpr std::size_t kMaxValueLength = 1023;

    struct Entry {
        std::string_view key;
        std::string_view value;
    };

    SettingsStore();
    SettingsStore(SettingsStore&&) noexcept = default;
    SettingsStore& operator=(SettingsStore&&) noexcept = default;
    SettingsStore& operator=(const SettingsStore&) = delete;
    SettingsStore copy() const { return SettingsStore(*this); }

    std::optional<std::string_view> get(std::string_view key) const;
    bool contains(std::string_view key) const { return findSlot(key) >= 0; }
    // The value, or `fallback` when the key is absent.
    std::string_view text(std::string_view key, std::string_view fallback = {}) const;
    // The value read as a number (see ParseLeadingInt); 0 when absent.
    std::int32_t number(std::string_view key) const;

    // Replaces the value, inserting the key when absent. False only when every slot is taken.
    bool put(std::string_view key, std::string_view value);
    // The stored value; the key is inserted with `initial` first when absent (empty when full).
    std::string_view insertIfAbsent(std::string_view key, std::string_view initial);
    void setFlag(std::string_view key, bool flag) { put(key, flag ? "1" : "0"); }
    void erase(std::string_view key);
    // Empties the store, saved marks included.
    void clear();
    void swap(SettingsStore& other) noexcept;

    std::size_t size() const { return entryCount_; }
    bool empty() const { return entryCount_ == 0; }

    // The byte sum the site file's Check line carries.
    std::uint32_t checksum() const;
    // A 64-bit digest of every key with its value, independent of slot order. Unlike the byte sum it
    // changes when two values are swapped or bytes are shifted between entries.
    std::uint64_t fingerprint() const;

    // Records the current state as saved (or just read, or freshly filled).
    void markSaved();
    std::uint32_t savedChecksum() const { return savedChecksum_; }
    // Whether anything changed since markSaved.
    bool changedSinceSaved() const;
    // The same, leaving out the loop current totals every design check records, so that merely
    // looking at a site never makes it "changed".
    bool siteChangedSinceSaved() const;
    // Whether the key holds a value the design check works out (the loop current totals) rather
    // than one anybody edits.
    static bool isWorkedOut(std::string_view key) { return key == "QuiescentCurrent" || key == "AlarmCurrent"; }

    // The slots that differ between an earlier state of this store and now, with both contents, so
    // that either state can be restored exactly (slot order included).
    class Delta;
    Delta changesSince(const SettingsStore& earlier) const;
    // Puts the changed slots back as they were after the change (`forward`) or before it.
    void apply(const Delta& delta, bool forward);

    // Entries in slot order.
    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Entry;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = Entry;
        Iterator(const SettingsStore* store, std::size_t slot) : store_(store), slot_(slot) { skipFree(); }
        Entry operator*() const;
        Iterator& operator++() {
            ++slot_;
            skipFree();
            return *this;
        }
        bool operator==(const Iterator& other) const { return slot_ == other.slot_; }

    private:
        void skipFree();
        const SettingsStore* store_;
        std::size_t slot_;
    };
    Iterator begin() const { return Iterator(this, 0); }
    Iterator end() const { return Iterator(this, slots_.size()); }

private:
    struct Slot {
        std::int32_t next = -1;  // index of the following slot of the chain, -1 for none
        bool used = false;
        std::string key;
        std::string value;
    };

    SettingsStore(const SettingsStore&) = default;

    std::uint32_t homeSlot(std::string_view key) const;
    std::int32_t findSlot(std::string_view key) const;
    std::int32_t findFreeSlot();
    void markFree(std::int32_t index);
    std::int32_t predecessorOf(std::int32_t index) const;
    bool isHomeOfLaterKey(std::int32_t index) const;
    void place(Slot&& entry);
    std::uint64_t siteFingerprint() const;

    std::vector<Slot> slots_;
    std::size_t entryCount_ = 0;
    std::uint32_t firstFreeHint_ = 0;  // lowest slot index that may be free
    std::uint32_t savedChecksum_ = 0;
    std::uint64_t savedFingerprint_ = 0;
    std::uint64_t savedSiteFingerprint_ = 0;
};

class SettingsStore::Delta {
public:
    bool empty() const { return changes_.empty(); }
    // The keys whose entries differ, each once.
    std::vector<std::string_view> changedKeys() const;
    // Roughly the memory the delta holds.
    std::size_t bytes() const;

private:
    friend class SettingsStore;
    struct Change {
        std::uint32_t index;
        Slot before;
        Slot after;
    };
    std::vector<Change> changes_;
    std::size_t countBefore_ = 0;
    std::size_t countAfter_ = 0;
};

// The hash of the first `length` characters of the key (at most the key's own length).
std::uint32_t StoreHash(std::string_view key, std::uint32_t length);

}  // namespace tamrik
