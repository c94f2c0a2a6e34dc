// Panel backups on the command line: --backups [SERIAL] lists them, --no-backup turns them off.

#include <ostream>

#include "app/cli/CommandLineRun.h"
#include "site/PanelBackups.h"

namespace tamrik {

std::string CheckBackupSerial(const Arguments& arguments) {
    if (arguments.empty()) return {};
    const std::string& serial = arguments[0];
    const bool hex = !serial.empty() && serial.size() <= 8 &&
                     serial.find_first_not_of("0123456789ABCDEFabcdef") == std::string::npos;
    return hex ? std::string() : "'" + serial + "' is not a panel serial number (1 to 8 hexadecimal digits)";
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
