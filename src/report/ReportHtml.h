#pragma once

#include <string>

#include "report/CommissioningReport.h"

namespace tamrik {

// The report as one self-contained HTML5 document in UTF-8: inline CSS and SVG, no scripts, nothing
// fetched, laid out for A4 with each section starting a page.
std::string CommissioningReportHtml(const CommissioningReport& report);

}  // namespace tamrik
