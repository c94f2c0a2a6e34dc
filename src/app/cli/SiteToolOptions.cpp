// Site tools that need no panel: --new, --check, --export. Each works on a site of its own and
// leaves the main store as it was.

#include <optional>
#include <ostream>

#include "app/cli/CommandLineRun.h"
#include "checker/SiteCheck.h"
#include "exports/CsvExport.h"
#include "platform/FileIdentity.h"
#include "report/ReportHtml.h"
#include "settings/AtomicFile.h"
#include "settings/DefaultSettings.h"
#include "settings/SiteFile.h"
#include "settings/SiteLoad.h"

namespace tamrik {
namespace {

// A second site for one site tool.
struct ScratchSite {
    SettingsStore store;
};

}  // namespace

// Loads a site for a tool; quiet when all is well, so that the tool's own output stands alone.
bool LoadSiteForTool(CommandLineRun& run, SettingsStore& store, const std::string& path) {
    std::string reason;
    switch (SiteLoad(store, path, run.acceptErrors, &reason)) {
        case SiteLoadResult::Loaded:
            return true;
        case SiteLoadResult::LoadedWithErrors:
            run.err() << "tamrik: note: '" << path << "' fails its check; its errors are accepted\n" << std::flush;
            return true;
        case SiteLoadResult::RefusedWithErrors:
            run.err() << "tamrik: Not done! File '" << path << "' contains errors (-ld accepts them)\n" << std::flush;
            return false;
        case SiteLoadResult::Unreadable:
            break;
    }
    run.err() << "tamrik: Couldn't open file '" << path << "': " << reason << "\n" << std::flush;
    return false;
}

bool OutputIsNotInput(CommandLineRun& run, const std::string& input, const std::string& output) {
    if (!SameFile(input, output)) return true;
    run.err() << "tamrik: Not done! '" << output << "' is the same file as '" << input << "'; nothing was written\n"
              << std::flush;
    return false;
}

namespace {

struct ExportNames {
    const char* done;
    const char* failed;
};

ExportNames exportNames(std::optional<CsvExportKind> csv) {
    if (!csv) return {"Report exported", "Could not export report"};
    switch (*csv) {
        case CsvExportKind::DeviceData:
            return {"Device data exported", "Could not export device data"};
        case CsvExportKind::Matrix:
            return {"Matrix exported", "Could not export matrix"};
        case CsvExportKind::Text:
            return {"Text exported", "Could not export text"};
        case CsvExportKind::EventLog:
            break;
    }
    return {"Log exported", "Could not export log"};
}

}  // namespace

std::string CheckExportKind(const Arguments& arguments) {
    if (CsvExportKindFromName(arguments.at(0)) || arguments.at(0) == "report") return {};
    return "'" + arguments.at(0) + "' is not devices, matrix, text, log or report";
}

Outcome NewSiteOption(CommandLineRun& run, const Arguments& arguments) {
    const std::string& path = arguments.at(0);
    ScratchSite site;
    ApplyDefaultSettings(site.store);
    std::string error;
    if (!SiteFileWrite(path, site.store, &error)) {
        run.err() << "tamrik: could not save '" << path << "': " << error << "\n" << std::flush;
        return Outcome::Failed;
    }
    run.out() << "New site saved to '" << path << "'\n" << std::flush;
    return Outcome::Succeeded;
}

Outcome CheckSiteOption(CommandLineRun& run, const Arguments& arguments) {
    ScratchSite site;
    if (!LoadSiteForTool(run, site.store, arguments.at(0))) return Outcome::Failed;
    const SiteCheckResult result = SiteCheck(site.store);
    if (result.faultCount == 0) {
        run.out() << "No Site File Errors\r\n";
    } else {
        run.out() << result.report;
        // The report's closing "More than" line has no line end of its own.
        if (!result.report.ends_with("\n")) run.out() << "\r\n";
    }
    run.out() << "Quiescent Current: " << FormatMilliamps(result.quiescentMilliamps) << "\r\n"
              << "Alarm Current: " << FormatMilliamps(result.alarmMilliamps) << "\r\n"
              << std::flush;
    return result.faultCount == 0 ? Outcome::Succeeded : Outcome::Findings;
}

Outcome ExportOption(CommandLineRun& run, const Arguments& arguments) {
    const std::optional<CsvExportKind> csv = CsvExportKindFromName(arguments.at(0));  // none: the report
    const std::string& sitePath = arguments.at(1);
    const std::string& outPath = arguments.at(2);
    if (!OutputIsNotInput(run, sitePath, outPath)) return Outcome::Failed;
    ScratchSite site;
    if (!LoadSiteForTool(run, site.store, sitePath)) return Outcome::Failed;
    const std::string bytes = csv ? CsvExportBytes(*csv, site.store)
                                  : CommissioningReportHtml(BuildCommissioningReport(site.store, ReportTimeText()));
    const ExportNames names = exportNames(csv);
    if (outPath == "-") {
        // The export follows the banner on the output stream; the confirmation would corrupt it there.
        run.out() << bytes << std::flush;
        run.err() << names.done << " to the output stream\n" << std::flush;
        return Outcome::Succeeded;
    }
    std::string error;
    if (!AtomicFile::write(outPath, bytes, &error)) {
        run.err() << "tamrik: " << names.failed << " to '" << outPath << "': " << error << "\n" << std::flush;
        return Outcome::Failed;
    }
    run.out() << names.done << " to '" << outPath << "'\n" << std::flush;
    return Outcome::Succeeded;
}

}  // namespace tamrik
