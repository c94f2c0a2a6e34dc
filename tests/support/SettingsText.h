#pragma once

#include <algorithm>
#include <string_view>

#include "settings/SettingsStore.h"

namespace tamrik::testing {

// Puts "key=value" settings separated by semicolons (blanks after a semicolon are skipped).
inline void PutSettings(SettingsStore& store, std::string_view settings) {
    while (!settings.empty()) {
        settings.remove_prefix(std::min(settings.find_first_not_of(' '), settings.size()));
        const std::string_view item = settings.substr(0, settings.find(';'));
        const std::size_t equals = item.find('=');
        store.put(item.substr(0, equals), equals == item.npos ? "" : item.substr(equals + 1));
        settings.remove_prefix(std::min(item.size() + 1, settings.size()));
    }
}

}  // namespace tamrik::testing
