// Panel backups on the command line: --backups [SERIAL] lists them, --no-backup turns them off.

#include <ostream>

#include "app/cli/CommandLineRun.h"
#include "site/PanelBackups.h"

namespace tamrik {

// The serial number is optional here; when given, it is checked as -s checks one.
std::string CheckBackupSerial(const Arguments& arguments) {
    return arguments.empty() ? std::string() : CheckSerialNumber(arguments);
}

Outcome BackupsOption(CommandLineRun& run, const Arguments& arguments) {
    std::optional<std::string> serial;
    if (!arguments.empty()) serial = arguments[0];
    const std::vector<PanelBackup> backups = ListPanelBackups(run.context.backupFolder, serial);
    if (backups.empty()) run.out() << "No panel backups in " << run.context.backupFolder.string() << "\n";
    for (const PanelBackup& backup : backups) {
        run.out() << backup.takenAt << "\t" << backup.serial << "\t" << backup.siteName << "\t" << backup.path << "\n";
    }
    run.out() << std::flush;
    return Outcome::Succeeded;
}

Outcome NoBackupOption(CommandLineRun& run, const Arguments&) {
    run.context.backupBeforeWrites = false;
    return Outcome::Succeeded;
}

}  // namespace tamrik
