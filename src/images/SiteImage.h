#pragma once

#include <cstdint>
#include <string_view>

#include "images/PanelIdentity.h"
#include "settings/SettingsStore.h"

namespace tamrik {

// Accepts a site data image of layout revision 1 or 2 (kSiteImageSize bytes). On success the
// store is emptied, holds every setting of the image, and is marked as saved. Any other
// revision returns false with the store untouched.
bool SiteImageDecode(SettingsStore& store, const std::uint8_t* image /* kSiteImageSize bytes */);

// Fills `image` (kSiteImageSize bytes) and `identity` from the store and returns the image's
// ImageChecksum. The layout is revision 1 when SFRevision is 1, revision 2 otherwise. Times are
// read as the value dialogs normalise them; the store is left as it is.
std::uint16_t SiteImageEncode(const SettingsStore& store, std::uint8_t* image /* kSiteImageSize */,
                              PanelIdentity& identity);

// What the panel stores for a matrix cell, by the letter's first character: 1 C (continuous), 2 P
// (pulsing), 3 W (warble); anything else, an empty value included, is 0, off.
int MatrixLetterCode(std::string_view letter);

}  // namespace tamrik
