#include "exports/TextExport.h"

#include "exports/CsvField.h"
#include "settings/DefaultSettings.h"
#include "site/KeyFamily.h"

namespace tamrik {
namespace {

void appendText(std::string& line, const SettingsStore& store, const std::string& key) {
    CsvAppendField(line, store.text(key));
}

}  // namespace

std::string TextCsv(const SettingsStore& store) {
    std::string csv = "Device text,Zone text,Banner text\r\n";
    for (int n = 1; n <= kLoopAddressCount; ++n) {
        appendText(csv, store, key::DeviceText(n));
        if (n <= kZoneCount) {
            csv += ',';
            appendText(csv, store, key::ZoneText(n));
        }
        if (n <= 2) {
            csv += ',';
            appendText(csv, store, key::BannerText(n));
        }
        csv += "\r\n";
    }
    return csv;
}

}  // namespace tamrik
