#include "settings/SettingsStore.h"

#include <algorithm>
#include <utility>

namespace tamrik {
namespace {

// Keys and values end at a NUL and are cut to their longest length.
std::string_view clampText(std::string_view text, std::size_t longest) {
    text = text.substr(0, text.find('\0'));
    return text.substr(0, std::min(text.size(), longest));
}

std::string_view clampKey(std::string_view key) { return clampText(key, SettingsStore::kMaxKeyLength); }
std::string_view clampValue(std::string_view value) { return clampText(value, SettingsStore::kMaxValueLength); }

std::uint64_t mix(std::uint64_t x) {
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdULL;
    x ^= x >> 33;
    x *= 0xc4ceb9fe1a85ec53ULL;
    x ^= x >> 33;
    return x;
}

std::uint64_t entryDigest(std::string_view key, std::string_view value) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;  // FNV-1a over key, a separator and value
    auto add = [&hash](std::string_view text) {
        for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
    };
    add(key);
    hash = (hash ^ 0x100) * 0x100000001b3ULL;
    add(value);
    return mix(hash);
}

}  // namespace

std::uint32_t StoreHash(std::string_view key, std::uint32_t length) {
    std::uint32_t hash = 5381;
    const std::size_t count = std::min<std::size_t>(length, key.size());
    for (std::size_t i = 0; i < count; ++i) hash = hash * 33 + static_cast<unsigned char>(key[i]);
    return hash;
}

SettingsStore::SettingsStore() : slots_(kSlotCount) {}

std::uint32_t SettingsStore::homeSlot(std::string_view key) const {
    return StoreHash(key, static_cast<std::uint32_t>(key.size() % 256)) % kBucketCount;
}

std::int32_t SettingsStore::findSlot(std::string_view key) const {
    key = clampKey(key);
    for (auto index = static_cast<std::int32_t>(homeSlot(key)); index >= 0; index = slots_[index].next) {
        if (slots_[index].used && slots_[index].key == key) return index;
    }
    return -1;
}

std::int32_t SettingsStore::findFreeSlot() {
    for (std::uint32_t index = firstFreeHint_; index < slots_.size(); ++index) {
        if (!slots_[index].used) {
            firstFreeHint_ = index;
            return static_cast<std::int32_t>(index);
        }
    }
    firstFreeHint_ = static_cast<std::uint32_t>(slots_.size());
    return -1;
}

void SettingsStore::markFree(std::int32_t index) {
    Slot& slot = slots_[index];
    slot.used = false;
    slot.key.clear();
    slot.value.clear();
    slot.next = -1;
    firstFreeHint_ = std::min(firstFreeHint_, static_cast<std::uint32_t>(index));
}

std::int32_t SettingsStore::predecessorOf(std::int32_t index) const {
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        if (slots_[i].next == index) return static_cast<std::int32_t>(i);
    }
    return -1;
}

// Whether any key stored from `index` onwards along the chain has `index` as its home slot.
bool SettingsStore::isHomeOfLaterKey(std::int32_t index) const {
    for (std::int32_t i = index; i >= 0; i = slots_[i].next) {
        if (slots_[i].used && static_cast<std::int32_t>(homeSlot(slots_[i].key)) == index) return true;
    }
    return false;
}

// Places a detached entry by the insertion walk. The caller guarantees a free slot exists.
void SettingsStore::place(Slot&& entry) {
    auto index = static_cast<std::int32_t>(homeSlot(entry.key));
    while (slots_[index].used) {
        if (slots_[index].next < 0) {
            const std::int32_t freeIndex = findFreeSlot();
            slots_[index].next = freeIndex;
            slots_[freeIndex].next = -1;
        }
        index = slots_[index].next;
    }
    Slot& slot = slots_[index];
    slot.key = std::move(entry.key);
    slot.value = std::move(entry.value);
    slot.used = true;
    slot.next = -1;
}

std::optional<std::string_view> SettingsStore::get(std::string_view key) const {
    const std::int32_t index = findSlot(key);
    if (index < 0) return std::nullopt;
    return std::string_view(slots_[index].value);
}

std::string_view SettingsStore::text(std::string_view key, std::string_view fallback) const {
    return get(key).value_or(fallback);
}

std::int32_t SettingsStore::number(std::string_view key) const {
    const auto value = get(key);
    return value ? ParseLeadingInt(*value) : 0;
}

std::string_view SettingsStore::insertIfAbsent(std::string_view key, std::string_view initial) {
    key = clampKey(key);
    auto index = static_cast<std::int32_t>(homeSlot(key));
    while (slots_[index].used) {
        if (slots_[index].key == key) return slots_[index].value;
        if (slots_[index].next >= 0) {
            index = slots_[index].next;
            continue;
        }
        const std::int32_t freeIndex = findFreeSlot();
        if (freeIndex < 0) return {};
        slots_[index].next = freeIndex;
        slots_[freeIndex].next = -1;
        index = freeIndex;
    }
    Slot& slot = slots_[index];
    slot.used = true;
    slot.next = -1;
    slot.key.assign(key);
    slot.value.assign(clampValue(initial));
    ++entryCount_;
    return slot.value;
}

