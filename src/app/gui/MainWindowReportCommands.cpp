// The commissioning report: exported as HTML or PDF, or shown in the print preview.
#include "app/gui/MainWindow.h"
#include "app/gui/UserPrompts.h"
#include "report/ReportHtml.h"
#include "settings/AtomicFile.h"
#include "ui/editors/SiteEditor.h"
#include "ui/report/ReportDocument.h"

namespace tamrik {
namespace {

const QString kReportTitle = QStringLiteral("Report");

}  // namespace

CommissioningReport MainWindow::currentReport() {
    // What is typed in an open text or device editor belongs in the report.
    if (SiteEditor* open = editor()) open->writeBack();
    CommissioningReport report = BuildCommissioningReport(store_, ReportTimeText(), panelReadAt_);
    siteErrors_ = static_cast<int>(report.check.faultCount);
    refreshErrorBanner();
    return report;
}

void MainWindow::commandExportReport() {
    const QString path = UserPrompts::saveFileName(this, QString(), QStringLiteral("HTML file,*.html,PDF file,*.pdf"));
    if (path.isEmpty()) return;
    const CommissioningReport report = currentReport();
    QString error;
    bool written = false;
    if (path.endsWith(QStringLiteral(".html"), Qt::CaseInsensitive) ||
        path.endsWith(QStringLiteral(".htm"), Qt::CaseInsensitive)) {
        std::string reason;
        written = AtomicFile::write(path.toLocal8Bit().toStdString(), CommissioningReportHtml(report), &reason);
        error = QString::fromLocal8Bit(reason.c_str());
    } else {
        written = WriteCommissioningReportPdf(report, path, &error);
    }
    if (written) {
        UserPrompts::show(this, kReportTitle, QStringLiteral("Report exported"), PromptIcon::None);
    } else {
        UserPrompts::show(this, kReportTitle, QStringLiteral("Could not export report\n") + error, PromptIcon::Error);
    }
}

void MainWindow::commandPrintReport() { PreviewCommissioningReport(this, currentReport()); }

}  // namespace tamrik
