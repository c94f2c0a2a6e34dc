#include "exports/EventLogExport.h"

#include "exports/CsvField.h"
#include "site/EventList.h"
#include "site/EventRow.h"

namespace tamrik {
namespace {

void appendEventLine(std::string& line, const std::string& value) {
    const EventRow row = EventRowOf(value);
    CsvAppendField(line, row.codeText);
    line += ',';
    if (!row.address.empty()) {
        // The address column holds the source as stored, after the separator's blank.
        CsvAppendField(line, " " + row.source);
        line += ",,";
    } else if (!row.zone.empty()) {
        line += " ,";
        line += row.zone;
        line += ", ";
    } else {
        line += " ,,";
    }
    for (const std::string* part : {&row.time, &row.shownText}) {
        line += *part;
        line += ", ";
    }
    line += row.ended ? "OFF\r\n" : "ON\r\n";
}

}  // namespace

std::string EventLogCsv(const SettingsStore& store) {
    std::string csv;
    for (const char* heading : kEventHeadings) {
        if (!csv.empty()) csv += ',';
        csv += heading;
    }
    csv += "\r\n";
    for (const std::string& value : EventListCollect(store, kCombinedEventLogs)) appendEventLine(csv, value);
    return csv;
}

}  // namespace tamrik
