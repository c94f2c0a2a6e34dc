#pragma once

#include <string_view>

#include "settings/ProductVersion.h"

namespace tamrik {

// Printed first whenever the program is given any argument.
constexpr std::string_view kCommandLineBanner = "\n\n5300 Commissioning software " TAMRIK_PRODUCT_VERSION "\n";

// The short usage text of "-?": twenty lines, each ending in a line feed.
extern const std::string_view kUsageText;

// "--help": every option, the short ones and the long ones.
extern const std::string_view kHelpText;

}  // namespace tamrik
