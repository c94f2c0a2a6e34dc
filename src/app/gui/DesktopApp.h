#pragma once

#include "app/gui/MainWindow.h"

namespace tamrik {

// Opens the desktop window on the main store and runs until it is closed. A second start hands over
// to the running copy (its window comes to the front) and returns 0 at once.
int RunDesktop(int argc, char** argv, SettingsStore& mainStore, const DesktopOptions& options);

}  // namespace tamrik
