#include "app/cli/CommandLine.h"

#include <ostream>

#include "settings/DefaultSettings.h"
#include "settings/SiteFile.h"

namespace tamrik {

CommandLineResult CommandLineMode(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    CommandLineResult result;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--version") {
            out << "tamrik " << TAMRIK_VERSION << "\n";
            result.actionPerformed = true;
        } else if (option == "--panel" && i + 1 < arguments.size()) {
            ++i;  // the panel link arrives with the transfers
        } else if (option == "--new") {
            result.actionPerformed = true;
            if (i + 1 >= arguments.size()) {
                err << "tamrik: --new needs a file name\n";
                result.exitStatus = 2;
                return result;
            }
            const std::string& path = arguments[++i];
            SettingsStore site;
            StoreCreate(site);
            ApplyDefaultSettings(site);
            std::string error;
            if (!SiteFileWrite(path, &site, &error)) {
                err << "tamrik: could not save '" << path << "': " << error << "\n";
                result.exitStatus = 1;
            } else {
                out << "New site saved to '" << path << "'\n";
            }
            StoreDestroy(&site);
        } else {
            err << "tamrik: unknown option '" << option << "'\n";
            result.actionPerformed = true;
            result.exitStatus = 2;
            return result;
        }
    }
    return result;
}

}  // namespace tamrik
