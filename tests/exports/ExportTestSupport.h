#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "settings/DefaultSettings.h"
#include "settings/SettingsStore.h"
#include "support/SettingsText.h"

namespace tamrik::testing {

// A store that lives for one test.
class ScratchStore {
public:
    explicit ScratchStore(bool withDefaults = true) {
        if (withDefaults) ApplyDefaultSettings(store);
    }
    ScratchStore(const ScratchStore&) = delete;
    ScratchStore& operator=(const ScratchStore&) = delete;

    void put(const std::string& key, const std::string& value) { store.put(key, value); }
    void set(std::string_view settings) { PutSettings(store, settings); }

    SettingsStore store;
};

// The lines of a CR LF text, without their line ends.
inline std::vector<std::string> CsvLines(const std::string& csv) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < csv.size()) {
        const std::size_t end = csv.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(csv.substr(start));
            break;
        }
        lines.push_back(csv.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

}  // namespace tamrik::testing
