#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

#include "report/CommissioningReport.h"

class QTextDocument;
class QWidget;

namespace tamrik {

// The commissioning report laid out for paper: the same document as the HTML export, with the loop
// current chart drawn by the painter (vector graphics in a PDF, not a picture of the screen).
std::unique_ptr<QTextDocument> CommissioningReportDocument(const CommissioningReport& report);

// The report as the bytes of an A4 PDF.
QByteArray CommissioningReportPdf(const CommissioningReport& report);

// Writes the report as an A4 PDF, atomically. False, with the reason in `error`, when it could not.
bool WriteCommissioningReportPdf(const CommissioningReport& report, const QString& path, QString* error);

// The system's print preview of the report, printing from there.
void PreviewCommissioningReport(QWidget* parent, const CommissioningReport& report);

}  // namespace tamrik
