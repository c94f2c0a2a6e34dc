#include "ui/editors/EventLogView.h"

#include "site/EventList.h"
#include "site/EventRow.h"
#include "ui/grid/Grid.h"

namespace tamrik {
namespace {

constexpr std::size_t kLongestEventValue = 64;
constexpr int kColumns = static_cast<int>(std::size(kEventHeadings));

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
    const EventRow row = EventRowOf(std::string_view(value).substr(0, kLongestEventValue));
    return {row.codeText, row.source, row.zone, row.time, row.shownText, row.ended ? "OFF" : "ON"};
}

EventLogView::EventLogView(EditorView view, const SettingsStore& store, Grid* grid, QWidget* parent)
    : SiteEditor(view, grid, parent), grid_(grid) {
    setObjectName(QStringLiteral("eventLogView"));
    grid_->setSize(1, kColumns);
    grid_->setHeaderHeight(21);
    fill(store, logsOf(view));
}

void EventLogView::fill(const SettingsStore& store, std::span<const KeyFamily* const> logs) {
    for (int column = 0; column < kColumns; ++column) grid_->setText(0, column + 1, kEventHeadings[column]);
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
