// The panel transfers: -r, -w and -f.

#include <ostream>

#include "app/cli/CommandLineRun.h"
#include "images/ImageValueCheck.h"
#include "panel/PanelMessages.h"
#include "settings/SiteFile.h"
#include "site/PanelBackups.h"

namespace tamrik {

bool CommandLineRun::mayTransfer() {
    if (instanceChecked < 0) instanceChecked = context.anotherInstanceRunning() ? 1 : 0;
    if (instanceChecked == 0) return true;
    err() << "tamrik: Another copy of the program is running\n" << std::flush;
    return false;
}

PanelTransfers* CommandLineRun::openTransfers() {
    if (transfers && transfersPanel == panel) return transfers.get();
    transfers.reset();
    std::string error;
    if (context.openPanel) transfers = context.openPanel(panel, error);
    if (!transfers) {
        err() << "tamrik: can't use the panel '" << panel << "'" << (error.empty() ? "" : ": " + error) << "\n"
              << std::flush;
        return nullptr;
    }
    transfersPanel = panel;
    // Never let a simulated panel pass for a real one.
    if (transfers->simulated()) out() << "Using the " << transfers->describe() << "\n" << std::flush;
    return transfers.get();
}

Outcome CommandLineRun::unsuccessfulTransfer(const char* whatIsLeft) {
    if (!context.observer.wasStopped()) return Outcome::Failed;
    err() << "tamrik: stopped by Ctrl+C; " << whatIsLeft << "\n" << std::flush;
    return Outcome::Stopped;
}

namespace {

// Before a write or a firmware update overwrites the panel, its site is read and kept as a backup,
// and the engineer is told how much the write will change. False (after saying why) when the
// backup could not be made: then nothing may be written.
bool backUpPanel(CommandLineRun& run, PanelTransfers& panel, const SettingsStore* writing) {
    if (!run.context.backupBeforeWrites) return true;
    run.err() << "Backing up panel settings...\n" << std::flush;
    const BackupBeforeWrite backup =
        BackUpPanel([&](SettingsStore& current) { return panel.read(current, run.context.observer); },
                    run.context.backupFolder, writing);
    if (backup.path) {
        run.err() << "tamrik: the panel's settings were backed up to '" << *backup.path << "'\n";
        if (writing) run.err() << "tamrik: " << ChangeCountText(backup.changes.size()) << "\n";
        run.err() << std::flush;
    } else if (!run.context.observer.wasStopped()) {
        run.err() << "tamrik: the panel could not be backed up (" << backup.error
                  << "); nothing was written (--no-backup writes without a backup)\n"
                  << std::flush;
        // The word a write or an update ends with when nothing reached the panel.
        run.context.observer.Message({panelmessages::kFailTitle,
                                      writing ? panelmessages::kSettingsNotWritten : panelmessages::kFirmwareNotWritten,
                                      MessageIcon::Error, false});
    }
    return backup.path.has_value();
}

}  // namespace

Outcome ReadPanelOption(CommandLineRun& run, const Arguments& arguments) {
    // A simulated panel's state file is its memory: a site saved over it would wipe the panel out.
    if (!arguments.empty() && run.panel.starts_with("sim:") &&
        !OutputIsNotInput(run, run.panel.substr(4), arguments[0]))
        return Outcome::Failed;
    if (!run.mayTransfer()) return Outcome::Failed;
    PanelTransfers* panel = run.openTransfers();
    const bool read = panel && panel->read(run.context.store, run.context.observer);
    if (!read) {
        // Whatever the store holds now is not the panel's site: saving it under the panel's name
        // would pass the defaults or half a panel off as a reading.
        run.err() << "tamrik: the panel was not read";
        if (!arguments.empty()) run.err() << "; '" << arguments[0] << "' was not saved";
        run.err() << "\n" << std::flush;
        run.out() << "Done\n" << std::flush;
        return run.unsuccessfulTransfer("the panel is as it was");
    }
    run.out() << "Serial number is " << run.context.store.text("PanelSnum") << "\n"
              << "Language is " << run.context.store.text("Language") << "\n";
    Outcome outcome = Outcome::Succeeded;
    if (!arguments.empty()) {
        const std::string& path = arguments[0];
        run.out() << "Saving panel settings to file '" << path << "'\n" << std::flush;
        std::string error;
        if (SiteFileWrite(path, run.context.store, &error)) {
            run.context.store.markSaved();
        } else {
            run.err() << "tamrik: could not save '" << path << "': " << error << "\n" << std::flush;
            outcome = Outcome::Failed;
        }
    }
    run.out() << "Done\n" << std::flush;
    // The panel's data did not match its checksum (the warning has been shown): saved, but not sound.
    if (run.context.observer.transferWarned()) outcome = Outcome::Failed;
    return outcome;
}

Outcome WritePanelOption(CommandLineRun& run, const Arguments&) {
    if (!run.mayTransfer()) return Outcome::Failed;
    // Refused before the panel is opened, one line per value (the write itself refuses them too).
    const auto problems = ImageValueProblems(run.context.store);
    if (!problems.empty()) {
        for (const std::string& line : problems) run.err() << "tamrik: " << line << "\n";
        run.err() << "tamrik: nothing was written to the panel\n" << std::flush;
        return Outcome::Failed;
    }
    run.out() << "Writing settings to panel\n" << std::flush;
    PanelTransfers* panel = run.openTransfers();
    if (panel && !backUpPanel(run, *panel, &run.context.store)) {
        run.out() << "Done\n" << std::flush;
        return run.unsuccessfulTransfer("the panel is as it was");
    }
    const bool written = panel && panel->write(run.context.store, run.context.observer);
    run.out() << "Done\n" << std::flush;
    return written ? Outcome::Succeeded
                   : run.unsuccessfulTransfer("the panel's settings are incomplete: write them again");
}

Outcome FirmwareOption(CommandLineRun& run, const Arguments& arguments) {
    if (!run.mayTransfer()) return Outcome::Failed;
    const std::string& path = arguments.at(0);
    run.out() << "Writing firmware from file '" << path << "'\n" << std::flush;
    PanelTransfers* panel = run.openTransfers();
    if (panel && !backUpPanel(run, *panel, nullptr)) {
        run.out() << "Done\n" << std::flush;
        return run.unsuccessfulTransfer("the panel is as it was");
    }
    const bool written = panel && panel->firmware(path, run.context.store, run.context.observer);
    run.out() << "Done\n" << std::flush;
    return written ? Outcome::Succeeded
                   : run.unsuccessfulTransfer("the panel's firmware is incomplete: update it again");
}

}  // namespace tamrik
