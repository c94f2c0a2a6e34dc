#include "app/cli/CommandLine.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

#include "app/cli/CommandLineRun.h"
#include "app/cli/ConsoleInterrupt.h"
#include "app/cli/UsageText.h"

namespace tamrik {
namespace {

constexpr std::size_t kMaxCommandLineArguments = 64;

Outcome UsageOption(CommandLineRun& run, const Arguments&) {
    run.out() << kUsageText << std::flush;
    return Outcome::Succeeded;
}

Outcome HelpOption(CommandLineRun& run, const Arguments&) {
    run.out() << kHelpText << std::flush;
    return Outcome::Succeeded;
}

Outcome VersionOption(CommandLineRun& run, const Arguments&) {
    run.out() << "tamrik " << TAMRIK_VERSION << "\n" << std::flush;
    return Outcome::Succeeded;
}

struct OptionSpec {
    std::string_view name;           // lower case; options are compared without regard to case
    std::string_view argumentsText;  // for the message when arguments are missing
    int required;                    // arguments that must follow, whatever they look like
    bool optionalArgument;           // takes the next argument when there is one
    bool action;                     // the program ends after the options instead of opening its window
    bool transfer;                   // talks to the panel
    std::string (*check)(const Arguments&);
    Outcome (*run)(CommandLineRun&, const Arguments&);
};

constexpr OptionSpec kOptions[] = {
    {"-ld", "", 0, false, false, false, nullptr, AcceptErrorsOption},
    {"-s", "a serial number", 1, false, false, false, CheckSerialNumber, SerialNumberOption},
    {"-la", "a language number", 1, false, false, false, CheckLanguage, LanguageOption},
    {"-?", "", 0, false, true, false, nullptr, UsageOption},
    {"-f", "a firmware file", 1, false, true, true, nullptr, FirmwareOption},
    {"-w", "", 0, false, true, true, nullptr, WritePanelOption},
    {"-r", "", 0, true, true, true, nullptr, ReadPanelOption},
    {"--panel", "usb or sim:FILE", 1, false, false, false, CheckPanel, PanelOption},
    {"--load", "a site file", 1, false, false, false, nullptr, LoadOption},
    {"--new", "a file name", 1, false, true, false, nullptr, NewSiteOption},
    {"--check", "a site file", 1, false, true, false, nullptr, CheckSiteOption},
    {"--export", "devices|matrix|text|log|report, a site file and an output file", 3, false, true, false,
     CheckExportKind, ExportOption},
    {"--events", "", 0, false, false, false, nullptr, EventsOption},
    {"--backups", "", 0, true, true, false, CheckBackupSerial, BackupsOption},
    {"--no-backup", "", 0, false, false, false, nullptr, NoBackupOption},
    {"--diff", "two sites (site files or the word panel)", 2, false, true, false, nullptr, DiffOption},
    {"--help", "", 0, false, true, false, nullptr, HelpOption},
    {"-h", "", 0, false, true, false, nullptr, HelpOption},
    {"--version", "", 0, false, true, false, nullptr, VersionOption},
};

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c); });
    return lower;
}

const OptionSpec* findOption(std::string_view argument) {
    const std::string lower = lowerCase(argument);
    for (const OptionSpec& option : kOptions) {
        if (option.name == lower) return &option;
    }
    return nullptr;
}

struct Invocation {
    const OptionSpec* option;
    std::string name;  // as written
    Arguments arguments;
};

// Reads the whole command line into invocations; an empty text when it is usable, else the usage
// error. Arguments that are not options are passed over, as they always were; an unknown long
// option is a mistake worth stopping for.
std::string parse(const std::vector<std::string>& arguments, std::vector<Invocation>& invocations) {
    if (arguments.size() > kMaxCommandLineArguments) {
        return "too many arguments (at most " + std::to_string(kMaxCommandLineArguments) + ")";
    }
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const OptionSpec* option = findOption(arguments[i]);
        if (!option) {
            if (arguments[i].starts_with("--")) return "unknown option '" + arguments[i] + "'";
            // "tamrik SITE.psf", as a file manager starts it: the first argument, when it names a
            // file, is loaded as --load would.
            std::error_code error;
            if (i == 0 && std::filesystem::is_regular_file(arguments[i], error)) {
                invocations.push_back({findOption("--load"), "--load", {arguments[i]}});
            }
            continue;
        }
        Invocation invocation{option, arguments[i], {}};
        const std::size_t wanted = static_cast<std::size_t>(option->required);
        if (arguments.size() - i - 1 < wanted) {
            return "option '" + arguments[i] + "' needs " + std::string(option->argumentsText);
        }
        for (std::size_t k = 0; k < wanted; ++k) invocation.arguments.push_back(arguments[++i]);
        if (option->optionalArgument && i + 1 < arguments.size()) invocation.arguments.push_back(arguments[++i]);
        if (option->check) {
            const std::string problem = option->check(invocation.arguments);
            if (!problem.empty()) return "option '" + invocation.name + "': " + problem;
        }
        invocations.push_back(std::move(invocation));
    }
    return {};
}

}  // namespace

CommandLineResult CommandLineMode(const std::vector<std::string>& arguments, CommandLineContext& context) {
    CommandLineResult result;
    result.panel = context.defaultPanel;
    if (arguments.empty()) return result;

    context.out << kCommandLineBanner << std::flush;
    std::vector<Invocation> invocations;
    std::string problem = parse(arguments, invocations);
    // The panel from the environment matters only to a transfer that comes before any --panel.
    for (const Invocation& invocation : invocations) {
        if (!problem.empty() || invocation.option->run == PanelOption) break;
        if (invocation.option->transfer) {
            const std::string panelProblem = CheckPanel({context.defaultPanel});
            if (!panelProblem.empty()) problem = "TAMRIK_PANEL: " + panelProblem;
            break;
        }
    }
    if (!problem.empty()) {
        context.err << "tamrik: " << problem << "\nTry 'tamrik --help'.\n" << std::flush;
        result.exitStatus = 2;
        return result;
    }

    CommandLineRun run(context);
    for (const Invocation& invocation : invocations) {
        if (invocation.option->action) ++result.actionCount;
        const Outcome outcome = invocation.option->run(run, invocation.arguments);
        if (outcome == Outcome::Succeeded) continue;
        result.exitStatus = outcome == Outcome::Stopped           ? kStoppedExitStatus
                            : outcome == Outcome::CouldNotCompare ? 2
                                                                  : 1;
        if (outcome != Outcome::Findings) break;
    }
    result.acceptErrors = run.acceptErrors;
    result.panel = run.panel;
    result.loadedSite = run.loadedSite;
    return result;
}

}  // namespace tamrik
