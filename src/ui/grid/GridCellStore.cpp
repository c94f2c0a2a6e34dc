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

std::uint32_t ParseColour(std::string_view record) {
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

GridCellStore::GridCellStore() = default;
GridCellStore::~GridCellStore() = default;

std::string GridCellStore::Key(int row, int column) {
    char key[32];
    std::snprintf(key, sizeof key, "%05d-%03d", row, column);
    return key;
}

SettingsStore* GridCellStore::holder(std::string_view key) {
    for (auto& store : stores_) {
        if (store.contains(key)) return &store;
    }
    return nullptr;
}

std::optional<std::string_view> GridCellStore::find(std::string_view key) const {
    for (const auto& store : stores_) {
        if (const auto value = store.get(key)) return value;
    }
    return std::nullopt;
}

bool GridCellStore::insert(std::string_view key, std::string_view value) {
    for (auto& store : stores_) {
        if (store.put(key, value)) return true;
    }
    return false;
}

// Changes part of an existing record in place; false when the cell has none.
bool GridCellStore::rewrite(std::string_view key, std::size_t at, std::string_view part) {
    SettingsStore* store = holder(key);
    if (!store) return false;
    std::string value(store->text(key));
    if (value.size() < at + part.size()) value.resize(at + part.size(), ' ');
    value.replace(at, part.size(), part);
    store->put(key, value);
    return true;
}

std::optional<std::string_view> GridCellStore::record(int row, int column) const { return find(Key(row, column)); }

std::optional<GridCellStore::Cell> GridCellStore::read(int row, int column) const {
    const auto found = record(row, column);
    if (!found) return std::nullopt;
    const std::size_t length = found->size();
    Cell cell;
    cell.readOnly = length <= kAccessAt || (*found)[kAccessAt] == 'P';
    cell.colour = length >= kColourAt + kColourDigits ? ParseColour(*found) : 0xFFFFFFu;
    cell.text = length > kTextAt ? found->substr(kTextAt) : std::string_view();
    return cell;
}

bool GridCellStore::setText(int row, int column, bool readOnly, std::string_view text) {
    const std::string key = Key(row, column);
    const std::string value = MakeRecord(key, readOnly ? 'P' : 'U', 0xFFFFFF, text);
    if (SettingsStore* store = holder(key)) return store->put(key, value);
    return insert(key, value);
}

bool GridCellStore::setReadOnly(int row, int column, bool readOnly) {
    const std::string key = Key(row, column);
    if (rewrite(key, kAccessAt, readOnly ? "P" : "U")) return true;
    return insert(key, MakeRecord(key, readOnly ? 'P' : 'U', 0xFFFFFF, {}));
}

bool GridCellStore::setColour(int row, int column, std::uint32_t colour) {
    const std::string key = Key(row, column);
    if (rewrite(key, kColourAt, ColourDigits(colour))) return true;
    return insert(key, MakeRecord(key, 'U', colour, " "));
}

bool GridCellStore::remove(int row, int column) {
    const std::string key = Key(row, column);
    SettingsStore* store = holder(key);
    if (store) store->erase(key);
    return store != nullptr;
}

std::size_t GridCellStore::size() const {
    std::size_t count = 0;
    for (const auto& store : stores_) count += store.size();
    return count;
}

}  // namespace tamrik
