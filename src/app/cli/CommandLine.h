#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/PanelTransfers.h"
#include "panel/TransferObserver.h"
#include "settings/SettingsStore.h"
#include "site/PanelBackups.h"

namespace tamrik {

// Everything the options act on. The streams are replaceable so that tests read what was printed.
struct CommandLineContext {
    SettingsStore& store;  // the main store, already filled with the default site
    std::ostream& out;
    std::ostream& err;
    TransferObserver& observer;  // progress and messages of the panel transfers

    // Opens the panel named "usb" or "sim:FILE"; null with the reason in `error` when it can't.
    std::function<std::unique_ptr<PanelTransfers>(const std::string& panel, std::string& error)> openPanel;
    // The desktop's single-instance test: panel transfers refuse to run beside another copy.
    std::function<bool()> anotherInstanceRunning = [] { return false; };
    // The panel used until a --panel option names another ("usb", or TAMRIK_PANEL when set).
    std::string defaultPanel = "usb";
    // Whether -w and -f first keep the panel's site as a backup (--no-backup turns it off), and where.
    bool backupBeforeWrites = true;
    std::filesystem::path backupFolder = BackupFolder();
};

struct CommandLineResult {
    int actionCount = 0;        // -?, -f, -w, -r and the site tools carried out (or attempted)
    int exitStatus = 0;         // 0 every action succeeded, 1 one failed, 2 usage error
    bool acceptErrors = false;  // -ld was given: the desktop's Load keeps sites that fail their check
    std::string panel;          // the panel the desktop should use
    std::string loadedSite;     // the site file the desktop opens on (--load, or a first argument), if any

    // Without an action, and without any error, the desktop window opens on the prepared site.
    bool openDesktop() const { return actionCount == 0 && exitStatus == 0; }
};

// Applies the options from left to right on the one main store. An empty argument list does nothing
// and prints nothing; otherwise the banner comes first. The whole command line is checked before
// anything is done, so a usage error (status 2) leaves the panel and every file untouched. A failed
// action (status 1) ends the run: later options, a panel write above all, are not carried out.
CommandLineResult CommandLineMode(const std::vector<std::string>& arguments, CommandLineContext& context);

}  // namespace tamrik
