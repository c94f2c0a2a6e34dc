#pragma once

// Internal to the command line: the state one run of the options shares, and the option functions.

#include <memory>
#include <string>
#include <vector>

#include "app/cli/CommandLine.h"

namespace tamrik {

enum class Outcome {
    Succeeded,
    Findings,         // finished, but found what makes the exit status 1 (the design check's faults)
    Failed,           // the run stops here with exit status 1
    Stopped,          // the user stopped a transfer with Ctrl+C: the run stops here with exit status 130
    CouldNotCompare,  // --diff could not read a side: the run stops here with exit status 2, as diff's
};

struct CommandLineRun {
    explicit CommandLineRun(CommandLineContext& c) : context(c), panel(c.defaultPanel) {}

    CommandLineContext& context;
    bool acceptErrors = false;
    bool compareEvents = false;  // --events: --diff compares the event logs too
    std::string loadedSite;      // the site file --load loaded last
    std::string panel;

    // The open panel and the name it was opened under; opened at the first transfer.
    std::unique_ptr<PanelTransfers> transfers;
    std::string transfersPanel;

    // The panel for a transfer, opened on first use (null after the reason was printed).
    PanelTransfers* openTransfers();
    // False, after saying why, when another copy of the program owns the panel.
    bool mayTransfer();
    int instanceChecked = -1;  // -1 not asked yet, else 0 / 1

    // The outcome of a transfer that did not succeed: stopped by the user, or failed.
    Outcome unsuccessfulTransfer(const char* whatIsLeft);

    std::ostream& out() { return context.out; }
    std::ostream& err() { return context.err; }
};

using Arguments = std::vector<std::string>;

// Usage checks: an empty text when the arguments are acceptable, else what is wrong with them.
std::string CheckSerialNumber(const Arguments& arguments);
std::string CheckLanguage(const Arguments& arguments);
std::string CheckPanel(const Arguments& arguments);
std::string CheckExportKind(const Arguments& arguments);

Outcome AcceptErrorsOption(CommandLineRun& run, const Arguments& arguments);
Outcome SerialNumberOption(CommandLineRun& run, const Arguments& arguments);
Outcome LanguageOption(CommandLineRun& run, const Arguments& arguments);
Outcome PanelOption(CommandLineRun& run, const Arguments& arguments);
Outcome LoadOption(CommandLineRun& run, const Arguments& arguments);

Outcome ReadPanelOption(CommandLineRun& run, const Arguments& arguments);
Outcome WritePanelOption(CommandLineRun& run, const Arguments& arguments);
Outcome FirmwareOption(CommandLineRun& run, const Arguments& arguments);

Outcome NewSiteOption(CommandLineRun& run, const Arguments& arguments);
Outcome CheckSiteOption(CommandLineRun& run, const Arguments& arguments);
Outcome ExportOption(CommandLineRun& run, const Arguments& arguments);
Outcome EventsOption(CommandLineRun& run, const Arguments& arguments);
std::string CheckBackupSerial(const Arguments& arguments);
Outcome BackupsOption(CommandLineRun& run, const Arguments& arguments);
Outcome NoBackupOption(CommandLineRun& run, const Arguments& arguments);
Outcome DiffOption(CommandLineRun& run, const Arguments& arguments);

// Loads a site file for a site tool as the desktop's Load does; false after saying why not.
bool LoadSiteForTool(CommandLineRun& run, SettingsStore& store, const std::string& path);
// False, after saying so, when `output` is the same file as `input` (writing it would destroy the input).
bool OutputIsNotInput(CommandLineRun& run, const std::string& input, const std::string& output);

}  // namespace tamrik
