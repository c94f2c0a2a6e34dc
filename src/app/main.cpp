#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <new>
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
#include "app/cli/ConsoleInterrupt.h"
#include "app/cli/LinkTransfers.h"
#include "app/cli/UsageText.h"
#include "app/launch/DesktopLauncher.h"
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

// Built twice: "tamrik" without Qt, which hands over to "tamrik-desktop" (built with
// TAMRIK_HAVE_DESKTOP) whenever a window is wanted, so that scripted transfers stay small.
int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
#ifndef TAMRIK_HAVE_DESKTOP
    // With a display, "-f" runs in the firmware window: the desktop program does the whole command line.
    if (tamrik::DisplayAvailable() && tamrik::HasFirmwareOption(arguments)) tamrik::ExecDesktopProgram(argv, false);
#endif

    // Start-up order: the main store, the default site, then the command line, which may end the
    // program before any window exists.
    tamrik::SettingsStore mainStore;
    tamrik::ApplyDefaultSettings(mainStore);

    // A hand-over repeats a command line that performed no action; the first process has already
    // printed everything it had to say.
    std::ostream* out = &std::cout;
    std::ostream* err = &std::cerr;
    std::ostream silent(nullptr);
    if (std::getenv(tamrik::kHandedOverVariable)) {
        ::unsetenv(tamrik::kHandedOverVariable);
        out = &silent;
        err = &silent;
    }

    // Without a terminal to answer, an older firmware is never installed behind the user's back.
    // Progress goes to the error stream with the messages, so that the output stream carries only results.
    tamrik::ConsoleObserver observer(*err, *err, TAMRIK_ISATTY(stderr) != 0, tamrik::ConsoleObserver::Answer::No);
    tamrik::CommandLineContext context{mainStore, *out, *err, observer, openPanel};
    if (const char* panel = std::getenv("TAMRIK_PANEL"); panel && *panel) context.defaultPanel = panel;
    // A running desktop copy may be using the panel: command-line transfers refuse then.
    context.anotherInstanceRunning = tamrik::AnotherDesktopCopyIsRunning;
#ifdef TAMRIK_HAVE_DESKTOP
    if (tamrik::DisplayAvailable()) {
        context.openPanel = [&argc, argv](const std::string& panel, std::string& error) {
            return tamrik::MakeWindowedFirmwareTransfers(tamrik::OpenPanelLink(panel, &error), argc, argv);
        };
    }
#endif

    tamrik::InstallConsoleInterrupt(observer);
    tamrik::CommandLineResult result;
    try {
        result = tamrik::CommandLineMode(arguments, context);
    } catch (const std::bad_alloc&) {
        // Saves replace a file only once it is complete, so nothing half-written is left behind.
        tamrik::RemoveConsoleInterrupt();
        std::cerr << "tamrik: out of memory; the command was not finished\n" << std::flush;
        return 1;
    }
    tamrik::RemoveConsoleInterrupt();
    int exitStatus = result.exitStatus;

    if (result.openDesktop() && !tamrik::DesktopWindowCanOpen()) {
        // Qt would abort; say what is wrong instead. A hand-over never gets here: the first
        // process checked the same.
        std::cerr << tamrik::kUsageText << tamrik::kNoDisplayMessage << "\n" << std::flush;
        exitStatus = 2;
    } else if (result.openDesktop()) {
        // No option performed an action: the desktop opens on the prepared main store.
#ifdef TAMRIK_HAVE_DESKTOP
        tamrik::DesktopOptions options;
        options.acceptErrors = result.acceptErrors;
        options.panel = QString::fromStdString(result.panel);
        options.sitePath = QString::fromLocal8Bit(result.loadedSite.c_str());
        exitStatus = tamrik::RunDesktop(argc, argv, mainStore, options);
#else
        tamrik::ExecDesktopProgram(argv, true);
        std::cerr << "tamrik: cannot start the desktop program " << tamrik::DesktopProgramPath() << ": "
                  << std::strerror(errno) << "\n";
        exitStatus = 1;
#endif
    }

    return exitStatus;
}
