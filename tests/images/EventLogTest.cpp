#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "images/EventLog.h"
#include "images/ImageLayout.h"

namespace tamrik {
namespace {

using Bytes = std::vector<std::uint8_t>;

class EventLogTest : public ::testing::Test {
protected:
    // Sets the counts and the check byte that makes the six tail bytes add up to 0x5A.
    static void setCounts(Bytes& image, int alarms, int fire, int nonFire) {
        const int counts[] = {alarms, fire, nonFire};
        for (int i = 0; i < 3; ++i) {
            image[8184 + 2 * i] = static_cast<std::uint8_t>(counts[i]);
            image[8185 + 2 * i] = static_cast<std::uint8_t>(counts[i] >> 8);
        }
        image[8190] = static_cast<std::uint8_t>(0x5A - (image[8186] + image[8187] + image[8188] + image[8189]));
        image[8191] = 0;
    }
    static void setRecord(Bytes& image, std::size_t offset, std::uint8_t code, std::uint8_t source,
                          std::uint32_t time) {
        image[offset] = code;
        image[offset + 1] = source;
        for (int i = 0; i < 4; ++i) image[offset + 2 + i] = static_cast<std::uint8_t>(time >> (8 * i));
        image[offset + 6] = 0xAA;
        image[offset + 7] = 0xBB;
    }
    std::string value(const std::string& key) { return std::string(store.text(key, "<absent>")); }

    SettingsStore store;
    Bytes image = Bytes(kEventLogImageSize, 0);
};

TEST_F(EventLogTest, FailedCheckWritesNothing) {
    EventLogDecode(store, image.data());
    EXPECT_EQ(store.size(), 0);
    setCounts(image, 3, 1, 1);
    image[8191] = 1;
    EventLogDecode(store, image.data());
    EXPECT_EQ(store.size(), 0);
}

TEST_F(EventLogTest, ClaimedCountsNeverReachPastTheAreas) {
    setCounts(image, 0xFFFF, 0xFFFF, 0xFFFF);
    setRecord(image, 8 + 299 * 8, 1, 1, 1);     // last fire record
    setRecord(image, 2408, 2, 2, 0xFFFFFFFF);   // first non-fire record, not a 301st fire record
    setRecord(image, 2408 + 720 * 8, 3, 3, 3);  // last non-fire record, ending at 8176
    EventLogDecode(store, image.data());
    EXPECT_EQ(value("FireEvent_300"), "1, 1, 1");
    EXPECT_EQ(value("FireEvent_301"), "<absent>");
    EXPECT_EQ(value("NonFireEvent_1"), "2, 2, -1");  // the time is written signed
    EXPECT_EQ(value("NonFireEvent_721"), "3, 3, 3");
    EXPECT_EQ(value("NonFireEvent_722"), "<absent>");
    EXPECT_EQ(store.size(), 1 + 300 + 721);
}

std::string text(const EventTime& t) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%d/%d/%d %d:%02d:%02d", t.day, t.month, t.year, t.hour, t.minute, t.second);
    return buffer;
}

// The month-by-month walk from 1 January 2000 that the panel's own clock uses.
EventTime walkFrom2000(std::uint32_t seconds) {
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int days = static_cast<int>(seconds / 86400) - 10957;
    int month = 0, year = 0;
    for (;;) {
        const int length = lengths[month] + (month == 1 && year % 4 == 0 ? 1 : 0);
        if (length > days) break;
        days -= length;
        if (++month == 12) month = 0, ++year;
    }
    const int ofDay = static_cast<int>(seconds % 86400);
    return {days + 1, month + 1, 2000 + year, ofDay / 3600, ofDay % 3600 / 60, ofDay % 60};
}

TEST(EventTimeSplit, KnownDatesAndThePanelsCalendarThroughTheCentury) {
    const std::pair<std::uint32_t, const char*> dates[] = {
        {946684800, "1/1/2000 0:00:00"},
        {951782400, "29/2/2000 0:00:00"},
        {1078099200 + 13 * 3600 + 7 * 60 + 9, "1/3/2004 13:07:09"},
        // An unset panel clock and the far end of the counter still give real dates.
        {0, "1/1/1970 0:00:00"},
        {4102444800, "1/1/2100 0:00:00"},
        {4107542400, "1/3/2100 0:00:00"},  // 2100 has no 29 February
        {0xFFFFFFFF, "7/2/2106 6:28:15"},
    };
    for (const auto& [seconds, expected] : dates) EXPECT_EQ(text(EventTimeSplit(seconds)), expected) << seconds;
    for (std::uint32_t t = 946684800; t < 4102444800u; t += 86400 - 1) {
        ASSERT_EQ(text(EventTimeSplit(t)), text(walkFrom2000(t))) << t;
    }
}

}  // namespace
}  // namespace tamrik
