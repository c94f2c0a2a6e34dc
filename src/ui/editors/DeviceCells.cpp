#include "ui/editors/DeviceCells.h"

#include <iterator>

#include "settings/DeviceCatalogue.h"
#include "ui/editors/EditorKeys.h"

namespace tamrik {
namespace {

struct ColumnInfo {
    const char* heading;
    const char* keyFormat;
    bool typed;
};

constexpr ColumnInfo kColumns[] = {
    {"Address", nullptr, false},
    {"Serial number", "SNum_%d", true},
    {"Type", "Type_%d", false},
    {"Version", "Version_%d", false},
    {"Map node", "MapNode_%d", false},
    {"Zone", "Zone_%d", true},
    {"Day Sens", "Sens1_%d", false},
    {"Night Sens", "Sens2_%d", false},
    {"Input group", "IPGroup_%d", true},
    {"Output group", "OPGroup_%d", true},
    {"Display group", "DisplayGroup_%d", true},
    {"Repeat group", "RptGroup_%d", true},
    {"Volume", "Volume_%d", false},
    {"Class", "Class_%d", false},
    {"Non Latching", "NonLatching_%d", false},
    {"Msg52 Config", "Coverage_%d", false},
};
static_assert(std::size(kColumns) == kDeviceColumnCount + 1);

bool validColumn(int column) { return column >= 0 && column <= kDeviceColumnCount; }

}  // namespace

const char* DeviceHeading(int column) { return validColumn(column) ? kColumns[column].heading : ""; }

bool DeviceColumnTyped(int column) { return validColumn(column) && kColumns[column].typed; }

const char* DeviceColumnKey(int column) { return validColumn(column) ? kColumns[column].keyFormat : nullptr; }

std::optional<std::string> DeviceCellText(const SettingsStore& store, int address, int column) {
    if (column == kDeviceAddressColumn) return std::to_string(address);
    const char* format = DeviceColumnKey(column);
    if (!format) return std::nullopt;
    const auto value = store.get(EditorKey(format, address));
    if (column == kDeviceNonLatchingColumn) return std::string(LatchingName(value.has_value()));
    const bool unsetWhenMissing = column == kDeviceTypeColumn || column == kDeviceVolumeColumn ||
                                  column == kDeviceClassColumn || column == kDeviceMsg52Column;
    if (!value) return unsetWhenMissing ? std::nullopt : std::optional<std::string>(kMissingValueText);

    switch (column) {
        case kDeviceTypeColumn:
            return DeviceTypeName(static_cast<std::uint32_t>(ParseLeadingInt(*value))).substr(0, 10);
        case kDeviceDaySensColumn:
        case kDeviceNightSensColumn:
            return SensModeName(value);
        case kDeviceVolumeColumn:
            return VolumeName(ParseLeadingInt(*value));
        case kDeviceClassColumn:
            return std::string(ClassName(ParseLeadingInt(*value)));
        case kDeviceMsg52Column:
            return Msg52Text(static_cast<std::uint32_t>(store.number(EditorKey("Type_%d", address))),
                             ParseLeadingInt(*value));
        default:
            return std::string(*value);
    }
}

int VolumeStep(int volume) {
    switch (volume) {
        case 2:
            return 4;
        case 4:
            return 15;
        default:
            return 2;
    }
}

int ClassStep(int deviceClass) {
    const int next = deviceClass + 1;
    return next > 11 ? 0 : next;
}

int ConfigOptionStep(int option) {
    if (option >= 0 && option < 7) return option + 1;
    // Past 7 the unit only has the fire-condition-reset variants, which are the odd codes 9 to 15.
    if (option >= 7 && option < 15 && option % 2 == 1) return option + 2;
    return 0;
}

int CoverageStep(int coverage) { return coverage == 0 || coverage == 1 ? coverage + 1 : 0; }

}  // namespace tamrik
