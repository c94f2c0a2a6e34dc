#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "settings/SettingsStore.h"

namespace tamrik {

// The steps a site went through, to undo and redo them. Each step keeps only the slots it changed,
// so a long history of small edits costs little, and undoing restores the site exactly (slot order
// and so the site file included).
class SiteHistory {
public:
    static constexpr std::size_t kDepth = 100;

    // Forgets every step; `site` is where the next step starts from.
    void reset(const SettingsStore& site);
    // Records what changed since the last step as a new one, named `name` or, without a name, after
    // what changed ("Zone of device 12"). Redo is lost. False when nothing changed.
    bool record(const SettingsStore& site, std::string name = {});

    bool canUndo() const { return done_ > 0; }
    bool canRedo() const { return done_ < steps_.size(); }
    const std::string& undoName() const;
    const std::string& redoName() const;
    // Take the site one step back or forward; false when there is none. The site must be as the last
    // record (or undo or redo) left it.
    bool undo(SettingsStore& site);
    bool redo(SettingsStore& site);

    std::size_t size() const { return steps_.size(); }
    std::size_t bytes() const;

private:
    struct Step {
        std::string name;
        SettingsStore::Delta delta;
    };
    std::vector<std::string> changedSettings(const SettingsStore::Delta& delta, const SettingsStore& site) const;
    static std::string nameOf(const std::vector<std::string>& changed);

    SettingsStore last_;  // the site as the last step left it
    std::deque<Step> steps_;
    std::size_t done_ = 0;  // steps_[0, done_) are done, the rest undone
};

}  // namespace tamrik
