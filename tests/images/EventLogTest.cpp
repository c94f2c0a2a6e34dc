#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "images/EventLog.h"
#include "images/ImageLayout.h"

namespace tamrik {
namespace {

using Bytes = std::vector<std::uint8_t>;

class EventLogTest : public ::testing::Test {
protected:
    void SetUp() override { StoreCreate(store); }
    void TearDown() override { StoreDestroy(&store); }

    // Sets the counts and the check byte that makes the six tail bytes add up to 0x5A.
    static void setCounts(Bytes& image, int alarms, int fire, int nonFire) {
        image[8184] = static_cast<std::uint8_t>(alarms), image[8185] = static_cast<std::uint8_t>(alarms >> 8);
        image[8186] = static_cast<std::uint8_t>(fire), image[8187] = static_cast<std::uint8_t>(fire >> 8);
        image[8188] = static_cast<std::uint8_t>(nonFire), image[8189] = static_cast<std::uint8_t>(nonFire >> 8);
        const unsigned sum = image[8186] + image[8187] + image[8188] + image[8189];
        image[8190] = static_cast<std::uint8_t>(0x5A - sum);
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
    std::string value(const std::string& key) {
        const char* text = SettingGet(store, key);
        return text ? text : "<absent>";
    }

    SettingsStore store;
};

TEST_F(EventLogTest, DecodesCountsAndRecordsInOrder) {
    Bytes image(kEventLogImageSize, 0);
    const std::uint8_t tail[] = {0x01, 0x00, 0x02, 0x00, 0x57, 0x00};
    std::memcpy(&image[8186], tail, sizeof tail);
    image[8184] = 0x34, image[8185] = 0x12;
    setRecord(image, 8, 0x85, 200, 946684800);
    setRecord(image, 2408, 0x1E, 0, 951782400);
    setRecord(image, 2416, 0x06, 17, 0xFFFFFFFF);
    EventLogDecode(store, image.data());
    EXPECT_EQ(value("AlarmCount"), "4660");
    EXPECT_EQ(value("FireEvent_1"), "133, 200, 946684800");
    EXPECT_EQ(value("FireEvent_2"), "<absent>");
    EXPECT_EQ(value("NonFireEvent_1"), "30, 0, 951782400");
    EXPECT_EQ(value("NonFireEvent_2"), "6, 17, -1");  // the time is written signed
    EXPECT_EQ(value("NonFireEvent_3"), "<absent>");
    EXPECT_EQ(store.entryCount, 4);
}

TEST_F(EventLogTest, FailedCheckWritesNothing) {
    Bytes image(kEventLogImageSize, 0);
    EventLogDecode(store, image.data());
    EXPECT_EQ(store.entryCount, 0);
    setCounts(image, 3, 1, 1);
    image[8191] = 1;
    EventLogDecode(store, image.data());
    EXPECT_EQ(store.entryCount, 0);
}

TEST_F(EventLogTest, ClaimedCountsNeverReachPastTheAreas) {
    Bytes image(kEventLogImageSize, 0);
    setCounts(image, 0xFFFF, 0xFFFF, 0xFFFF);
    setRecord(image, 8 + 299 * 8, 1, 1, 1);     // last fire record
    setRecord(image, 2408, 2, 2, 2);            // first non-fire record, not a 301st fire record
    setRecord(image, 2408 + 720 * 8, 3, 3, 3);  // last non-fire record, ending at 8176
    EventLogDecode(store, image.data());
    EXPECT_EQ(value("FireEvent_300"), "1, 1, 1");
    EXPECT_EQ(value("FireEvent_301"), "<absent>");
    EXPECT_EQ(value("NonFireEvent_1"), "2, 2, 2");
    EXPECT_EQ(value("NonFireEvent_721"), "3, 3, 3");
    EXPECT_EQ(value("NonFireEvent_722"), "<absent>");
    EXPECT_EQ(store.entryCount, 1 + 300 + 721);
}

TEST(EventCatalogue, FiftyTextsOfTwentyCharacters) {
    for (int n = 0; n < 50; ++n) {
        ASSERT_NE(EventText(n), nullptr) << n;
        EXPECT_EQ(std::strlen(EventText(n)), 20u) << n;
    }
    EXPECT_STREQ(EventText(0), " SOUND ALARMS ACTIVE");
    EXPECT_STREQ(EventText(5), "  DEVICE IN ALARM   ");
    EXPECT_STREQ(EventText(25), "ADV ENG CODE ENTERED");
    EXPECT_STREQ(EventText(49), "OPGROUP 32 DISABLED ");
    for (int n : {50, 60, 127, -1, 128}) EXPECT_EQ(EventText(n), nullptr) << n;
}

TEST(EventValue, ParsesWhatTheDecoderWrites) {
    EventValue event;
    ASSERT_TRUE(EventValueParse("133, 200, 946684800", event));
    EXPECT_EQ(event.eventNumber(), 5);
    EXPECT_TRUE(event.ended());
    EXPECT_EQ(event.source, 200);
    EXPECT_EQ(event.time, 946684800u);
    ASSERT_TRUE(EventValueParse("6,17,-1", event));
    EXPECT_FALSE(event.ended());
    EXPECT_EQ(event.time, 0xFFFFFFFFu);
    for (const char* bad : {"", "1, 2", "a, b, c", "1, , 3"}) EXPECT_FALSE(EventValueParse(bad, event)) << bad;
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
    const std::uint32_t ofDay = seconds % 86400;
    return {days + 1,
            month + 1,
            2000 + year,
            static_cast<int>(ofDay / 3600),
            static_cast<int>(ofDay % 3600 / 60),
            static_cast<int>(ofDay % 60)};
}

void expectTime(const EventTime& t, int day, int month, int year, int hour, int minute, int second) {
    EXPECT_EQ(t.day, day);
    EXPECT_EQ(t.month, month);
    EXPECT_EQ(t.year, year);
    EXPECT_EQ(t.hour, hour);
    EXPECT_EQ(t.minute, minute);
    EXPECT_EQ(t.second, second);
}

TEST(EventTimeSplit, KnownDates) {
    expectTime(EventTimeSplit(946684800), 1, 1, 2000, 0, 0, 0);
    expectTime(EventTimeSplit(951782400), 29, 2, 2000, 0, 0, 0);
    expectTime(EventTimeSplit(1078099200), 1, 3, 2004, 0, 0, 0);
    expectTime(EventTimeSplit(1078099200 + 13 * 3600 + 7 * 60 + 9), 1, 3, 2004, 13, 7, 9);
    // An unset panel clock and the far end of the counter still give real dates.
    expectTime(EventTimeSplit(0), 1, 1, 1970, 0, 0, 0);
    expectTime(EventTimeSplit(4102444800), 1, 1, 2100, 0, 0, 0);
    expectTime(EventTimeSplit(4107542400), 1, 3, 2100, 0, 0, 0);  // 2100 has no 29 February
    expectTime(EventTimeSplit(0xFFFFFFFF), 7, 2, 2106, 6, 28, 15);
}

TEST(EventTimeSplit, AgreesWithThePanelsCalendarThroughTheCentury) {
    for (std::uint32_t t = 946684800; t < 4102444800u; t += 86400 - 1) {
        const EventTime a = EventTimeSplit(t);
        const EventTime b = walkFrom2000(t);
        ASSERT_TRUE(a.day == b.day && a.month == b.month && a.year == b.year && a.hour == b.hour &&
                    a.minute == b.minute && a.second == b.second)
            << t;
    }
}

}  // namespace
}  // namespace tamrik
