#include "exports/DeviceDataExport.h"

#include <cstdio>

#include "exports/CsvField.h"
#include "settings/DefaultSettings.h"
#include "settings/DeviceCatalogue.h"

namespace tamrik {
namespace {

class DeviceRow {
public:
    DeviceRow(const SettingsStore& store, int address) : store_(store), address_(address) {}

    std::optional<std::string_view> value(const char* format) const {
        char key[32];
        std::snprintf(key, sizeof key, format, address_);
        return store_.get(key);
    }

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
    std::string csv =
        "Address,Serial number,Type,Version,Map node,Zone,Day Sens,Night Sens,Input group,Output group,"
        "Display group,Repeat group,Volume,Class,Non Latching,Msg52 Config\r\n";
    for (int address = 1; address <= kLoopAddressCount; ++address) {
        const DeviceRow row(store, address);
        const auto text = [&](const char* format) { return row.value(format).value_or(""); };
        std::string line = std::to_string(address);
        appendSpaced(line, text("SNum_%d"));
        if (const auto type = row.value("Type_%d")) {
            appendSpaced(line, DeviceTypeName(static_cast<std::uint32_t>(ParseLeadingInt(*type))).substr(0, 10));
        }
        appendSpaced(line, text("Version_%d"));
        appendSpaced(line, text("MapNode_%d"));
        appendSpaced(line, text("Zone_%d"));
        appendSpaced(line, SensModeName(row.value("Sens1_%d")));
        appendSpaced(line, SensModeName(row.value("Sens2_%d")));
        appendSpaced(line, text("IPGroup_%d"));
        appendSpaced(line, text("OPGroup_%d"));
        appendSpaced(line, text("DisplayGroup_%d"));
        appendSpaced(line, text("RptGroup_%d"));
        if (const auto volume = row.value("Volume_%d")) {
            const int level = ParseLeadingInt(*volume);
            appendSpaced(line, level == 2 || level == 4 || level == 15 ? VolumeName(level) : std::string(*volume));
        }
        if (const auto deviceClass = row.value("Class_%d"))
            appendSpaced(line, ClassName(ParseLeadingInt(*deviceClass)));
        appendSpaced(line, LatchingName(row.value("NonLatching_%d").has_value()));
        line += ',';
        // Without a coverage value the last field stays empty; the line still ends here, so the next
        // address never runs on into this one.
        if (const auto coverage = row.value("Coverage_%d")) {
            const auto type = static_cast<std::uint32_t>(ParseLeadingInt(row.value("Type_%d").value_or("0")));
            CsvAppendField(line, Msg52Text(type, ParseLeadingInt(*coverage)));
        }
        csv += line;
        csv += "\r\n";
    }
    return csv;
}

}  // namespace tamrik
