#include <gtest/gtest.h>

#include <regex>

#include "checker/SiteCheck.h"
#include "report/HtmlText.h"
#include "report/ReportHtml.h"
#include "settings/DefaultSettings.h"

namespace tamrik {
namespace {

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
    return n;
}

// The part of the document from the section's opening tag to its end.
std::string section(const std::string& html, const std::string& id) {
    const auto start = html.find("<section id=\"" + id + "\"");
    if (start == std::string::npos) return {};
    return html.substr(start, html.find("</section>", start) - start);
}

class CommissioningReportTest : public ::testing::Test {
protected:
    CommissioningReportTest() { ApplyDefaultSettings(store); }

    std::string html() { return CommissioningReportHtml(BuildCommissioningReport(store, "2026-12-06 10:00 UTC")); }

    SettingsStore store;
};

TEST_F(CommissioningReportTest, ListsEveryDeviceZoneAndFaultButNoAccessCode) {
    store.put("SiteName", "Caf\xE9 <Z\xFCrich>");
    const char* types[] = {"1", "208", "131", "64"};
    for (int address = 1; address <= 12; ++address) {
        const std::string n = std::to_string(address);
        store.put("Type_" + n, types[address % 4]);
        store.put("Version_" + n, "31");
        // Zone numbers count by their low 8 bits: 259 is zone 3.
        store.put("Zone_" + n, address == 12 ? "259" : std::to_string(1 + address % 3));
        store.put("DeviceText_" + n, "Room " + n + "               ");
    }
    store.put("ZoneText_3", "Reception & hall    ");
    store.put("DisabledOPGroups", "16");
    store.put("Matrix_1_2", "P");
    store.put("CoincidenceInputGroups", "2");
    store.put("FireEvent_1", "5, 3, 946684800");
    store.put("FireEvent_2", "5, 4, 946684900");
    store.put("NonFireEvent_1", "18, 0, 946684850");

    const std::string page = html();
    SettingsStore& checked = store;
    const SiteCheckResult check = SiteCheck(checked);
    ASSERT_GT(check.faultCount, 0u);

    for (const char* id : {"site-information", "panel-options", "zones", "devices", "matrix", "design-check", "events"})
        EXPECT_FALSE(section(page, id).empty()) << id;
    EXPECT_EQ(count(section(page, "devices"), "<tr>"), 12u + 1);
    // Zone 3 holds 2, 5, 8, 11 and 12 (zone 259).
    const std::regex zoneThree(
        "<td>3</td><td>Reception &amp; hall</td><td>2: [^<]*, 5: [^<]*, 8: [^<]*, 11: [^<]*, 12: ");
    EXPECT_TRUE(std::regex_search(section(page, "zones"), zoneThree)) << section(page, "zones");
    std::string report = check.report;
    for (auto end = report.find("\r\n"); end != std::string::npos; end = report.find("\r\n")) {
        EXPECT_NE(section(page, "design-check").find(HtmlText(report.substr(0, end))), std::string::npos);
        report.erase(0, end + 2);
    }
    EXPECT_NE(page.find(FormatMilliamps(check.quiescentMilliamps)), std::string::npos);
    EXPECT_NE(page.find(FormatMilliamps(check.alarmMilliamps)), std::string::npos);
    for (const char* code : {"UserCode", "UserCode2", "EngineerCode", "AdvancedCode"})
        EXPECT_EQ(page.find(store.text(code)), std::string::npos) << code;
    EXPECT_NE(page.find("Caf\xC3\xA9 &lt;Z\xC3\xBCrich&gt;"), std::string::npos);
    EXPECT_EQ(count(section(page, "matrix"), "class=\"disabled\">"), 32u + 1 + 1);  // column 5, its header, legend
    EXPECT_NE(section(page, "matrix").find("input groups 28, 27."), std::string::npos);
    EXPECT_EQ(count(section(page, "events"), "<td>1/1/2000 "), 3u);
}

TEST_F(CommissioningReportTest, ASiteWithoutDevicesSaysSo) {
    const std::string page = html();
    EXPECT_NE(section(page, "devices").find("No devices are installed on the loop."), std::string::npos);
    EXPECT_NE(section(page, "design-check").find("fault"), std::string::npos);  // the defaults fail the check
    EXPECT_NE(section(page, "events").find("No events are logged."), std::string::npos);
}

TEST(HtmlTextTest, TurnsLatin1IntoEscapedUtf8) {
    const std::pair<std::string, std::string> cases[] = {
        {"a&b<c>\"d'", "a&amp;b&lt;c&gt;&quot;d&#39;"},
        {"line 1\r\nline 2\nline 3", "line 1<br>line 2<br>line 3"},
        {"\xA0\xFF", "\xC2\xA0\xC3\xBF"},
        {std::string("\x01\x7F\x85", 3), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
    };
    for (const auto& [latin1, html] : cases) EXPECT_EQ(HtmlText(latin1), html) << latin1;
}

}  // namespace
}  // namespace tamrik
