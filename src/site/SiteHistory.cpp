#include "site/SiteHistory.h"

#include <set>

#include "site/SiteKeys.h"

namespace tamrik {
namespace {

const std::string kNone;

}  // namespace

void SiteHistory::reset(const SettingsStore& site) {
    last_ = site.copy();
    steps_.clear();
    done_ = 0;
}

bool SiteHistory::record(const SettingsStore& site, std::string name) {
    SettingsStore::Delta delta = site.changesSince(last_);
    if (delta.empty()) return false;
    const std::vector<std::string> changed = changedSettings(delta, site);
    last_.apply(delta, true);
    if (changed.empty()) return false;  // only worked-out values: taken in, no step
    if (name.empty()) name = nameOf(changed);
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_), steps_.end());
    steps_.push_back({std::move(name), std::move(delta)});
    if (steps_.size() > kDepth) steps_.pop_front();
    done_ = steps_.size();
    return true;
}

// The keys whose values differ, worked-out values left out: they change without anyone editing the
// site, so they never make a step of their own.
std::vector<std::string> SiteHistory::changedSettings(const SettingsStore::Delta& delta,
                                                      const SettingsStore& site) const {
    std::vector<std::string> changed;
    for (const std::string_view key : delta.changedKeys()) {
        if (!SettingsStore::isWorkedOut(key) && last_.get(key) != site.get(key)) changed.emplace_back(key);
    }
    return changed;
}

// A single setting by its name, one or two devices' settings as those devices, more as a count.
std::string SiteHistory::nameOf(const std::vector<std::string>& changed) {
    if (changed.size() == 1) return SettingName(changed.front());
    std::set<int> devices;
    for (const std::string& key : changed) devices.insert(DeviceAddressOf(key));
    if (devices.size() == 1 && *devices.begin() != 0) return "Device " + std::to_string(*devices.begin());
    if (devices.size() == 2 && !devices.contains(0)) {
        return "Devices " + std::to_string(*devices.begin()) + " and " + std::to_string(*devices.rbegin());
    }
    return std::to_string(changed.size()) + " settings";
}

const std::string& SiteHistory::undoName() const { return canUndo() ? steps_[done_ - 1].name : kNone; }
const std::string& SiteHistory::redoName() const { return canRedo() ? steps_[done_].name : kNone; }

bool SiteHistory::undo(SettingsStore& site) {
    if (!canUndo()) return false;
    const Step& step = steps_[--done_];
    site.apply(step.delta, false);
    last_.apply(step.delta, false);
    return true;
}

bool SiteHistory::redo(SettingsStore& site) {
    if (!canRedo()) return false;
    const Step& step = steps_[done_++];
    site.apply(step.delta, true);
    last_.apply(step.delta, true);
    return true;
}

std::size_t SiteHistory::bytes() const {
    std::size_t total = 0;
    for (const Step& step : steps_) total += step.name.capacity() + step.delta.bytes();
    return total;
}

}  // namespace tamrik
