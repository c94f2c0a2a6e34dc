#include "ui/grid/GridCellStore.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace tamrik {
namespace {

constexpr std::size_t kAccessAt = 10;
constexpr std::size_t kColourAt = 13;
constexpr std::size_t kColourDigits = 6;
constexpr std::size_t kTextAt = 20;

// Creating a store makes it the thread's current one; the grid's stores must never stay current,
// because the rest of the program works on the current store. With no store current before, an
// uncreated stand-in is selected, which every operation treats as having no store at all.
void CreatePrivateStore(SettingsStore& store) {
    static SettingsStore noStore;
    SettingsStore* previous = StoreSelect(nullptr);
    StoreCreate(store);
    StoreSelect(previous ? previous : &noStore);
}

std::string ColourDigits(std::uint32_t colour) {
    char digits[kColourDigits + 1];
    std::snprintf(digits, sizeof digits, "%06X", static_cast<unsigned>(colour & 0xFFFFFFu));
    return digits;
}

std::string MakeRecord(std::string_view key, char access, std::uint32_t colour, std::string_view text) {
    std::string record(key);
    record += '|';
    record += access;
    record += "A|";
    record += ColourDigits(colour);
    record += '|';
    record += text;
    return record;
}

std::uint32_t ParseColour(const char* record) {
    std::uint32_t colour = 0;
    for (std::size_t i = kColourAt; i < kColourAt + kColourDigits; ++i) {
        const char c = record[i];
        std::uint32_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<std::uint32_t>(c - '0');
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<std::uint32_t>(c - 'A' + 10);
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<std::uint32_t>(c - 'a' + 10);
        }
        colour = colour * 16 + digit;
    }
    return colour;
}

}  // namespace

GridCellStore::GridCellStore() { CreatePrivateStore(stores_[0]); }

GridCellStore::~GridCellStore() {
    for (auto& store : stores_) StoreDestroy(&store);
}

std::string GridCellStore::Key(int row, int column) {
    char key[32];
    std::snprintf(key, sizeof key, "%05d-%03d", row, column);
    return key;
}

char* GridCellStore::find(std::string_view key) {
    for (auto& store : stores_) {
        if (!store.isCreated()) break;
        if (char* value = SettingGet(store, key)) return value;
    }
    return nullptr;
}

const char* GridCellStore::find(std::string_view key) const {
    for (const auto& store : stores_) {
        if (!store.isCreated()) break;
        if (const char* value = SettingGet(store, key)) return value;
    }
    return nullptr;
}

bool GridCellStore::insert(std::string_view key, std::string_view value) {
    for (auto& store : stores_) {
        if (!store.isCreated()) CreatePrivateStore(store);
        if (SettingSet(store, key, value)) return true;
    }
    return false;
}

const char* GridCellStore::record(int row, int column) const { return find(Key(row, column)); }

std::optional<GridCellStore::Cell> GridCellStore::read(int row, int column) const {
    const char* found = record(row, column);
    if (!found) return std::nullopt;
    const std::size_t length = std::strlen(found);
    Cell cell;
    cell.readOnly = length <= kAccessAt || found[kAccessAt] == 'P';
    cell.colour = length >= kColourAt + kColourDigits ? ParseColour(found) : 0xFFFFFFu;
    cell.text = length > kTextAt ? std::string_view(found + kTextAt, length - kTextAt) : std::string_view();
    return cell;
}

bool GridCellStore::setText(int row, int column, bool readOnly, std::string_view text) {
    const std::string key = Key(row, column);
    const std::string value = MakeRecord(key, readOnly ? 'P' : 'U', 0xFFFFFF, text);
    if (char* existing = find(key)) {
        const std::size_t length = std::min(value.size(), SettingsStore::kMaxValueLength);
        std::memcpy(existing, value.data(), length);
        existing[length] = '\0';
        return true;
    }
    return insert(key, value);
}

bool GridCellStore::setReadOnly(int row, int column, bool readOnly) {
    const std::string key = Key(row, column);
    if (char* existing = find(key)) {
        existing[kAccessAt] = readOnly ? 'P' : 'U';
        return true;
    }
    return insert(key, MakeRecord(key, readOnly ? 'P' : 'U', 0xFFFFFF, {}));
}

bool GridCellStore::setColour(int row, int column, std::uint32_t colour) {
    const std::string key = Key(row, column);
    if (char* existing = find(key)) {
        const std::string digits = ColourDigits(colour);
        std::memcpy(existing + kColourAt, digits.data(), kColourDigits);
        return true;
    }
    return insert(key, MakeRecord(key, 'U', colour, " "));
}

bool GridCellStore::remove(int row, int column) {
    const std::string key = Key(row, column);
    for (auto& store : stores_) {
        if (!store.isCreated()) break;
        if (SettingGet(store, key)) {
            SettingDelete(store, key);
            return true;
        }
    }
    return false;
}

std::size_t GridCellStore::size() const {
    std::size_t count = 0;
    for (const auto& store : stores_) count += store.entryCount;
    return count;
}

}  // namespace tamrik
