#include "ui/editors/DeviceKeyTable.h"

#include "ui/editors/EditorKeys.h"

namespace tamrik {
namespace {

constexpr DeviceKey kDeviceKeys[] = {
    {"SNum_%d", "000000"}, {"Type_%d", "0"},    {"Version_%d", "0"}, {"MapNode_%d", "0"},     {"Zone_%d", "1"},
    {"Sens1_%d", "0"},     {"Sens2_%d", "0"},   {"IPGroup_%d", "1"}, {"OPGroup_%d", "1"},     {"DisplayGroup_%d", "0"},
    {"RptGroup_%d", "0"},  {"Volume_%d", "15"}, {"Class_%d", "0"},   {"NonLatching_%d", "0"}, {"Coverage_%d", "0"},
};

}  // namespace

std::span<const DeviceKey> DeviceKeyTable() { return kDeviceKeys; }

void DeviceClear(SettingsStore& store, int address) {
    for (const DeviceKey& key : kDeviceKeys) {
        const std::string name = EditorKey(key.format, address);
        if (store.get(name)) store.put(name, key.clearValue);
    }
    store.erase(EditorKey("NonLatching_%d", address));
}

void DeviceSwap(SettingsStore& store, int first, int second) {
    if (first == second) return;
    for (const DeviceKey& key : kDeviceKeys) {
        const std::string firstKey = EditorKey(key.format, first);
        const std::string secondKey = EditorKey(key.format, second);
        const auto firstValue = store.get(firstKey);
        const auto secondValue = store.get(secondKey);
        // The values are copied before either key is written.
        const std::string firstText(firstValue.value_or(""));
        const std::string secondText(secondValue.value_or(""));
        if (firstValue && secondValue) {
            store.put(firstKey, secondText);
            store.put(secondKey, firstText);
        } else if (firstValue) {
            store.put(secondKey, firstText);
            store.erase(firstKey);
        } else if (secondValue) {
            store.put(firstKey, secondText);
            store.erase(secondKey);
        }
    }
}

}  // namespace tamrik
