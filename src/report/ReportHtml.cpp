#include "report/ReportHtml.h"

#include <algorithm>
#include <cstdio>

#include "checker/SiteCheck.h"
#include "report/HtmlText.h"

namespace tamrik {
namespace {

constexpr const char* kStyle = R"(
@page { size: A4; margin: 12mm; }
body { font-family: "DejaVu Sans", Arial, sans-serif; font-size: 9pt; color: #111; margin: 0; }
h1 { font-size: 18pt; margin: 0 0 2mm; }
h2 { font-size: 13pt; border-bottom: 0.4mm solid #444; padding-bottom: 1mm; margin: 0 0 3mm; }
h3 { font-size: 10pt; margin: 4mm 0 2mm; }
table { margin-bottom: 3mm; }
th, td { border: 1px solid #999; padding: 1px 3px; text-align: left; vertical-align: top; }
th { background: #e8e8e8; }
table.fields th { width: 70mm; font-weight: normal; }
table.devices { width: 100%; font-size: 7.5pt; }
table.matrix { font-size: 6pt; table-layout: fixed; }
table.matrix td, table.matrix th { width: 4.2mm; padding: 0.3mm; text-align: center; }
table.matrix th.row { width: 19mm; text-align: left; white-space: nowrap; }
.O { background: #ffffff; } .C { background: #ff6b6b; } .P { background: #66e066; }
.W { background: #ffff66; } .unknown { background: #7f7fff; }
.disabled { background: #bdbdbd; color: #555; }
.legend span { display: inline-block; border: 0.2mm solid #999; width: 4mm; text-align: center; margin-right: 1mm; }
.ok { color: #176317; font-weight: bold; }
.faults li { font-family: "DejaVu Sans Mono", monospace; }
.fault-count { color: #a01010; font-weight: bold; }
.muted { color: #666; }
)";

// Every section but the first starts a page.
std::string sectionStart(std::string_view id, std::string_view title) {
    const bool first = id == "site-information";
    return "<section id=\"" + std::string(id) + "\">\n<h2" +
           (first ? std::string() : std::string(" style=\"page-break-before: always\"")) + ">" + HtmlText(title) +
           "</h2>\n";
}

std::string cell(std::string_view tag, std::string_view text, std::string_view attributes = {}) {
    std::string html = "<" + std::string(tag);
    if (!attributes.empty()) html += " " + std::string(attributes);
    return html + ">" + HtmlText(text) + "</" + std::string(tag) + ">";
}

void fieldTable(std::string& html, const std::vector<CommissioningReport::Field>& fields) {
    html += "<table class=\"fields\">\n";
    for (const auto& field : fields) html += "<tr>" + cell("th", field.label) + cell("td", field.value) + "</tr>\n";
    html += "</table>\n";
}

void header(std::string& html, const CommissioningReport& report) {
    html += "<header>\n<h1>Commissioning report</h1>\n";
    html += "<p>" + cell("strong", report.siteName.empty() ? "No site name" : report.siteName) + "</p>\n";
    html += "<p class=\"muted\">Made " + HtmlText(report.generatedAt);
    if (report.panelReadAt) html += "; the site was read from the panel " + HtmlText(*report.panelReadAt);
    html += "</p>\n</header>\n";
}

void zonesSection(std::string& html, const CommissioningReport& report) {
    html += sectionStart("zones", "Zones");
    if (report.zones.empty()) {
        html += "<p>No devices are installed on the loop, so no zone holds a device.</p>\n</section>\n";
        return;
    }
    html += "<table>\n<tr><th>Zone</th><th>Zone text</th><th>Devices (address: type)</th></tr>\n";
    for (const auto& zone : report.zones) {
        std::string devices;
        for (const int address : zone.addresses) {
            const auto device = std::find_if(report.devices.begin(), report.devices.end(),
                                             [&](const auto& d) { return d.address == address; });
            if (!devices.empty()) devices += ", ";
            devices += std::to_string(address) + ": " + device->type;
        }
        html +=
            "<tr>" + cell("td", std::to_string(zone.number)) + cell("td", zone.text) + cell("td", devices) + "</tr>\n";
    }
    html += "</table>\n</section>\n";
}

void devicesSection(std::string& html, const CommissioningReport& report) {
    html += sectionStart("devices", "Devices");
    if (report.devices.empty()) {
        html += "<p>No devices are installed on the loop.</p>\n</section>\n";
        return;
    }
    html += "<p>" + std::to_string(report.devices.size()) + " devices on the loop.</p>\n";
    html +=
        "<table class=\"devices\">\n<tr><th>Address</th><th>Type</th><th>Serial</th><th>Zone</th>"
        "<th>Input group</th><th>Output group</th><th>Day sens.</th><th>Night sens.</th><th>Class</th>"
        "<th>Volume</th><th>Latching</th><th>Device text</th></tr>\n";
    for (const auto& d : report.devices) {
        html += "<tr>";
        for (const std::string* field : {&d.type, &d.serial, &d.zone, &d.inputGroup, &d.outputGroup, &d.daySensitivity,
                                         &d.nightSensitivity, &d.deviceClass, &d.volume, &d.latching, &d.text}) {
            if (field == &d.type) html += cell("td", std::to_string(d.address));
            html += cell("td", *field);
        }
        html += "</tr>\n";
    }
    html += "</table>\n</section>\n";
}

void matrixSection(std::string& html, const CommissioningReport& report, ReportFlavour flavour) {
    const auto& matrix = report.matrix;
    html += sectionStart("matrix", "Input / output matrix");
    html +=
        "<p class=\"legend\"><span class=\"O\">O</span>off <span class=\"C\">C</span>continuous "
        "<span class=\"P\">P</span>mode P <span class=\"W\">W</span>mode W "
        "<span class=\"disabled\">X</span>output group disabled</p>\n";
    // The rich-text engine sizes columns only from attributes.
    const std::string rowHeader = flavour == ReportFlavour::RichText ? "class=\"row\" width=\"13%\"" : "class=\"row\"";
    html += "<table class=\"matrix\">\n";
    html += "<tr>" + cell("th", "Input \\ output", rowHeader);
    for (int out = 0; out < 32; ++out) {
        const bool disabled = matrix.outputs[static_cast<std::size_t>(out)].disabled;
        html += disabled ? std::string("<th class=\"disabled\">X</th>") : cell("th", std::to_string(out + 1));
    }
    html += "</tr>\n";
    for (std::size_t in = 0; in < 32; ++in) {
        html += "<tr>" + cell("th", matrix.inputLabels[in], rowHeader);
        for (std::size_t out = 0; out < 32; ++out) {
            const char letter = matrix.cells[in][out];
            const std::string style = matrix.outputs[out].disabled ? "disabled"
                                      : letter == '?'              ? "unknown"
                                                                   : std::string(1, letter);
            html += cell("td", std::string(1, letter), "class=\"" + style + "\"");
        }
        html += "</tr>\n";
    }
    const auto outputRow = [&](std::string_view label, std::string CommissioningReport::OutputGroup::*field) {
        html += "<tr>" + cell("th", label, rowHeader);
        for (const auto& output : matrix.outputs) html += cell("td", output.*field);
        html += "</tr>\n";
    };
    outputRow("Delay T1 (m:ss)", &CommissioningReport::OutputGroup::delayT1);
    outputRow("Delay T2 (m:ss)", &CommissioningReport::OutputGroup::delayT2);
    outputRow("Alarm type", &CommissioningReport::OutputGroup::alarmType);
    html += "</table>\n<h3>Coincidence</h3>\n<p>";
    if (matrix.coincidenceGroups == 0) {
        html += "Coincidence is off.";
    } else {
        html += std::to_string(matrix.coincidenceGroups) + " coincidence group" +
                (matrix.coincidenceGroups == 1 ? "" : "s") + ": input groups";
        for (int k = 0; k < matrix.coincidenceGroups; ++k) html += (k ? ", " : " ") + std::to_string(28 - k);
        html += ".";
    }
    html += "</p>\n</section>\n";
}

// Two horizontal bars against one scale, with the alarm limit marked.
std::string currentChart(const CommissioningReport::DesignCheck& check) {
    constexpr int kLeft = 110, kWidth = 420, kBar = 22;
    const float top = std::max({check.alarmLimitMilliamps, check.alarmMilliamps, check.quiescentMilliamps}) * 1.1f;
    const auto x = [&](float milliamps) { return kLeft + static_cast<int>(milliamps / top * kWidth); };
    char text[512];
    std::string svg =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"160mm\" height=\"32mm\" "
        "viewBox=\"0 0 600 120\" role=\"img\" aria-label=\"Loop currents\">\n";
    const struct {
        const char* label;
        float value;
        const char* colour;
        int y;
    } bars[] = {
        {"Quiescent", check.quiescentMilliamps, "#3b78c4", 10},
        {"Alarm", check.alarmMilliamps, check.alarmMilliamps > check.alarmLimitMilliamps ? "#c43b3b" : "#e08a1e", 50}};
    for (const auto& bar : bars) {
        std::snprintf(text, sizeof text,
                      "<text x=\"0\" y=\"%d\" font-size=\"14\">%s</text>"
                      "<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"%s\"/>"
                      "<text x=\"%d\" y=\"%d\" font-size=\"13\">%s</text>\n",
                      bar.y + 16, bar.label, kLeft, bar.y, std::max(1, x(bar.value) - kLeft), kBar, bar.colour,
                      x(bar.value) + 6, bar.y + 16, FormatMilliamps(bar.value).c_str());
        svg += text;
    }
    std::snprintf(text, sizeof text,
                  "<line x1=\"%d\" y1=\"4\" x2=\"%d\" y2=\"80\" stroke=\"#a01010\" stroke-width=\"2\" "
                  "stroke-dasharray=\"5,3\"/><text x=\"%d\" y=\"100\" font-size=\"13\" fill=\"#a01010\" "
                  "text-anchor=\"middle\">Alarm limit %s</text>\n",
                  x(check.alarmLimitMilliamps), x(check.alarmLimitMilliamps), x(check.alarmLimitMilliamps),
                  FormatMilliamps(check.alarmLimitMilliamps).c_str());
    svg += text;
    return svg + "</svg>\n";
}

void designCheckSection(std::string& html, const CommissioningReport& report, ReportFlavour flavour) {
    const auto& check = report.check;
    html += sectionStart("design-check", "Design check");
    if (check.faultCount == 0) {
        html += "<p class=\"ok\">No Site File Errors</p>\n";
    } else {
        html += "<p class=\"fault-count\">" + std::to_string(check.faultCount) + " fault" +
                (check.faultCount == 1 ? "" : "s") + " found:</p>\n<ul class=\"faults\">\n";
        for (const std::string& fault : check.faults) html += cell("li", fault) + "\n";
        html += "</ul>\n";
    }
    html += "<h3>Loop currents</h3>\n<table class=\"fields\">\n";
    html += "<tr><th>Quiescent Current</th>" + cell("td", FormatMilliamps(check.quiescentMilliamps)) + "</tr>\n";
    html += "<tr><th>Alarm Current</th>" + cell("td", FormatMilliamps(check.alarmMilliamps)) + "</tr>\n</table>\n";
    html += flavour == ReportFlavour::Browser ? currentChart(check)
                                              : "<p>" + std::string(kReportChartPlaceholder) + "</p>\n";
    html += "</section>\n";
}

void countTable(std::string& html, std::string_view heading,
                const std::vector<CommissioningReport::EventCount>& counts) {
    html += cell("h3", heading) + "\n";
    if (counts.empty()) {
        html += "<p>The log is empty.</p>\n";
        return;
    }
    html += "<table>\n<tr><th>Event</th><th>Count</th></tr>\n";
    for (const auto& count : counts)
        html += "<tr>" + cell("td", count.text) + cell("td", std::to_string(count.count)) + "</tr>\n";
    html += "</table>\n";
}

void eventsSection(std::string& html, const CommissioningReport& report) {
    html += sectionStart("events", "Event log");
    countTable(html, "Fire log", report.events.fireCounts);
    countTable(html, "Non-fire log", report.events.nonFireCounts);
    html += "<h3>Latest events</h3>\n";
    if (report.events.latest.empty()) {
        html += "<p>No events are logged.</p>\n</section>\n";
        return;
    }
    html += "<table>\n<tr><th>Time</th><th>Event text</th><th>Address</th><th>Zone</th><th>On/Off</th></tr>\n";
    for (const EventRow& event : report.events.latest) {
        html += "<tr>" + cell("td", event.time) + cell("td", event.text) + cell("td", event.address) +
                cell("td", event.zone) + cell("td", event.ended ? "OFF" : "ON") + "</tr>\n";
    }
    html += "</table>\n</section>\n";
}

}  // namespace

std::string CommissioningReportHtml(const CommissioningReport& report, ReportFlavour flavour) {
    std::string html;
    html.reserve(256 * 1024);
    html += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
    html += "<title>Commissioning report: " + HtmlText(report.siteName) + "</title>\n";
    html += "<style>" + std::string(kStyle);
    // The rich-text engine draws collapsed borders cell by cell, three times slower than plain ones
    // without spacing, which look the same.
    if (flavour == ReportFlavour::Browser) html += "table { border-collapse: collapse; }\n";
    html += "</style>\n</head>\n<body>\n";
    header(html, report);
    html += sectionStart("site-information", "Site information");
    fieldTable(html, report.siteInformation);
    html += "</section>\n" + sectionStart("panel-options", "Panel options");
    fieldTable(html, report.panelOptions);
    html += "<h3>Access levels</h3>\n";
    fieldTable(html, report.accessLevels);
    html += "</section>\n";
    zonesSection(html, report);
    devicesSection(html, report);
    matrixSection(html, report, flavour);
    designCheckSection(html, report, flavour);
    eventsSection(html, report);
    html += "</body>\n</html>\n";
    if (flavour == ReportFlavour::RichText) {
        for (auto at = html.find("<table"); at != std::string::npos; at = html.find("<table", at + 1)) {
            html.insert(at + 6, " cellspacing=\"0\" border=\"0\" width=\"100%\"");
        }
    }
    return html;
}

}  // namespace tamrik
