#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "settings/SettingsStore.h"
#include "site/KeyFamily.h"

namespace tamrik {

// The order the combined list and the export collect the two event logs.
inline constexpr const KeyFamily* kCombinedEventLogs[] = {&key::NonFireEvent, &key::FireEvent};

// The values of the `logs`, each log taken from number 1 up to its first missing
// number, ordered oldest first. Every event is kept, however many the logs hold. Events of equal
// time keep the order they were collected in; a value without a time keeps its place in the list.
std::vector<std::string> EventListCollect(const SettingsStore& store, std::span<const KeyFamily* const> logs);

// One event value ("code, source, time") split at its commas, each text as stored.
struct EventFields {
    std::string codeText;    // before the first comma
    std::string sourceText;  // between the first and second comma, with its leading blank
    int code = 0;
    int source = 0;
    std::int64_t time = 0;  // as written: the panel's unsigned seconds printed as a signed number
    bool hasTime = false;   // false when the value has fewer than two commas
};
EventFields EventFieldsSplit(std::string_view value);

}  // namespace tamrik
