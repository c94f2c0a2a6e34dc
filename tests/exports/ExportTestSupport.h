#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "settings/DefaultSettings.h"
#include "settings/SettingsStore.h"

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
    // Puts "key=value" settings separated by semicolons (blanks after a semicolon are skipped).
    void set(std::string_view settings) {
        while (!settings.empty()) {
            settings.remove_prefix(std::min(settings.find_first_not_of(' '), settings.size()));
            const std::string_view item = settings.substr(0, settings.find(';'));
            const std::size_t equals = item.find('=');
            store.put(item.substr(0, equals), equals == item.npos ? "" : item.substr(equals + 1));
            settings.remove_prefix(std::min(item.size() + 1, settings.size()));
        }
    }

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
