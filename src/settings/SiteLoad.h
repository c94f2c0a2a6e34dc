#pragma once

#include <string>

#include "settings/SettingsStore.h"

namespace tamrik {

enum class SiteLoadResult {
    Loaded,             // read, and its check agrees
    LoadedWithErrors,   // the check failed, but errors are accepted: the file's site stays loaded
    RefusedWithErrors,  // the check failed: the store holds a new default site
    Unreadable,         // the file could not be opened: the store holds a new default site
};

// Loads a site file the way the Load command does: the store is emptied, the file read, and every
// key the file lacks filled in from the defaults (which also marks the store as saved).
// `reason` (when given) says why a file was Unreadable.
SiteLoadResult SiteLoad(SettingsStore& store, const std::string& path, bool acceptErrors,
                        std::string* reason = nullptr);

}  // namespace tamrik
