#pragma once

#include <string>
#include <string_view>

#include "settings/SettingsStore.h"

namespace tamrik {

// Strips blanks, control characters and bytes with the top bit set from both ends; a remainder of
// two or more characters is centred in the display's 20-character field (cut to 20 when longer).
std::string TidyText(std::string_view text);

// Tidies the device, zone and banner texts after a text import; absent keys are skipped.
void TidyImportedTexts(SettingsStore& store);

}  // namespace tamrik
