#pragma once

#include "panel/PanelSession.h"

namespace tamrik {

// Reads the panel into the session's store: site data (which empties the store and refills it),
// loop data, the firmware version and the event logs; PanelData is set to "1" at the end. Tells
// the user through the session's observer and closes its progress display whatever happens.
// True when everything was read; when the checksum words in data memory do not match the images
// read, the read still counts and a warning message (MessageIcon::Warning) says so.
bool ReadPanelWorker(PanelSession& session);

}  // namespace tamrik
