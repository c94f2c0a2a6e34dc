#pragma once

#include <string>
#include <string_view>

namespace tamrik {

// One logged event as the event views, the exports and the report show it.
struct EventRow {
    std::string codeText;   // the event code as stored
    std::string source;     // when a device raised it: the source as stored, with the blank after the comma
    std::string address;    // the loop address, when a device raised it
    std::string zone;       // the zone, when a zone raised it
    std::string time;       // "d/m/yyyy h:mm:ss"
    std::string shownText;  // the event's words as the panel's display shows them ("Event 99" when unnamed)
    std::string text;       // the same without the display's padding
    bool ended = false;     // the condition ended ("OFF") rather than began ("ON")
};

// The columns an event is shown and exported in.
inline constexpr const char* kEventHeadings[] = {"Event", "Address", "Zone", "Time", "Event text", "On/Off"};

// Takes a stored event value ("code, source, time") apart; never reads past the value.
EventRow EventRowOf(std::string_view value);

}  // namespace tamrik
