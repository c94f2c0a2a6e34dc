#include "exports/TextExport.h"

#include "exports/CsvField.h"
#include "settings/DefaultSettings.h"

namespace tamrik {
namespace {

void appendText(std::string& line, const SettingsStore& store, const std::string& key) {
    CsvAppendField(line, store.text(key));
}

}  // namespace

std::string TextCsv(const SettingsStore& store) {
    std::string csv = "Device text,Zone text,Banner text\r\n";
    for (int n = 1; n <= kLoopAddressCount; ++n) {
        const std::string index = std::to_string(n);
        appendText(csv, store, "DeviceText_" + index);
        if (n <= kZoneCount) {
            csv += ',';
            appendText(csv, store, "ZoneText_" + index);
        }
        if (n <= 2) {
            csv += ',';
            appendText(csv, store, "BannerText_" + index);
        }
        csv += "\r\n";
    }
    return csv;
}

}  // namespace tamrik
