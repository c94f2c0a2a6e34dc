#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "settings/SettingsStore.h"

namespace tamrik {

// Before a write or a firmware update overwrites a panel, the site it held is kept as a site file:
// <folder>/<panel serial>/<UTC yyyymmdd-hhmmss>.psf, the newest kKeptBackups of each panel.
inline constexpr std::size_t kKeptBackups = 50;

// $XDG_DATA_HOME/tamrik/backups, or ~/.local/share/tamrik/backups.
std::filesystem::path BackupFolder();

struct PanelBackup {
    std::string path;
    std::string serial;
    std::string takenAt;  // "2026-12-06 14:05:09 UTC"
    std::string siteName;
};

// Saves `site`, the panel's site as just read, as that panel's newest backup (atomically), then
// removes all but the newest kKeptBackups of the panel. The path saved to, or nothing with the
// reason in `error`.
std::optional<std::string> SavePanelBackup(const SettingsStore& site, const std::filesystem::path& folder,
                                           std::chrono::system_clock::time_point takenAt, std::string* error);

// The backups of one panel, or of every panel, newest first.
std::vector<PanelBackup> ListPanelBackups(const std::filesystem::path& folder,
                                          const std::optional<std::string>& serial = std::nullopt);

// What backing a panel up before a write or a firmware update came to. One reading of the panel
// serves both the backup and the list of what the write will change.
struct BackupBeforeWrite {
    std::optional<std::string> path;   // the backup made; nothing when none was
    std::string error;                 // then why not
    std::vector<std::string> changes;  // what writing the given site will change (WriteChanges)
};

// Reads the panel with `readPanel` (false: it was not read) into a scratch site, keeps that as the
// panel's newest backup in `folder` and, when `writing` is given, lists what writing that site over
// the panel's would change. Without a backup nothing may be written.
BackupBeforeWrite BackUpPanel(const std::function<bool(SettingsStore&)>& readPanel, const std::filesystem::path& folder,
                              const SettingsStore* writing);

// "No settings will change", "1 setting will change", "12 settings will change".
std::string ChangeCountText(std::size_t changes);

}  // namespace tamrik
