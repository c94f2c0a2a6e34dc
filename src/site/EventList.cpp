#include "site/EventList.h"

#include <algorithm>

#include "images/ValueText.h"

namespace tamrik {

EventFields EventFieldsSplit(std::string_view value) {
    EventFields fields;
    const std::size_t first = value.find(',');
    fields.codeText = std::string(value.substr(0, first));
    fields.code = static_cast<int>(ParseDecimal(fields.codeText));
    if (first == std::string_view::npos) return fields;
    const std::size_t second = value.find(',', first + 1);
    fields.sourceText =
        std::string(value.substr(first + 1, second == std::string_view::npos ? second : second - first - 1));
    fields.source = static_cast<int>(ParseDecimal(fields.sourceText));
    if (second == std::string_view::npos) return fields;
    fields.time = ParseDecimal(value.substr(second + 1));
    fields.hasTime = true;
    return fields;
}

std::vector<std::string> EventListCollect(const SettingsStore& store, std::span<const KeyFamily* const> logs) {
    std::vector<std::string> events;
    for (const KeyFamily* log : logs) {
        for (int n = 1;; ++n) {
            const auto value = store.get((*log)(n));
            if (!value) break;
            events.emplace_back(*value);
        }
    }

    // Only values that carry a time take part in the ordering: a value without one has no place in
    // time, so it stays where it was collected and the others are ordered around it.
    struct Timed {
        std::int64_t time;
        std::string value;
    };
    std::vector<std::size_t> places;
    std::vector<Timed> timed;
    for (std::size_t i = 0; i < events.size(); ++i) {
        const EventFields fields = EventFieldsSplit(events[i]);
        if (!fields.hasTime) continue;
        places.push_back(i);
        timed.push_back({fields.time, std::move(events[i])});
    }
    std::stable_sort(timed.begin(), timed.end(), [](const Timed& a, const Timed& b) { return a.time < b.time; });
    for (std::size_t k = 0; k < places.size(); ++k) events[places[k]] = std::move(timed[k].value);
    return events;
}

}  // namespace tamrik
