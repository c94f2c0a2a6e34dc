#include "site/EventRow.h"

#include <cstdio>

#include "images/EventLog.h"
#include "site/EventList.h"

namespace tamrik {

EventRow EventRowOf(std::string_view value) {
    constexpr int kHighestAddress = 192;
    const EventFields fields = EventFieldsSplit(value);
    EventRow row;
    row.codeText = fields.codeText;
    if (fields.source >= 1 && fields.source <= kHighestAddress) {
        row.source = fields.sourceText;
        row.address = std::to_string(fields.source);
    }
    if (fields.source > kHighestAddress) row.zone = std::to_string(fields.source - kHighestAddress);
    const EventTime time = EventTimeSplit(static_cast<std::uint32_t>(fields.time));
    char text[64];
    std::snprintf(text, sizeof text, "%d/%d/%d %d:%02d:%02d", time.day, time.month, time.year, time.hour, time.minute,
                  time.second);
    row.time = text;
    const int number = fields.code & 0x7F;
    const char* eventText = EventText(number);
    row.shownText = eventText ? eventText : "Event " + std::to_string(number);
    const std::size_t first = row.shownText.find_first_not_of(' ');
    if (first != std::string::npos) {
        row.text.assign(row.shownText, first, row.shownText.find_last_not_of(' ') + 1 - first);
    }
    row.ended = (fields.code & 0x80) != 0;
    return row;
}

}  // namespace tamrik
