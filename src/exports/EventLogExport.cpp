#include "exports/EventLogExport.h"

#include <cstdio>

#include "exports/CsvField.h"
#include "site/EventList.h"
#include "images/EventLog.h"

namespace tamrik {
namespace {

constexpr int kHighestAddress = 192;

std::string eventLine(const std::string& value) {
    const EventFields fields = EventFieldsSplit(value);
    std::string line;
    CsvAppendField(line, fields.codeText);
    line += ',';
    if (fields.source >= 1 && fields.source <= kHighestAddress) {
        // The address column holds the source as stored, after the separator's blank.
        CsvAppendField(line, " " + fields.sourceText);
        line += ",,";
    } else if (fields.source > kHighestAddress) {
        line += " ," + std::to_string(fields.source - kHighestAddress) + ", ";
    } else {
        line += " ,,";
    }
    const EventTime time = EventTimeSplit(static_cast<std::uint32_t>(fields.time));
    char text[96];
    std::snprintf(text, sizeof text, "%d/%d/%d %d:%02d:%02d, ", time.day, time.month, time.year, time.hour, time.minute,
                  time.second);
    line += text;
    const int number = fields.code & 0x7F;
    if (const char* eventText = EventText(number)) {
        line += eventText;
    } else {
        line += "Event " + std::to_string(number);
    }
    line += ", ";
    line += (fields.code & 0x80) ? "OFF\r\n" : "ON\r\n";
    return line;
}

}  // namespace

std::string EventLogCsv(const SettingsStore& store) {
    std::string csv = "Event,Address,Zone,Time,Event text,On/Off\r\n";
    for (const std::string& value : EventListCollect(store, kCombinedEventLogs)) csv += eventLine(value);
    return csv;
}

}  // namespace tamrik
