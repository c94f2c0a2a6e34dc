#include "site/DeviceTable.h"

#include <algorithm>
#include <iterator>

#include "images/ValueText.h"
#include "settings/DefaultSettings.h"
#include "settings/DeviceCatalogue.h"
#include "site/MatrixTable.h"

namespace tamrik {
namespace {

struct ColumnInfo {
    const char* heading;
    const KeyFamily* family;
    bool typed;
};

constexpr ColumnInfo kColumns[] = {
    {"Address", nullptr, false},
    {"Serial number", &key::Serial, true},
    {"Type", &key::Type, false},
    {"Version", &key::Version, false},
    {"Map node", &key::MapNode, false},
    {"Zone", &key::Zone, true},
    {"Day Sens", &key::DaySensitivity, false},
    {"Night Sens", &key::NightSensitivity, false},
    {"Input group", &key::InputGroup, true},
    {"Output group", &key::OutputGroup, true},
    {"Display group", &key::DisplayGroup, true},
    {"Repeat group", &key::RepeatGroup, true},
    {"Volume", &key::Volume, false},
    {"Class", &key::Class, false},
    {"Non Latching", &key::NonLatching, false},
    {"Msg52 Config", &key::Coverage, false},
};
static_assert(std::size(kColumns) == kDeviceColumnCount + 1);

// The key families of one device with the values of an empty address.
struct DeviceKeyClear {
    const KeyFamily* family;
    const char* clearValue;
};
constexpr DeviceKeyClear kDeviceKeyClears[] = {
    {&key::Serial, "000000"}, {&key::Type, "0"},           {&key::Version, "0"},          {&key::MapNode, "0"},
    {&key::Zone, "1"},        {&key::DaySensitivity, "0"}, {&key::NightSensitivity, "0"}, {&key::InputGroup, "1"},
    {&key::OutputGroup, "1"}, {&key::DisplayGroup, "0"},   {&key::RepeatGroup, "0"},      {&key::Volume, "15"},
    {&key::Class, "0"},       {&key::NonLatching, "0"},    {&key::Coverage, "0"},
};

constexpr std::size_t kMostSteps = 64;

bool validColumn(int column) { return column >= 0 && column <= kDeviceColumnCount; }
bool validAddress(int address) { return address >= 1 && address <= kLoopAddressCount; }

int VolumeStep(int volume) {  // 2 -> 4 -> 15 -> 2, anything else -> 2
    switch (volume) {
        case 2:
            return 4;
        case 4:
            return 15;
        default:
            return 2;
    }
}

int ClassStep(int deviceClass) {  // +1, wrapping from above 11 to 0
    const int next = deviceClass + 1;
    return next > 11 ? 0 : next;
}

// The four-channel unit: 0 to 7; past 7 it only has the fire-condition-reset variants, the odd
// codes 9 to 15; then 0.
int ConfigOptionStep(int option) {
    if (option >= 0 && option < 7) return option + 1;
    if (option >= 7 && option < 15 && option % 2 == 1) return option + 2;
    return 0;
}

int CoverageStep(int coverage) { return coverage == 0 || coverage == 1 ? coverage + 1 : 0; }

int number(std::string_view text) { return ParseLeadingInt(text); }

// The type a click reads; a missing type key is created empty, as the panel program always did.
std::uint32_t typeForStepping(SettingsStore& store, int address, std::string_view absent) {
    return static_cast<std::uint32_t>(number(store.insertIfAbsent(key::Type(address), absent)));
}

std::string stepNumber(SettingsStore& store, const std::string& key, int (*step)(int)) {
    const int next = step(number(store.insertIfAbsent(key, "0")));
    store.put(key, std::to_string(next));
    return std::to_string(next);
}

struct Range {
    int low;
    int high;
};

// Limits of the typed number columns.
std::optional<Range> numberRange(int column) {
    switch (column) {
        case kDeviceZoneColumn:
        case kDeviceOutputGroupColumn:
            return Range{1, 32};
        case kDeviceInputGroupColumn:
            return Range{1, 31};
        case kDeviceDisplayGroupColumn:
            return Range{0, 255};
        case kDeviceRepeatGroupColumn:
            return Range{0, 32};
        default:
            return std::nullopt;
    }
}

bool allDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

const char* DeviceHeading(int column) { return validColumn(column) ? kColumns[column].heading : ""; }

bool DeviceColumnTyped(int column) { return validColumn(column) && kColumns[column].typed; }

const KeyFamily* DeviceColumnKey(int column) { return validColumn(column) ? kColumns[column].family : nullptr; }

std::optional<std::string> DeviceCellText(const SettingsStore& store, int address, int column) {
    if (column == kDeviceAddressColumn) return std::to_string(address);
    const KeyFamily* family = DeviceColumnKey(column);
    if (!family) return std::nullopt;
    const auto value = store.get((*family)(address));
    if (column == kDeviceNonLatchingColumn) return std::string(LatchingName(value.has_value()));
    const bool unsetWhenMissing = column == kDeviceTypeColumn || column == kDeviceVolumeColumn ||
                                  column == kDeviceClassColumn || column == kDeviceMsg52Column;
    if (!value) return unsetWhenMissing ? std::nullopt : std::optional<std::string>(kMissingValueText);

    switch (column) {
        case kDeviceTypeColumn:
            return DeviceTypeName(static_cast<std::uint32_t>(number(*value))).substr(0, 10);
        case kDeviceDaySensColumn:
        case kDeviceNightSensColumn:
            return SensModeName(value);
        case kDeviceVolumeColumn:
            return VolumeName(number(*value));
        case kDeviceClassColumn:
            return std::string(ClassName(number(*value)));
        case kDeviceMsg52Column:
            return Msg52Text(static_cast<std::uint32_t>(store.number(key::Type(address))), number(*value));
        default:
            return std::string(*value);
    }
}

std::optional<std::string> DeviceCellClick(SettingsStore& store, int address, int column) {
    if (!validAddress(address)) return std::nullopt;
    switch (column) {
        case kDeviceDaySensColumn:
        case kDeviceNightSensColumn: {
            const std::uint32_t type = typeForStepping(store, address, "");
            const std::string key = (*DeviceColumnKey(column))(address);
            const std::string mode = SensModeStepped(store.insertIfAbsent(key, "0"), type);
            store.put(key, mode);
            return SensModeName(mode);
        }
        case kDeviceVolumeColumn:
            return VolumeName(number(stepNumber(store, key::Volume(address), VolumeStep)));
        case kDeviceClassColumn:
            return std::string(ClassName(number(stepNumber(store, key::Class(address), ClassStep))));
        case kDeviceNonLatchingColumn: {
            const std::string key = key::NonLatching(address);
            const bool nonLatching = !store.contains(key);
            if (nonLatching) {
                store.put(key, "1");
            } else {
                store.erase(key);
            }
            return std::string(LatchingName(nonLatching));
        }
        case kDeviceMsg52Column: {
            const std::string key = key::Coverage(address);
            const auto coverage = store.get(key);
            if (!coverage) return std::nullopt;
            const auto type = static_cast<std::uint32_t>(store.number(key::Type(address)));
            const int code = number(*coverage);
            if (type == kConfigOptionType) {
                const int next = ConfigOptionStep(code);
                store.put(key, std::to_string(next));
                return std::string(ConfigOptionName(next));
            }
            // A coverage the type does not have is shown but not stored.
            const int next = CoverageStep(code);
            const char* name = CoverageName(type, next);
            if (name) store.put(key, std::to_string(next));
            return std::string(name ? name : "N/A");
        }
        default:
            return std::nullopt;
    }
}

// Clicked on a copy of the site again and again until the stored value comes round: the choices are
// what the clicks do, whatever the column.
std::vector<std::string> DeviceCellSteps(const SettingsStore& store, int address, int column) {
    const KeyFamily* family = DeviceColumnKey(column);
    if (!family || !validAddress(address)) return {};
    const std::string key = (*family)(address);
    SettingsStore clicked = store.copy();
    const auto valueOf = [&key](const SettingsStore& site) {
        const auto value = site.get(key);
        return value ? std::optional<std::string>(*value) : std::nullopt;
    };
    std::vector<std::optional<std::string>> seen{valueOf(store)};
    std::vector<std::string> texts{DeviceCellText(store, address, column).value_or(std::string())};
    while (texts.size() < kMostSteps) {
        const std::optional<std::string> shown = DeviceCellClick(clicked, address, column);
        if (!shown) return {};
        const auto value = valueOf(clicked);
        if (std::find(seen.begin(), seen.end(), value) != seen.end()) break;
        seen.push_back(value);
        texts.push_back(*shown);
    }
    return texts;
}

void DeviceClassesReset(SettingsStore& store) {
    for (int address = 1; address <= kLoopAddressCount; ++address) {
        const bool manual = IsManualCallPointType(typeForStepping(store, address, "0"));
        store.put(key::Class(address), manual ? "1" : "0");
    }
}

TypedValue DeviceTypedValue(const SettingsStore& store, int column, std::string_view typed) {
    const std::optional<Range> range = numberRange(column);
    if (!range) return TypedValue::Accepted;
    // Only a plain number is a group or zone; anything else is refused rather than stored as text.
    if (!allDigits(typed)) return TypedValue::Refused;
    const std::int64_t value = ParseDecimal(typed);
    if (value < range->low || value > range->high) return TypedValue::Refused;
    if (column == kDeviceInputGroupColumn) {
        if (value == kRemoteAlarmInputGroup && store.number("RemoteAlarmInput") != 0 &&
            store.number("RaiControl") == 0) {
            return TypedValue::RemoteAlarmInputGroup;
        }
        if (value == kClassChangeInputGroup && store.number("ClassChange") != 0) {
            return TypedValue::ClassChangeInputGroup;
        }
    }
    return TypedValue::Accepted;
}

void DeviceClear(SettingsStore& store, int address) {
    for (const DeviceKeyClear& clear : kDeviceKeyClears) {
        const std::string name = (*clear.family)(address);
        if (store.get(name)) store.put(name, clear.clearValue);
    }
    store.erase(key::NonLatching(address));
}

void DeviceSwap(SettingsStore& store, int first, int second) {
    if (first == second) return;
    for (const DeviceKeyClear& device : kDeviceKeyClears) {
        const std::string firstKey = (*device.family)(first);
        const std::string secondKey = (*device.family)(second);
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
