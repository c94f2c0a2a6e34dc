#include "images/EventLog.h"

#include <algorithm>
#include <string>

#include "images/ImageBytes.h"
#include "images/ImageLayout.h"
#include "images/ValueText.h"

namespace tamrik {
namespace {

std::string eventValue(const std::uint8_t* record) {
    // The time is written as a signed 32-bit number.
    const auto time = static_cast<std::int32_t>(imagebytes::ReadU32(record + 2));
    return valuetext::FormatInt(record[0]) + ", " + valuetext::FormatInt(record[1]) + ", " + valuetext::FormatInt(time);
}

void decodeArea(SettingsStore& store, const std::uint8_t* image, std::size_t areaOffset, std::size_t claimed,
                std::size_t capacity, const std::string& prefix) {
    // The counts come from the panel and may be damaged: an area is never read past its end.
    const std::size_t count = std::min(claimed, capacity);
    for (std::size_t i = 0; i < count; ++i) {
        store.put(prefix + std::to_string(i + 1), eventValue(image + areaOffset + kEventRecordSize * i));
    }
}

}  // namespace

void EventLogDecode(SettingsStore& store, const std::uint8_t* image) {
    unsigned sum = 0;
    for (std::size_t i = kEventLogCheckedOffset; i < kEventLogImageSize; ++i) sum += image[i];
    if ((sum & 0xFF) != kEventLogCheckSum) return;

    store.put("AlarmCount", valuetext::FormatInt(imagebytes::ReadU16(image + kEventLogAlarmCountOffset)));
    decodeArea(store, image, kFireAreaOffset, imagebytes::ReadU16(image + kEventLogFireCountOffset), kMaxFireEvents,
               "FireEvent_");
    decodeArea(store, image, kNonFireAreaOffset, imagebytes::ReadU16(image + kEventLogNonFireCountOffset),
               kMaxNonFireEvents, "NonFireEvent_");
}

EventTime EventTimeSplit(std::uint32_t seconds) {
    // Civil date from a day count (proleptic Gregorian, days since 1970-01-01), computed in
    // 400-year eras starting on 1 March so that the leap day ends each era's year.
    const std::int64_t days = seconds / 86400;
    const std::int64_t shifted = days + 719468;
    const std::int64_t era = shifted / 146097;
    const std::int64_t dayOfEra = shifted - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    const std::int64_t day = dayOfYear - (153 * monthFromMarch + 2) / 5 + 1;
    const std::int64_t month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);

    const std::uint32_t ofDay = seconds % 86400;
    return EventTime{static_cast<int>(day),
                     static_cast<int>(month),
                     static_cast<int>(year),
                     static_cast<int>(ofDay / 3600),
                     static_cast<int>(ofDay % 3600 / 60),
                     static_cast<int>(ofDay % 60)};
}

}  // namespace tamrik
