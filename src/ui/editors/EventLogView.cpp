#include "ui/editors/EventLogView.h"

#include <cstdio>

#include "site/EventList.h"
#include "images/EventLog.h"
#include "ui/grid/Grid.h"

namespace tamrik {
namespace {

constexpr int kHighestAddress = 192;
constexpr std::size_t kLongestEventValue = 64;
constexpr const char* kHeadings[] = {"Event", "Address", "Zone", "Time", "Event text", "On/Off"};
constexpr int kColumns = 6;

std::span<const KeyFamily* const> logsOf(EditorView view) {
    static constexpr const KeyFamily* kFire[] = {&key::FireEvent};
    static constexpr const KeyFamily* kNonFire[] = {&key::NonFireEvent};
    switch (view) {
        case EditorView::FireLog:
            return kFire;
        case EditorView::NonFireLog:
            return kNonFire;
        default:
            return kCombinedEventLogs;
    }
}

}  // namespace

std::vector<std::string> EventRowTexts(const std::string& value) {
    const EventFields fields = EventFieldsSplit(std::string_view(value).substr(0, kLongestEventValue));
    std::vector<std::string> texts(kColumns);
    texts[0] = fields.codeText;
    if (fields.source >= 1 && fields.source <= kHighestAddress) texts[1] = fields.sourceText;
    if (fields.source > kHighestAddress) texts[2] = std::to_string(fields.source - kHighestAddress);
    const EventTime time = EventTimeSplit(static_cast<std::uint32_t>(fields.time));
    char text[64];
    std::snprintf(text, sizeof text, "%d/%d/%d %d:%02d:%02d", time.day, time.month, time.year, time.hour, time.minute,
                  time.second);
    texts[3] = text;
    const int number = fields.code & 0x7F;
    const char* eventText = EventText(number);
    texts[4] = eventText ? eventText : "Event " + std::to_string(number);
    texts[5] = (fields.code & 0x80) ? "OFF" : "ON";
    return texts;
}

EventLogView::EventLogView(EditorView view, const SettingsStore& store, Grid* grid, QWidget* parent)
    : SiteEditor(view, grid, parent), grid_(grid) {
    setObjectName(QStringLiteral("eventLogView"));
    grid_->setSize(1, kColumns);
    grid_->setHeaderHeight(21);
    fill(store, logsOf(view));
}

void EventLogView::fill(const SettingsStore& store, std::span<const KeyFamily* const> logs) {
    for (int column = 0; column < kColumns; ++column) grid_->setText(0, column + 1, kHeadings[column]);
    const std::vector<std::string> events = EventListCollect(store, logs);
    int row = 0;
    for (const std::string& value : events) {
        ++row;
        const std::vector<std::string> texts = EventRowTexts(value);
        for (int column = 0; column < kColumns; ++column) {
            if (!texts[column].empty()) grid_->setText(row, column + 1, texts[column], true);
        }
    }
    eventCount_ = row;
}

}  // namespace tamrik
