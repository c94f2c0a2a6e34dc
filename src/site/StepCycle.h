#pragma once

#include <algorithm>
#include <string>
#include <vector>

namespace tamrik {

// The texts a clicked cell shows, click after click, from `value` until a value comes round again.
template <typename Next, typename Name>
std::vector<std::string> StepCycle(std::string value, Next next, Name name, std::size_t limit = 64) {
    std::vector<std::string> seen;
    std::vector<std::string> texts;
    while (texts.size() < limit && std::find(seen.begin(), seen.end(), value) == seen.end()) {
        seen.push_back(value);
        texts.push_back(name(value));
        value = next(value);
    }
    return texts;
}

}  // namespace tamrik
