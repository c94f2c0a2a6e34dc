#include "settings/SiteLoad.h"

#include "settings/DefaultSettings.h"
#include "settings/SiteFile.h"

namespace tamrik {
namespace {

void empty(SettingsStore& store) { store.clear(); }

}  // namespace

SiteLoadResult SiteLoad(SettingsStore& store, const std::string& path, bool acceptErrors, std::string* reason) {
    empty(store);
    const int read = SiteFileRead(path, store, reason);
    ApplyDefaultSettings(store);
    if (read == kSiteFileUnreadable) return SiteLoadResult::Unreadable;
    if (read == kSiteFileOk) return SiteLoadResult::Loaded;
    if (acceptErrors) return SiteLoadResult::LoadedWithErrors;
    empty(store);
    ApplyDefaultSettings(store);
    return SiteLoadResult::RefusedWithErrors;
}

}  // namespace tamrik
