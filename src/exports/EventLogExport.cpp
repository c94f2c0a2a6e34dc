#include "exports/EventLogExport.h"

#include "exports/CsvField.h"
#include "site/EventList.h"
#include "site/EventRow.h"

namespace tamrik {
namespace {

std::string eventLine(const std::string& value) {
    const EventRow row = EventRowOf(value);
    std::string line;
    CsvAppendField(line, row.codeText);
    line += ',';
    if (!row.address.empty()) {
        // The address column holds the source as stored, after the separator's blank.
        CsvAppendField(line, " " + row.source);
        line += ",,";
    } else if (!row.zone.empty()) {
        line += " ," + row.zone + ", ";
    } else {
        line += " ,,";
    }
    line += row.time + ", " + row.shownText + ", " + (row.ended ? "OFF\r\n" : "ON\r\n");
    return line;
}

}  // namespace

std::string EventLogCsv(const SettingsStore& store) {
    std::string csv = "Event,Address,Zone,Time,Event text,On/Off\r\n";
    for (const std::string& value : EventListCollect(store, kCombinedEventLogs)) csv += eventLine(value);
    return csv;
}

}  // namespace tamrik
