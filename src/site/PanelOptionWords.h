#pragma once

#include <string_view>

namespace tamrik {

// The words the panel's list options are shown in; each takes the stored list position and answers
// an empty text for a position the list does not have.
std::string_view LanguageName(int position);
std::string_view PanelTypeName(int position);
std::string_view FaultRelayModeName(int position);
std::string_view FireRelayModeName(int position);
std::string_view DisplayModeName(int position);
std::string_view TimeoutToneName(int position);
std::string_view FlashRateName(int position);

}  // namespace tamrik
