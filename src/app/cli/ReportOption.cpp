// --export report SITE OUT.html: the commissioning report of a site file.

#include <ostream>

#include "app/cli/CommandLineRun.h"
#include "report/ReportHtml.h"
#include "settings/AtomicFile.h"

namespace tamrik {

Outcome ReportExportOption(CommandLineRun& run, const std::string& sitePath, const std::string& outPath) {
    SettingsStore store;
    StoreCreate(store);
    Outcome outcome = Outcome::Failed;
    if (LoadSiteForTool(run, store, sitePath)) {
        const std::string html = CommissioningReportHtml(BuildCommissioningReport(store, ReportTimeText()));
        std::string error;
        if (AtomicFile::write(outPath, html, &error)) {
            run.out() << "Report exported to '" << outPath << "'\n" << std::flush;
            outcome = Outcome::Succeeded;
        } else {
            run.err() << "tamrik: Could not export report to '" << outPath << "': " << error << "\n" << std::flush;
        }
    }
    StoreDestroy(&store);
    return outcome;
}

}  // namespace tamrik
