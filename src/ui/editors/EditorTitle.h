#pragma once

namespace tamrik {

// The program title that the editors' messages carry.
inline constexpr const char* kEditorMessageTitle = "5300 Commissioning software";

}  // namespace tamrik
