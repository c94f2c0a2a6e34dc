#pragma once

#include "panel/TransferObserver.h"

namespace tamrik {

// Ctrl+C on the command line. While a read runs, it stops the read at its next report. While a write
// or a firmware update runs, the first Ctrl+C only warns (stopping half-way leaves the panel
// unusable) and a second one stops it. Outside a transfer it ends the program as usual.
void InstallConsoleInterrupt(TransferObserver& observer);
// Restores the usual Ctrl+C.
void RemoveConsoleInterrupt();

inline constexpr const char* kStopWouldBreakPanel =
    "Stopping now would leave the panel unusable; the transfer will finish in a moment (Ctrl+C again stops it "
    "anyway)";

// The exit status of a program the user stopped with Ctrl+C, as a shell reports it.
inline constexpr int kStoppedExitStatus = 130;

}  // namespace tamrik
