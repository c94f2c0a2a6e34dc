#pragma once

#include <string>
#include <vector>

namespace tamrik {

// The command-line program carries no Qt, which keeps a scripted read or write small. It hands over
// to the desktop program (a sibling executable) when a window is wanted.

// The desktop program's path: beside this executable.
std::string DesktopProgramPath();

// Replaces this process with the desktop program, given the same arguments. `handedOver` tells it
// that this process already printed what the command line had to say. Returns only on failure.
void ExecDesktopProgram(char** argv, bool handedOver);

// Environment variable set on the desktop program by a hand-over.
inline constexpr const char* kHandedOverVariable = "TAMRIK_HANDED_OVER";

// Whether an X or Wayland display answers for windows (or a Qt platform other than the headless
// ones is named).
bool DisplayAvailable();
// Whether the desktop window can open at all: a display answers, or a headless Qt platform is named
// (the window then opens off screen, as tests want).
bool DesktopWindowCanOpen();

inline constexpr const char* kNoDisplayMessage = "No display: the desktop window cannot open";

// Whether a desktop copy of this user answers on its local socket (the same socket the desktop's
// single-instance server listens on).
bool AnotherDesktopCopyIsRunning();
// The socket's path: $XDG_RUNTIME_DIR (else $TMPDIR, else /tmp) / "__Tamrik-" + user.
std::string DesktopSocketPath();

// True when any argument is the firmware option (options are compared without regard to case).
bool HasFirmwareOption(const std::vector<std::string>& arguments);

}  // namespace tamrik
