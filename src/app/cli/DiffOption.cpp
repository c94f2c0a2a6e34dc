// --diff A B: what differs between two sites, each a site file or the panel.

#include <ostream>

#include "app/cli/CommandLineRun.h"
#include "site/SiteComparison.h"

namespace tamrik {
namespace {

constexpr const char* kPanelSide = "panel";

// Fills `store` from a site file, or from the panel when the side is the word "panel".
Outcome loadSide(CommandLineRun& run, SettingsStore& store, const std::string& side) {
    if (side != kPanelSide) return LoadSiteForTool(run, store, side) ? Outcome::Succeeded : Outcome::CouldNotCompare;
    if (!run.mayTransfer()) return Outcome::CouldNotCompare;
    PanelTransfers* panel = run.openTransfers();
    if (panel && panel->read(store, run.context.observer)) return Outcome::Succeeded;
    run.err() << "tamrik: the panel was not read\n" << std::flush;
    return run.context.observer.wasStopped() ? Outcome::Stopped : Outcome::CouldNotCompare;
}

}  // namespace

Outcome EventsOption(CommandLineRun& run, const Arguments&) {
    run.compareEvents = true;
    return Outcome::Succeeded;
}

Outcome DiffOption(CommandLineRun& run, const Arguments& arguments) {
    SettingsStore before, after;
    Outcome outcome = loadSide(run, before, arguments.at(0));
    if (outcome == Outcome::Succeeded) outcome = loadSide(run, after, arguments.at(1));
    if (outcome == Outcome::Succeeded) {
        const std::vector<std::string> lines = CompareSites(before, after, run.compareEvents);
        for (const std::string& line : lines) run.out() << line << "\n";
        run.out() << std::flush;
        outcome = lines.empty() ? Outcome::Succeeded : Outcome::Findings;
    }
    return outcome;
}

}  // namespace tamrik
