#pragma once

#include <span>
#include <string>
#include <vector>

#include "settings/SettingsStore.h"
#include "site/KeyFamily.h"
#include "ui/editors/SiteEditor.h"

namespace tamrik {

// The panel's fire log, non-fire log, or both merged, oldest event first, one row per event. Every
// event the store holds is listed. The view changes nothing.
class EventLogView : public SiteEditor {
    Q_OBJECT

public:
    // `view` is one of FireLog, NonFireLog, CombinedLog.
    EventLogView(EditorView view, const SettingsStore& store, Grid* grid, QWidget* parent = nullptr);

    int eventCount() const { return eventCount_; }

private:
    void fill(const SettingsStore& store, std::span<const KeyFamily* const> logs);

    Grid* grid_;
    int eventCount_ = 0;
};

// The six cell texts of one event value: code, address, zone, time, event text, ON or OFF. Address
// and zone are empty where the source is not one.
std::vector<std::string> EventRowTexts(const std::string& value);

}  // namespace tamrik
