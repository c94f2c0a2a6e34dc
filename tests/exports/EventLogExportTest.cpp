#include <gtest/gtest.h>

#include "exports/EventLogExport.h"
#include "exports/ExportTestSupport.h"
#include "site/EventList.h"

namespace tamrik {
namespace {

using testing::CsvLines;

constexpr long kYear2000 = 946684800;

std::string event(int code, int source, long time) {
    return std::to_string(code) + ", " + std::to_string(source) + ", " + std::to_string(time);
}

class EventLogExportTest : public ::testing::Test {
protected:
    void fire(int n, const std::string& value) { site.put("FireEvent_" + std::to_string(n), value); }
    void nonFire(int n, const std::string& value) { site.put("NonFireEvent_" + std::to_string(n), value); }
    std::vector<std::string> exported() { return CsvLines(EventLogCsv(site)); }

    SettingsStore site;
};

TEST_F(EventLogExportTest, LogsAreMergedOldestFirst) {
    fire(1, event(5, 1, kYear2000 + 30));
    fire(2, event(4, 1, kYear2000 + 10));
    nonFire(1, event(18, 0, kYear2000 + 20));
    nonFire(2, event(17, 0, kYear2000 + 10));
    nonFire(4, event(27, 0, kYear2000));  // after a gap: not part of the log
    const auto lines = exported();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1].substr(0, 3), "17,") << "equal times: the non-fire log comes first";
    EXPECT_EQ(lines[2].substr(0, 3), "4, ");
    EXPECT_EQ(lines[3].substr(0, 3), "18,");
    EXPECT_EQ(lines[4].substr(0, 3), "5, ");
}

TEST_F(EventLogExportTest, EveryEventOfAFullImageIsExported) {
    for (int n = 1; n <= 300; ++n) fire(n, event(5, 1, kYear2000 + 2 * n));
    for (int n = 1; n <= 721; ++n) nonFire(n, event(18, 0, kYear2000 + 2 * n + 1));
    const auto lines = exported();
    ASSERT_EQ(lines.size(), 1022u);
    EXPECT_EQ(lines[1].substr(0, 3), "5, ");
    EXPECT_EQ(lines[2].substr(0, 3), "18,");
    EXPECT_EQ(lines[1021].substr(0, 3), "18,");
}

TEST_F(EventLogExportTest, DamagedValuesKeepTheirPlace) {
    nonFire(1, event(18, 0, kYear2000 + 50));
    nonFire(2, "garbage");
    nonFire(3, event(17, 0, kYear2000 + 40));
    fire(1, event(5, 1, kYear2000 + 45));
    const std::vector<std::string> list = EventListCollect(site, kCombinedEventLogs);
    EXPECT_EQ(list, (std::vector<std::string>{event(17, 0, kYear2000 + 40), "garbage", event(5, 1, kYear2000 + 45),
                                              event(18, 0, kYear2000 + 50)}));
    EXPECT_EQ(exported()[2], "garbage, ,,1/1/1970 0:00:00,  SOUND ALARMS ACTIVE, ON");
}

TEST_F(EventLogExportTest, TimesAreComparedWhole) {
    // A time past 2038 is stored as a negative number and sorts as the panel's signed text says;
    // far-apart times must not overflow the comparison.
    fire(1, event(1, 0, 2147483000));
    fire(2, event(2, 0, -2147483000));
    fire(3, event(3, 0, 0));
    const std::vector<std::string> list = EventListCollect(site, std::span<const KeyFamily* const>{{&key::FireEvent}});
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].substr(0, 2), "2,");
    EXPECT_EQ(list[1].substr(0, 2), "3,");
    EXPECT_EQ(list[2].substr(0, 2), "1,");
}

}  // namespace
}  // namespace tamrik
