#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "panel/PanelSession.h"

namespace tamrik {

// A firmware file as the update shows it before writing.
struct FirmwareFile {
    std::vector<std::uint8_t> image;  // kFirmwareImageSize bytes, 0xFF where the file put nothing
    std::string type;                 // "5300", "KESTRELIX" or "Unknown"
    std::string versionChars;         // the 8 raw characters
    std::string versionText;          // "1.234 / 5.678", or "Unknown" for an unknown type
    int versionNumber = 0;            // the first three characters as a number
    bool known() const { return type != "Unknown"; }
};

// Loads the HEX file; false (with the reason, naming the line) when it is refused.
bool FirmwareFileLoad(const std::string& path, FirmwareFile& file, std::string* error = nullptr);

enum class FirmwareUpdateResult {
    Written,
    Failed,            // the worker ran and the firmware was not written (told through the observer)
    PanelUnreachable,  // the panel's version could not be read ("Fault with connection to panel" told)
    FileRefused,       // the file could not be read or is not a sound HEX file
    UnknownType,       // the file is not firmware for a known panel type
    Declined,          // older than the panel's firmware, and the question was answered No
};

// The firmware update without its dialog, as the command line runs it: reads the panel's version,
// loads the file, refuses unknown types, asks before installing an older version, then runs the
// worker on its own thread under the observer's progress display. `detail` gets a line for the
// results that the observer was not told about.
FirmwareUpdateResult FirmwareUpdateFromFile(PanelSession& session, const std::string& path,
                                            std::string* detail = nullptr);

}  // namespace tamrik
