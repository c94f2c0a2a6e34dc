#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/SettingsStore.h"

namespace tamrik {

// The values of the store that the site and loop images cannot carry as they are, or that the panel
// does not accept: one line per value, "Language = 200: 0 to 12", in image order. Encoding would
// wrap, cut or zero such values without a word, so nothing may be written to a panel while this
// list is not empty. Keys that are absent are not listed (encoding gives them their defaults).
std::vector<std::string> ImageValueProblems(const SettingsStore& store);

// The same rule for one value of one key: what the key can hold ("1 to 32") when `value` is not
// that, else nothing.
std::optional<std::string> ImageValueProblem(std::string_view key, std::string_view value);

}  // namespace tamrik