bool SettingsStore::put(std::string_view key, std::string_view value) {
    value = clampValue(value);
    const std::int32_t index = findSlot(key);
    if (index >= 0) {
        slots_[index].value.assign(value);
        return true;
    }
    const std::size_t before = entryCount_;
    insertIfAbsent(key, value);
    return entryCount_ > before;
}

// Erasing keeps every remaining key reachable from its home slot. The successor's entry is pulled
// forward as usual, unless the successor slot is the home of a key further down the chain; then the
// rest of the chain is taken out and placed again. A slot emptied at a chain's end is unlinked so
// that it can never become the shared tail of two chains.
void SettingsStore::erase(std::string_view key) {
    const std::int32_t index = findSlot(key);
    if (index < 0) return;
    --entryCount_;
    const std::int32_t successor = slots_[index].next;
    if (successor < 0) {
        const std::int32_t predecessor = predecessorOf(index);
        if (predecessor >= 0) slots_[predecessor].next = -1;
        markFree(index);
        return;
    }
    if (!isHomeOfLaterKey(successor)) {
        Slot& slot = slots_[index];
        slot.key.swap(slots_[successor].key);
        slot.value.swap(slots_[successor].value);
        slot.next = slots_[successor].next;
        markFree(successor);
        return;
    }
    const std::int32_t predecessor = predecessorOf(index);
    if (predecessor >= 0) slots_[predecessor].next = -1;
    markFree(index);
    std::vector<Slot> detached;
    for (std::int32_t next = successor; next >= 0;) {
        const std::int32_t following = slots_[next].next;
        Slot entry;
        entry.key.swap(slots_[next].key);
        entry.value.swap(slots_[next].value);
        detached.push_back(std::move(entry));
        markFree(next);
        next = following;
    }
    for (Slot& entry : detached) place(std::move(entry));
}

void SettingsStore::clear() {
    for (Slot& slot : slots_) {
        slot.used = false;
        slot.next = -1;
        slot.key.clear();
        slot.value.clear();
    }
    entryCount_ = 0;
    firstFreeHint_ = 0;
    savedChecksum_ = 0;
    savedFingerprint_ = 0;
    savedSiteFingerprint_ = 0;
}

void SettingsStore::swap(SettingsStore& other) noexcept { std::swap(*this, other); }

std::uint32_t SettingsStore::checksum() const {
    std::uint32_t sum = 0x5A5A5A5A;
    for (const Entry entry : *this) {
        for (const char c : entry.value) sum += static_cast<unsigned char>(c);
        for (const char c : entry.key) sum += static_cast<unsigned char>(c);
    }
    return sum;
}

std::uint64_t SettingsStore::fingerprint() const {
    std::uint64_t sum = 0;
    for (const Entry entry : *this) sum += entryDigest(entry.key, entry.value);
    return sum;
}

std::uint64_t SettingsStore::siteFingerprint() const {
    std::uint64_t sum = 0;
    for (const Entry entry : *this) {
        if (!isWorkedOut(entry.key)) sum += entryDigest(entry.key, entry.value);
    }
    return sum;
}

void SettingsStore::markSaved() {
    savedChecksum_ = checksum();
    savedFingerprint_ = fingerprint();
    savedSiteFingerprint_ = siteFingerprint();
}

bool SettingsStore::changedSinceSaved() const {
    return checksum() != savedChecksum_ || fingerprint() != savedFingerprint_;
}

bool SettingsStore::siteChangedSinceSaved() const { return siteFingerprint() != savedSiteFingerprint_; }

SettingsStore::Delta SettingsStore::changesSince(const SettingsStore& earlier) const {
    Delta delta;
    delta.countBefore_ = earlier.entryCount_;
    delta.countAfter_ = entryCount_;
    for (std::uint32_t i = 0; i < slots_.size(); ++i) {
        const Slot& before = earlier.slots_[i];
        const Slot& after = slots_[i];
        if (before.used == after.used && before.next == after.next && before.key == after.key &&
            before.value == after.value) {
            continue;
        }
        delta.changes_.push_back({i, before, after});
    }
    return delta;
}

void SettingsStore::apply(const Delta& delta, bool forward) {
    for (const Delta::Change& change : delta.changes_) slots_[change.index] = forward ? change.after : change.before;
    entryCount_ = forward ? delta.countAfter_ : delta.countBefore_;
    firstFreeHint_ = 0;
}

std::vector<std::string_view> SettingsStore::Delta::changedKeys() const {
    std::vector<std::string_view> keys;
    for (const Change& change : changes_) {
        for (const Slot* slot : {&change.before, &change.after}) {
            if (slot->used && std::find(keys.begin(), keys.end(), slot->key) == keys.end()) keys.push_back(slot->key);
        }
    }
    return keys;
}

std::size_t SettingsStore::Delta::bytes() const {
    std::size_t total = sizeof(Delta) + changes_.capacity() * sizeof(Change);
    for (const Change& change : changes_) {
        for (const Slot* slot : {&change.before, &change.after}) total += slot->key.capacity() + slot->value.capacity();
    }
    return total;
}

SettingsStore::Entry SettingsStore::Iterator::operator*() const {
    const Slot& slot = store_->slots_[slot_];
    return {slot.key, slot.value};
}

void SettingsStore::Iterator::skipFree() {
    while (slot_ < store_->slots_.size() && !store_->slots_[slot_].used) ++slot_;
}

}  // namespace tamrik
