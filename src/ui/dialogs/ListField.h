#pragma once

#include <QComboBox>
#include <QStringList>
#include <string>

#include "settings/SettingsStore.h"

namespace tamrik {

// A drop-down list bound to one settings key.
class ListField : public QComboBox {
    Q_OBJECT
public:
    enum class Storage {
        Position,         // the key holds the selected position, "%d"
        PositionPlusOne,  // the key holds the position + 1
        ItemText,         // the key holds the selected item's text
    };

    ListField(std::string key, const QStringList& items, Storage storage, QWidget* parent = nullptr);

    const std::string& key() const { return key_; }

    // Selects the item the key names; a value outside the list (or a missing text key) selects nothing.
    void load(const SettingsStore& store);
    // Writes the selection. With nothing selected the key is left exactly as it was, so confirming a
    // list the user never touched cannot turn its value into one the panel cannot hold.
    void write(SettingsStore& store) const;

private:
    std::string key_;
    Storage storage_;
};

}  // namespace tamrik
