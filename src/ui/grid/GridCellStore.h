#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/SettingsStore.h"

namespace tamrik {

// The cell records of one grid, kept in settings stores of the grid's own. Key "%05d-%03d" (row,
// column); value "<key>|<P read-only or U editable>A|<colour as six hex digits of 0xBBGGRR>|<text>",
// so the access letter is character 10, the colour characters 13 to 18 and the text starts at 20.
// One store holds 8192 records; further stores take the records that do not fit, so that an event view
// of every event an image can hold (1021 rows of 6 cells) keeps all its cells.
class GridCellStore {
public:
    static constexpr std::size_t kStoreCount = 3;
    static constexpr std::size_t kCapacity = kStoreCount * SettingsStore::kSlotCount;

    struct Cell {
        bool readOnly = true;
        std::uint32_t colour = 0xFFFFFF;
        std::string_view text;  // valid until the record changes
    };

    GridCellStore();
    ~GridCellStore();
    GridCellStore(const GridCellStore&) = delete;
    GridCellStore& operator=(const GridCellStore&) = delete;

    static std::string Key(int row, int column);

    // The whole record text, or none when the cell has none.
    std::optional<std::string_view> record(int row, int column) const;
    std::optional<Cell> read(int row, int column) const;

    // Each returns false when the cell has no record and there is no room for one.
    // Writes the record anew: white, with the given access.
    bool setText(int row, int column, bool readOnly, std::string_view text);
    // Changes the access letter; a missing cell gets a record with white colour and empty text.
    bool setReadOnly(int row, int column, bool readOnly);
    // Changes the colour; a missing cell gets an editable record whose text is one space.
    bool setColour(int row, int column, std::uint32_t colour);

    // Returns whether there was a record to remove.
    bool remove(int row, int column);
    std::size_t size() const;

private:
    SettingsStore* holder(std::string_view key);
    std::optional<std::string_view> find(std::string_view key) const;
    bool insert(std::string_view key, std::string_view value);
    bool rewrite(std::string_view key, std::size_t at, std::string_view part);

    std::array<SettingsStore, kStoreCount> stores_;
};

}  // namespace tamrik
