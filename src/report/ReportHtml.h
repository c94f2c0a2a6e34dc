#pragma once

#include <string>

#include "report/CommissioningReport.h"

namespace tamrik {

// Who lays the document out: a browser (inline SVG chart, CSS widths), or a rich-text engine that
// knows less CSS (widths as attributes) and draws the chart itself in place of a paragraph holding
// only kReportChartPlaceholder.
enum class ReportFlavour { Browser, RichText };
inline constexpr const char* kReportChartPlaceholder = "@@loop-currents@@";

// The report as one self-contained HTML5 document in UTF-8: inline CSS and SVG, no scripts, nothing
// fetched, laid out for A4 with each section starting a page.
std::string CommissioningReportHtml(const CommissioningReport& report, ReportFlavour flavour = ReportFlavour::Browser);

}  // namespace tamrik
