#include "exports/DeviceDataExport.h"

#include "exports/CsvField.h"
#include "settings/DefaultSettings.h"
#include "settings/DeviceCatalogue.h"
#include "site/DeviceTable.h"
#include "site/KeyFamily.h"

namespace tamrik {
namespace {

class DeviceRow {
public:
    DeviceRow(const SettingsStore& store, int address) : store_(store), address_(address) {}

    std::optional<std::string_view> value(const KeyFamily& family) const { return store_.get(family(address_)); }

private:
    const SettingsStore& store_;
    int address_;
};

// The columns after the first are written ", value": the blank belongs to the field, so a field that
// needs quoting is quoted with its blank.
void appendSpaced(std::string& line, std::string_view text) {
    line += ',';
    CsvAppendField(line, " " + std::string(text));
}

}  // namespace

std::string DeviceDataCsv(const SettingsStore& store) {
    std::string csv = DeviceHeading(0);  // the device editor's headings
    for (int column = 1; column <= kDeviceColumnCount; ++column) {
        csv += ',';
        csv += DeviceHeading(column);
    }
    csv += "\r\n";
    for (int address = 1; address <= kLoopAddressCount; ++address) {
        const DeviceRow row(store, address);
        const auto text = [&](const KeyFamily& family) { return row.value(family).value_or(""); };
        std::string line = std::to_string(address);
        appendSpaced(line, text(key::Serial));
        if (const auto type = row.value(key::Type)) {
            appendSpaced(line, DeviceTypeName(static_cast<std::uint32_t>(ParseLeadingInt(*type))).substr(0, 10));
        }
        appendSpaced(line, text(key::Version));
        appendSpaced(line, text(key::MapNode));
        appendSpaced(line, text(key::Zone));
        appendSpaced(line, SensModeName(row.value(key::DaySensitivity)));
        appendSpaced(line, SensModeName(row.value(key::NightSensitivity)));
        appendSpaced(line, text(key::InputGroup));
        appendSpaced(line, text(key::OutputGroup));
        appendSpaced(line, text(key::DisplayGroup));
        appendSpaced(line, text(key::RepeatGroup));
        if (const auto volume = row.value(key::Volume)) {
            const int level = ParseLeadingInt(*volume);
            appendSpaced(line, level == 2 || level == 4 || level == 15 ? VolumeName(level) : std::string(*volume));
        }
        if (const auto deviceClass = row.value(key::Class))
            appendSpaced(line, ClassName(ParseLeadingInt(*deviceClass)));
        appendSpaced(line, LatchingName(row.value(key::NonLatching).has_value()));
        line += ',';
        // Without a coverage value the last field stays empty; the line still ends here, so the next
        // address never runs on into this one.
        if (const auto coverage = row.value(key::Coverage)) {
            const auto type = static_cast<std::uint32_t>(ParseLeadingInt(row.value(key::Type).value_or("0")));
            CsvAppendField(line, Msg52Text(type, ParseLeadingInt(*coverage)));
        }
        csv += line;
        csv += "\r\n";
    }
    return csv;
}

}  // namespace tamrik
