#pragma once

#include "panel/PanelSession.h"

namespace tamrik {

// Reads the panel into the session's store: site data, loop data, the firmware version and the
// event logs, with PanelData set to "1" and the whole marked as saved. The store is replaced only
// when everything was read; a failed read leaves it as it was. Tells
// the user through the session's observer and closes its progress display whatever happens.
// True when everything was read; when the checksum words in data memory do not match the images
// read, the read still counts and a warning message (MessageIcon::Warning) says so.
bool ReadPanelWorker(PanelSession& session);

}  // namespace tamrik
