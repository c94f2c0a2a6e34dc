#pragma once

#include <memory>
#include <string>

#include "panel/PanelLink.h"

namespace tamrik {

// The link named by `which`: "usb" for the panel on USB, "usb:PATH" for the one at that device
// path (a hidraw node), "sim:FILE" for the simulated panel kept in
// FILE (created as the demo panel when missing). Null, with the reason in `error`, for a name it
// does not know or a state file it can't use.
std::unique_ptr<PanelLink> OpenPanelLink(const std::string& which, std::string* error = nullptr);

}  // namespace tamrik
