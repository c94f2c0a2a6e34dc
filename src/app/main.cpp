#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#define TAMRIK_ISATTY(stream) _isatty(_fileno(stream))
#else
#include <unistd.h>
#define TAMRIK_ISATTY(stream) isatty(fileno(stream))
#endif

#include "app/cli/CommandLine.h"
#include "app/cli/LinkTransfers.h"
#include "panel/ConsoleObserver.h"
#include "settings/DefaultSettings.h"
#include "settings/SettingsStore.h"

#ifdef TAMRIK_HAVE_DESKTOP
#include "app/gui/DesktopApp.h"
#include "app/gui/WindowedFirmware.h"
#endif
#ifdef TAMRIK_HAVE_USB_LINK
#include "panel/hid/PanelLinkFactory.h"
#else
#include "panel/sim/SimulatedPanelFile.h"
#endif

namespace {

std::unique_ptr<tamrik::PanelTransfers> openPanel(const std::string& panel, std::string& error) {
#ifdef TAMRIK_HAVE_USB_LINK
    return tamrik::MakeLinkTransfers(tamrik::OpenPanelLink(panel, &error));
#else
    if (panel.starts_with("sim:")) {
        return tamrik::MakeLinkTransfers(tamrik::OpenSimulatedPanelLink(panel.substr(4), {}, &error));
    }
    error = "this build has no USB panel link; use --panel sim:FILE";
    return nullptr;
#endif
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);

    // Start-up order: the main store, the default site, then the command line, which may end the
    // program before any window exists.
    tamrik::SettingsStore mainStore;
    tamrik::StoreCreate(mainStore);
    tamrik::ApplyDefaultSettings(mainStore);

    // Without a terminal to answer, an older firmware is never installed behind the user's back.
    tamrik::ConsoleObserver observer(std::cout, std::cerr, TAMRIK_ISATTY(stdout) != 0,
                                     tamrik::ConsoleObserver::Answer::No);
    tamrik::CommandLineContext context{mainStore, std::cout, std::cerr, observer, openPanel};
    if (const char* panel = std::getenv("TAMRIK_PANEL"); panel && *panel) context.defaultPanel = panel;
#ifdef TAMRIK_HAVE_DESKTOP
    // A running desktop copy may be using the panel: command-line transfers refuse then.
    context.anotherInstanceRunning = [&argc, argv] { return tamrik::AnotherDesktopCopyIsRunning(argc, argv); };
    // With a display, "-f" runs in the firmware window; without one it stays on the console.
    if (tamrik::DisplayAvailable()) {
        context.openPanel = [&argc, argv](const std::string& panel, std::string& error) {
            return tamrik::MakeWindowedFirmwareTransfers(tamrik::OpenPanelLink(panel, &error), argc, argv);
        };
    }
#endif

    const tamrik::CommandLineResult result = tamrik::CommandLineMode(arguments, context);
    int exitStatus = result.exitStatus;

    if (result.openDesktop()) {
        // No option performed an action: the desktop opens on the prepared main store.
#ifdef TAMRIK_HAVE_DESKTOP
        tamrik::DesktopOptions options;
        options.acceptErrors = result.acceptErrors;
        options.panel = QString::fromStdString(result.panel);
        exitStatus = tamrik::RunDesktop(argc, argv, mainStore, options);
#else
        std::cerr << "tamrik: the desktop window is not part of this build; try tamrik --help\n";
        exitStatus = 0;
#endif
    }

    tamrik::StoreDestroy(&mainStore);
    return exitStatus;
}
