#pragma once

#include <cstdint>

#include "images/PanelIdentity.h"
#include "settings/SettingsStore.h"

namespace tamrik {

// Accepts a site data image of layout revision 1 or 2 (kSiteImageSize bytes). On success the
// store is emptied (destroyed and re-created, which also makes it this thread's current store),
// holds every setting of the image, and its savedChecksum records the fresh contents. Any other
// revision returns false with the store untouched.
bool SiteImageDecode(SettingsStore& store, const std::uint8_t* image /* kSiteImageSize bytes */);

// Fills `image` (kSiteImageSize bytes) and `identity` from the store and returns the image's
// ImageChecksum. The layout is revision 1 when SFRevision is 1, revision 2 otherwise.
// Side effects on the store: the 5-second times and pulse times are rewritten in their normal
// form, and missing site information keys are created empty.
std::uint16_t SiteImageEncode(SettingsStore& store, std::uint8_t* image /* kSiteImageSize */, PanelIdentity& identity);

}  // namespace tamrik
