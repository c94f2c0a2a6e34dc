#pragma once

#include "panel/PanelSession.h"

namespace tamrik {

// Writes the session's store to the panel, unless a value cannot be held by its image field
// (ImageValueProblems): then nothing is sent and the lines go out as one error message. Otherwise: the site and loop images are encoded, each preceded by
// its checksum in data memory, erased, programmed and read back; the identity copy is rewritten.
// Ends with "Settings have been sent to the panel" or "Settings have NOT been written to panel".
// True when both images read back as written.
bool WritePanelWorker(PanelSession& session);

}  // namespace tamrik
