#include "ui/dialogs/ListField.h"

namespace tamrik {
namespace {

// The selected item's text is stored in a field of this many characters.
constexpr int kItemTextLimit = 4;

}  // namespace

ListField::ListField(std::string key, const QStringList& items, Storage storage, QWidget* parent)
    : QComboBox(parent), key_(std::move(key)), storage_(storage) {
    setObjectName(QString::fromStdString(key_));
    addItems(items);
    setCurrentIndex(-1);
}

void ListField::load(const SettingsStore& store) {
    const std::int32_t value = store.number(key_);
    int index = -1;
    switch (storage_) {
        case Storage::Position:
            index = value;
            break;
        case Storage::PositionPlusOne:
            index = value - 1;
            break;
        case Storage::ItemText:
            if (store.get(key_)) index = findText(QString::number(value), Qt::MatchExactly);
            break;
    }
    setCurrentIndex(index >= 0 && index < count() ? index : -1);
}

void ListField::write(SettingsStore& store) const {
    const int index = currentIndex();
    if (index < 0) return;
    switch (storage_) {
        case Storage::Position:
            store.put(key_, std::to_string(index));
            break;
        case Storage::PositionPlusOne:
            store.put(key_, std::to_string(index + 1));
            break;
        case Storage::ItemText:
            store.put(key_, currentText().left(kItemTextLimit).toStdString());
            break;
    }
}

}  // namespace tamrik
