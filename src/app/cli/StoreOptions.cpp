// Options that prepare the site and the panel choice: -ld, -s, -la, --panel, --load.

#include <algorithm>
#include <ostream>

#include "app/cli/CommandLineRun.h"
#include "settings/SiteLoad.h"

namespace tamrik {
namespace {

constexpr int kHighestLanguage = 12;

}  // namespace

// The panel image reads the serial number as up to eight hexadecimal digits; anything else would
// be programmed as some other number than the one given.
std::string CheckSerialNumber(const Arguments& arguments) {
    const std::string& serial = arguments.at(0);
    const bool valid = !serial.empty() && serial.size() <= 8 && std::all_of(serial.begin(), serial.end(), IsHexDigit);
    return valid ? std::string() : "'" + serial + "' is not a serial number of 1 to 8 hexadecimal digits";
}

std::string CheckLanguage(const Arguments& arguments) {
    const std::string& language = arguments.at(0);
    const bool digits = !language.empty() && language.size() <= 3 &&
                        std::all_of(language.begin(), language.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (digits && ParseDecimal(language) <= kHighestLanguage) return {};
    return "'" + language + "' is not a language number from 0 to 12 (see -?)";
}

std::string CheckPanel(const Arguments& arguments) {
    const std::string& panel = arguments.at(0);
    if (panel == "usb" || (panel.starts_with("sim:") && panel.size() > 4)) return {};
    return "'" + panel + "' is not usb or sim:FILE";
}

Outcome AcceptErrorsOption(CommandLineRun& run, const Arguments&) {
    run.acceptErrors = true;
    return Outcome::Succeeded;
}

Outcome SerialNumberOption(CommandLineRun& run, const Arguments& arguments) {
    if (!run.context.store.put("PanelSnum", arguments.at(0))) {
        run.err() << "tamrik: the site has no room for the serial number\n";
        return Outcome::Failed;
    }
    run.out() << "Serial number set to " << run.context.store.text("PanelSnum") << "\n" << std::flush;
    return Outcome::Succeeded;
}

Outcome LanguageOption(CommandLineRun& run, const Arguments& arguments) {
    const std::string language = std::to_string(ParseDecimal(arguments.at(0)));
    if (!run.context.store.put("Language", language)) {
        run.err() << "tamrik: the site has no room for the language\n";
        return Outcome::Failed;
    }
    run.out() << "Language set to " << language << "\n" << std::flush;
    return Outcome::Succeeded;
}

Outcome PanelOption(CommandLineRun& run, const Arguments& arguments) {
    run.panel = arguments.at(0);
    return Outcome::Succeeded;
}

Outcome LoadOption(CommandLineRun& run, const Arguments& arguments) {
    const std::string& path = arguments.at(0);
    std::string reason;
    switch (SiteLoad(run.context.store, path, run.acceptErrors, &reason)) {
        case SiteLoadResult::Loaded:
            run.out() << "Site info. loaded from file '" << path << "'\n" << std::flush;
            run.loadedSite = path;
            return Outcome::Succeeded;
        case SiteLoadResult::LoadedWithErrors:
            run.out() << "Loaded but file '" << path << "' contains errors\n" << std::flush;
            run.loadedSite = path;
            return Outcome::Succeeded;
        case SiteLoadResult::RefusedWithErrors:
            run.err() << "tamrik: Not done! File '" << path << "' contains errors (-ld accepts them)\n";
            return Outcome::Failed;
        case SiteLoadResult::Unreadable:
            break;
    }
    run.err() << "tamrik: Couldn't open file '" << path << "': " << reason << "\n";
    return Outcome::Failed;
}

}  // namespace tamrik
