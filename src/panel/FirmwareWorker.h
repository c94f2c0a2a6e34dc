#pragma once

#include <cstdint>
#include <vector>

#include "panel/PanelSession.h"

namespace tamrik {

struct FirmwareJob {
    std::vector<std::uint8_t> image;  // kFirmwareImageSize bytes; empty when no file was loaded
    int fileVersionNumber = 0;
    bool readBack = true;  // off only where the cost of the read-back itself is measured
};

// Replaces the panel's firmware: asks the panel where its program memory ends (keeping the last
// block, the identity copy, from version 124 on), stamps the checksum into the image, erases the
// blocks from 0x5000, programs them and reads them back (a difference names its first address).
// Ends with "Firmware written to the panel" or "Firmware has
// NOT been written to panel" (no message when the panel does not answer the query) and closes the
// progress display. True when the firmware was written.
bool FirmwareWorker(PanelSession& session, FirmwareJob& job);

}  // namespace tamrik
